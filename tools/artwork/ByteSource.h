#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CArtworkFile {
    int number;
    std::vector<uint8_t> bytes;
};

// C++ source that defines FindArtworkBytes over the given files' bytes.
std::string MakeByteSource(const std::vector<CArtworkFile>& files);
