#include "params/RegistryValue_win.h"

#include "params/ISettingsBackend.h"
#include "params/Utf16_win.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

} // namespace

bool ReadValueText(HKEY key, const char* name, tstr& out) {
    const std::wstring wideName = Utf16(name);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        size == 0)
        return false;
    const std::size_t unit = IsStringType(type) ? sizeof(wchar_t) : 1;
    if (size > kMaxTextValueBytes * unit)
        return false;
    // Zeroed, with room for a wide terminator after the largest value.
    std::vector<BYTE> data(kMaxTextValueBytes * unit + sizeof(wchar_t), 0);
    DWORD read = size;
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, data.data(), &read) !=
            ERROR_SUCCESS ||
        read == 0)
        return false;
    if (IsStringType(type)) {
        std::wstring text(read / sizeof(wchar_t) + 1, L'\0');
        std::memcpy(text.data(), data.data(), read - read % sizeof(wchar_t));
        out = Utf8(text.c_str());
    } else {
        out = reinterpret_cast<const char*>(data.data());
    }
    return true;
}

bool ReadValueBytes(HKEY key, const char* name, void* buffer, std::size_t size) {
    if (size >= MAXDWORD)
        return false;
    // One byte more than wanted, so that a longer value fails or shows its size.
    std::vector<BYTE> data(size + 1);
    DWORD type = REG_NONE;
    DWORD read = static_cast<DWORD>(data.size());
    if (RegQueryValueExW(key, Utf16(name).c_str(), nullptr, &type, data.data(), &read) !=
            ERROR_SUCCESS ||
        type != REG_BINARY || read != size)
        return false;
    std::memcpy(buffer, data.data(), size);
    return true;
}
