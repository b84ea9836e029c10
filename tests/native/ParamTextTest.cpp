#include "params/CEdges.h"
#include "params/CParam.h"

#include <gtest/gtest.h>

namespace {

// The value that "vis" (10..100, starting at 50) ends with after reading the block from
// section Embra, and the result of the read.
struct ReadResult {
    bool ok;
    int value;
};

ReadResult ReadVis(const char* block, const char* name = "vis") {
    CEdges<CParam<int>, int> vis;
    vis.SetRange(0, 100);
    vis.Set(50);
    vis.SetName(name);
    const bool ok = vis.ReadFromText(tstr(block), tstr("Embra"));
    return {ok, *vis.Get()};
}

} // namespace

TEST(ParamText, ReadFromTextCases) {
    struct Row {
        const char* block;
        bool ok;
        int value;
    } rows[] = {
        {"[Embra]\r\nvis = 70\r\n", true, 70},           // plain entry
        {"[Embra]\r\nvis = 70", true, 50},               // no CR after the value: unchanged
        {"[Embra]\r\nvis=\r\nitems=40\r\n", true, 0},    // skips into the next line: atoi 0
        {"[Embra]\r\nvisible=1\r\nvis=70\r\n", true, 0}, // first key that begins with vis
        {"[Embra]\r\nvis\t=\t 250\r\n", true, 100},      // out of range: clamped
        {"[Embra]\r\nvis=-5x\r\n", true, 0},             // atoi rules, then the lower bound
        {"[Embra]\r\nitems=40\r\n", false, 50},          // no entry
        {"[Glimra]\r\nvis=70\r\n", false, 50},           // no such section
        {"[embra]\r\nvis=70\r\n", false, 50},            // section names are case-sensitive
        {"[Embra]\r\nitems=1\r\n[Ripla]\r\nvis=70\r\n", false, 50}, // entry of a later section
        {"[Ripla]\r\nvis=10\r\n[Embra]\r\nvis=70\r\n", true, 70},   // entry of this section
        {"[Embra]\r\nvis=", true, 50}, // separator at the end of the text
        {"", false, 50},               // empty block
    };
    for (const Row& r : rows) {
        const ReadResult got = ReadVis(r.block);
        EXPECT_EQ(got.ok, r.ok) << r.block;
        EXPECT_EQ(got.value, r.value) << r.block;
    }
}

TEST(ParamText, ReadFromTextRefusals) {
    EXPECT_FALSE(ReadVis("[Embra]\r\n=70\r\n", "").ok); // unnamed parameter
    CParam<int> p;
    p.SetName("vis");
    EXPECT_FALSE(p.ReadFromText(tstr(), tstr("Embra"))); // null block
    EXPECT_EQ(*p.Get(), 0);
}

TEST(ParamText, ReadFromTextPerType) {
    const tstr block("[S]\r\nb=2\r\nu=-1\r\nt=  hello world \r\nx=x\r\n");
    CParam<bool> b;
    b.SetName("b");
    CParam<unsigned long> u;
    u.SetName("u");
    CParam<tstr> t;
    t.SetName("t");
    CParam<bool> x;
    x.SetName("x");
    x.Set(true);
    EXPECT_TRUE(b.ReadFromText(block, "S"));
    EXPECT_TRUE(u.ReadFromText(block, "S"));
    EXPECT_TRUE(t.ReadFromText(block, "S"));
    EXPECT_TRUE(x.ReadFromText(block, "S"));
    EXPECT_TRUE(*b.Get());
    EXPECT_EQ(*u.Get(), 4294967295UL);
    EXPECT_STREQ(t.Get()->c_str(), "hello world "); // leading separators skipped only
    EXPECT_FALSE(*x.Get());
}

TEST(ParamText, WriteToTextAppendsOneLine) {
    CEdges<CParam<int>, int> vis;
    vis.SetRange(10, 100);
    vis.Set(50);
    vis.SetName("vis");
    tstr out("");
    EXPECT_TRUE(vis.WriteToText(out, "Sets\\Embra"));
    EXPECT_STREQ(out.c_str(), "Sets\\Embra\\vis=50\n");

    CParam<tstr> name;
    name.SetName("name");
    name.FromText(tstr());
    EXPECT_TRUE(name.WriteToText(out, tstr()));
    EXPECT_STREQ(out.c_str(), "Sets\\Embra\\vis=50\n\\name=\n"); // null value and prefix: empty

    tstr null;
    EXPECT_FALSE(vis.WriteToText(null, "P")); // a null output text is refused
    EXPECT_TRUE(null.IsNull());
    CParam<int> unnamed;
    EXPECT_FALSE(unnamed.WriteToText(out, "P"));
}
