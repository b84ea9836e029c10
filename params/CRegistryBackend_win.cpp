#include "params/CRegistryBackend.h"

#include "params/RegistryKey_win.h"
#include "params/RegistryValue_win.h"
#include "params/Utf16_win.h"

#include <windows.h>

#include <shlwapi.h>

static_assert(KEY_READ == 0x20019 && KEY_WRITE == 0x20006, "access rights of the store");

namespace {

// Subkey and value names the enumerations return: up to 1023 characters and the terminator.
constexpr DWORD kNameChars = 1024;

// Opens a key of HKEY_CURRENT_USER for reading into the owner.
bool OpenForReading(CRegistryKey& key, const tstr& path) {
    return RegOpenKeyExW(HKEY_CURRENT_USER, Utf16(path).c_str(), 0, KEY_READ, key.Receive()) ==
           ERROR_SUCCESS;
}

// Opens a key of HKEY_CURRENT_USER for writing, creating it where it is missing.
bool CreateForWriting(CRegistryKey& key, const tstr& path) {
    return RegCreateKeyExW(HKEY_CURRENT_USER, Utf16(path).c_str(), 0, nullptr, 0, KEY_WRITE,
                           nullptr, key.Receive(), nullptr) == ERROR_SUCCESS;
}

// The name an enumeration gave at `index` of the open key; false past the last one.
template <class Enumerate>
bool EnumName(const tstr& path, int index, tstr& name, Enumerate enumerate) {
    if (index < 0)
        return false;
    CRegistryKey key;
    if (!OpenForReading(key, path))
        return false;
    wchar_t found[kNameChars];
    DWORD length = kNameChars;
    if (enumerate(key.Get(), static_cast<DWORD>(index), found, &length) != ERROR_SUCCESS)
        return false;
    name = Utf8(std::wstring(found, length));
    return true;
}

} // namespace

bool CRegistryBackend::WriteString(const tstr& path, const tstr& name, const tstr& text) {
    CRegistryKey key;
    if (!CreateForWriting(key, path))
        return false;
    const std::wstring wideName = Utf16(name);
    if (text.IsNull()) {
        RegDeleteValueW(key.Get(), wideName.c_str());
        return true;
    }
    const std::wstring wide = Utf16(text);
    // The terminator included.
    const auto size = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    RegSetValueExW(key.Get(), wideName.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(wide.c_str()), size);
    return true;
}

bool CRegistryBackend::WriteBytes(const tstr& path, const tstr& name, const void* data,
                                  std::size_t size) {
    if (data && size > MAXDWORD)
        return false;
    CRegistryKey key;
    if (!CreateForWriting(key, path))
        return false;
    const std::wstring wideName = Utf16(name);
    if (!data) {
        RegDeleteValueW(key.Get(), wideName.c_str());
        return true;
    }
    RegSetValueExW(key.Get(), wideName.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(data),
                   static_cast<DWORD>(size));
    return true;
}

bool CRegistryBackend::ReadString(const tstr& path, const tstr& name, tstr& out) {
    CRegistryKey key;
    return OpenForReading(key, path) && ReadValueText(key.Get(), name.str(), out);
}

bool CRegistryBackend::ReadBytes(const tstr& path, const tstr& name, void* buffer,
                                 std::size_t size) {
    CRegistryKey key;
    if (!OpenForReading(key, path))
        return false;
    return !buffer || ReadValueBytes(key.Get(), name.str(), buffer, size);
}

bool CRegistryBackend::DeleteKey(const tstr& path) {
    if (path.IsEmpty())
        return false;
    return SHDeleteKeyW(HKEY_CURRENT_USER, Utf16(path).c_str()) == ERROR_SUCCESS;
}

bool CRegistryBackend::KeyExists(const tstr& path) {
    CRegistryKey key;
    return OpenForReading(key, path);
}

bool CRegistryBackend::EnumSubkey(const tstr& path, int index, tstr& name) {
    return EnumName(path, index, name, [](HKEY key, DWORD at, wchar_t* found, DWORD* length) {
        return RegEnumKeyExW(key, at, found, length, nullptr, nullptr, nullptr, nullptr);
    });
}

bool CRegistryBackend::EnumValue(const tstr& path, int index, tstr& name) {
    return EnumName(path, index, name, [](HKEY key, DWORD at, wchar_t* found, DWORD* length) {
        return RegEnumValueW(key, at, found, length, nullptr, nullptr, nullptr, nullptr);
    });
}
