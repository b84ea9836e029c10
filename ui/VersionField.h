#pragma once

#include "params/tstr.h"

#include <string>

// The value of one string field (for example "FileVersion") of a file's version
// resource, taken from the first language and code page of its translation list that
// holds the field; at most 127 characters. An empty text when the file has no version
// resource, no translation holds the field, or the system's version library is missing.
// The path is Unicode, so that a program in a folder named outside the code page reads
// its own version; version.dll is loaded from the system folder at the first call.
tstr GetVersionField(const std::wstring& fileName, const tstr& fieldName);
