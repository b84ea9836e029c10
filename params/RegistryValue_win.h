#pragma once

#include "params/tstr.h"

#include <windows.h>

#include <cstddef>

// Reads a value of an open key as text: its bytes up to the first NUL, whatever its type,
// in one read of at most kMaxTextValueBytes bytes into a zeroed buffer one byte longer,
// so data without a terminator still ends inside the buffer. A missing value, one of size
// 0 and one larger than the limit read as absent: false with `out` unchanged.
bool ReadValueText(HKEY key, const char* name, tstr& out);

// Reads a REG_BINARY value of exactly `size` bytes into `buffer`. A missing value, one of
// another type or another size reads as absent: false with `buffer` unchanged.
bool ReadValueBytes(HKEY key, const char* name, void* buffer, std::size_t size);
