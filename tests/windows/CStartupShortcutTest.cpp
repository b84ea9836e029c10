#include "app/CStartupShortcut.h"
#include "app/ComOwners.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <string>

namespace {

// The fields of a saved shell link, read back through the shell's wide interface.
struct LinkFields {
    bool loaded = false;
    // The target as the link's item list names it, and as its path field stores it (which
    // Wine keeps in the ANSI code page only).
    std::wstring item, target, folder, description, arguments, iconFile;
    int iconIndex = 0;
    int showCommand = 0;
};

LinkFields ReadLink(const std::wstring& path) {
    LinkFields fields;
    const CComApartment apartment;
    CComPtr<IShellLinkW> link;
    CComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.Receive())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())) ||
        FAILED(file->Load(path.c_str(), STGM_READ)))
        return fields;
    fields.loaded = true;
    wchar_t text[1024] = L"";
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(link->GetIDList(&items)) && items && SHGetPathFromIDListW(items, text))
        fields.item = text;
    CoTaskMemFree(items);
    link->GetPath(text, 1024, nullptr, SLGP_RAWPATH);
    fields.target = text;
    link->GetWorkingDirectory(text, 1024);
    fields.folder = text;
    link->GetDescription(text, 1024);
    fields.description = text;
    link->GetArguments(text, 1024);
    fields.arguments = text;
    link->GetIconLocation(text, 1024, &fields.iconIndex);
    fields.iconFile = text;
    link->GetShowCmd(&fields.showCommand);
    return fields;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ProgramPath() {
    wchar_t path[1024] = L"";
    GetModuleFileNameW(nullptr, path, 1024);
    return path;
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.rfind(L'\\'));
}

std::wstring TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(info->test_suite_name()) + "." + info->name();
    return std::wstring(name.begin(), name.end());
}

// Names outside every single ANSI code page at once: Polish, Cyrillic and Chinese.
const std::wstring kForeignName = L"\u0141ukasz \u0416\u0435\u043d\u044f \u65e5\u672c";

// A folder of its own under the temporary folder for each test, removed with the links
// the test left in it.
class ShellLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + TestName() + L" " + kForeignName;
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    void TearDown() override {
        DeleteFileW(Link(L"a").c_str());
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring Link(const wchar_t* name) const { return folder + L"\\" + name + L".lnk"; }

    std::wstring folder; // named outside the code page
};

// The saved link carries the target, its folder, the description, and the icon and
// arguments only when they are given.
TEST_F(ShellLinkTest, FieldsReadBack) {
    struct Case {
        const char* what;
        int iconIndex;
        const wchar_t* arguments;
    };
    const std::wstring target = ProgramPath();
    for (const Case& c : {Case{"plain, as the start-up shortcut", 0, nullptr},
                          Case{"with an icon and arguments", 2, L"-quiet"}}) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(S_OK, CStartupShortcut::CreateLink(target.c_str(), Link(L"a").c_str(),
                                                     L"Embra desktop decoration", c.iconIndex,
                                                     c.arguments));
        const LinkFields fields = ReadLink(Link(L"a"));
        ASSERT_TRUE(fields.loaded);
        EXPECT_EQ(fields.target, target);
        EXPECT_EQ(fields.folder, FolderOf(target));
        EXPECT_EQ(fields.description, L"Embra desktop decoration");
        EXPECT_EQ(fields.arguments, c.arguments ? c.arguments : L"");
        EXPECT_EQ(fields.iconFile, c.iconIndex ? target : L"");
        EXPECT_EQ(fields.iconIndex, -c.iconIndex);
        EXPECT_EQ(fields.showCommand, SW_SHOWNORMAL);
    }
}

// The working folder is the target's folder: the root keeps its backslash (a bare
// drive would mean that drive's current folder), a bare file name has none.
TEST_F(ShellLinkTest, WorkingFolderIsTheTargetsFolder) {
    struct Case {
        const wchar_t* target;
        const wchar_t* folder;
    };
    const std::wstring foreign = L"C:\\" + kForeignName + L"\\embra.exe";
    const std::wstring foreignFolder = L"C:\\" + kForeignName;
    for (const Case& c : {Case{L"C:\\Program Files\\Embra\\embra.exe", L"C:\\Program Files\\Embra"},
                          Case{foreign.c_str(), foreignFolder.c_str()},
                          Case{L"C:\\embra.exe", L"C:\\"}, Case{L"embra.exe", L""}}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.target)));
        ASSERT_TRUE(SUCCEEDED(
            CStartupShortcut::CreateLink(c.target, Link(L"a").c_str(), L"d", 0, nullptr)));
        EXPECT_EQ(ReadLink(Link(L"a")).folder, c.folder);
    }
}

// Creating over an existing link replaces it.
TEST_F(ShellLinkTest, ReplacesAnExistingLink) {
    const std::wstring target = ProgramPath();
    ASSERT_EQ(S_OK, CStartupShortcut::CreateLink(L"C:\\old\\embra.exe", Link(L"a").c_str(), L"old",
                                                 0, nullptr));
    ASSERT_EQ(S_OK,
              CStartupShortcut::CreateLink(target.c_str(), Link(L"a").c_str(), L"new", 0, nullptr));
    const LinkFields fields = ReadLink(Link(L"a"));
    EXPECT_EQ(fields.target, target);
    EXPECT_EQ(fields.description, L"new");
}

// A link that cannot be saved is reported as a failure and leaves no file, also when its
// path is too long to be converted whole (it is not saved under a cut-off name).
TEST_F(ShellLinkTest, RefusedSaveFailsWithoutAFile) {
    const std::wstring missingFolder = folder + L"\\missing\\a.lnk";
    const std::wstring tooLong = folder + L"\\" + std::wstring(300, L'x') + L".lnk";
    for (const std::wstring& path : {missingFolder, tooLong}) {
        EXPECT_TRUE(FAILED(
            CStartupShortcut::CreateLink(ProgramPath().c_str(), path.c_str(), L"d", 0, nullptr)));
        EXPECT_FALSE(FileExists(path));
    }
}

std::wstring StartupFolder() {
    wchar_t folder[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

// The start-up shortcut of a title of this test's own, removed afterwards.
class StartupShortcutTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The Startup folder of a fresh prefix exists only once something was put there.
        wchar_t created[MAX_PATH] = L"";
        SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                         created);
    }
    void TearDown() override { DeleteFileW(Expected().c_str()); }

    std::wstring Expected() const { return StartupFolder() + L"\\" + title + L".lnk"; }

    const std::wstring title = L"EmbraTests " + TestName();
    const CStartupShortcut shortcut{std::string(title.begin(), title.end()).c_str()};
};

TEST_F(StartupShortcutTest, LivesInTheStartupFolderUnderTheTitle) {
    ASSERT_FALSE(StartupFolder().empty());
    EXPECT_EQ(shortcut.Path(), Expected());
}

// The flag follows the file: applying true creates it pointing at the running program,
// a file deleted by hand reads back as false, applying false deletes it, and deleting a
// missing file is harmless.
TEST_F(StartupShortcutTest, FlagFollowsTheFile) {
    EXPECT_FALSE(shortcut.Exists());
    shortcut.Apply(true);
    EXPECT_TRUE(shortcut.Exists());
    const LinkFields fields = ReadLink(Expected());
    EXPECT_EQ(fields.target, ProgramPath());
    EXPECT_EQ(fields.folder, FolderOf(ProgramPath()));
    EXPECT_EQ(fields.description, title);

    ASSERT_TRUE(DeleteFileW(Expected().c_str()));
    EXPECT_FALSE(shortcut.Exists());
    shortcut.Apply(false);
    EXPECT_FALSE(shortcut.Exists());

    shortcut.Apply(true);
    shortcut.Apply(false);
    EXPECT_FALSE(FileExists(Expected()));
    EXPECT_FALSE(shortcut.Exists());
}

// A shortcut of the same name from elsewhere is replaced by one to the running program.
TEST_F(StartupShortcutTest, ApplyingTrueRewritesAStaleShortcut) {
    ASSERT_EQ(S_OK, CStartupShortcut::CreateLink(L"C:\\elsewhere\\embra.exe", Expected().c_str(),
                                                 L"stale", 0, nullptr));
    shortcut.Apply(true);
    const LinkFields fields = ReadLink(Expected());
    EXPECT_EQ(fields.target, ProgramPath());
    EXPECT_EQ(fields.description, title);
}

// Without a title there is no shortcut: no path, read back as false, nothing created.
TEST_F(StartupShortcutTest, NoTitleMeansNoShortcut) {
    const CStartupShortcut untitled{""};
    EXPECT_TRUE(untitled.Path().empty());
    untitled.Apply(true);
    EXPECT_FALSE(untitled.Exists());
    EXPECT_FALSE(FileExists(StartupFolder() + L"\\.lnk"));
}

// A program in a folder named outside the code page, copied there as an installer puts it:
// the shortcut in the Startup folder points at it, its folder and its name unchanged.
TEST_F(StartupShortcutTest, AProgramFolderNamedInAnyLanguageReadsBackWhole) {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + kForeignName;
    const std::wstring program = folder + L"\\embra " + kForeignName + L".exe";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), program.c_str(), FALSE));

    const CStartupShortcut installed{std::string(title.begin(), title.end()).c_str(), program};
    installed.Apply(true);
    EXPECT_TRUE(installed.Exists());
    const LinkFields fields = ReadLink(Expected());
    EXPECT_TRUE(fields.loaded);
    EXPECT_EQ(fields.item, program);
    EXPECT_EQ(fields.folder, folder);
    installed.Apply(false);
    EXPECT_FALSE(FileExists(Expected()));

    DeleteFileW(program.c_str());
    RemoveDirectoryW(folder.c_str());
}

constexpr const wchar_t* kShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// The user's Startup folder as the shell keeps it per user, unexpanded; empty when unset.
std::wstring StartupFolderSetting() {
    wchar_t text[1024] = L"";
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, kShellFolders, L"Startup",
                     RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, text,
                     &size) != ERROR_SUCCESS)
        return std::wstring();
    return text;
}

// Names the user's Startup folder; an empty name removes the setting.
void MoveStartupFolder(const std::wstring& folder) {
    if (folder.empty()) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Startup");
        return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Startup", REG_EXPAND_SZ, folder.c_str(),
                    static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
}

// A Startup folder named outside the code page (a profile such as "\u0141ukasz") holds the
// shortcut under its real name.
TEST_F(StartupShortcutTest, AStartupFolderNamedInAnyLanguageHoldsTheShortcut) {
    const std::wstring original = StartupFolderSetting();
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring foreign = std::wstring(temp) + kForeignName + L" Startup";
    ASSERT_TRUE(CreateDirectoryW(foreign.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    MoveStartupFolder(foreign);

    const std::wstring path = shortcut.Path();
    shortcut.Apply(true);
    const bool existed = shortcut.Exists();
    const LinkFields fields = ReadLink(path);
    shortcut.Apply(false);
    MoveStartupFolder(original);
    RemoveDirectoryW(foreign.c_str());

    EXPECT_EQ(path, foreign + L"\\" + title + L".lnk");
    EXPECT_TRUE(existed);
    EXPECT_EQ(fields.item, ProgramPath());
}

} // namespace
