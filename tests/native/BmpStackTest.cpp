#include "graphics/CBmp.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(BmpStack, StacksAreAddressedByTheOrderTheyWereAdded) {
    CBmp bitmap;
    EXPECT_FALSE(bitmap.HasStack(0));
    bitmap.AddStack("nrm");
    bitmap.AddStack("hot");
    EXPECT_FALSE(bitmap.HasStack(-1));
    EXPECT_TRUE(bitmap.HasStack(0));
    EXPECT_TRUE(bitmap.HasStack(1));
    EXPECT_FALSE(bitmap.HasStack(2));
    EXPECT_EQ(bitmap.animations.Count(), 2);
}

TEST(BmpStack, StackHasLayersOnlyForAFilledStack) {
    CBmp bitmap;
    bitmap.Create(2, 2);
    bitmap.AddStack("nrm");
    bitmap.AddStack("hot");
    EXPECT_FALSE(bitmap.StackHasLayers(0));
    ASSERT_NE(bitmap.AddLayerCopy(1), nullptr);
    EXPECT_FALSE(bitmap.StackHasLayers(0));
    EXPECT_TRUE(bitmap.StackHasLayers(1));
    EXPECT_FALSE(bitmap.StackHasLayers(-1));
    EXPECT_FALSE(bitmap.StackHasLayers(2));
}

TEST(BmpStack, AddLayerCopyOutsideTheStacksAddsNothing) {
    CBmp bitmap;
    bitmap.Create(2, 2);
    bitmap.AddStack("nrm");
    EXPECT_EQ(bitmap.AddLayerCopy(1), nullptr); // index equal to the number of stacks
    EXPECT_EQ(bitmap.AddLayerCopy(-1), nullptr);
    EXPECT_EQ(bitmap.animations.Count(), 1);
    EXPECT_EQ(bitmap.animations.GetAt(0)->Count(), 0);
}

TEST(BmpStack, LayerIsAnOwnedCopyAppendedInOrder) {
    CBmp bitmap;
    bitmap.Create(3, 2);
    bitmap.SetPixel(2, 1, 0x80402010u);
    bitmap.name = "base";
    bitmap.originX = 4;
    bitmap.originY = -5;
    bitmap.hasAlpha = 1;
    bitmap.AddStack("nrm");
    CBmp* first = bitmap.AddLayerCopy(0);
    CBmp* second = bitmap.AddLayerCopy(0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    const CCollector<CBmp*>* stack = bitmap.animations.GetAt(0);
    ASSERT_EQ(stack->Count(), 2);
    EXPECT_EQ(stack->GetAt(0), first);
    EXPECT_EQ(stack->GetAt(1), second);
    EXPECT_NE(first->pixels, bitmap.pixels);
    EXPECT_EQ(first->width, 3);
    EXPECT_EQ(first->height, 2);
    EXPECT_EQ(first->Pixel(2, 1), 0x80402010u);
    EXPECT_EQ(first->name, tstr("base"));
    EXPECT_EQ(first->originX, 4);
    EXPECT_EQ(first->originY, -5);
    EXPECT_EQ(first->hasAlpha, 1);
    EXPECT_EQ(first->animations.Count(), 0); // stacks are never copied
    first->SetPixel(0, 0, 0xFFFFFFFFu);
    EXPECT_EQ(bitmap.Pixel(0, 0), 0u);
}

TEST(BmpStack, ExtractChannelKeepsOneByteOfEachPixel) {
    CBmp bitmap;
    bitmap.Create(2, 2);
    bitmap.SetPixel(0, 0, 0x11223344u);
    bitmap.SetPixel(1, 0, 0xFF000000u);
    bitmap.SetPixel(0, 1, 0x00ABCDEFu);
    bitmap.SetPixel(1, 1, 0x7F7F7F7Fu);
    // Per channel: the mask of the byte that survives in the word.
    const uint32_t masks[] = {0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0xFF000000u};
    for (int channel = 0; channel < 4; ++channel) {
        const std::unique_ptr<CBmp> extract(bitmap.ExtractChannel(channel));
        ASSERT_NE(extract, nullptr);
        ASSERT_EQ(extract->width, 2);
        ASSERT_EQ(extract->height, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                EXPECT_EQ(extract->Pixel(x, y), bitmap.Pixel(x, y) & masks[channel])
                    << channel << " " << x << "," << y;
    }
    EXPECT_EQ(bitmap.ExtractChannel(4), nullptr);
    EXPECT_EQ(bitmap.ExtractChannel(-1), nullptr);
    CBmp empty;
    EXPECT_EQ(empty.ExtractChannel(3), nullptr);
}

} // namespace
