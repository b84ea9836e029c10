#include "ui/VersionField.h"

#include "system/SystemLibrary_win.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

// Longest field value returned, in characters.
constexpr UINT kMaxFieldChars = 127;

struct LanguageAndCodePage {
    WORD language;
    WORD codePage;
};

// The three functions of version.dll, taken from the system folder: a static import
// would be resolved from the program's folder first, where anyone could plant one.
struct VersionLibrary {
    using SizeFunction = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

    SizeFunction size = SystemFunction<SizeFunction>("version.dll", "GetFileVersionInfoSizeW");
    InfoFunction info = SystemFunction<InfoFunction>("version.dll", "GetFileVersionInfoW");
    QueryFunction query = SystemFunction<QueryFunction>("version.dll", "VerQueryValueA");

    bool Complete() const { return size && info && query; }
};

const VersionLibrary& Library() {
    static const VersionLibrary library;
    return library;
}

// The field's text in the string table of one translation, or null when it has none.
tstr QueryField(const std::vector<char>& resource, LanguageAndCodePage translation,
                const tstr& fieldName) {
    char table[32];
    std::snprintf(table, sizeof table, "\\StringFileInfo\\%04X%04X\\", translation.language,
                  translation.codePage);
    const tstr subBlock = tstr(table) + fieldName;
    void* value = nullptr;
    UINT chars = 0;
    if (!Library().query(resource.data(), subBlock.c_str(), &value, &chars) || !value)
        return tstr();
    // The reported length may or may not count the terminator; stop at either.
    const char* text = static_cast<const char*>(value);
    const UINT limit = chars < kMaxFieldChars ? chars : kMaxFieldChars;
    std::vector<char> copy(text, text + limit);
    copy.push_back('\0');
    return tstr(copy.data());
}

} // namespace

tstr GetVersionField(const std::wstring& fileName, const tstr& fieldName) {
    const tstr empty("");
    const VersionLibrary& library = Library();
    if (!library.Complete())
        return empty;
    DWORD handle = 0;
    const DWORD size = library.size(fileName.c_str(), &handle);
    if (size == 0)
        return empty;
    std::vector<char> resource(size);
    if (!library.info(fileName.c_str(), 0, size, resource.data()))
        return empty;
    void* list = nullptr;
    UINT bytes = 0;
    if (!library.query(resource.data(), "\\VarFileInfo\\Translation", &list, &bytes) || !list)
        return empty;
    const auto* translations = static_cast<const LanguageAndCodePage*>(list);
    for (UINT i = 0; i < bytes / sizeof(LanguageAndCodePage); ++i) {
        tstr value = QueryField(resource, translations[i], fieldName);
        if (!value.IsNull())
            return value;
    }
    return empty;
}
