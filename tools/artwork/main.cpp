// Writes the program's bitmaps into the folder named on the command line: one BMP file
// per bitmap resource, named after its number, and ArtworkBytes.cpp with the same bytes.
// The output depends on nothing but this program, so every build gets the same pictures.
#include "BmpFile.h"
#include "ByteSource.h"
#include "ColourStrip.h"
#include "FlameSheet.h"
#include "Splash.h"

#include <cstdio>
#include <string>

namespace {

bool WriteFile(const std::string& path, const void* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output-folder\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<CArtworkFile> files = {
        {135, EncodeBmp(MakeFlameSheet(), 32)},
        {144, EncodeBmp(MakeColourStrip(), 24)},
        {164, EncodeBmp(MakeSplash(), 32)},
    };
    for (const CArtworkFile& file : files) {
        const std::string path = folder + "/" + std::to_string(file.number) + ".bmp";
        if (!WriteFile(path, file.bytes.data(), file.bytes.size())) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    const std::string source = MakeByteSource(files);
    if (!WriteFile(folder + "/ArtworkBytes.cpp", source.data(), source.size())) {
        std::fprintf(stderr, "cannot write %s/ArtworkBytes.cpp\n", folder.c_str());
        return 1;
    }
    return 0;
}
