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

// Type and bytes of a value as the registry holds them; false when it is missing.
inline bool ReadRawValue(const tstr& path, const char* name, DWORD& type, std::string& bytes) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        bytes.assign(size, '\0');
        result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                                  &size);
        bytes.resize(size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

inline tstr AppDataFolder() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
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
