#include "params/CRegistryBackend.h"

#include "params/RegistryKey_win.h"
#include "params/RegistryValue_win.h"

#include <windows.h>

#include <shlwapi.h>

static_assert(KEY_READ == 0x20019 && KEY_WRITE == 0x20006, "access rights of the store");

namespace {

// Subkey names the enumeration returns: up to 1023 characters and the terminator.
constexpr DWORD kSubkeyNameChars = 1024;

// Opens a key of HKEY_CURRENT_USER for reading into the owner.
bool OpenForReading(CRegistryKey& key, const tstr& path) {
    return RegOpenKeyExA(HKEY_CURRENT_USER, path.str(), 0, KEY_READ, key.Receive()) ==
           ERROR_SUCCESS;
}

// Opens a key of HKEY_CURRENT_USER for writing, creating it where it is missing.
bool CreateForWriting(CRegistryKey& key, const tstr& path) {
    return RegCreateKeyExA(HKEY_CURRENT_USER, path.str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                           key.Receive(), nullptr) == ERROR_SUCCESS;
}

} // namespace

bool CRegistryBackend::WriteString(const tstr& path, const tstr& name, const tstr& text) {
    CRegistryKey key;
    if (!CreateForWriting(key, path))
        return false;
    if (text.IsNull()) {
        RegDeleteValueA(key.Get(), name.str());
        return true;
    }
    const DWORD size = static_cast<DWORD>(text.Length() + 1); // the terminator included
    RegSetValueExA(key.Get(), name.str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   size);
    return true;
}

bool CRegistryBackend::WriteBytes(const tstr& path, const tstr& name, const void* data,
                                  std::size_t size) {
    if (data && size > MAXDWORD)
        return false;
    CRegistryKey key;
    if (!CreateForWriting(key, path))
        return false;
    if (!data) {
        RegDeleteValueA(key.Get(), name.str());
        return true;
    }
    RegSetValueExA(key.Get(), name.str(), 0, REG_BINARY, static_cast<const BYTE*>(data),
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
    return SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str()) == ERROR_SUCCESS;
}

bool CRegistryBackend::KeyExists(const tstr& path) {
    CRegistryKey key;
    return OpenForReading(key, path);
}

bool CRegistryBackend::EnumSubkey(const tstr& path, int index, tstr& name) {
    if (index < 0)
        return false;
    CRegistryKey key;
    if (!OpenForReading(key, path))
        return false;
    char subkey[kSubkeyNameChars];
    DWORD length = kSubkeyNameChars;
    if (RegEnumKeyExA(key.Get(), static_cast<DWORD>(index), subkey, &length, nullptr, nullptr,
                      nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    name = subkey;
    return true;
}
