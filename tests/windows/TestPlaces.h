#pragma once

#include "params/tstr.h"

#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

// Registry keys and INI files of the windows tests: each test works below a key and
// with a file named after itself, so tests running side by side never meet.

// "<suite>.<test>" of the running test.
inline std::string CurrentTestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

// Software\EmbraTests\<suite>.<test>, relative to HKEY_CURRENT_USER.
inline tstr TestKeyPath() {
    return tstr("Software\\EmbraTests\\") + CurrentTestName().c_str();
}

inline void DeleteTestKey(const tstr& path) {
    SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

// Stores a value of any type and size directly, bypassing the back-ends.
inline bool WriteRawValue(const tstr& path, const char* name, DWORD type, const void* data,
                          DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// "<type>:<bytes>" of a value as the registry holds it, "<none>" when it is missing.
inline std::string RawValue(const tstr& path, const char* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                     nullptr, &size) != ERROR_SUCCESS)
        return "<none>";
    std::string bytes(size, '\0');
    RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                 bytes.data(), &size);
    return std::to_string(type) + ":" + bytes;
}

inline tstr AppDataFolder() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

// Replaces the file's contents with the bytes, bypassing the profile functions.
inline bool WriteWholeFile(const tstr& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return wrote && written == bytes.size();
}

// The INI file of a test: <AppData>\EmbraTests\<suite>.<test>\<suite>.<test>.ini.
struct TestIniFile {
    tstr firm = "EmbraTests";
    tstr app = CurrentTestName().c_str();
    tstr fileName = app + ".ini";

    tstr AppFolder() const { return AppDataFolder() + "\\" + firm + "\\" + app; }
    tstr Path() const { return AppFolder() + "\\" + fileName; }
    // Removes the file and the test's folder; the shared firm folder goes once empty.
    void Remove() const {
        DeleteFileA(Path().c_str());
        RemoveDirectoryA(AppFolder().c_str());
        RemoveDirectoryA((AppDataFolder() + "\\" + firm).c_str());
    }
};
