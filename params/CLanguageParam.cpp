#include "params/CLanguageParam.h"

#include <cstring>

namespace {

constexpr std::size_t kMaxTag = 35;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool IsLanguageTag(const char* text) {
    if (!text || std::strlen(text) > kMaxTag)
        return false;
    std::size_t primary = 0;
    while (IsLetter(text[primary]))
        ++primary;
    if (primary < 2 || primary > 3)
        return false;
    for (const char* c = text + primary; *c != '\0';) {
        if (*c++ != '-')
            return false;
        std::size_t length = 0;
        while (IsLetter(c[length]) || IsDigit(c[length]))
            ++length;
        if (length < 1 || length > 8)
            return false;
        c += length;
    }
    return true;
}

const tstr* CLanguageParam::Set(const tstr& v) {
    return CParam<tstr>::Set(IsLanguageTag(v.c_str()) ? v : tstr(""));
}
