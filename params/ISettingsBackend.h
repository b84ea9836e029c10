#pragma once

#include "params/tstr.h"

#include <cstddef>

// Every text the program stores is short; a registry value larger than this many bytes
// (its terminator included) is not a value of this program and reads as absent.
constexpr std::size_t kMaxTextValueBytes = 1024;

// Where the settings store keeps its entries. Paths arrive fully expanded (root and
// substitutions applied), for example "Software\Lumavist\Embra\Sets\Embra".
class ISettingsBackend {
public:
    virtual ~ISettingsBackend() = default;

    // The firm and app folder names and the file name that a file-based back-end places
    // its file under; the store passes them before every access.
    virtual void SetNames(const tstr& firm, const tstr& app, const tstr& fileName) {
        (void)firm;
        (void)app;
        (void)fileName;
    }

    // A non-null text stores the text; a null text deletes the entry. True once the key
    // (or file) could be created or opened.
    virtual bool WriteString(const tstr& path, const tstr& name, const tstr& text) = 0;
    // Raw bytes; null data deletes the entry.
    virtual bool WriteBytes(const tstr& path, const tstr& name, const void* data,
                            std::size_t size) = 0;
    // False when the entry cannot be read; see the back-ends for what `out` then holds.
    virtual bool ReadString(const tstr& path, const tstr& name, tstr& out) = 0;
    virtual bool ReadBytes(const tstr& path, const tstr& name, void* buffer, std::size_t size) = 0;
    // Deletes the key with everything below it; false for an empty path.
    virtual bool DeleteKey(const tstr& path) = 0;
    virtual bool KeyExists(const tstr& path) = 0;
    // Name of the subkey at the index; false past the last one.
    virtual bool EnumSubkey(const tstr& path, int index, tstr& name) = 0;
    // Name of the key's value (or the section's entry) at the index; false past the last
    // one. The order is the back-end's own.
    virtual bool EnumValue(const tstr& path, int index, tstr& name) = 0;
};
