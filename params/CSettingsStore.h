#pragma once

#include "params/ISettingsBackend.h"
#include "params/tstr.h"

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

// The one settings store. Every path is relative to the root; before each access the
// store forms the full path (root + path, then every substitution in order) and hands it
// to the back-end of the current mode: the registry, or an INI file whose sections are
// named by full paths. Nothing is cached: each access reaches the back-end.
class CSettingsStore {
public:
    CSettingsStore(bool registryMode, const tstr& firm, const tstr& app);
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;
    ~CSettingsStore();

    void SetRegistryMode(bool registry) { registryMode = registry; }
    bool IsRegistryMode() const { return registryMode; }
    // Without an empty name: root := Software\*firm*\*app*\ with both tokens substituted.
    void SetFirmAndApp(const tstr& firmName, const tstr& appName);
    // Root := path, with "\" appended unless the path is empty or already ends in one.
    void SetRoot(const tstr& path);
    void SetIniFileName(const tstr& name) { iniFileName = name; }
    // Replaces the pair with an equal token, if any, and appends the new pair at the end.
    void AddSubstitution(const tstr& token, const tstr& text);
    // Root + path with every substitution applied in list order.
    tstr Expand(const tstr& path) const;

    // A null text deletes the entry; an empty text stores an empty one.
    bool WriteString(const tstr& path, const tstr& name, const tstr& text);
    // Stores the decimal text of the value.
    bool WriteInt(const tstr& path, const tstr& name, int value);
    // Null data deletes the entry.
    bool WriteBytes(const tstr& path, const tstr& name, const void* data, std::size_t size);
    bool ReadString(const tstr& path, const tstr& name, tstr& out);
    bool ReadBytes(const tstr& path, const tstr& name, void* buffer, std::size_t size);
    // Deletes the key and everything below it; false when the full path is empty.
    bool DeleteKey(const tstr& path);
    bool KeyExists(const tstr& path);
    // Name of the subkey at the index; always false in INI mode.
    bool EnumSubkey(const tstr& path, int index, tstr& name);
    // Name of the key's value at the index, in the back-end's order.
    bool EnumValue(const tstr& path, int index, tstr& name);

    // Makes the back-end of the current mode the given one (for tests and stand-ins); a
    // mode without one gets it from CreateSettingsBackend on its first access.
    void SetBackend(std::unique_ptr<ISettingsBackend> backend);

    const tstr& GetRoot() const { return root; }
    const tstr& GetFirm() const { return firm; }
    const tstr& GetApp() const { return app; }
    const tstr& GetIniFileName() const { return iniFileName; }

private:
    // The current mode's back-end, told the names; null when none can be made.
    ISettingsBackend* Backend();

    bool registryMode;
    tstr root{""};
    tstr firm{""};
    tstr app{""};
    tstr iniFileName{""};
    std::vector<std::pair<tstr, tstr>> substitutions;
    // Index 1: registry, index 0: INI. Kept across mode changes.
    std::unique_ptr<ISettingsBackend> backends[2];
};
