#include "params/CMemoryBackend.h"

#include <gtest/gtest.h>

#include <string>

using Flavour = CMemoryBackend::Flavour;

TEST(MemoryRegistry, TextEntries) {
    CMemoryBackend reg(Flavour::Registry);
    tstr out("kept");
    EXPECT_FALSE(reg.ReadString("A\\B", "v", out)); // absent: out unchanged
    EXPECT_STREQ(out.c_str(), "kept");
    EXPECT_TRUE(reg.WriteString("A\\B", "v", ""));
    EXPECT_TRUE(reg.ReadString("a\\b", "V", out)); // names ignore case
    EXPECT_STREQ(out.c_str(), "");                 // present empty text: true and ""
    EXPECT_TRUE(reg.WriteString("A\\B", "v", tstr()));
    EXPECT_FALSE(reg.ReadString("A\\B", "v", out)); // null deleted it
    EXPECT_TRUE(reg.KeyExists("A\\B"));             // the key stays
}

TEST(MemoryRegistry, BytesEntries) {
    CMemoryBackend reg(Flavour::Registry);
    const unsigned char data[3] = {'a', 0, 'b'};
    EXPECT_TRUE(reg.WriteBytes("K", "plmnt", data, sizeof data));
    unsigned char exact[3] = {};
    EXPECT_TRUE(reg.ReadBytes("K", "plmnt", exact, sizeof exact));
    EXPECT_EQ(exact[2], 'b');
    unsigned char other[4] = {9, 9, 9, 9};
    EXPECT_FALSE(reg.ReadBytes("K", "plmnt", other, 2)); // only the exact size reads
    EXPECT_FALSE(reg.ReadBytes("K", "plmnt", other, 4));
    EXPECT_EQ(other[0], 9);
    EXPECT_TRUE(reg.ReadBytes("K", "plmnt", nullptr, 4)); // null buffer: the key opens
    EXPECT_FALSE(reg.ReadBytes("Missing", "plmnt", nullptr, 4));
    EXPECT_FALSE(reg.ReadBytes("K", "none", exact, sizeof exact));
    tstr out;
    EXPECT_TRUE(reg.ReadString("K", "plmnt", out)); // bytes up to the first NUL
    EXPECT_STREQ(out.c_str(), "a");
    EXPECT_TRUE(reg.WriteBytes("K", "zero", data, 0));
    EXPECT_FALSE(reg.ReadString("K", "zero", out)); // a size of 0 reads as absent
}

// Text values up to the limit read; a larger one is none of the program's and reads as
// absent, leaving `out` as it was.
TEST(MemoryRegistry, TextBeyondTheLimitReadsAsAbsent) {
    CMemoryBackend reg(Flavour::Registry);
    const std::string full(kMaxTextValueBytes - 1, 'f');
    const std::string over(kMaxTextValueBytes, 'o');
    reg.WriteString("K", "full", full.c_str());
    reg.WriteString("K", "over", over.c_str());
    tstr out = "kept";
    EXPECT_TRUE(reg.ReadString("K", "full", out));
    EXPECT_EQ(out.Length(), full.size());
    out = "kept";
    EXPECT_FALSE(reg.ReadString("K", "over", out));
    EXPECT_STREQ(out.c_str(), "kept");
}

TEST(MemoryRegistry, KeysDeleteWithTheirSubtreeAndEnumerateInOrder) {
    CMemoryBackend reg(Flavour::Registry);
    for (const char* key : {"Sets\\Ripla", "Sets\\embra\\deep", "Sets\\Glimra", "Sets\\Embra2"})
        reg.WriteString(key, "vis", "1");
    tstr name;
    const char* expected[] = {"embra", "Embra2", "Glimra", "Ripla"}; // order ignores case
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(reg.EnumSubkey("Sets", i, name));
        EXPECT_STREQ(name.c_str(), expected[i]);
    }
    EXPECT_FALSE(reg.EnumSubkey("Sets", 4, name));
    EXPECT_FALSE(reg.EnumSubkey("Sets", -1, name));
    EXPECT_TRUE(reg.DeleteKey("Sets\\Embra"));
    EXPECT_FALSE(reg.KeyExists("Sets\\Embra\\deep"));
    EXPECT_TRUE(reg.KeyExists("Sets\\Embra2")); // only the key and what lies below it
    EXPECT_FALSE(reg.DeleteKey("Sets\\Embra")); // already gone
    EXPECT_FALSE(reg.DeleteKey("\\"));          // names no key: never the root
}

TEST(MemoryIni, EmptyEntriesReadAsAbsent) {
    CMemoryBackend ini(Flavour::Ini);
    tstr out("kept");
    EXPECT_FALSE(ini.ReadString("S", "k", out)); // missing: false with an empty text
    EXPECT_STREQ(out.c_str(), "");
    EXPECT_TRUE(ini.WriteString("S", "k", ""));
    EXPECT_FALSE(ini.ReadString("S", "k", out));
    EXPECT_TRUE(ini.KeyExists("S")); // the empty entry still counts
    EXPECT_TRUE(ini.WriteString("S", "k", tstr()));
    EXPECT_FALSE(ini.KeyExists("S")); // a section without entries does not
}

TEST(MemoryIni, DeleteKeyTakesEverySectionWithThePrefix) {
    CMemoryBackend ini(Flavour::Ini);
    for (const char* section : {"R\\Sets\\Embra", "R\\Sets\\Embra2", "R\\Sets\\Embra\\sub",
                                "R\\Sets\\Ripla", "R\\sets\\embra3"})
        ini.WriteString(section, "vis", "1");
    EXPECT_TRUE(ini.DeleteKey("R\\Sets\\Embra"));
    EXPECT_FALSE(ini.KeyExists("R\\Sets\\Embra2")); // a mere prefix match goes too
    EXPECT_FALSE(ini.KeyExists("R\\Sets\\Embra\\sub"));
    EXPECT_TRUE(ini.KeyExists("R\\Sets\\Ripla"));
    EXPECT_TRUE(ini.KeyExists("R\\sets\\embra3")); // the prefix compares bytes
    tstr name;
    EXPECT_FALSE(ini.EnumSubkey("R\\Sets", 0, name));
}

TEST(MemoryIni, BytesNeedTheExactSize) {
    CMemoryBackend ini(Flavour::Ini);
    const unsigned char data[4] = {1, 2, 3, 4};
    ini.WriteBytes("S", "plmnt", data, sizeof data);
    unsigned char buffer[4] = {};
    EXPECT_FALSE(ini.ReadBytes("S", "plmnt", buffer, 3));
    EXPECT_FALSE(ini.ReadBytes("S", "plmnt", nullptr, 4));
    EXPECT_TRUE(ini.ReadBytes("S", "plmnt", buffer, 4));
    EXPECT_EQ(buffer[3], 4);
}

// An entry of no bytes reads back at size 0 in either flavour (nothing is copied from it).
TEST(MemoryBackend, EmptyBytesEntryReadsBackEmpty) {
    for (Flavour flavour : {Flavour::Registry, Flavour::Ini}) {
        CMemoryBackend backend(flavour);
        const char none[1] = {};
        ASSERT_TRUE(backend.WriteBytes("K", "plmnt", none, 0));
        char buffer[1] = {'x'};
        EXPECT_TRUE(backend.ReadBytes("K", "plmnt", buffer, 0));
        EXPECT_FALSE(backend.ReadBytes("K", "plmnt", buffer, 1));
        EXPECT_EQ(buffer[0], 'x');
    }
}
