#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

// Reads a fuzzer's bytes as a sequence of small values; past the end every read gives 0
// or an empty text, so any input is a complete program of operations.
class CFuzzInput {
public:
    CFuzzInput(const uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool Empty() const { return at >= size; }

    uint8_t Byte() { return at < size ? data[at++] : 0; }

    int32_t Int() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | Byte();
        return static_cast<int32_t>(value);
    }

    // A text of up to 255 bytes (its length first); a NUL ends the text early, as a C
    // string would.
    std::string Text() {
        const std::size_t length = Byte();
        const std::size_t end = std::min(size, at + length);
        std::string text(reinterpret_cast<const char*>(data) + at, end - at);
        at = end;
        return text.c_str();
    }

    // Up to 255 raw bytes (their count first), NULs included.
    std::string Bytes() {
        const std::size_t length = Byte();
        const std::size_t end = std::min(size, at + length);
        std::string bytes(reinterpret_cast<const char*>(data) + at, end - at);
        at = end;
        return bytes;
    }

    // A text of up to 65535 bytes (its length first, two bytes), cut at a NUL like Text.
    std::string LongText() {
        const std::size_t high = Byte();
        const std::size_t length = high << 8 | Byte();
        const std::size_t end = std::min(size, at + length);
        std::string text(reinterpret_cast<const char*>(data) + at, end - at);
        at = end;
        return text.c_str();
    }

    // The rest of the input up to the next NUL byte, which is skipped.
    std::string UpToNul() {
        std::string text;
        while (at < size && data[at] != 0)
            text += static_cast<char>(data[at++]);
        if (at < size)
            ++at;
        return text;
    }

private:
    const uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};
