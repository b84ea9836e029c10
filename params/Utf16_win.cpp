#include "params/Utf16_win.h"

std::wstring Utf16(const tstr& text) {
    const int length = static_cast<int>(text.Length());
    if (length == 0)
        return L"";
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.str(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.str(), length, wide.data(), units);
    return wide;
}

tstr Utf8(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    if (length == 0)
        return tstr("");
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, narrow.data(), bytes, nullptr, nullptr);
    return tstr(narrow.c_str());
}
