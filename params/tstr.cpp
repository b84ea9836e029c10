#include "params/tstr.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

char* Duplicate(const char* text, std::size_t length) {
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

} // namespace

tstr::tstr(const char* source) {
    if (source)
        text = Duplicate(source, std::strlen(source));
}

tstr::tstr(const tstr& other) : tstr(other.text) {}

tstr::tstr(tstr&& other) noexcept : text(std::exchange(other.text, nullptr)) {}

tstr::~tstr() { delete[] text; }

tstr& tstr::operator=(const char* source) {
    if (!source)
        return *this;
    char* copy = Duplicate(source, std::strlen(source));
    delete[] text;
    text = copy;
    return *this;
}

tstr& tstr::operator=(const tstr& other) {
    if (this == &other)
        return *this;
    if (!other.text) {
        SetNull();
        return *this;
    }
    return *this = other.text;
}

tstr& tstr::operator=(tstr&& other) noexcept {
    if (this != &other) {
        delete[] text;
        text = std::exchange(other.text, nullptr);
    }
    return *this;
}

tstr& tstr::operator+=(const tstr& other) {
    const std::size_t left = Length();
    const std::size_t right = other.Length();
    char* joined = new char[left + right + 1];
    std::memcpy(joined, str(), left);
    std::memcpy(joined + left, other.str(), right);
    joined[left + right] = '\0';
    delete[] text;
    text = joined;
    return *this;
}

tstr operator+(const tstr& a, const tstr& b) {
    tstr result(a.IsNull() ? "" : a.c_str());
    result += b;
    return result;
}

bool operator==(const tstr& a, const tstr& b) {
    return a.text && b.text && std::strcmp(a.text, b.text) == 0;
}

tstr tstr::FromInt(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return tstr(buffer);
}

tstr tstr::FromULong(unsigned long value) { return FromInt(static_cast<int>(value)); }

tstr tstr::FromBool(bool value) { return FromInt(value ? 1 : 0); }

int tstr::ToInt() const {
    if (!text)
        return 0;
    // Read in 64 bits, then saturate to the 32-bit range as the C runtime's atoi does,
    // so that an out-of-range text never overflows.
    long long v = std::strtoll(text, nullptr, 10);
    if (v > 2147483647LL)
        v = 2147483647LL;
    if (v < -2147483648LL)
        v = -2147483648LL;
    return static_cast<int>(v);
}

unsigned long tstr::ToULong() const {
    // The 32 bits of the signed reading: the text -1 reads back as 4294967295.
    return static_cast<unsigned long>(static_cast<unsigned int>(ToInt()));
}

std::size_t tstr::Length() const { return text ? std::strlen(text) : 0; }

void tstr::SetNull() {
    delete[] text;
    text = nullptr;
}
