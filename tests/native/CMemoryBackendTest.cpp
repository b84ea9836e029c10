#include "params/CMemoryBackend.h"

#include <gtest/gtest.h>

#include <cstring>

using Flavour = CMemoryBackend::Flavour;

TEST(MemoryRegistry, TextEntries) {
    CMemoryBackend reg(Flavour::Registry);
    tstr out("kept");
    EXPECT_FALSE(reg.ReadString("A\\B", "v", out)); // key absent: out unchanged
    EXPECT_STREQ(out.c_str(), "kept");
    EXPECT_TRUE(reg.WriteString("A\\B", "v", ""));
    EXPECT_TRUE(reg.ReadString("a\\b", "V", out)); // names ignore case
    EXPECT_STREQ(out.c_str(), "");                 // present empty text: true and ""
    EXPECT_TRUE(reg.WriteString("A\\B", "v", tstr()));
    out = "kept";
    EXPECT_FALSE(reg.ReadString("A\\B", "v", out)); // null deleted it
    EXPECT_STREQ(out.c_str(), "kept");
    EXPECT_TRUE(reg.KeyExists("A\\B")); // the key stays
    EXPECT_TRUE(reg.WriteString("C", "gone", tstr()));
    EXPECT_TRUE(reg.KeyExists("C")); // deleting a value still creates its key
}

TEST(MemoryRegistry, BytesEntries) {
    CMemoryBackend reg(Flavour::Registry);
    const unsigned char data[4] = {'a', 0, 'b', 7};
    EXPECT_TRUE(reg.WriteBytes("K", "plmnt", data, sizeof data));
    unsigned char buffer[8] = {};
    EXPECT_TRUE(reg.ReadBytes("K", "plmnt", buffer, sizeof buffer));
    EXPECT_EQ(std::memcmp(buffer, data, sizeof data), 0);
    unsigned char small[2] = {};
    EXPECT_TRUE(reg.ReadBytes("K", "plmnt", small, sizeof small)); // at most size bytes
    EXPECT_EQ(small[0], 'a');
    EXPECT_TRUE(reg.ReadBytes("K", "plmnt", nullptr, 4)); // null buffer: nothing read
    EXPECT_FALSE(reg.ReadBytes("K", "none", buffer, sizeof buffer));
    tstr out;
    EXPECT_TRUE(reg.ReadString("K", "plmnt", out)); // the type is not examined
    EXPECT_STREQ(out.c_str(), "a");
    EXPECT_TRUE(reg.WriteBytes("K", "zero", data, 0));
    EXPECT_FALSE(reg.ReadString("K", "zero", out)); // a size of 0 reads as absent
    EXPECT_TRUE(reg.WriteBytes("K", "plmnt", nullptr, 4));
    EXPECT_FALSE(reg.ReadBytes("K", "plmnt", buffer, sizeof buffer));
}

TEST(MemoryRegistry, KeysDeleteWithTheirSubtreeAndEnumerateInOrder) {
    CMemoryBackend reg(Flavour::Registry);
    reg.WriteString("Sets\\Ripla", "vis", "1");
    reg.WriteString("Sets\\embra\\deep", "x", "1");
    reg.WriteString("Sets\\Glimra", "vis", "1");
    reg.WriteString("Sets\\Embra2", "vis", "1");
    tstr name;
    const char* expected[] = {"embra", "Embra2", "Glimra", "Ripla"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(reg.EnumSubkey("Sets", i, name));
        EXPECT_STREQ(name.c_str(), expected[i]);
    }
    EXPECT_FALSE(reg.EnumSubkey("Sets", 4, name));
    EXPECT_FALSE(reg.EnumSubkey("Sets", -1, name));
    EXPECT_FALSE(reg.EnumSubkey("Missing", 0, name));
    EXPECT_TRUE(reg.DeleteKey("Sets\\Embra"));
    EXPECT_FALSE(reg.KeyExists("Sets\\Embra\\deep"));
    EXPECT_TRUE(reg.KeyExists("Sets\\Embra2")); // only the key itself and below
    EXPECT_FALSE(reg.DeleteKey("Sets\\Embra")); // already gone
    EXPECT_FALSE(reg.DeleteKey(""));
    EXPECT_FALSE(reg.DeleteKey("\\\\")); // no key named: never the root
    EXPECT_TRUE(reg.KeyExists("Sets"));
}

TEST(MemoryIni, EmptyEntriesReadAsAbsent) {
    CMemoryBackend ini(Flavour::Ini);
    tstr out("kept");
    EXPECT_FALSE(ini.ReadString("S", "k", out)); // missing: false with an empty text
    EXPECT_STREQ(out.c_str(), "");
    EXPECT_TRUE(ini.WriteString("S", "k", ""));
    out = "kept";
    EXPECT_FALSE(ini.ReadString("S", "k", out));
    EXPECT_STREQ(out.c_str(), "");
    EXPECT_TRUE(ini.KeyExists("S")); // the empty entry still counts
    EXPECT_TRUE(ini.WriteString("S", "k", "v"));
    EXPECT_TRUE(ini.ReadString("s", "K", out));
    EXPECT_STREQ(out.c_str(), "v");
    EXPECT_TRUE(ini.WriteString("S", "k", tstr()));
    EXPECT_FALSE(ini.KeyExists("S")); // a section without entries does not count
    EXPECT_TRUE(ini.WriteString("T", "none", tstr()));
    EXPECT_FALSE(ini.KeyExists("T"));
}

TEST(MemoryIni, DeleteKeyTakesEverySectionWithThePrefix) {
    CMemoryBackend ini(Flavour::Ini);
    ini.WriteString("R\\Sets\\Embra", "vis", "1");
    ini.WriteString("R\\Sets\\Embra2", "vis", "1");
    ini.WriteString("R\\Sets\\Embra\\sub", "vis", "1");
    ini.WriteString("R\\Sets\\Ripla", "vis", "1");
    ini.WriteString("R\\sets\\embra3", "vis", "1");
    EXPECT_TRUE(ini.DeleteKey("R\\Sets\\Embra"));
    EXPECT_FALSE(ini.KeyExists("R\\Sets\\Embra"));
    EXPECT_FALSE(ini.KeyExists("R\\Sets\\Embra2")); // a mere prefix match goes too
    EXPECT_FALSE(ini.KeyExists("R\\Sets\\Embra\\sub"));
    EXPECT_TRUE(ini.KeyExists("R\\Sets\\Ripla"));
    EXPECT_TRUE(ini.KeyExists("R\\sets\\embra3")); // the prefix compares bytes
    EXPECT_FALSE(ini.DeleteKey(""));
    tstr name;
    EXPECT_FALSE(ini.EnumSubkey("R\\Sets", 0, name));
    EXPECT_FALSE(ini.KeyExists("R\\Sets")); // sections are flat: no parent section
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
    ini.WriteBytes("S", "plmnt", nullptr, 4);
    EXPECT_FALSE(ini.ReadBytes("S", "plmnt", buffer, 4));
}
