#pragma once

#include "params/tstr.h"

// The value of one string field (for example "FileVersion") of a file's version
// resource, taken from the first language and code page of its translation list that
// holds the field; at most 127 characters. An empty text when the file has no version
// resource or no translation holds the field.
tstr GetVersionField(const tstr& fileName, const tstr& fieldName);
