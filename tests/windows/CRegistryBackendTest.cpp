#include "params/CRegistryBackend.h"
#include "params/ISettingsBackend.h"
#include "params/Utf16_win.h"

#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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

TEST_F(RegistryBackend, ReadStringTakesAnyShortValueUpToItsFirstNul) {
    const std::string x300(300, 'x');
    const std::string full(kMaxTextValueBytes - 1, 'f'); // with its terminator: the limit
    const std::string over(kMaxTextValueBytes, 'o');
    const std::string huge(1 << 20, 'h');
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
        {"REG_SZ of exactly the limit", REG_SZ, full + '\0', true, full.c_str()},
        {"REG_SZ one byte over the limit", REG_SZ, over + '\0', false, "kept"},
        {"REG_BINARY at the limit, no NUL", REG_BINARY, over, true, over.c_str()},
        {"REG_BINARY of 1 MiB", REG_BINARY, huge, false, "kept"},
        {"REG_SZ of 1 MiB", REG_SZ, huge + '\0', false, "kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(
            WriteRawValue(key, "v", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size())));
        tstr out = "kept";
        EXPECT_EQ(backend.ReadString(key, "v", out), c.read);
        EXPECT_EQ(std::strcmp(out.str(), c.text), 0) << "read " << out.Length() << " characters";
    }
    tstr out = "kept";
    EXPECT_FALSE(backend.ReadString(key, "missing", out));
    EXPECT_FALSE(backend.ReadString(key + "\\Missing", "v", out));
    EXPECT_STREQ(out.c_str(), "kept");
}

// A value far too large for the program is passed over, leaving the caller's text as it
// was; the values beside it still read.
TEST_F(RegistryBackend, AnOversizedValueLosesNothingElse) {
    const std::string huge(4 << 20, '7');
    ASSERT_TRUE(backend.WriteString(key + "\\Sets\\Embra", "vis", "60"));
    ASSERT_TRUE(WriteRawValue(key + "\\Sets\\Embra", "items", REG_SZ, huge.c_str(),
                              static_cast<DWORD>(huge.size() + 1)));
    ASSERT_TRUE(backend.WriteString(key + "\\Sets\\Embra", "flm_size", "3"));
    tstr vis;
    tstr items = "80";
    tstr size;
    EXPECT_TRUE(backend.ReadString(key + "\\Sets\\Embra", "vis", vis));
    EXPECT_FALSE(backend.ReadString(key + "\\Sets\\Embra", "items", items));
    EXPECT_TRUE(backend.ReadString(key + "\\Sets\\Embra", "flm_size", size));
    EXPECT_STREQ(vis.c_str(), "60");
    EXPECT_STREQ(items.c_str(), "80");
    EXPECT_STREQ(size.c_str(), "3");
}

// The window placement record is a REG_BINARY value of exactly its size; anything else
// under its name reads as absent and leaves the caller's record as it was.
TEST_F(RegistryBackend, BytesReadOnlyAsRegBinaryOfTheirExactSize) {
    std::string record(44, '\0');
    for (int i = 0; i < 44; ++i)
        record[static_cast<std::size_t>(i)] = static_cast<char>(i * 7);
    unsigned char buffer[64];
    EXPECT_FALSE(backend.ReadBytes(key, "plmnt", nullptr, 44)) << "missing key";
    ASSERT_TRUE(backend.WriteBytes(key, "plmnt", record.data(), record.size()));
    EXPECT_EQ(RawValue(key, "plmnt"), "3:" + record); // REG_BINARY is 3
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    EXPECT_TRUE(backend.ReadBytes(key, "plmnt", buffer, 44));
    EXPECT_EQ(std::memcmp(record.data(), buffer, 44), 0);
    EXPECT_EQ(buffer[44], 0xEE);
    EXPECT_TRUE(backend.ReadBytes(key, "plmnt", nullptr, 44)) << "null buffer: the key opens";

    struct Case {
        const char* what;
        DWORD type;
        std::string bytes;
    };
    const Case absent[] = {
        {"one byte short", REG_BINARY, record.substr(0, 43)},
        {"one byte long", REG_BINARY, record + 'x'},
        {"empty", REG_BINARY, ""},
        {"1 MiB", REG_BINARY, std::string(1 << 20, 'p')},
        {"text of the right size", REG_SZ, std::string(43, 's') + '\0'},
        {"REG_NONE of the right size", REG_NONE, record},
    };
    for (const Case& c : absent) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteRawValue(key, "plmnt", c.type, c.bytes.data(),
                                  static_cast<DWORD>(c.bytes.size())));
        std::fill(std::begin(buffer), std::end(buffer), 0xEE);
        EXPECT_FALSE(backend.ReadBytes(key, "plmnt", buffer, 44));
        EXPECT_TRUE(std::all_of(std::begin(buffer), std::end(buffer),
                                [](unsigned char b) { return b == 0xEE; }));
    }

    EXPECT_TRUE(backend.WriteBytes(key, "plmnt", nullptr, 44));
    EXPECT_EQ(RawValue(key, "plmnt"), "<none>") << "null data deletes";
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

// Names and texts in any script pass as UTF-8 whatever the system's code page: the registry
// holds the same letters, as a wide call reads them; the values enumerate by those names.
TEST_F(RegistryBackend, NamesAndTextsInAnyScriptPassAndTheValuesEnumerate) {
    const tstr programs = key + "\\Programs";
    const char* const names[] = {"obs64.exe", "Pr\xC3\xA4sentation.exe",
                                 "\xE5\xBE\xAE\xE4\xBF\xA1.exe"};
    for (const char* name : names)
        ASSERT_TRUE(backend.WriteString(programs, name, name));
    wchar_t text[64] = {};
    DWORD size = sizeof(text);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, Utf16(programs).c_str(), L"Pr\u00E4sentation.exe",
                           RRF_RT_REG_SZ, nullptr, text, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, L"Pr\u00E4sentation.exe");
    std::set<std::string> found;
    tstr name;
    for (int index = 0; backend.EnumValue(programs, index, name); ++index) {
        found.insert(name.str());
        tstr data;
        EXPECT_TRUE(backend.ReadString(programs, name, data));
        EXPECT_STREQ(data.str(), name.str());
    }
    EXPECT_EQ(found, std::set<std::string>(std::begin(names), std::end(names)));
    name = "kept";
    EXPECT_FALSE(backend.EnumValue(key + "\\Missing", 0, name));
    EXPECT_FALSE(backend.EnumValue(programs, -1, name));
    EXPECT_STREQ(name.c_str(), "kept");
}

} // namespace
