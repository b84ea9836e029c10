#include "graphics/FacePlacement.h"

#include <gtest/gtest.h>

namespace {

// The main window's buttons: a 96-pixel face in a control of 69 dialog units, which is
// about 104 x 112 pixels at 96 DPI and grows with the dialog font.
TEST(FacePlacement, ScaledWithTheDpiAndCentred) {
    struct Case {
        const char* what;
        int clientWidth, clientHeight, dpi;
        FaceRect face;
    };
    const Case cases[] = {
        {"96 DPI: as designed, at the corner", 104, 112, 96, {0, 0, 96, 96}},
        {"120 DPI", 130, 140, 120, {5, 10, 120, 120}},
        {"144 DPI", 156, 168, 144, {6, 12, 144, 144}},
        {"192 DPI", 208, 224, 192, {8, 16, 192, 192}},
        {"a client too small keeps the proportions", 150, 100, 144, {25, 0, 100, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceFace(c.clientWidth, c.clientHeight, 96, 96, c.dpi), c.face) << c.what;
}

// The texture streams toward the pointer from the face's centre, not the control's.
TEST(FacePlacement, TheCentreIsTheFacesOwn) {
    const FaceRect face = PlaceFace(156, 168, 96, 96, 144);
    EXPECT_EQ(face.CentreX(), 78);
    EXPECT_EQ(face.CentreY(), 84);
    EXPECT_EQ(PlaceFace(104, 112, 96, 96, 96).CentreX(), 48);
}

} // namespace
