#include "params/CIniBackend.h"

#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <climits>
#include <cstring>
#include <vector>

namespace {

// First buffer sizes of the profile reads; a buffer that the result fills is doubled, so
// a long result costs a few reads and linear work, never one read per small step.
constexpr DWORD kValueChars = 768;
constexpr DWORD kSectionNamesChars = 256;
// The largest buffer a profile read grows to (16 MiB); a result that does not fit even
// that is not the program's and reads as absent.
constexpr DWORD kMaxReadChars = 1u << 24;
// Enough to tell an empty section from one that holds a key.
constexpr DWORD kSectionProbeChars = 64;

tstr WithSeparator(const tstr& folder) {
    const std::size_t length = folder.Length();
    const char last = length ? folder.c_str()[length - 1] : '\0';
    return last == '\\' || last == '/' ? folder : folder + "\\";
}

bool EnsureFolder(const tstr& folder) {
    return PathFileExistsA(folder.c_str()) || CreateDirectoryA(folder.c_str(), nullptr);
}

// The names of all sections of the file, each NUL-terminated, and the characters used;
// false when the list does not fit the largest buffer.
bool ReadSectionNames(const tstr& file, std::vector<char>& names, DWORD& used) {
    for (DWORD size = kSectionNamesChars; size <= kMaxReadChars; size *= 2) {
        names.assign(size, '\0');
        used = GetPrivateProfileSectionNamesA(names.data(), size, file.c_str());
        // A list that did not fit comes back as size - 2 characters.
        if (used + 2 < size)
            return true;
    }
    return false;
}

// The key's text; false when it does not fit the largest buffer.
bool ReadValue(const tstr& file, const tstr& section, const tstr& name, std::vector<char>& text) {
    for (DWORD size = kValueChars; size <= kMaxReadChars; size *= 2) {
        text.assign(size, '\0');
        const DWORD length = GetPrivateProfileStringA(section.str(), name.str(), "", text.data(),
                                                      size, file.c_str());
        // A value that did not fit comes back truncated to size - 1 characters.
        if (length + 1 < size)
            return true;
    }
    return false;
}

// The names of the section's keys, each NUL-terminated, and the characters used; false
// when the list does not fit the largest buffer.
bool ReadKeyNames(const tstr& file, const tstr& section, std::vector<char>& names, DWORD& used) {
    for (DWORD size = kValueChars; size <= kMaxReadChars; size *= 2) {
        names.assign(size, '\0');
        used =
            GetPrivateProfileStringA(section.str(), nullptr, "", names.data(), size, file.c_str());
        // A list that did not fit comes back as size - 2 characters.
        if (used + 2 < size)
            return true;
    }
    return false;
}

} // namespace

void CIniBackend::SetNames(const tstr& firmName, const tstr& appName, const tstr& file) {
    firm = firmName;
    app = appName;
    fileName = file;
}

bool CIniBackend::JoinFilePath(const tstr& folder, const tstr& firm, const tstr& app,
                               const tstr& fileName, tstr& path) {
    tstr joined = WithSeparator(folder) + firm + "\\" + app + "\\" + fileName;
    if (joined.Length() + 1 > MAX_PATH)
        return false;
    path = joined;
    return true;
}

bool CIniBackend::PrepareFilePath(tstr& path) const {
    char folder[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return false;
    tstr joined;
    if (!JoinFilePath(folder, firm, app, fileName, joined))
        return false;
    // Both folders are leading parts of the joined path, so they fit as well.
    const tstr firmFolder = WithSeparator(folder) + firm;
    if (!EnsureFolder(firmFolder) || !EnsureFolder(firmFolder + "\\" + app))
        return false;
    path = joined;
    return true;
}

bool CIniBackend::WriteString(const tstr& path, const tstr& name, const tstr& text) {
    tstr file;
    if (!PrepareFilePath(file))
        return false;
    WritePrivateProfileStringA(path.str(), name.str(), text.c_str(), file.c_str());
    return true;
}

bool CIniBackend::WriteBytes(const tstr& path, const tstr& name, const void* data,
                             std::size_t size) {
    if (data && size > UINT_MAX)
        return false;
    tstr file;
    if (!PrepareFilePath(file))
        return false;
    WritePrivateProfileStructA(path.str(), name.str(), const_cast<void*>(data),
                               data ? static_cast<UINT>(size) : 0, file.c_str());
    return true;
}

bool CIniBackend::ReadString(const tstr& path, const tstr& name, tstr& out) {
    tstr file;
    if (!PrepareFilePath(file))
        return false;
    std::vector<char> text;
    if (!ReadValue(file, path, name, text)) {
        out = "";
        return false;
    }
    out = text.data();
    return !out.IsEmpty();
}

bool CIniBackend::ReadBytes(const tstr& path, const tstr& name, void* buffer, std::size_t size) {
    if (!buffer || size > UINT_MAX)
        return false;
    tstr file;
    if (!PrepareFilePath(file))
        return false;
    return GetPrivateProfileStructA(path.str(), name.str(), buffer, static_cast<UINT>(size),
                                    file.c_str()) != 0;
}

bool CIniBackend::DeleteKey(const tstr& path) {
    if (path.IsEmpty())
        return false;
    tstr file;
    if (!PrepareFilePath(file))
        return false;
    std::vector<char> names;
    DWORD used = 0;
    if (!ReadSectionNames(file, names, used))
        return false;
    const std::size_t prefix = path.Length();
    bool matched = false;
    bool deleted = true;
    for (std::size_t at = 0; at < used; at += std::strlen(&names[at]) + 1) {
        const char* section = &names[at];
        if (std::strncmp(section, path.c_str(), prefix) != 0)
            continue;
        matched = true;
        deleted = WritePrivateProfileStringA(section, nullptr, nullptr, file.c_str()) && deleted;
    }
    return matched && deleted;
}

bool CIniBackend::KeyExists(const tstr& path) {
    tstr file;
    if (!PrepareFilePath(file))
        return false;
    char keys[kSectionProbeChars];
    return GetPrivateProfileSectionA(path.str(), keys, kSectionProbeChars, file.c_str()) > 0;
}

bool CIniBackend::EnumSubkey(const tstr& path, int index, tstr& name) {
    (void)path;
    (void)index;
    (void)name;
    return false;
}

bool CIniBackend::EnumValue(const tstr& path, int index, tstr& name) {
    tstr file;
    if (index < 0 || !PrepareFilePath(file))
        return false;
    std::vector<char> names;
    DWORD used = 0;
    if (!ReadKeyNames(file, path, names, used))
        return false;
    for (std::size_t at = 0; at < used; at += std::strlen(&names[at]) + 1) {
        if (index-- == 0) {
            name = &names[at];
            return true;
        }
    }
    return false;
}
