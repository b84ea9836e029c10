#include "ColourStrip.h"

namespace {

struct ColourStop {
    int index;
    int red;
    int green;
    int blue;
};

// The strip runs straight between these entries.
constexpr ColourStop kStops[] = {
    {0, 133, 133, 133},   {16, 133, 133, 139},  {32, 133, 133, 146}, {48, 135, 133, 146},
    {56, 136, 132, 146},  {64, 141, 121, 141},  {68, 149, 96, 117},  {72, 159, 63, 83},
    {73, 162, 54, 74},    {74, 185, 1, 7},      {80, 194, 10, 0},    {88, 201, 44, 0},
    {96, 207, 89, 0},     {104, 213, 131, 0},   {112, 216, 147, 3},  {128, 221, 161, 4},
    {144, 225, 174, 5},   {160, 230, 186, 6},   {176, 235, 197, 9},  {192, 239, 207, 13},
    {208, 243, 216, 20},  {224, 246, 224, 31},  {232, 249, 234, 62}, {240, 250, 239, 103},
    {248, 251, 242, 143}, {255, 251, 245, 168},
};
constexpr int kStopCount = static_cast<int>(sizeof kStops / sizeof kStops[0]);

// Rounded linear interpolation of one channel between two stops.
uint32_t Blend(int from, int to, int position, int length) {
    return static_cast<uint32_t>((from * (length - position) + to * position + length / 2) /
                                 length);
}

} // namespace

CRaster MakeColourStrip() {
    CRaster strip(256, 1);
    for (int k = 0; k + 1 < kStopCount; ++k) {
        const ColourStop& a = kStops[k];
        const ColourStop& b = kStops[k + 1];
        const int length = b.index - a.index;
        for (int i = a.index; i <= b.index; ++i) {
            const int position = i - a.index;
            strip.At(i, 0) = 0xFF000000u | (Blend(a.red, b.red, position, length) << 16) |
                             (Blend(a.green, b.green, position, length) << 8) |
                             Blend(a.blue, b.blue, position, length);
        }
    }
    return strip;
}
