#include "params/VersionField.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

tstr OwnModule() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The test executable carries tests/windows/version.rc.
TEST(VersionField, ReadsTheFieldsOfTheOwnModule) {
    std::string digits;
    for (int i = 0; i < 13; ++i)
        digits += "0123456789";
    struct Case {
        const char* field;
        std::string value;
    };
    const Case cases[] = {
        // Only the third translation has a table holding it.
        {"FileVersion", "1.2.3.4"},
        // Both tables hold it: the earlier translation wins.
        {"ProductName", "Embra Tests (de)"},
        // 140 characters stored; the first 127 come back.
        {"Comments", digits.substr(0, 127)},
        {"LegalCopyright", ""},
        {"NoSuchField", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const tstr value = GetVersionField(OwnModule(), c.field);
        ASSERT_FALSE(value.IsNull());
        EXPECT_STREQ(value.c_str(), c.value.c_str());
    }
}

TEST(VersionField, FileWithoutVersionResourceGivesEmptyText) {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const tstr plain = tstr(folder) + "VersionField.PlainFile.txt";
    const HANDLE file = CreateFileA(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "no resources here", 17, &written, nullptr);
    CloseHandle(file);

    for (const tstr& name : {plain, tstr("C:\\no\\such\\file.exe"), tstr("")}) {
        SCOPED_TRACE(name.c_str());
        const tstr value = GetVersionField(name, "FileVersion");
        ASSERT_FALSE(value.IsNull());
        EXPECT_STREQ(value.c_str(), "");
    }
    DeleteFileA(plain.c_str());
}

} // namespace
