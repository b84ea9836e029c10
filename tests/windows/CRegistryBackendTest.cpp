#include "params/CRegistryBackend.h"
#include "params/RegistryValue_win.h"

#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
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

TEST_F(RegistryBackend, TextIsStoredAsRegSzWithItsTerminator) {
    ASSERT_TRUE(backend.WriteString(key + "\\Sets\\Embra", "vis", "-1"));
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(ReadRawValue(key + "\\Sets\\Embra", "vis", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, std::string("-1\0", 3));

    tstr out;
    EXPECT_TRUE(backend.ReadString(key + "\\Sets\\Embra", "vis", out));
    EXPECT_STREQ(out.c_str(), "-1");
}

TEST_F(RegistryBackend, NullTextDeletesTheValueAndStillCreatesTheKey) {
    EXPECT_TRUE(backend.WriteString(key, "gone", tstr()));
    EXPECT_TRUE(backend.KeyExists(key));

    ASSERT_TRUE(backend.WriteString(key, "gone", "x"));
    ASSERT_TRUE(backend.WriteString(key, "gone", tstr()));
    tstr out = "kept";
    EXPECT_FALSE(backend.ReadString(key, "gone", out));
    EXPECT_STREQ(out.c_str(), "kept");
}

TEST_F(RegistryBackend, ReadStringTakesAnyValueUpToItsFirstNul) {
    const std::string long300(300, 'x');
    struct Case {
        const char* what;
        DWORD type;
        std::string bytes;
        bool read;
        const char* text; // expected text; "kept" means `out` untouched
    };
    const Case cases[] = {
        {"empty REG_SZ holding only its terminator", REG_SZ, std::string(1, '\0'), true, ""},
        {"REG_SZ of size 0", REG_SZ, "", false, "kept"},
        {"REG_SZ without terminator", REG_SZ, "abc", true, "abc"},
        {"REG_DWORD whose bytes hold no NUL", REG_DWORD, "ABCD", true, "ABCD"},
        {"REG_DWORD 0x43", REG_DWORD, std::string("C\0\0\0", 4), true, "C"},
        {"REG_BINARY with an inner NUL", REG_BINARY, std::string("ab\0cd", 5), true, "ab"},
        {"REG_BINARY of 300 bytes without NUL", REG_BINARY, long300, true, long300.c_str()},
        {"REG_MULTI_SZ gives its first string", REG_MULTI_SZ, std::string("one\0two\0\0", 9), true,
         "one"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(
            WriteRawValue(key, "v", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size())));
        tstr out = "kept";
        EXPECT_EQ(backend.ReadString(key, "v", out), c.read);
        EXPECT_STREQ(out.c_str(), c.text);
    }
}

TEST_F(RegistryBackend, MissingKeyOrValueReadsAsFalseWithOutUnchanged) {
    tstr out = "kept";
    EXPECT_FALSE(backend.ReadString(key, "v", out));
    ASSERT_TRUE(backend.WriteString(key, "other", "1"));
    EXPECT_FALSE(backend.ReadString(key, "v", out));
    EXPECT_STREQ(out.c_str(), "kept");
}

// The size a read starts from may be stale: the value can change between the size query
// and the read. Every read must give the whole current text, never a cut or overrun one.
TEST_F(RegistryBackend, ValueTextReadFromAStaleSizeIsWhole) {
    const std::string longText(4000, 'L');
    ASSERT_TRUE(WriteRawValue(key, "grown", REG_SZ, longText.c_str(),
                              static_cast<DWORD>(longText.size() + 1)));
    ASSERT_TRUE(WriteRawValue(key, "shrunk", REG_SZ, "abc", 4));
    ASSERT_TRUE(WriteRawValue(key, "bytes", REG_BINARY, "ABCD", 4));
    HKEY open = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &open), ERROR_SUCCESS);
    struct Case {
        const char* name;
        DWORD size; // the size the read assumes
        bool read;
        const char* text;
    };
    const Case cases[] = {
        {"grown", 2, true, longText.c_str()}, // grew from 2 to 4001 bytes since the query
        {"shrunk", 5000, true, "abc"},        // shrank since the query
        {"bytes", 4, true, "ABCD"},           // exact size, no terminator in the data
        {"gone", 4, false, ""},               // deleted since the query
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tstr out = "kept";
        EXPECT_EQ(ReadValueText(open, c.name, c.size, out), c.read);
        EXPECT_STREQ(out.c_str(), c.text);
    }
    RegCloseKey(open);
}

TEST_F(RegistryBackend, BytesRoundTripAsRegBinary) {
    unsigned char record[44];
    for (int i = 0; i < 44; ++i)
        record[i] = static_cast<unsigned char>(i * 7);
    ASSERT_TRUE(backend.WriteBytes(key, "plmnt", record, sizeof record));
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(ReadRawValue(key, "plmnt", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(bytes, std::string(reinterpret_cast<char*>(record), sizeof record));

    unsigned char larger[64];
    std::fill(std::begin(larger), std::end(larger), 0xEE);
    EXPECT_TRUE(backend.ReadBytes(key, "plmnt", larger, sizeof larger));
    EXPECT_TRUE(std::equal(record, record + 44, larger));
    EXPECT_EQ(larger[44], 0xEE) << "bytes past the value stay untouched";

    unsigned char smaller[10];
    EXPECT_FALSE(backend.ReadBytes(key, "plmnt", smaller, sizeof smaller));
}

TEST_F(RegistryBackend, ReadBytesWithNullBufferOrMissingEntries) {
    unsigned char buffer[4];
    EXPECT_FALSE(backend.ReadBytes(key, "plmnt", nullptr, 4)) << "missing key";
    ASSERT_TRUE(backend.WriteBytes(key, "plmnt", "abcd", 4));
    EXPECT_TRUE(backend.ReadBytes(key, "plmnt", nullptr, 4));
    EXPECT_FALSE(backend.ReadBytes(key, "other", buffer, sizeof buffer));

    EXPECT_TRUE(backend.WriteBytes(key, "plmnt", nullptr, 4)) << "null data deletes";
    EXPECT_FALSE(backend.ReadBytes(key, "plmnt", buffer, sizeof buffer));
}

TEST_F(RegistryBackend, DeleteKeyRemovesTheWholeTreeButNotPrefixSiblings) {
    ASSERT_TRUE(backend.WriteString(key + "\\Sets\\Embra", "vis", "50"));
    ASSERT_TRUE(backend.WriteString(key + "\\Sets\\Embra\\Deep", "x", "1"));
    ASSERT_TRUE(backend.WriteString(key + "\\Sets\\Embra2", "vis", "60"));

    EXPECT_TRUE(backend.DeleteKey(key + "\\Sets\\Embra"));
    EXPECT_FALSE(backend.KeyExists(key + "\\Sets\\Embra"));
    EXPECT_FALSE(backend.KeyExists(key + "\\Sets\\Embra\\Deep"));
    EXPECT_TRUE(backend.KeyExists(key + "\\Sets\\Embra2"));

    EXPECT_FALSE(backend.DeleteKey(key + "\\Sets\\Embra")) << "already gone";
    EXPECT_FALSE(backend.DeleteKey("")) << "never the whole hive";
}

TEST_F(RegistryBackend, KeyExistsOnceCreated) {
    EXPECT_FALSE(backend.KeyExists(key));
    ASSERT_TRUE(backend.WriteString(key + "\\Options\\Windows\\Main", "Handle", "0"));
    EXPECT_TRUE(backend.KeyExists(key));
    EXPECT_TRUE(backend.KeyExists(key + "\\Options\\Windows\\Main"));
}

TEST_F(RegistryBackend, EnumSubkeyListsEachSubkeyOnceThenFails) {
    const tstr profiles = key + "\\Profiles";
    tstr name = "kept";
    EXPECT_FALSE(backend.EnumSubkey(profiles, 0, name)) << "missing key";
    for (const char* profile : {"Default", "Work", "Night"})
        ASSERT_TRUE(backend.WriteString(profiles + "\\" + profile + "\\Options", "x", "1"));

    std::set<std::string> found;
    for (int index = 0; index < 3; ++index) {
        ASSERT_TRUE(backend.EnumSubkey(profiles, index, name));
        found.insert(name.c_str());
    }
    EXPECT_EQ(found, (std::set<std::string>{"Default", "Night", "Work"}));
    name = "kept";
    EXPECT_FALSE(backend.EnumSubkey(profiles, 3, name));
    EXPECT_FALSE(backend.EnumSubkey(profiles, -1, name));
    EXPECT_STREQ(name.c_str(), "kept");
}

} // namespace
