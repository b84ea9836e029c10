#include "params/VersionField.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The test executable carries tests/windows/version.rc.
TEST(VersionField, ReadsTheFieldsOfTheOwnModule) {
    char module[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string digits;
    for (int i = 0; i < 13; ++i)
        digits += "0123456789";
    struct Case {
        const char* field;
        std::string value;
    };
    const Case cases[] = {
        {"FileVersion", "1.2.3.4"},          // only the third translation's table holds it
        {"ProductName", "Embra Tests (de)"}, // in two tables: the earlier translation wins
        {"Comments", digits.substr(0, 127)}, // 140 characters stored, 127 returned
        {"LegalCopyright", ""},
        {"NoSuchField", ""},
    };
    for (const Case& c : cases) {
        const tstr value = GetVersionField(module, c.field);
        ASSERT_FALSE(value.IsNull()) << c.field;
        EXPECT_STREQ(value.c_str(), c.value.c_str()) << c.field;
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
        const tstr value = GetVersionField(name, "FileVersion");
        ASSERT_FALSE(value.IsNull());
        EXPECT_STREQ(value.c_str(), "") << name.c_str();
    }
    DeleteFileA(plain.c_str());
}

} // namespace
