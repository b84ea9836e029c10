#include "app/CStartupShortcut.h"

#include "app/ComOwners.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <utility>

namespace {

// The longest path the wide file functions take.
constexpr DWORD kLongestPath = 32768;

// The title as the program's ANSI strings hold it, in UTF-16.
std::wstring Wide(const tstr& text) {
    if (text.IsNull() || text.IsEmpty())
        return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.find(L'\0'));
    return wide;
}

// The folder of a program path: everything before its last backslash, the drive's root
// (with its backslash) for a program in a root folder, empty for a bare file name.
std::wstring FolderOf(const std::wstring& target) {
    const std::size_t slash = target.rfind(L'\\');
    if (slash == std::wstring::npos)
        return std::wstring();
    const std::wstring folder = target.substr(0, slash);
    return folder.size() == 2 && folder[1] == L':' ? folder + L'\\' : folder;
}

std::wstring StartupFolder() {
    CCoTaskMem<wchar_t> folder;
    if (FAILED(
            SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_DEFAULT, nullptr, folder.Receive())) ||
        !folder.Get())
        return std::wstring();
    return folder.Get();
}

HRESULT Describe(IShellLinkW* link, const wchar_t* target, const wchar_t* description,
                 int iconIndex, const wchar_t* arguments) {
    HRESULT result = link->SetPath(target);
    if (SUCCEEDED(result) && iconIndex != 0)
        result = link->SetIconLocation(target, -iconIndex);
    if (SUCCEEDED(result))
        result = link->SetWorkingDirectory(FolderOf(target).c_str());
    if (SUCCEEDED(result))
        result = link->SetDescription(description);
    if (SUCCEEDED(result) && arguments)
        result = link->SetArguments(arguments);
    return result;
}

HRESULT Save(IShellLinkW* link, const wchar_t* shortcutPath) {
    CComPtr<IPersistFile> file;
    const HRESULT result = link->QueryInterface(IID_IPersistFile, file.Receive());
    if (FAILED(result))
        return result;
    return file->Save(shortcutPath, TRUE);
}

} // namespace

CStartupShortcut::CStartupShortcut(const tstr& title) : CStartupShortcut(title, RunningProgram()) {}

CStartupShortcut::CStartupShortcut(const tstr& title, std::wstring program)
    : title(Wide(title)), program(std::move(program)) {}

std::wstring CStartupShortcut::RunningProgram() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0)
            return std::wstring();
        if (length < size) {
            path.resize(length);
            return path;
        }
        if (size >= kLongestPath)
            return std::wstring();
        path.resize(size * 2);
    }
}

std::wstring CStartupShortcut::Path() const {
    std::wstring folder = StartupFolder();
    if (title.empty() || folder.empty())
        return std::wstring();
    if (folder.back() != L'\\')
        folder += L'\\';
    return folder + title + L".lnk";
}

bool CStartupShortcut::Exists() const {
    const std::wstring path = Path();
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CStartupShortcut::Apply(bool startWithWindows) const {
    const std::wstring path = Path();
    if (path.empty())
        return;
    if (!startWithWindows) {
        DeleteFileW(path.c_str());
        return;
    }
    if (!program.empty())
        CreateLink(program.c_str(), path.c_str(), title.c_str(), 0, nullptr);
}

HRESULT CStartupShortcut::CreateLink(const wchar_t* target, const wchar_t* shortcutPath,
                                     const wchar_t* description, int iconIndex,
                                     const wchar_t* arguments) {
    const CComApartment apartment;
    CComPtr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, link.Receive());
    if (FAILED(result))
        return result;
    result = Describe(link.Get(), target, description, iconIndex, arguments);
    if (FAILED(result))
        return result;
    return Save(link.Get(), shortcutPath);
}
