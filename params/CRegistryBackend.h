#pragma once

#include "params/ISettingsBackend.h"
#include "params/tstr.h"

#include <cstddef>

// Settings kept as values of keys below HKEY_CURRENT_USER: text as REG_SZ, raw bytes as
// REG_BINARY. Paths, names and texts are UTF-8, passed to the wide calls. Every operation
// opens and closes its own key, so nothing is cached.
class CRegistryBackend : public ISettingsBackend {
public:
    // Creates or opens the key for writing; true once that succeeded, whatever the
    // value write itself gives. A null text deletes the value.
    bool WriteString(const tstr& path, const tstr& name, const tstr& text) override;
    bool WriteBytes(const tstr& path, const tstr& name, const void* data,
                    std::size_t size) override;
    // Any value type reads as its bytes up to the first NUL. False, `out` unchanged, when
    // the key cannot be opened or the value is missing, has size 0 or is larger than
    // kMaxTextValueBytes: a value that large is none of this program's.
    bool ReadString(const tstr& path, const tstr& name, tstr& out) override;
    // Reads a REG_BINARY value of exactly `size` bytes (the window placement record); any
    // other value reads as absent, leaving the buffer unchanged. A null buffer reads
    // nothing and gives true once the key opens.
    bool ReadBytes(const tstr& path, const tstr& name, void* buffer, std::size_t size) override;
    bool DeleteKey(const tstr& path) override;
    bool KeyExists(const tstr& path) override;
    // Subkey names of up to 1023 characters; `name` is unchanged on failure.
    bool EnumSubkey(const tstr& path, int index, tstr& name) override;
    // Value names of up to 1023 characters; `name` is unchanged on failure.
    bool EnumValue(const tstr& path, int index, tstr& name) override;
};
