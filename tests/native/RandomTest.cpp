#include "effects/engine/CRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

std::vector<int> Draw(int count) {
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(CRandom::Next());
    return values;
}

} // namespace

// A thread that never seeds starts from state 1; the first draws are those of the classic
// C runtime generator with the same constants.
TEST(Random, UnseededThreadStartsFromStateOne) {
    std::vector<int> values;
    std::thread([&] { values = Draw(5); }).join();
    EXPECT_EQ(values, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

TEST(Random, SeedingRestartsTheSequence) {
    CRandom::Seed(1);
    const std::vector<int> first = Draw(3);
    CRandom::Seed(12345);
    const std::vector<int> other = Draw(3);
    CRandom::Seed(1);
    EXPECT_EQ(Draw(3), first);
    EXPECT_NE(other, first);
    // Seed 0: state becomes 2531011, whose bits 16..30 are 38.
    CRandom::Seed(0);
    EXPECT_EQ(CRandom::Next(), 38);
}

// Each thread has its own state: seeding one thread leaves another's sequence alone.
TEST(Random, StateIsPerThread) {
    CRandom::Seed(777);
    std::vector<int> inThread;
    std::thread([&] { inThread = Draw(2); }).join();
    EXPECT_EQ(inThread, (std::vector<int>{41, 18467}));
    CRandom::Seed(777);
    const int expected = CRandom::Next();
    CRandom::Seed(777);
    std::thread([] { CRandom::Seed(5); }).join();
    EXPECT_EQ(CRandom::Next(), expected);
}

// Every value lies in 0 .. 32767, and the extremes occur.
TEST(Random, ValuesAreFifteenBits) {
    CRandom::Seed(99);
    int lowest = 32767;
    int highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const int value = CRandom::Next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 32767);
}
