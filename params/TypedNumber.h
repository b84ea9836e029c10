#pragma once

#include <optional>
#include <string_view>

// What a number box's text means while the user types it and once it is committed.
// Typing may pass through texts that are not (yet) a valid value ("4" on the way to "45"
// in a box of 10..100): those are left alone until the commit, which always gives a value
// within the bounds.
class TypedNumber {
public:
    TypedNumber(int min, int max) : min(min), max(max) {}

    // The value while typing: only a text that is a whole decimal number (an optional sign,
    // digits, spaces around) within the bounds; none otherwise.
    std::optional<int> Live(std::string_view text) const;
    // The value at the commit: the number at the start of the text (after spaces; junk after
    // it is dropped, digits beyond the int range saturate) moved into the bounds; the
    // minimum when the text holds no number at all.
    int Commit(std::string_view text) const;

private:
    struct Reading {
        bool found = false;     // some digits were read
        bool wholeText = false; // nothing but spaces follows them
        long long value = 0;    // saturated far beyond the int range
    };
    static Reading Read(std::string_view text);
    int Nearest(long long value) const;

    int min;
    int max;
};
