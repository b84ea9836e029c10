#include "params/TypedNumber.h"

namespace {

constexpr long long kSaturated = 1LL << 40; // beyond any int, far from overflowing

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

TypedNumber::Reading TypedNumber::Read(std::string_view text) {
    Reading reading;
    std::size_t at = 0;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        reading.found = true;
        if (reading.value < kSaturated)
            reading.value = reading.value * 10 + (text[at] - '0');
    }
    if (negative)
        reading.value = -reading.value;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    reading.wholeText = at == text.size();
    return reading;
}

int TypedNumber::Nearest(long long value) const {
    if (value < min)
        return min;
    if (value > max)
        return max;
    return static_cast<int>(value);
}

std::optional<int> TypedNumber::Live(std::string_view text) const {
    const Reading reading = Read(text);
    if (!reading.found || !reading.wholeText || reading.value < min || reading.value > max)
        return std::nullopt;
    return static_cast<int>(reading.value);
}

int TypedNumber::Commit(std::string_view text) const {
    const Reading reading = Read(text);
    return reading.found ? Nearest(reading.value) : min;
}
