#include "app/CStartupShortcut.h"

#include "app/ComOwners.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

// The folder of a program path: everything before its last backslash, the drive's root
// for a program in a root folder, empty for a bare file name.
tstr FolderOf(const char* target) {
    char folder[MAX_PATH] = "";
    lstrcpynA(folder, target, MAX_PATH);
    if (!PathRemoveFileSpecA(folder) || !StrChrA(target, '\\'))
        return "";
    return folder;
}

// The full path of the running program; null when it does not fit MAX_PATH.
tstr ProgramPath() {
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return tstr();
    return path;
}

HRESULT Describe(IShellLinkA* link, const char* target, const char* description, int iconIndex,
                 const char* arguments) {
    HRESULT result = link->SetPath(target);
    if (SUCCEEDED(result) && iconIndex != 0)
        result = link->SetIconLocation(target, -iconIndex);
    if (SUCCEEDED(result))
        result = link->SetWorkingDirectory(FolderOf(target).str());
    if (SUCCEEDED(result))
        result = link->SetDescription(description);
    if (SUCCEEDED(result) && arguments)
        result = link->SetArguments(arguments);
    return result;
}

HRESULT Save(IShellLinkA* link, const char* shortcutPath) {
    wchar_t widePath[MAX_PATH] = L"";
    if (MultiByteToWideChar(CP_ACP, 0, shortcutPath, -1, widePath, MAX_PATH) == 0)
        return HRESULT_FROM_WIN32(GetLastError());
    CComPtr<IPersistFile> file;
    const HRESULT result = link->QueryInterface(IID_IPersistFile, file.Receive());
    if (FAILED(result))
        return result;
    return file->Save(widePath, TRUE);
}

} // namespace

tstr CStartupShortcut::Path() const {
    char folder[MAX_PATH] = "";
    if (title.IsEmpty() ||
        FAILED(SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder)) ||
        folder[0] == '\0' || !PathAddBackslashA(folder))
        return tstr();
    return tstr(folder) + title + ".lnk";
}

bool CStartupShortcut::Exists() const {
    const tstr path = Path();
    if (path.IsNull())
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CStartupShortcut::Apply(bool startWithWindows) const {
    const tstr path = Path();
    if (path.IsNull())
        return;
    if (!startWithWindows) {
        DeleteFileA(path.c_str());
        return;
    }
    const tstr target = ProgramPath();
    if (!target.IsNull())
        CreateLink(target.c_str(), path.c_str(), title.c_str(), 0, nullptr);
}

HRESULT CStartupShortcut::CreateLink(const char* target, const char* shortcutPath,
                                     const char* description, int iconIndex,
                                     const char* arguments) {
    const CComApartment apartment;
    CComPtr<IShellLinkA> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkA, link.Receive());
    if (FAILED(result))
        return result;
    result = Describe(link.Get(), target, description, iconIndex, arguments);
    if (FAILED(result))
        return result;
    return Save(link.Get(), shortcutPath);
}
