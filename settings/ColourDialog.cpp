#include "settings/ColourDialog.h"

#include <commdlg.h>

namespace {

constexpr COLORREF kUnused = 0xFFFFFF;

// Pale tints in the first row of the custom colours, deeper ones in the second; the last
// two cells of each row are white.
constexpr COLORREF kCustomColours[16] = {
    0xCCCCFF, 0xCCFFFF, 0xCCFFCC, 0xFFCCCC, 0xFFCCFF, 0xFFFFCC, kUnused, kUnused,
    0xAACCFF, 0xAACCCC, 0xCCFFAA, 0xFFAACC, 0xFFAAFF, 0xFFCCAA, kUnused, kUnused,
};

} // namespace

bool PickColour(HWND owner, COLORREF& colour) {
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i)
        custom[i] = kCustomColours[i];
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = owner;
    choice.rgbResult = colour;
    choice.lpCustColors = custom;
    choice.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    if (!ChooseColorA(&choice))
        return false;
    colour = choice.rgbResult;
    return true;
}
