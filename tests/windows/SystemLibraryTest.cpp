#include "system/SystemLibrary_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

std::string ModulePath(HMODULE module) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, MAX_PATH);
    return path;
}

std::string SystemFolder() {
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

bool SameText(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

} // namespace

// The libraries the program looks functions up in load, from the system folder.
TEST(SystemLibrary, OptionalLibrariesComeFromTheSystemFolder) {
    struct Case {
        const char* library;
        const char* function;
    };
    const Case cases[] = {
        {"UxTheme.dll", "IsThemeActive"},
        {"DWMapi.dll", "DwmSetWindowAttribute"},
        {"User32.dll", "SetLayeredWindowAttributes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library);
        HMODULE module = LoadSystemLibrary(c.library);
        ASSERT_NE(module, nullptr);
        EXPECT_TRUE(SameText(FolderOf(ModulePath(module)), SystemFolder())) << ModulePath(module);
        EXPECT_EQ(LoadFromSystemFolder(c.library), module);
        EXPECT_EQ(SystemFunction<FARPROC>(c.library, c.function),
                  GetProcAddress(module, c.function));
        EXPECT_NE(SystemFunction<FARPROC>(c.library, c.function), nullptr);
        EXPECT_EQ(SystemFunction<FARPROC>(c.library, "NoSuchFunction"), nullptr);
    }
    EXPECT_EQ(LoadSystemLibrary("NoSuchLibrary.dll"), nullptr);
}

TEST(SystemLibrary, PathIsInTheSystemFolderAndMustFit) {
    std::string path = "kept";
    ASSERT_TRUE(SystemLibraryPath("UxTheme.dll", &path));
    EXPECT_TRUE(SameText(path, SystemFolder() + "\\UxTheme.dll")) << path;
    path = "kept";
    EXPECT_FALSE(SystemLibraryPath(std::string(MAX_PATH, 'n').c_str(), &path));
    EXPECT_EQ(path, "kept");
}

// A library that the ordinary search finds, beside the program or in the current folder,
// is not found by the system-folder loads. They run first, before the ordinary load has
// put a library of that name into the process.
TEST(SystemLibrary, NeverFromTheProgramOrTheCurrentFolder) {
    const std::string probe = FolderOf(ModulePath(nullptr)) + "\\embraprobe.dll";
    ASSERT_NE(GetFileAttributesA(probe.c_str()), INVALID_FILE_ATTRIBUTES) << probe;
    EXPECT_EQ(LoadSystemLibrary("embraprobe.dll"), nullptr);
    EXPECT_EQ(LoadFromSystemFolder("embraprobe.dll"), nullptr);
    HMODULE ordinary = LoadLibraryA("embraprobe.dll");
    EXPECT_NE(ordinary, nullptr) << "the ordinary search looks beside the program";
    FreeLibrary(ordinary);

    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "EmbraProbeCurrent";
    const std::string copy = folder + "\\embracurrent.dll";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(probe.c_str(), copy.c_str(), FALSE));
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    EXPECT_EQ(LoadSystemLibrary("embracurrent.dll"), nullptr);
    EXPECT_EQ(LoadFromSystemFolder("embracurrent.dll"), nullptr);
    ordinary = LoadLibraryA("embracurrent.dll");
    EXPECT_NE(ordinary, nullptr) << "the ordinary search looks in the current folder";
    FreeLibrary(ordinary);
    SetCurrentDirectoryA(previous);
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
}
