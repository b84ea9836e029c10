#include "effects/fire/CItemEmbra.h"
#include "effects/engine/CRandom.h"
#include "effects/engine/ScreenSize.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Seed 12345 draws 7584, 19164, 25795, 22125, 5828, 23405, ...
constexpr uint32_t kSeed = 12345;

class CItemEmbraTest : public ::testing::Test {
protected:
    void SetUp() override {
        screenWidth = 1920;
        screenHeight = 1080;
        CItemEmbra::frameCount = 20;
        CItemEmbra::lastFrame = 19;
        CRandom::Seed(kSeed);
    }
};

TEST_F(CItemEmbraTest, InitialSpawnDrawsColumnRowLifeAndSpeeds) {
    CItemEmbra flame;
    flame.Spawn(1, 4, 5);
    EXPECT_EQ(1894, flame.x);
    EXPECT_EQ(856, flame.y);
    EXPECT_EQ(1731, flame.life);
    EXPECT_EQ(-1, flame.dx);
    EXPECT_EQ(-5, flame.dy);
    EXPECT_EQ(4, flame.a);
    EXPECT_EQ(5, flame.b);
    EXPECT_EQ(23405, CRandom::Next()) << "five draws";
}

TEST_F(CItemEmbraTest, LaterSpawnSkipsOneDrawAndGivesAFullLife) {
    CItemEmbra flame;
    flame.Spawn(0, 1, 1);
    EXPECT_EQ(1894, flame.x);
    EXPECT_EQ(916, flame.y); // 25795 is drawn and not used
    EXPECT_EQ(5120, flame.life);
    EXPECT_EQ(-1, flame.dx);
    EXPECT_EQ(-5, flame.dy);
    EXPECT_EQ(23405, CRandom::Next());
}

TEST_F(CItemEmbraTest, RespawnAppliesTheColumnsLifeCutAndDrift) {
    struct Case {
        int32_t cut;
        int32_t lean;
        int32_t life;
        int32_t dx;
        int32_t drawsAfter; // the next draw of the generator
    };
    const Case cases[] = {
        {120, 3, 5000, 2, 23405}, // a cut within the life
        {5120, -2, 0, -3, 23405}, // a cut of the whole life leaves 0
        {6000, 0, 109, -1, -1},   // a negative life is drawn afresh
    };
    for (const Case& c : cases) {
        CRandom::Seed(kSeed);
        std::vector<int32_t> lifeCut(1920, 0);
        std::vector<int32_t> drift(1920, 0);
        lifeCut[1894] = c.cut;
        drift[1894] = c.lean;
        CItemEmbra flame;
        flame.a = 7;
        flame.b = 8;
        flame.Respawn(lifeCut.data(), drift.data(), 99);
        EXPECT_EQ(1894, flame.x);
        EXPECT_EQ(c.life, flame.life) << c.cut;
        EXPECT_EQ(c.dx, flame.dx) << c.cut;
        EXPECT_EQ(7, flame.a);
        EXPECT_EQ(8, flame.b);
        if (c.drawsAfter >= 0) {
            EXPECT_EQ(c.drawsAfter, CRandom::Next()) << c.cut;
        }
    }
}

// A screen at most 20 pixels wide and a sheet of one frame give moduli of 0: the draws are
// still made, the remainders count as 0, and a column off the screen reads no profile.
TEST_F(CItemEmbraTest, ZeroModuliAreGuarded) {
    screenWidth = 20;
    CItemEmbra::frameCount = 1;
    CItemEmbra::lastFrame = 0;
    CItemEmbra flame;
    flame.Spawn(1, 1, 1);
    EXPECT_EQ(10, flame.x);
    EXPECT_EQ(256, flame.life);
    EXPECT_EQ(23405, CRandom::Next());

    screenWidth = 8;
    CRandom::Seed(kSeed);
    const int32_t profile[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    flame.Respawn(profile, profile, 0);
    EXPECT_EQ(10, flame.x);
    EXPECT_EQ(256, flame.life);
    EXPECT_EQ(-1, flame.dx);
}

} // namespace
