#include "ui/VersionField.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The test executable carries tests/windows/version.rc.
TEST(VersionField, ReadsTheFieldsOfTheOwnModule) {
    wchar_t module[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, module, MAX_PATH);
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
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    const std::wstring plain = std::wstring(folder) + L"VersionField.PlainFile.txt";
    const HANDLE file = CreateFileW(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "no resources here", 17, &written, nullptr);
    CloseHandle(file);
    for (const std::wstring& name :
         {plain, std::wstring(L"C:\\no\\such\\file.exe"), std::wstring()}) {
        const tstr value = GetVersionField(name, "FileVersion");
        ASSERT_FALSE(value.IsNull());
        EXPECT_STREQ(value.c_str(), "") << std::string(name.begin(), name.end());
    }
    DeleteFileW(plain.c_str());
}

// A copy of the test program in a folder whose name no code page holds all of.
TEST(VersionField, ReadsAFileInAFolderNamedOutsideTheCodePage) {
    wchar_t module[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"\u0412\u0435\u0440\u0441\u0438\u044f \u7248";
    const std::wstring copy = folder + L"\\copy.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(module, copy.c_str(), FALSE));
    const tstr value = GetVersionField(copy, "FileVersion");
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
    EXPECT_STREQ(value.c_str(), "1.2.3.4");
}

} // namespace
