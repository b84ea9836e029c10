#include "params/Utf16_win.h"

std::wstring ToUtf16(const char* text) {
    if (!text || !*text)
        return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

tstr FromUtf16(const wchar_t* text, int length) {
    if (!text || length == 0 || (length < 0 && !*text))
        return tstr("");
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return tstr("");
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, narrow.data(), bytes, nullptr, nullptr);
    // A length of -1 counted the terminator too; c_str stops at the first NUL either way.
    return tstr(narrow.c_str());
}
