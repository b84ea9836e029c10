#include "params/RegistryValue_win.h"

#include "params/ISettingsBackend.h"

#include <cstring>
#include <vector>

bool ReadValueText(HKEY key, const char* name, tstr& out) {
    char data[kMaxTextValueBytes + 1] = {};
    DWORD size = kMaxTextValueBytes;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        size == 0)
        return false;
    out = data;
    return true;
}

bool ReadValueBytes(HKEY key, const char* name, void* buffer, std::size_t size) {
    if (size >= MAXDWORD)
        return false;
    // One byte more than wanted, so that a longer value fails or shows its size.
    std::vector<BYTE> data(size + 1);
    DWORD type = REG_NONE;
    DWORD read = static_cast<DWORD>(data.size());
    if (RegQueryValueExA(key, name, nullptr, &type, data.data(), &read) != ERROR_SUCCESS ||
        type != REG_BINARY || read != size)
        return false;
    std::memcpy(buffer, data.data(), size);
    return true;
}
