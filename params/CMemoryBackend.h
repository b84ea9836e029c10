#pragma once

#include "params/ISettingsBackend.h"
#include "params/tstr.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Settings kept in memory, for builds without a registry. Names of keys, sections and
// entries compare case-insensitively (ASCII), as in the registry and in INI files; each
// keeps the spelling it was first written with.
//
// Registry flavour: a tree of keys split at "\" (empty parts are skipped); writing creates
// the key path; a present empty text reads as "" with true, an entry larger than
// kMaxTextValueBytes as absent; ReadBytes needs the exact stored size (a null buffer only
// needs the key); DeleteKey removes the key and its subtree; subkeys enumerate in
// case-insensitive name order, as the registry lists them; values enumerate in the same
// order.
//
// INI flavour: one flat list of sections named by the full path. An empty entry reads as
// absent (false, out := ""); DeleteKey removes every section whose name begins with the
// path (byte comparison); KeyExists needs at least one entry; EnumSubkey always fails;
// EnumValue lists a section's entries in name order;
// ReadBytes needs the exact stored size.
class CMemoryBackend : public ISettingsBackend {
public:
    enum class Flavour { Registry, Ini };

    explicit CMemoryBackend(Flavour flavour = Flavour::Registry) : flavour(flavour) {}

    bool WriteString(const tstr& path, const tstr& name, const tstr& text) override;
    bool WriteBytes(const tstr& path, const tstr& name, const void* data,
                    std::size_t size) override;
    bool ReadString(const tstr& path, const tstr& name, tstr& out) override;
    bool ReadBytes(const tstr& path, const tstr& name, void* buffer, std::size_t size) override;
    bool DeleteKey(const tstr& path) override;
    bool KeyExists(const tstr& path) override;
    bool EnumSubkey(const tstr& path, int index, tstr& name) override;
    bool EnumValue(const tstr& path, int index, tstr& name) override;

    Flavour GetFlavour() const { return flavour; }

private:
    struct NoCaseLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Bytes = std::vector<char>;
    using Entries = std::map<std::string, Bytes, NoCaseLess>;
    // The map keys of subkeys keep the spelling each was created with.
    struct Key {
        Entries values;
        std::map<std::string, std::unique_ptr<Key>, NoCaseLess> subkeys;
    };

    // The registry key at the path; null when absent and not to be created.
    Key* FindKey(const tstr& path, bool create);
    // The entries that hold the path's values in either flavour; null when absent.
    Entries* FindEntries(const tstr& path, bool create);
    bool Store(const tstr& path, const tstr& name, const char* data, std::size_t size);
    bool Erase(const tstr& path, const tstr& name);
    const Bytes* Lookup(const tstr& path, const tstr& name);

    Flavour flavour;
    Key rootKey;
    std::map<std::string, Entries, NoCaseLess> sections;
};
