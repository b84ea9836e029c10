#include "graphics/ArtworkBitmap.h"
#include "graphics/ArtworkBytes.h"
#include "graphics/CBmp.h"
#include "graphics/GdiOwners_win.h"
#include "resources/resource.h"
#include "support/PixelWords.h"
#include "ui/UserOwners.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The icon's colour picture as 32-bit top-down words.
std::vector<uint32_t> IconColours(HICON icon, int side) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return {};
    // GetIconInfo hands out copies of the icon's two bitmaps.
    const CGdiObject<HBITMAP> colour(info.hbmColor);
    const CGdiObject<HBITMAP> mask(info.hbmMask);
    std::vector<uint32_t> words(static_cast<std::size_t>(side * side), 0);
    BITMAPINFO header = TopDownDib(side, side);
    const CWindowDc screen(nullptr);
    const int rows = GetDIBits(screen.Get(), colour.Get(), 0, static_cast<UINT>(side), words.data(),
                               &header, DIB_RGB_COLORS);
    return rows == side ? words : std::vector<uint32_t>{};
}

// The resources embedded from the generated files load to the same pixels as the
// portable decoder gives for the same bytes.
TEST(BitmapResource, MatchesTheDecodedFileBytes) {
    for (const int number :
         {135, 144, 164, 136, 138, 139, 140, 141, 142, 149, 150, 155, 156, 157, 158}) {
        SCOPED_TRACE(number);
        CBmp decoded;
        ASSERT_TRUE(LoadArtworkBitmap(number, decoded));
        CBmp loaded;
        loaded.LoadBitmapResource(nullptr, number);
        ASSERT_NE(loaded.pixels, nullptr);
        ASSERT_EQ(loaded.byteSize, decoded.byteSize);
        EXPECT_EQ(loaded.width, decoded.width);
        EXPECT_EQ(loaded.hasAlpha, decoded.hasAlpha);
        EXPECT_EQ(
            std::memcmp(loaded.pixels, decoded.pixels, static_cast<std::size_t>(decoded.byteSize)),
            0);
    }
}

// The icon resource loads at both of its sizes with its colours and alpha; its pixels
// match the decoded bytes of the embedded icon file.
TEST(BitmapResource, IconLoadsAtSixteenAndThirtyTwo) {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    ASSERT_TRUE(FindIconBytes(IDI_EMBRA, &data, &size));
    for (const int side : {16, 32}) {
        SCOPED_TRACE(side);
        const CIconOwner icon(LoadIconSized(GetModuleHandleA(nullptr), IDI_EMBRA, side));
        ASSERT_NE(icon.Get(), nullptr);
        CBmp decoded;
        decoded.LoadIconBytes(data, size, side);
        ASSERT_NE(decoded.pixels, nullptr);
        EXPECT_EQ(IconColours(icon.Get(), side), Read(decoded));
    }
}

TEST(BitmapResource, MissingResourceLeavesTheBitmapEmpty) {
    CBmp bitmap;
    bitmap.Create(4, 4);
    bitmap.LoadBitmapResource(nullptr, 9999);
    EXPECT_EQ(bitmap.pixels, nullptr);
    EXPECT_EQ(bitmap.byteSize, 0);
    EXPECT_EQ(bitmap.width, 0);
}

} // namespace
