#pragma once

#include "params/tstr.h"

#include <windows.h>

#include <string>

// The program keeps its texts as UTF-8 and hands them to Windows' wide calls as UTF-16,
// so that texts and names in every script (the user's language, program files, registry
// values) pass whatever the system's ANSI code page. A sequence that is not valid UTF-8 or
// UTF-16 becomes U+FFFD.

std::wstring Utf16(const tstr& text);
tstr Utf8(const std::wstring& text);
