#include "params/tstr.h"

#include <gtest/gtest.h>

TEST(Tstr, NullDiffersFromEmpty) {
    tstr null;
    tstr empty("");
    EXPECT_TRUE(null.IsNull());
    EXPECT_FALSE(empty.IsNull());
    EXPECT_FALSE(null == null); // two null strings are not equal
    EXPECT_TRUE(empty == tstr(""));
    EXPECT_FALSE(null == empty);
}

TEST(Tstr, AssigningNullPointerKeepsText) {
    tstr s("abc");
    s = static_cast<const char*>(nullptr);
    EXPECT_STREQ(s.c_str(), "abc");
    tstr copy;
    copy = tstr();
    EXPECT_TRUE(copy.IsNull());
}

TEST(Tstr, AppendTreatsNullAsEmpty) {
    tstr s;
    s += tstr("Sets\\");
    s += tstr();
    s += "Embra";
    EXPECT_STREQ(s.c_str(), "Sets\\Embra");
    EXPECT_STREQ((tstr() + tstr()).c_str(), "");
}

TEST(Tstr, IntegerTextForms) {
    EXPECT_STREQ(tstr::FromInt(-1).c_str(), "-1");
    EXPECT_STREQ(tstr::FromBool(true).c_str(), "1");
    EXPECT_STREQ(tstr::FromULong(4294967295UL).c_str(), "-1");
    EXPECT_STREQ(tstr::FromULong(2147483648UL).c_str(), "-2147483648");
}

TEST(Tstr, AtoiRules) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"  42abc", 42},             // leading blanks skipped, trailing junk ignored
        {"-17", -17},                // sign
        {"+5", 5},                   // explicit plus
        {"x1", 0},                   // no leading digits
        {"", 0},                     // empty text
        {"99999999999", 2147483647}, // saturates instead of overflowing
        {"-99999999999", -2147483647 - 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tstr(c.text).ToInt(), c.value) << c.text;
    EXPECT_EQ(tstr().ToInt(), 0);
    EXPECT_EQ(tstr("-1").ToULong(), 4294967295UL);
    EXPECT_TRUE(tstr("2").ToBool());
    EXPECT_FALSE(tstr("x").ToBool());
}
