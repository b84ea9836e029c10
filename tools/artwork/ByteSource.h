#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ArtworkType { Bitmap, Icon };

struct CArtworkFile {
    int number;
    ArtworkType type;
    std::vector<uint8_t> bytes;
};

// The file's name: its number with .bmp or .ico.
std::string ArtworkFileName(const CArtworkFile& file);

// C++ source that defines FindArtworkBytes over the bitmaps' bytes and FindIconBytes over
// the icons'.
std::string MakeByteSource(const std::vector<CArtworkFile>& files);
