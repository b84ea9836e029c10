#include "graphics/ArtworkBitmap.h"
#include "graphics/ButtonFace.h"
#include "graphics/CBmp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kArtwork = 138;
constexpr int kHighlight = 141;

// Base picture: 96 x 96, alpha rising with x (0 in column 0), grey colour.
void MakeBase(CBmp& image) {
    image.Create(96, 96);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x)
            image.SetPixel(x, y, (static_cast<uint32_t>(x * 2) << 24) | 0x00505050);
}

// Artwork: 256 x 256 opaque blue-green; highlight: 96 x 96 white at alpha 200.
struct CFakeResources {
    std::vector<int> loaded;
    BitmapLoader Loader() {
        return [this](CBmp& bitmap, int number) {
            loaded.push_back(number);
            bitmap.Free();
            if (number == kArtwork) {
                bitmap.Create(256, 256);
                bitmap.Fill(0xFF2080C0);
            } else {
                bitmap.Create(96, 96);
                bitmap.Fill(0xC8FFFFFF);
            }
        };
    }
};

const CBmp& Layer(const CBmp& image, int stack, int layer) {
    return *image.animations.GetAt(stack)->GetAt(layer);
}

uint32_t AlphaOf(uint32_t word) {
    return word >> 24;
}

TEST(FaceRecipeTest, ThreeStacksOfLayersFromTheBaseArtworkAndHighlight) {
    CBmp image;
    MakeBase(image);
    CFakeResources resources;
    ASSERT_TRUE(BuildButtonFace(image, resources.Loader(), kArtwork, kHighlight));
    ASSERT_EQ(image.animations.Count(), 3);
    EXPECT_EQ(image.animations.GetAt(0)->Count(), 2);
    EXPECT_EQ(image.animations.GetAt(1)->Count(), 4);
    EXPECT_EQ(image.animations.GetAt(2)->Count(), 4);
    const std::vector<int> order = {kArtwork,   kHighlight, kArtwork,
                                    kHighlight, kArtwork,   kHighlight};
    EXPECT_EQ(resources.loaded, order);

    struct Expected {
        const char* what;
        int stack;
        int layer;
        int width;
        int height;
        int originX;
        int originY;
    };
    const Expected layers[] = {
        {"normal: artwork in the outline", 0, 0, 256, 256, 0, 0},
        {"normal: highlight", 0, 1, 96, 96, 0, 0},
        {"hot: near shadow", 1, 0, 102, 102, 7, 5},
        {"hot: far shadow", 1, 1, 102, 102, 0, 12},
        {"hot: artwork in the grown outline", 1, 2, 256, 256, 0, 0},
        {"hot: grown highlight", 1, 3, 104, 104, 0, 0},
        {"pressed: dark edge", 2, 0, 96, 96, -1, -2},
        {"pressed: light edge", 2, 1, 96, 96, 2, 3},
        {"pressed: artwork one pixel down", 2, 2, 256, 256, 0, 1},
        {"pressed: highlight one pixel down", 2, 3, 96, 96, 0, 1},
    };
    for (const Expected& e : layers) {
        SCOPED_TRACE(e.what);
        const CBmp& layer = Layer(image, e.stack, e.layer);
        EXPECT_EQ(layer.width, e.width);
        EXPECT_EQ(layer.height, e.height);
        EXPECT_EQ(layer.originX, e.originX);
        EXPECT_EQ(layer.originY, e.originY);
    }
}

TEST(FaceRecipeTest, TheArtworkTakesTheBasePicturesOutline) {
    CBmp image;
    MakeBase(image);
    CFakeResources resources;
    ASSERT_TRUE(BuildButtonFace(image, resources.Loader(), kArtwork, kHighlight));
    const CBmp& normal = Layer(image, 0, 0);
    for (int x : {0, 1, 40, 95}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(AlphaOf(normal.Pixel(x, 30)), AlphaOf(image.Pixel(x, 30)));
    }
    EXPECT_EQ(AlphaOf(normal.Pixel(96, 30)), 0u) << "outside the outline the artwork is clear";
    EXPECT_EQ(AlphaOf(normal.Pixel(200, 200)), 0u);
    EXPECT_EQ(normal.Pixel(40, 30) & 0x00FFFFFF, 0x002080C0u) << "the artwork's colour stays";
    // The pressed artwork is darker than the normal one.
    EXPECT_LT(Layer(image, 2, 2).Pixel(40, 30) & 0xFF, normal.Pixel(40, 30) & 0xFF);
    // The hot artwork is brighter.
    EXPECT_GT(Layer(image, 1, 2).Pixel(40, 30) & 0xFF, normal.Pixel(40, 30) & 0xFF);
}

TEST(FaceRecipeTest, ShadowsAreDarkAndTheEmbossHasADarkAndALightSide) {
    CBmp image;
    MakeBase(image);
    CFakeResources resources;
    ASSERT_TRUE(BuildButtonFace(image, resources.Loader(), kArtwork, kHighlight));
    const uint32_t base = image.Pixel(50, 50);
    EXPECT_LT(Layer(image, 1, 0).Pixel(50, 50) & 0xFF, base & 0xFF);
    EXPECT_EQ(Layer(image, 2, 0).Pixel(50, 50) & 0x00FFFFFF, 0u) << "dark side is black";
    EXPECT_EQ(Layer(image, 2, 1).Pixel(50, 50) & 0x00FFFFFF, 0x00FFFFFFu) << "light side is white";
    // Both emboss sides are half as opaque as the picture, the shadows fainter still.
    EXPECT_LT(AlphaOf(Layer(image, 2, 0).Pixel(50, 50)), AlphaOf(base));
    EXPECT_LT(AlphaOf(Layer(image, 1, 1).Pixel(50, 50)), AlphaOf(Layer(image, 1, 0).Pixel(50, 50)));
    // The highlight keeps 192/255 of its alpha on the normal face.
    EXPECT_LT(AlphaOf(Layer(image, 0, 1).Pixel(10, 10)), 200u);
    EXPECT_GT(AlphaOf(Layer(image, 0, 1).Pixel(10, 10)), 140u);
}

TEST(FaceRecipeTest, ARebuiltFaceReusesTheStacksAndAnEmptyPictureGetsNoLayers) {
    CBmp image;
    MakeBase(image);
    CFakeResources resources;
    image.AddStack("nrm");
    ASSERT_TRUE(BuildButtonFace(image, resources.Loader(), kArtwork, kHighlight));
    EXPECT_EQ(image.animations.Count(), 3) << "an existing stack is kept, not added again";

    CBmp empty;
    EXPECT_FALSE(BuildButtonFace(empty, resources.Loader(), kArtwork, kHighlight));
    ASSERT_EQ(empty.animations.Count(), 3);
    for (int stack = 0; stack < 3; ++stack)
        EXPECT_FALSE(empty.StackHasLayers(stack));
}

// Each button's face built from the embedded artwork, as the faces tool builds it: the
// normal face's first layer is the button's texture cut to its picture's outline, the
// second the button's highlight.
TEST(FaceRecipeTest, EachButtonsNormalFaceShowsItsTextureInItsOutlineUnderItsHighlight) {
    const BitmapLoader load = [](CBmp& bitmap, int number) { LoadArtworkBitmap(number, bitmap); };
    for (const ButtonFaceBitmaps& face : {kStartFace, kStopFace, kSettingsFace}) {
        SCOPED_TRACE(face.image);
        CBmp image, texture, highlight;
        ASSERT_TRUE(LoadArtworkBitmap(face.artwork, texture));
        ASSERT_TRUE(LoadArtworkBitmap(face.highlight, highlight));
        ASSERT_TRUE(LoadArtworkBitmap(face.image, image));
        ASSERT_TRUE(BuildButtonFace(image, load, face.artwork, face.highlight));
        const CBmp& art = Layer(image, 0, 0);
        const CBmp& shine = Layer(image, 0, 1);
        ASSERT_EQ(art.width, texture.width);
        ASSERT_EQ(shine.width, highlight.width);
        ASSERT_EQ(shine.height, image.height);
        int wrongOutline = 0, wrongTexture = 0, wrongHighlight = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const uint32_t picture = image.Pixel(x, y);
                wrongOutline += AlphaOf(art.Pixel(x, y)) != AlphaOf(picture);
                wrongTexture += AlphaOf(picture) != 0 &&
                                (art.Pixel(x, y) & 0xFFFFFF) != (texture.Pixel(x, y) & 0xFFFFFF);
                wrongHighlight +=
                    AlphaOf(highlight.Pixel(x, y)) != 0 &&
                    (shine.Pixel(x, y) & 0xFFFFFF) != (highlight.Pixel(x, y) & 0xFFFFFF);
            }
        EXPECT_EQ(wrongOutline, 0);
        EXPECT_EQ(wrongTexture, 0);
        EXPECT_EQ(wrongHighlight, 0);
    }
}

} // namespace
