#pragma once

#include <string>

class CBmp;

// Writes the bitmap (premultiplied blue, green, red, alpha) as an RGBA PNG with straight
// alpha; false when the file cannot be written.
bool WritePreviewPng(const CBmp& bitmap, const std::string& path);
// Writes the bitmap's bytes as they lie in memory; false when the file cannot be written.
bool WritePreviewRaw(const CBmp& bitmap, const std::string& path);
