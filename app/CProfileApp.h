#pragma once

#include "params/tstr.h"

#include <vector>

// The layer of the settings profile: the name under "Profiles" whose options the token
// "*prof*" of the store's paths stands for ("Profiles\<name>\").
template <class TBase> class CProfileApp : public TBase {
public:
    ~CProfileApp() override = default;

    // The profile named by "Profile" under "Profiles", else "Default"; then the layer
    // below.
    bool Init() override {
        if (profileName.IsEmpty()) {
            tstr stored;
            if (this->store.ReadString("Profiles", "Profile", stored))
                profileName = stored;
        }
        if (profileName.IsEmpty())
            profileName = "Default";
        this->store.AddSubstitution("*prof*", tstr("Profiles\\") + profileName + "\\");
        return TBase::Init();
    }
    // Replaces the profile's key by the profile's name as "Profile", then the layer below.
    bool Save() override {
        this->store.DeleteKey(tstr("Profiles\\") + profileName);
        this->store.WriteString("Profiles", "Profile", profileName);
        return TBase::Save();
    }

    // Appends the name of every key under "Profiles" to the list; 0 without a list.
    virtual int EnumProfiles(std::vector<tstr>* list) {
        if (!list)
            return 0;
        tstr name;
        for (int index = 0; this->store.EnumSubkey("Profiles", index, name); ++index)
            list->push_back(name);
        return 1;
    }

    tstr profileName{""};
};
