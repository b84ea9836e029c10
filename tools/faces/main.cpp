// embra-faces: writes buttons.png (the start, stop and settings buttons, each normal, hot,
// pressed and hot after its texture has scrolled for a second), tools.png (three
// navigation pane entries with their tool pictures, and the icon at 32 and 16 pixels) and
// pictures.png (the stored button pictures, highlights and textures) into the folder named
// on the command line.

#include "Compose.h"

#include "graphics/ArtworkBitmap.h"
#include "graphics/ArtworkBytes.h"
#include "graphics/ButtonFace.h"
#include "graphics/CBmp.h"
#include "resources/resource.h"

#include <cstdio>
#include <string>

namespace {

constexpr uint32_t kDialogFace = 0xFFF0F0F0;
constexpr int kCell = 128;

// A big button's face as the main dialog builds it, from the embedded artwork.
bool BuildFace(CBmp& image, const ButtonFaceBitmaps& face) {
    if (!LoadArtworkBitmap(face.image, image))
        return false;
    const BitmapLoader load = [](CBmp& bitmap, int number) { LoadArtworkBitmap(number, bitmap); };
    return BuildButtonFace(image, load, face.artwork, face.highlight);
}

// Twenty ticks of the hot state's timer with the pointer up and right of the centre.
void ScrollTextures(CBmp& image) {
    for (int tick = 0; tick < 20; ++tick) {
        image.animations.GetAt(1)->GetAt(2)->Roll(6, -3);
        image.animations.GetAt(0)->GetAt(0)->Roll(6, -3);
        image.animations.GetAt(2)->GetAt(2)->Roll(6, -3);
    }
}

bool WriteButtons(const std::string& folder) {
    const ButtonFaceBitmaps buttons[] = {kStartFace, kStopFace, kSettingsFace};
    CBmp canvas;
    canvas.Create(4 * kCell, 3 * kCell);
    canvas.Fill(kDialogFace);
    for (int row = 0; row < 3; ++row) {
        CBmp image;
        if (!BuildFace(image, buttons[row]))
            return false;
        const int top = row * kCell + 16;
        for (int stack = 0; stack < 3; ++stack)
            DrawStackOnto(image, stack, canvas, stack * kCell + 16, top);
        ScrollTextures(image);
        DrawStackOnto(image, 1, canvas, 3 * kCell + 16, top);
    }
    return WriteCanvasPng(canvas, (folder + "/buttons.png").c_str());
}

// The artwork as it is stored: the three button pictures over their highlights, and the
// two textures.
bool WritePictures(const std::string& folder) {
    const int numbers[2][3] = {{IDB_START, IDB_STOP, IDB_SETTINGS},
                               {IDB_START_HIGHLIGHT, IDB_STOP_HIGHLIGHT, IDB_SETTINGS_HIGHLIGHT}};
    CBmp canvas;
    canvas.Create(3 * kCell + 2 * 272, 2 * kCell);
    canvas.Fill(kDialogFace);
    CBmp picture;
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column) {
            if (!LoadArtworkBitmap(numbers[row][column], picture))
                return false;
            DrawOnto(picture, canvas, column * kCell + 16, row * kCell + 16);
        }
    for (int i = 0; i < 2; ++i) {
        if (!LoadArtworkBitmap(i == 0 ? IDB_EMBER_TEXTURE : IDB_STOP_TEXTURE, picture))
            return false;
        DrawOnto(picture, canvas, 3 * kCell + i * 272, 0);
    }
    return WriteCanvasPng(canvas, (folder + "/pictures.png").c_str());
}

bool LoadIcon(int side, CBmp& icon) {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    if (!FindIconBytes(IDI_EMBRA, &data, &size))
        return false;
    icon.LoadIconBytes(data, size, side);
    return icon.pixels != nullptr;
}

// Entries as the settings page lists them: the settings tool in the left cell, the
// selection mark in the rightmost cell and the screen picture left of it, on each
// effect's colour; the first entry is the marked one.
bool WriteTools(const std::string& folder) {
    constexpr int kRow = 36, kWidth = 300;
    const uint32_t colours[] = {0xFFFF7700, 0xFF77DDFF, 0xFF5577DD};
    CBmp canvas;
    canvas.Create(kWidth + 80, 3 * kRow + 16);
    canvas.Fill(kDialogFace);
    CBmp settings, markOn, markOff, display, icon32, icon16;
    if (!LoadArtworkBitmap(IDB_EFFECT_SETTINGS, settings) ||
        !LoadArtworkBitmap(IDB_MARK_ON, markOn) || !LoadArtworkBitmap(IDB_MARK_OFF, markOff) ||
        !LoadArtworkBitmap(IDB_EFFECT_SCREEN, display) || !LoadIcon(32, icon32) ||
        !LoadIcon(16, icon16))
        return false;
    for (int row = 0; row < 3; ++row) {
        const int top = 8 + row * kRow;
        for (int y = top; y < top + kRow - 1; ++y)
            for (int x = 8; x < 8 + kWidth; ++x)
                canvas.SetPixel(x, y, colours[row]);
        DrawOnto(settings, canvas, 8 + (kRow - 24) / 2, top + (kRow - 24) / 2);
        DrawOnto(row == 0 ? markOn : markOff, canvas, 8 + kWidth - kRow + 2, top + 2);
        DrawOnto(display, canvas, 8 + kWidth - 2 * kRow + 2, top + 2);
    }
    DrawOnto(icon32, canvas, kWidth + 28, 16);
    DrawOnto(icon16, canvas, kWidth + 36, 64);
    return WriteCanvasPng(canvas, (folder + "/tools.png").c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output-folder\n", argv[0]);
        return 2;
    }
    if (!WriteButtons(argv[1]) || !WriteTools(argv[1]) || !WritePictures(argv[1])) {
        std::fprintf(stderr, "embra-faces: cannot compose or write the pictures\n");
        return 1;
    }
    return 0;
}
