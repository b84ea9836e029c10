// Writes the program's bitmaps into the folder named on the command line: one BMP file
// per bitmap resource and one ICO file per icon resource, named after its number, and
// ArtworkBytes.cpp with the same bytes; and the setup program's pictures, which the
// program itself does not carry, as BMP files named after their page and scale.
// The output depends on nothing but this program, so every build gets the same pictures.
#include "BmpFile.h"
#include "ButtonArt.h"
#include "ByteSource.h"
#include "ColourStrip.h"
#include "FlameSheet.h"
#include "IconFile.h"
#include "SetupArt.h"
#include "Splash.h"
#include "TextureArt.h"
#include "ToolArt.h"
#include "resources/resource.h"

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
    const auto bitmap = ArtworkType::Bitmap;
    const std::vector<CArtworkFile> files = {
        {IDB_FLAME_SHEET, bitmap, EncodeBmp(MakeFlameSheet(), 32)},
        {IDB_COLOUR_STRIP, bitmap, EncodeBmp(MakeColourStrip(), 24)},
        {IDB_SPLASH, bitmap, EncodeBmp(MakeSplash(), 32)},
        {IDB_START, bitmap, EncodeBmp(MakeButtonPicture(ButtonKind::Start), 32)},
        {IDB_STOP, bitmap, EncodeBmp(MakeButtonPicture(ButtonKind::Stop), 32)},
        {IDB_SETTINGS, bitmap, EncodeBmp(MakeButtonPicture(ButtonKind::Settings), 32)},
        {IDB_START_HIGHLIGHT, bitmap, EncodeBmp(MakeButtonHighlight(ButtonKind::Start), 32)},
        {IDB_STOP_HIGHLIGHT, bitmap, EncodeBmp(MakeButtonHighlight(ButtonKind::Stop), 32)},
        {IDB_SETTINGS_HIGHLIGHT, bitmap, EncodeBmp(MakeButtonHighlight(ButtonKind::Settings), 32)},
        {IDB_EMBER_TEXTURE, bitmap, EncodeBmp(MakeEmberTexture(), 24)},
        {IDB_STOP_TEXTURE, bitmap, EncodeBmp(MakeStopTexture(), 24)},
        {IDB_MARK_OFF, bitmap, EncodeBmp(MakeMarkOff(), 32)},
        {IDB_MARK_ON, bitmap, EncodeBmp(MakeMarkOn(), 32)},
        {IDB_EFFECT_SCREEN, bitmap, EncodeBmp(MakeDisplayTool(), 32)},
        {IDB_EFFECT_SETTINGS, bitmap, EncodeBmp(MakeSettingsTool(), 32)},
        {IDI_EMBRA, ArtworkType::Icon, EncodeIco({MakeFlamePicture(16), MakeFlamePicture(32)})},
    };
    for (const CArtworkFile& file : files) {
        const std::string path = folder + "/" + ArtworkFileName(file);
        if (!WriteFile(path, file.bytes.data(), file.bytes.size())) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    const struct {
        const char* name;
        CRaster picture;
    } setupPictures[] = {
        {"setup-welcome.bmp", MakeWelcomePicture(1)},
        {"setup-welcome-2x.bmp", MakeWelcomePicture(2)},
        {"setup-header.bmp", MakeHeaderPicture(1)},
        {"setup-header-2x.bmp", MakeHeaderPicture(2)},
    };
    for (const auto& setup : setupPictures) {
        const std::string path = folder + "/" + setup.name;
        const std::vector<uint8_t> bytes = EncodeBmp(setup.picture, 24);
        if (!WriteFile(path, bytes.data(), bytes.size())) {
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
