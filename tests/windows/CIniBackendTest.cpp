#include "params/CIniBackend.h"

#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class IniBackend : public ::testing::Test {
protected:
    void SetUp() override {
        ini.Remove();
        backend.SetNames(ini.firm, ini.app, ini.fileName);
    }
    void TearDown() override { ini.Remove(); }

    // A value as Windows' own profile reader sees it in the test's file.
    std::string Profile(const tstr& section, const char* name) const {
        char value[256] = "";
        GetPrivateProfileStringA(section.c_str(), name, "<none>", value, sizeof value,
                                 ini.Path().c_str());
        return value;
    }

    const TestIniFile ini;
    const tstr section = "Software\\EmbraTests\\Sets\\Embra";
    CIniBackend backend;
};

TEST_F(IniBackend, TextGoesToTheSectionOfTheFullPathInTheAppDataFile) {
    ASSERT_TRUE(backend.WriteString(section, "vis", "-1"));
    EXPECT_TRUE(PathFileExistsA(ini.Path().c_str()));
    EXPECT_EQ(Profile(section, "vis"), "-1");

    tstr out;
    EXPECT_TRUE(backend.ReadString(section, "vis", out));
    EXPECT_STREQ(out.c_str(), "-1");
}

TEST_F(IniBackend, EmptyAndMissingValuesBothReadAsAbsentWithEmptyText) {
    ASSERT_TRUE(backend.WriteString(section, "empty", ""));
    EXPECT_EQ(Profile(section, "empty"), "") << "the key itself is stored";
    tstr out = "kept";
    EXPECT_FALSE(backend.ReadString(section, "empty", out));
    EXPECT_STREQ(out.c_str(), "");
    out = "kept";
    EXPECT_FALSE(backend.ReadString(section, "missing", out));
    EXPECT_STREQ(out.c_str(), "");
}

TEST_F(IniBackend, NullTextDeletesTheKey) {
    ASSERT_TRUE(backend.WriteString(section, "vis", "50"));
    ASSERT_TRUE(backend.WriteString(section, "vis", tstr()));
    EXPECT_EQ(Profile(section, "vis"), "<none>");
    EXPECT_FALSE(backend.KeyExists(section));
}

TEST_F(IniBackend, ValuesOfAnyLengthReadBackWhole) {
    // Lengths around the first buffer (768 with its terminator) and its growth steps.
    for (std::size_t length : {1u, 766u, 767u, 768u, 1023u, 1024u, 3000u}) {
        SCOPED_TRACE(length);
        const std::string text(length, 'v');
        ASSERT_TRUE(backend.WriteString(section, "long", text.c_str()));
        tstr out;
        EXPECT_TRUE(backend.ReadString(section, "long", out));
        EXPECT_EQ(out.Length(), length);
        EXPECT_STREQ(out.c_str(), text.c_str());
    }
}

TEST_F(IniBackend, BytesReadBackOnlyAtTheirExactSize) {
    unsigned char record[44];
    for (int i = 0; i < 44; ++i)
        record[i] = static_cast<unsigned char>(255 - i * 5);
    ASSERT_TRUE(backend.WriteBytes(section, "plmnt", record, sizeof record));
    unsigned char read[45] = {};
    EXPECT_TRUE(backend.ReadBytes(section, "plmnt", read, 44));
    EXPECT_TRUE(std::equal(record, record + 44, read));
    EXPECT_FALSE(backend.ReadBytes(section, "plmnt", read, 43));
    EXPECT_FALSE(backend.ReadBytes(section, "plmnt", read, 45));
    EXPECT_FALSE(backend.ReadBytes(section, "plmnt", nullptr, 44));

    ASSERT_TRUE(backend.WriteBytes(section, "plmnt", nullptr, 44));
    EXPECT_EQ(Profile(section, "plmnt"), "<none>") << "null data deletes";
    EXPECT_FALSE(backend.ReadBytes(section, "plmnt", read, 44));
}

TEST_F(IniBackend, DamagedBytesDoNotRead) {
    ASSERT_TRUE(backend.WriteString(section, "plmnt", "00112233ZZ"));
    unsigned char read[4];
    EXPECT_FALSE(backend.ReadBytes(section, "plmnt", read, sizeof read));
}

TEST_F(IniBackend, DeleteKeyRemovesEverySectionStartingWithThePath) {
    ASSERT_TRUE(backend.WriteString(section, "vis", "50"));
    ASSERT_TRUE(backend.WriteString(section + "\\Deep", "x", "1"));
    ASSERT_TRUE(backend.WriteString(section + "2", "vis", "60"));
    ASSERT_TRUE(backend.WriteString("Software\\EmbraTests\\Sets\\Ripla", "vis", "70"));

    EXPECT_TRUE(backend.DeleteKey(section));
    EXPECT_EQ(Profile(section, "vis"), "<none>");
    EXPECT_EQ(Profile(section + "\\Deep", "x"), "<none>");
    EXPECT_EQ(Profile(section + "2", "vis"), "<none>") << "a section merely sharing the prefix";
    EXPECT_EQ(Profile("Software\\EmbraTests\\Sets\\Ripla", "vis"), "70");

    EXPECT_FALSE(backend.DeleteKey(section)) << "nothing left to delete";
    EXPECT_FALSE(backend.DeleteKey(""));
}

TEST_F(IniBackend, DeleteKeyFindsSectionsAmongMany) {
    // Enough section names to need several enlargements of the name list.
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(backend.WriteString(tstr("Software\\Other") + tstr::FromInt(i), "x", "1"));
    ASSERT_TRUE(backend.WriteString(section, "vis", "50"));
    EXPECT_TRUE(backend.DeleteKey(section));
    EXPECT_FALSE(backend.KeyExists(section));
    EXPECT_TRUE(backend.KeyExists("Software\\Other39"));
}

TEST_F(IniBackend, KeyExistsNeedsASectionHoldingAKey) {
    EXPECT_FALSE(backend.KeyExists(section));
    ASSERT_TRUE(backend.WriteString(section, "vis", ""));
    EXPECT_TRUE(backend.KeyExists(section)) << "an empty value is still a key";
    ASSERT_TRUE(backend.WriteString(section, "vis", tstr()));
    EXPECT_FALSE(backend.KeyExists(section));
}

TEST_F(IniBackend, EnumSubkeyAlwaysFails) {
    ASSERT_TRUE(backend.WriteString(section + "\\Sub", "x", "1"));
    tstr name = "kept";
    EXPECT_FALSE(backend.EnumSubkey(section, 0, name));
    EXPECT_FALSE(backend.EnumSubkey("Software\\EmbraTests\\Sets", 0, name));
    EXPECT_STREQ(name.c_str(), "kept");
}

TEST_F(IniBackend, OverLongFilePathFailsAndCreatesNothing) {
    TestIniFile longIni;
    longIni.fileName = tstr(std::string(240, 'n').c_str()) + ".ini";
    backend.SetNames(longIni.firm, longIni.app, longIni.fileName);
    unsigned char bytes[4] = {1, 2, 3, 4};
    tstr out = "kept";
    EXPECT_FALSE(backend.WriteString(section, "vis", "50"));
    EXPECT_FALSE(backend.WriteString(section, "vis", tstr()));
    EXPECT_FALSE(backend.WriteBytes(section, "plmnt", bytes, sizeof bytes));
    EXPECT_FALSE(backend.ReadString(section, "vis", out));
    EXPECT_FALSE(backend.ReadBytes(section, "plmnt", bytes, sizeof bytes));
    EXPECT_FALSE(backend.DeleteKey(section));
    EXPECT_FALSE(backend.KeyExists(section));
    EXPECT_STREQ(out.c_str(), "kept");
    EXPECT_FALSE(PathFileExistsA(longIni.AppFolder().c_str()));
}

TEST(IniFilePath, JoinsTheFoldersAndFitsInMaxPath) {
    const std::string fill(200, 'f');
    struct Case {
        const char* what;
        std::string folder;
        const char* file;
        bool fits;
        std::string joined;
    };
    const Case cases[] = {
        {"separator added", "C:\\AppData", "a.ini", true, "C:\\AppData\\Firm\\App\\a.ini"},
        {"backslash kept single", "C:\\AppData\\", "a.ini", true, "C:\\AppData\\Firm\\App\\a.ini"},
        {"slash counts as separator", "C:/AppData/", "a.ini", true, "C:/AppData/Firm\\App\\a.ini"},
        // 200 + "\Firm\App\" (10) + 49 = 259 characters: fits with the terminator.
        {"259 characters", fill, "0123456789012345678901234567890123456789012345678", true,
         fill + "\\Firm\\App\\0123456789012345678901234567890123456789012345678"},
        {"260 characters", fill, "01234567890123456789012345678901234567890123456789", false,
         "kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tstr path = "kept";
        EXPECT_EQ(CIniBackend::JoinFilePath(c.folder.c_str(), "Firm", "App", c.file, path), c.fits);
        EXPECT_STREQ(path.c_str(), c.joined.c_str());
    }
}

} // namespace
