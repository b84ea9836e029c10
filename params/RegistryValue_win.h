#pragma once

#include "params/tstr.h"

#include <windows.h>

// Reads a value of an open key as text: its bytes up to the first NUL, whatever its type.
// `size` is the value's size as just queried; the value is read into a zeroed buffer one
// byte longer, so data without a terminator still ends inside the buffer, and a value
// that has grown since the query is read again at its new size (a few times at most, so
// a concurrent writer cannot keep the reader looping). On failure `out` is empty text.
bool ReadValueText(HKEY key, const char* name, DWORD size, tstr& out);
