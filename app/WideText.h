#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The texts of the command line, the crash reports and their boxes as Windows takes them:
// UTF-16, from the string table.

std::wstring WideOf(const std::string& utf8);
std::string Utf8Of(const std::wstring& wide);
// String `id` of the module's string table; empty when it has none.
std::wstring LoadText(HINSTANCE module, UINT id);
// The text with each place %1 to %9 replaced by the value of that number; a place without
// a value stays as it is.
std::wstring FillPlaces(std::wstring text, const std::vector<std::wstring>& values);
