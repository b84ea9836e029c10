#include "params/TypedNumber.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// A box of 10..100, as the opacity row.
const TypedNumber kBox{10, 100};

TEST(TypedNumber, LiveOnlyForAWholeNumberWithinTheBounds) {
    struct Case {
        const char* text;
        std::optional<int> live;
    };
    const Case cases[] = {
        {"45", 45},          // the example: the whole number, not "4" clamped
        {"4", std::nullopt}, // on the way to "45": left as typed
        {"10", 10},
        {"100", 100},
        {"101", std::nullopt},
        {"250", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {" 50 ", 50},
        {"050", 50},
        {"50abc", std::nullopt}, // pasted junk waits for the commit
        {"abc", std::nullopt},
        {"99999999999999999999", std::nullopt}, // beyond the int range, no overflow
    };
    for (const Case& c : cases)
        EXPECT_EQ(kBox.Live(c.text), c.live) << '"' << c.text << '"';
}

TEST(TypedNumber, CommitAlwaysGivesAValueWithinTheBounds) {
    struct Case {
        const char* text;
        int committed;
    };
    const Case cases[] = {
        {"5", 10},
        {"250", 100},
        {"", 10},
        {"45", 45},
        {"50abc", 50},
        {"abc", 10},
        {"-7", 10},
        {"  80", 80},
        {"+60", 60},
        {"-", 10},
        {"99999999999999999999999999", 100},
        {"-99999999999999999999999999", 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kBox.Commit(c.text), c.committed) << '"' << c.text << '"';
}

TEST(TypedNumber, APastedLongTextEndsAsANumber) {
    EXPECT_EQ(kBox.Commit(std::string(300, '7')), 100);
    EXPECT_EQ(kBox.Commit("33" + std::string(298, 'x')), 33);
    EXPECT_EQ(kBox.Live(std::string(300, '7')), std::nullopt);
}

TEST(TypedNumber, NegativeBoundsAreHonoured) {
    const TypedNumber box{-5, 5};
    EXPECT_EQ(box.Live("-3"), -3);
    EXPECT_EQ(box.Commit("-9"), -5);
    EXPECT_EQ(box.Commit(""), -5);
}

} // namespace
