#include "app/WideText.h"

std::wstring WideOf(const std::string& utf8) {
    if (utf8.empty())
        return std::wstring();
    const int length = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), units);
    return wide;
}

std::string Utf8Of(const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    const int length = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::wstring LoadText(HINSTANCE module, UINT id) {
    // With no buffer LoadStringW hands out where the string lies in the resource.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length))
                              : std::wstring();
}

std::wstring FillPlaces(std::wstring text, const std::vector<std::wstring>& values) {
    std::size_t at = text.find(L'%');
    while (at != std::wstring::npos && at + 1 < text.size()) {
        const wchar_t digit = text[at + 1];
        const std::size_t index = static_cast<std::size_t>(digit - L'1');
        std::size_t next = at + 1;
        if (digit >= L'1' && digit <= L'9' && index < values.size()) {
            text.replace(at, 2, values[index]);
            next = at + values[index].size();
        }
        at = text.find(L'%', next);
    }
    return text;
}
