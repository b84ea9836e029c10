#include "support/TestBitmaps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The resources embedded from the generated files must load to the same pixels as the
// portable decoder gives for the same bytes.
TEST(BitmapResource, MatchesTheDecodedFileBytes) {
    for (const int number : {135, 144, 164}) {
        SCOPED_TRACE(number);
        CBmp decoded;
        ASSERT_TRUE(LoadArtwork(number, decoded));
        CBmp loaded;
        loaded.LoadBitmapResource(nullptr, number);
        ASSERT_NE(loaded.pixels, nullptr);
        EXPECT_EQ(loaded.width, decoded.width);
        EXPECT_EQ(loaded.height, decoded.height);
        EXPECT_EQ(loaded.byteSize, decoded.byteSize);
        EXPECT_EQ(loaded.hasAlpha, decoded.hasAlpha);
        EXPECT_EQ(
            std::memcmp(loaded.pixels, decoded.pixels, static_cast<std::size_t>(decoded.byteSize)),
            0);
    }
}

TEST(BitmapResource, OwnModuleHandleLoadsLikeNull) {
    CBmp byHandle;
    byHandle.LoadBitmapResource(GetModuleHandleA(nullptr), 164);
    CBmp byNull;
    byNull.LoadBitmapResource(nullptr, 164);
    ASSERT_NE(byHandle.pixels, nullptr);
    ASSERT_EQ(byHandle.byteSize, byNull.byteSize);
    EXPECT_EQ(
        std::memcmp(byHandle.pixels, byNull.pixels, static_cast<std::size_t>(byNull.byteSize)), 0);
}

TEST(BitmapResource, MissingResourceLeavesTheBitmapEmpty) {
    CBmp bitmap;
    bitmap.Create(4, 4);
    bitmap.AddStack("nrm");
    bitmap.LoadBitmapResource(nullptr, 9999);
    EXPECT_EQ(bitmap.pixels, nullptr);
    EXPECT_EQ(bitmap.width, 0);
    EXPECT_EQ(bitmap.height, 0);
    EXPECT_EQ(bitmap.byteSize, 0);
    EXPECT_EQ(bitmap.hasAlpha, 0);
    EXPECT_FALSE(bitmap.HasStack(0));
}

} // namespace
