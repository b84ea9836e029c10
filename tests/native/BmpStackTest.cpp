#include "graphics/CBmp.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(BmpStack, StacksAreIndexedInTheOrderAdded) {
    CBmp bitmap;
    bitmap.Create(3, 2);
    bitmap.SetPixel(2, 1, 0x80402010u);
    bitmap.originX = 4;
    bitmap.hasAlpha = 1;
    bitmap.AddStack("nrm");
    bitmap.AddStack("hot");
    EXPECT_FALSE(bitmap.HasStack(-1));
    EXPECT_TRUE(bitmap.HasStack(1));
    EXPECT_FALSE(bitmap.HasStack(2));
    EXPECT_FALSE(bitmap.StackHasLayers(0));     // an empty stack
    EXPECT_EQ(bitmap.AddLayerCopy(2), nullptr); // index equal to the number of stacks
    EXPECT_EQ(bitmap.AddLayerCopy(-1), nullptr);
    EXPECT_EQ(bitmap.animations.Count(), 2);

    CBmp* layer = bitmap.AddLayerCopy(1);
    ASSERT_NE(layer, nullptr);
    EXPECT_FALSE(bitmap.StackHasLayers(0));
    EXPECT_TRUE(bitmap.StackHasLayers(1));
    EXPECT_EQ(bitmap.animations.GetAt(1)->GetAt(0), layer);
    EXPECT_NE(layer->pixels, bitmap.pixels);
    EXPECT_EQ(layer->Pixel(2, 1), 0x80402010u);
    EXPECT_EQ(layer->originX, 4);
    EXPECT_EQ(layer->hasAlpha, 1);
    EXPECT_EQ(layer->animations.Count(), 0); // stacks are never copied
}

TEST(BmpStack, ExtractChannelKeepsOneByteOfEachPixel) {
    CBmp bitmap;
    bitmap.Create(2, 1);
    bitmap.SetPixel(0, 0, 0x11223344u);
    bitmap.SetPixel(1, 0, 0xFF00AB00u);
    // Per channel: the mask of the byte that survives in the word.
    const uint32_t masks[] = {0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0xFF000000u};
    for (int channel = 0; channel < 4; ++channel) {
        const std::unique_ptr<CBmp> extract(bitmap.ExtractChannel(channel));
        ASSERT_NE(extract, nullptr);
        ASSERT_EQ(extract->byteSize, bitmap.byteSize);
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(extract->Pixel(x, 0), bitmap.Pixel(x, 0) & masks[channel]) << channel;
    }
    EXPECT_EQ(bitmap.ExtractChannel(4), nullptr);
    EXPECT_EQ(bitmap.ExtractChannel(-1), nullptr);
    CBmp empty;
    EXPECT_EQ(empty.ExtractChannel(3), nullptr);
}

} // namespace
