#include "CDibTarget.h"

#include "graphics/ButtonFace.h"
#include "graphics/CBmp.h"
#include "resources/resource.h"
#include "ui/CButtonWnd.h"

#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

constexpr int kButtonSize = 104;

struct Face {
    int picture, texture, highlight, id;
};
const Face kFaces[] = {
    {IDB_START, IDB_EMBER_TEXTURE, IDB_START_HIGHLIGHT, 1014},
    {IDB_SETTINGS, IDB_EMBER_TEXTURE, IDB_SETTINGS_HIGHLIGHT, 1002},
    {IDB_STOP, IDB_STOP_TEXTURE, IDB_STOP_HIGHLIGHT, 1001},
};

// Loads the face's picture into the button and builds the main dialog's face on it from the
// program's resources.
bool BuildFace(CButtonWnd& button, const Face& face) {
    const BitmapLoader load = [](CBmp& bitmap, int number) {
        bitmap.LoadBitmapResource(nullptr, number);
    };
    return BuildButtonFace(button.LoadImage(nullptr, face.picture), load, face.texture,
                           face.highlight);
}

// A point well inside the picture's outline (opaque with opaque neighbours).
POINT InsidePoint(const CBmp& picture) {
    for (int y = picture.height / 3; y < picture.height - 3; ++y)
        for (int x = picture.width / 3; x < picture.width - 3; ++x)
            if ((picture.Pixel(x, y) & picture.Pixel(x + 3, y + 3) & picture.Pixel(x - 3, y - 3)) >>
                    24 ==
                0xFF)
                return POINT{x, y};
    return POINT{picture.width / 2, picture.height / 2};
}

} // namespace

TEST(ButtonFace, ArtworkStatesDrawThreeDifferentPictures) {
    CButtonWnd::RegisterFactory();
    const HWND window =
        CreateWindowExA(0, CButtonWnd::kClassName, "", WS_POPUP, 0, 0, kButtonSize, kButtonSize,
                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    CButtonWnd* button = ObjectOf<CButtonWnd>(window);
    ASSERT_NE(button, nullptr);
    for (const Face& face : kFaces) {
        ASSERT_TRUE(BuildFace(*button, face));
        const RECT client{0, 0, kButtonSize, kButtonSize};
        const POINT places[3] = {{-1, -1}, {48, 48}, {48, 48}};
        const POINT inside = InsidePoint(button->Image());
        uint32_t centre[3] = {};
        for (int state = 0; state < 3; ++state) {
            CDibTarget target(kButtonSize, kButtonSize);
            ASSERT_TRUE(target.Ready());
            target.Fill(0xFFF0F0F0);
            SetKeyDown(VK_LBUTTON, state == 2);
            button->DrawFace(target.Dc(), client, places[state]);
            centre[state] = target.At(inside.x, inside.y);
            EXPECT_NE(centre[state], 0xFFF0F0F0u) << face.picture << " state " << state;
            EXPECT_EQ(target.At(kButtonSize - 1, 0), 0xFFF0F0F0u) << face.picture;
        }
        SetKeyDown(VK_LBUTTON, false);
        EXPECT_NE(centre[0], centre[1]) << face.picture;
        EXPECT_NE(centre[1], centre[2]) << face.picture;
    }
    DestroyWindow(window);
}
