#include "params/CRegistryBackend.h"
#include "params/RegistryValue_win.h"

#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

class RegistryBackend : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestKey(key); }
    void TearDown() override { DeleteTestKey(key); }

    const tstr key = TestKeyPath();
    CRegistryBackend backend;
};

TEST_F(RegistryBackend, TextIsRegSzWithTerminatorAndNullTextDeletes) {
    ASSERT_TRUE(backend.WriteString(key + "\\Sets", "vis", "-1"));
    EXPECT_EQ(RawValue(key + "\\Sets", "vis"), std::string("1:-1\0", 5)); // REG_SZ is 1
    tstr out;
    EXPECT_TRUE(backend.ReadString(key + "\\Sets", "vis", out));
    EXPECT_STREQ(out.c_str(), "-1");

    EXPECT_TRUE(backend.WriteString(key + "\\Sets", "vis", tstr()));
    EXPECT_EQ(RawValue(key + "\\Sets", "vis"), "<none>");
    EXPECT_TRUE(backend.WriteString(key + "\\New", "vis", tstr())) << "creates the key";
    EXPECT_TRUE(backend.KeyExists(key + "\\New"));
}

TEST_F(RegistryBackend, ReadStringTakesAnyValueUpToItsFirstNul) {
    const std::string x300(300, 'x');
    struct Case {
        const char* what;
        DWORD type;
        std::string bytes;
        bool read;
        const char* text; // "kept": `out` untouched
    };
    const Case cases[] = {
        {"REG_SZ holding only its terminator", REG_SZ, std::string(1, '\0'), true, ""},
        {"REG_SZ of size 0", REG_SZ, "", false, "kept"},
        {"REG_SZ without terminator", REG_SZ, "abc", true, "abc"},
        {"REG_DWORD whose bytes hold no NUL", REG_DWORD, "ABCD", true, "ABCD"},
        {"REG_DWORD 0x43", REG_DWORD, std::string("C\0\0\0", 4), true, "C"},
        {"REG_BINARY with an inner NUL", REG_BINARY, std::string("ab\0cd", 5), true, "ab"},
        {"REG_BINARY of 300 bytes, no NUL", REG_BINARY, x300, true, x300.c_str()},
        {"REG_MULTI_SZ", REG_MULTI_SZ, std::string("one\0two\0\0", 9), true, "one"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(
            WriteRawValue(key, "v", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size())));
        tstr out = "kept";
        EXPECT_EQ(backend.ReadString(key, "v", out), c.read);
        EXPECT_STREQ(out.c_str(), c.text);
    }
    tstr out = "kept";
    EXPECT_FALSE(backend.ReadString(key, "missing", out));
    EXPECT_FALSE(backend.ReadString(key + "\\Missing", "v", out));
    EXPECT_STREQ(out.c_str(), "kept");
}

// The value may change between the size query and the read; the read must still give
// the whole current text, never a cut or overrun one.
TEST_F(RegistryBackend, ValueTextReadFromAStaleSizeIsWhole) {
    const std::string longText(4000, 'L');
    ASSERT_TRUE(WriteRawValue(key, "grown", REG_SZ, longText.c_str(), 4001));
    ASSERT_TRUE(WriteRawValue(key, "shrunk", REG_SZ, "abc", 4));
    HKEY open = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &open), ERROR_SUCCESS);
    tstr out;
    EXPECT_TRUE(ReadValueText(open, "grown", 2, out)); // grew from 2 bytes since the query
    EXPECT_STREQ(out.c_str(), longText.c_str());
    EXPECT_TRUE(ReadValueText(open, "shrunk", 5000, out));
    EXPECT_STREQ(out.c_str(), "abc");
    EXPECT_FALSE(ReadValueText(open, "gone", 4, out)); // deleted since the query
    EXPECT_STREQ(out.c_str(), "");
    RegCloseKey(open);
}

TEST_F(RegistryBackend, BytesAreRegBinaryReadIntoBuffersAtLeastAsLarge) {
    unsigned char record[44];
    for (int i = 0; i < 44; ++i)
        record[i] = static_cast<unsigned char>(i * 7);
    EXPECT_FALSE(backend.ReadBytes(key, "plmnt", nullptr, 44)) << "missing key";
    ASSERT_TRUE(backend.WriteBytes(key, "plmnt", record, sizeof record));
    EXPECT_EQ(RawValue(key, "plmnt"), "3:" + std::string(reinterpret_cast<char*>(record), 44));

    unsigned char larger[64];
    std::fill(std::begin(larger), std::end(larger), 0xEE);
    EXPECT_TRUE(backend.ReadBytes(key, "plmnt", larger, sizeof larger));
    EXPECT_TRUE(std::equal(record, record + 44, larger));
    EXPECT_EQ(larger[44], 0xEE);
    EXPECT_FALSE(backend.ReadBytes(key, "plmnt", larger, 10)) << "buffer too small";
    EXPECT_TRUE(backend.ReadBytes(key, "plmnt", nullptr, 44));

    EXPECT_TRUE(backend.WriteBytes(key, "plmnt", nullptr, 44));
    EXPECT_FALSE(backend.ReadBytes(key, "plmnt", larger, sizeof larger)) << "null data deletes";
}

TEST_F(RegistryBackend, DeleteKeyRemovesTheTreeButNotPrefixSiblings) {
    EXPECT_FALSE(backend.KeyExists(key + "\\Sets\\Embra"));
    ASSERT_TRUE(backend.WriteString(key + "\\Sets\\Embra\\Deep", "x", "1"));
    ASSERT_TRUE(backend.WriteString(key + "\\Sets\\Embra2", "vis", "60"));
    EXPECT_TRUE(backend.KeyExists(key + "\\Sets\\Embra"));

    EXPECT_TRUE(backend.DeleteKey(key + "\\Sets\\Embra"));
    EXPECT_FALSE(backend.KeyExists(key + "\\Sets\\Embra"));
    EXPECT_TRUE(backend.KeyExists(key + "\\Sets\\Embra2"));
    EXPECT_FALSE(backend.DeleteKey(key + "\\Sets\\Embra")) << "already gone";
    EXPECT_FALSE(backend.DeleteKey("")) << "never the whole hive";
}

TEST_F(RegistryBackend, EnumSubkeyListsEachSubkeyOnceThenFails) {
    const tstr profiles = key + "\\Profiles";
    tstr name = "kept";
    EXPECT_FALSE(backend.EnumSubkey(profiles, 0, name)) << "missing key";
    for (const char* profile : {"Default", "Work", "Night"})
        ASSERT_TRUE(backend.WriteString(profiles + "\\" + profile + "\\Options", "x", "1"));
    std::set<std::string> found;
    for (int index = 0; backend.EnumSubkey(profiles, index, name); ++index)
        found.insert(name.c_str());
    EXPECT_EQ(found, (std::set<std::string>{"Default", "Night", "Work"}));
    name = "kept";
    EXPECT_FALSE(backend.EnumSubkey(profiles, -1, name));
    EXPECT_STREQ(name.c_str(), "kept");
}

} // namespace
