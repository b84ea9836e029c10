#pragma once

#include <cstddef>

// Narrow-character string that owns a heap buffer holding NUL-terminated text.
// The buffer pointer may be null: a null tstr (no text at all) differs from an empty
// text (a buffer holding only the terminator). The settings store relies on that:
// writing a null text deletes an entry, writing an empty text stores an empty one.
class tstr {
public:
    tstr() = default;
    tstr(const char* text); // NOLINT(google-explicit-constructor): texts convert freely
    tstr(const tstr& other);
    tstr(tstr&& other) noexcept;
    ~tstr();

    // Copies the text; a null pointer leaves the string unchanged.
    tstr& operator=(const char* text);
    tstr& operator=(const tstr& other);
    tstr& operator=(tstr&& other) noexcept;

    // Concatenates into a new buffer; a null operand counts as empty.
    tstr& operator+=(const tstr& other);
    friend tstr operator+(const tstr& a, const tstr& b);

    // Byte-exact, case-sensitive; a null operand on either side makes it false.
    friend bool operator==(const tstr& a, const tstr& b);
    friend bool operator!=(const tstr& a, const tstr& b) { return !(a == b); }

    // Decimal text of the value printed as a signed 32-bit integer.
    static tstr FromInt(int value);
    static tstr FromULong(unsigned long value);
    static tstr FromBool(bool value);

    // atoi rules: leading white space, optional sign, digits up to the first other
    // character; 0 when there are none (and for a null string).
    int ToInt() const;
    unsigned long ToULong() const;
    bool ToBool() const { return ToInt() != 0; }

    bool IsNull() const { return text == nullptr; }
    bool IsEmpty() const { return text == nullptr || text[0] == '\0'; }
    // The text, or null for a null string.
    const char* c_str() const { return text; }
    // The text, or "" for a null string.
    const char* str() const { return text ? text : ""; }
    std::size_t Length() const;

    // Null again, releasing the buffer.
    void SetNull();

private:
    char* text = nullptr;
};
