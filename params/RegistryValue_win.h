#pragma once

#include "params/tstr.h"

#include <windows.h>

#include <cstddef>

// The values of an open key, named in UTF-8 and read through the wide calls, so that a name
// or text in any script passes whatever the system's ANSI code page.

// Reads a value of an open key as text up to its first NUL: a string value (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ) of at most kMaxTextValueBytes characters as UTF-8, any other
// of at most kMaxTextValueBytes bytes as its bytes. Data without a terminator still ends
// inside the zeroed buffer. A missing value, one of size 0 and one over the limit read as
// absent: false with `out` unchanged.
bool ReadValueText(HKEY key, const char* name, tstr& out);

// Reads a REG_BINARY value of exactly `size` bytes into `buffer`. A missing value, one of
// another type or another size reads as absent: false with `buffer` unchanged.
bool ReadValueBytes(HKEY key, const char* name, void* buffer, std::size_t size);
