#include "app/CStartupShortcut.h"
#include "app/ComOwners.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace {

// The fields of a saved shell link, read back through the shell.
struct LinkFields {
    bool loaded = false;
    std::string target, folder, description, arguments, iconFile;
    int iconIndex = 0;
    int showCommand = 0;
};

LinkFields ReadLink(const std::string& path) {
    LinkFields fields;
    const CComApartment apartment;
    CComPtr<IShellLinkA> link;
    CComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.Receive())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())))
        return fields;
    wchar_t widePath[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (FAILED(file->Load(widePath, STGM_READ)))
        return fields;
    fields.loaded = true;
    char text[MAX_PATH] = "";
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    fields.target = text;
    link->GetWorkingDirectory(text, MAX_PATH);
    fields.folder = text;
    link->GetDescription(text, MAX_PATH);
    fields.description = text;
    link->GetArguments(text, MAX_PATH);
    fields.arguments = text;
    link->GetIconLocation(text, MAX_PATH, &fields.iconIndex);
    fields.iconFile = text;
    link->GetShowCmd(&fields.showCommand);
    return fields;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\'));
}

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

// A folder of its own under the temporary folder for each test, removed with the links
// the test left in it.
class ShellLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + TestName();
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        DeleteFileA(Link("a").c_str());
        RemoveDirectoryA(folder.c_str());
    }

    std::string Link(const char* name) const { return folder + "\\" + name + ".lnk"; }

    std::string folder;
};

// The saved link carries the target, its folder, the description, and the icon and
// arguments only when they are given.
TEST_F(ShellLinkTest, FieldsReadBack) {
    struct Case {
        const char* what;
        int iconIndex;
        const char* arguments;
    };
    const std::string target = ProgramPath();
    for (const Case& c : {Case{"plain, as the start-up shortcut", 0, nullptr},
                          Case{"with an icon and arguments", 2, "-quiet"}}) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(S_OK, CStartupShortcut::CreateLink(target.c_str(), Link("a").c_str(),
                                                     "Embra desktop decoration", c.iconIndex,
                                                     c.arguments));
        const LinkFields fields = ReadLink(Link("a"));
        ASSERT_TRUE(fields.loaded);
        EXPECT_EQ(fields.target, target);
        EXPECT_EQ(fields.folder, FolderOf(target));
        EXPECT_EQ(fields.description, "Embra desktop decoration");
        EXPECT_EQ(fields.arguments, c.arguments ? c.arguments : "");
        EXPECT_EQ(fields.iconFile, c.iconIndex ? target : "");
        EXPECT_EQ(fields.iconIndex, -c.iconIndex);
        EXPECT_EQ(fields.showCommand, SW_SHOWNORMAL);
    }
}

// The working folder is the target's folder: the root keeps its backslash (a bare
// drive would mean that drive's current folder), a bare file name has none.
TEST_F(ShellLinkTest, WorkingFolderIsTheTargetsFolder) {
    struct Case {
        const char* target;
        const char* folder;
    };
    for (const Case& c : {Case{"C:\\Program Files\\Embra\\embra.exe", "C:\\Program Files\\Embra"},
                          Case{"C:\\embra.exe", "C:\\"}, Case{"embra.exe", ""}}) {
        SCOPED_TRACE(c.target);
        ASSERT_TRUE(
            SUCCEEDED(CStartupShortcut::CreateLink(c.target, Link("a").c_str(), "d", 0, nullptr)));
        EXPECT_EQ(ReadLink(Link("a")).folder, c.folder);
    }
}

// Creating over an existing link replaces it.
TEST_F(ShellLinkTest, ReplacesAnExistingLink) {
    const std::string target = ProgramPath();
    ASSERT_EQ(S_OK, CStartupShortcut::CreateLink("C:\\old\\embra.exe", Link("a").c_str(), "old", 0,
                                                 nullptr));
    ASSERT_EQ(S_OK,
              CStartupShortcut::CreateLink(target.c_str(), Link("a").c_str(), "new", 0, nullptr));
    const LinkFields fields = ReadLink(Link("a"));
    EXPECT_EQ(fields.target, target);
    EXPECT_EQ(fields.description, "new");
}

// A link that cannot be saved is reported as a failure and leaves no file, also when its
// path is too long to be converted whole (it is not saved under a cut-off name).
TEST_F(ShellLinkTest, RefusedSaveFailsWithoutAFile) {
    const std::string missingFolder = folder + "\\missing\\a.lnk";
    const std::string tooLong = folder + "\\" + std::string(300, 'x') + ".lnk";
    for (const std::string& path : {missingFolder, tooLong}) {
        EXPECT_TRUE(FAILED(
            CStartupShortcut::CreateLink(ProgramPath().c_str(), path.c_str(), "d", 0, nullptr)));
        EXPECT_FALSE(FileExists(path));
    }
}

std::string StartupFolder() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

// The start-up shortcut of a title of this test's own, removed afterwards.
class StartupShortcutTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The Startup folder of a fresh prefix exists only once something was put there.
        char created[MAX_PATH] = "";
        SHGetFolderPathA(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                         created);
    }
    void TearDown() override { DeleteFileA(Expected().c_str()); }

    std::string Expected() const { return StartupFolder() + "\\" + title + ".lnk"; }

    const std::string title = "EmbraTests " + TestName();
    const CStartupShortcut shortcut{title.c_str()};
};

TEST_F(StartupShortcutTest, LivesInTheStartupFolderUnderTheTitle) {
    ASSERT_FALSE(StartupFolder().empty());
    EXPECT_STREQ(shortcut.Path().c_str(), Expected().c_str());
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

    ASSERT_TRUE(DeleteFileA(Expected().c_str()));
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
    ASSERT_EQ(S_OK, CStartupShortcut::CreateLink("C:\\elsewhere\\embra.exe", Expected().c_str(),
                                                 "stale", 0, nullptr));
    shortcut.Apply(true);
    const LinkFields fields = ReadLink(Expected());
    EXPECT_EQ(fields.target, ProgramPath());
    EXPECT_EQ(fields.description, title);
}

// Without a title there is no shortcut: no path, read back as false, nothing created.
TEST_F(StartupShortcutTest, NoTitleMeansNoShortcut) {
    const CStartupShortcut untitled{""};
    EXPECT_TRUE(untitled.Path().IsNull());
    untitled.Apply(true);
    EXPECT_FALSE(untitled.Exists());
    EXPECT_FALSE(FileExists(StartupFolder() + "\\.lnk"));
}

} // namespace
