#include "support/TestBitmaps.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The resources embedded from the generated files load to the same pixels as the
// portable decoder gives for the same bytes.
TEST(BitmapResource, MatchesTheDecodedFileBytes) {
    for (const int number : {135, 144, 164}) {
        SCOPED_TRACE(number);
        CBmp decoded;
        ASSERT_TRUE(LoadArtwork(number, decoded));
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

TEST(BitmapResource, MissingResourceLeavesTheBitmapEmpty) {
    CBmp bitmap;
    bitmap.Create(4, 4);
    bitmap.LoadBitmapResource(nullptr, 9999);
    EXPECT_EQ(bitmap.pixels, nullptr);
    EXPECT_EQ(bitmap.byteSize, 0);
    EXPECT_EQ(bitmap.width, 0);
}

} // namespace
