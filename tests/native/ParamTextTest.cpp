#include "params/CEdges.h"

#include <gtest/gtest.h>

TEST(ParamText, ReadFromTextCases) {
    struct Row {
        const char* block;
        bool ok;
        int value; // of a parameter bounded 0..100 that starts at 50
    } rows[] = {
        {"[Embra]\r\nvis = 70\r\n", true, 70},                      // plain entry
        {"[Embra]\r\nvis = 70", true, 50},                          // no CR after it: unchanged
        {"[Embra]\r\nvis=\r\nitems=40\r\n", true, 0},               // runs into the next line
        {"[Embra]\r\nvisible=1\r\nvis=70\r\n", true, 0},            // first key starting with vis
        {"[Embra]\r\nvis\t=\t 250\r\n", true, 100},                 // clamped
        {"[Embra]\r\nitems=40\r\n", false, 50},                     // no entry
        {"[embra]\r\nvis=70\r\n", false, 50},                       // section is case-sensitive
        {"[Embra]\r\nitems=1\r\n[Ripla]\r\nvis=70\r\n", false, 50}, // entry of a later section
        {"[Ripla]\r\nvis=10\r\n[Embra]\r\nvis=70\r\n", true, 70},   // this section's entry
        {"[Embra]\r\nvis=", true, 50},                              // ends inside the separators
    };
    for (const Row& r : rows) {
        CEdges<CParam<int>, int> vis;
        vis.SetRange(0, 100);
        vis.Set(50);
        vis.SetName("vis");
        EXPECT_EQ(vis.ReadFromText(tstr(r.block), "Embra"), r.ok) << r.block;
        EXPECT_EQ(*vis.Get(), r.value) << r.block;
    }
}

TEST(ParamText, ReadFromTextPerTypeAndRefusals) {
    const tstr block("[S]\r\nb=2\r\nu=-1\r\nt=  hello \r\n");
    CParam<bool> b;
    b.SetName("b");
    CParam<unsigned long> u;
    u.SetName("u");
    CParam<tstr> t;
    t.SetName("t");
    EXPECT_TRUE(b.ReadFromText(block, "S") && u.ReadFromText(block, "S") &&
                t.ReadFromText(block, "S"));
    EXPECT_TRUE(*b.Get());
    EXPECT_EQ(*u.Get(), 4294967295UL);
    EXPECT_STREQ(t.Get()->c_str(), "hello ");  // only the leading separators are skipped
    EXPECT_FALSE(b.ReadFromText(tstr(), "S")); // null block
    CParam<int> unnamed;
    EXPECT_FALSE(unnamed.ReadFromText("[S]\r\n=7\r\n", "S"));
}

TEST(ParamText, WriteToTextAppendsOneLine) {
    CEdges<CParam<int>, int> vis;
    vis.SetRange(10, 100);
    vis.Set(50);
    vis.SetName("vis");
    tstr out("");
    EXPECT_TRUE(vis.WriteToText(out, "Sets\\Embra"));
    EXPECT_STREQ(out.c_str(), "Sets\\Embra\\vis=50\n");
    tstr null;
    EXPECT_FALSE(vis.WriteToText(null, "P")); // a null output is refused
    EXPECT_TRUE(null.IsNull());
    CParam<int> unnamed;
    EXPECT_FALSE(unnamed.WriteToText(out, "P"));
}
