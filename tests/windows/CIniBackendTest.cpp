#include "params/CIniBackend.h"

#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

class IniBackend : public ::testing::Test {
protected:
    void SetUp() override {
        ini.Remove();
        backend.SetNames(ini.firm, ini.app, ini.fileName);
    }
    void TearDown() override { ini.Remove(); }

    // A value as Windows' own profile reader finds it in the test's file.
    std::string Profile(const tstr& section, const char* name) const {
        char value[64] = "";
        GetPrivateProfileStringA(section.c_str(), name, "<none>", value, sizeof value,
                                 ini.Path().c_str());
        return value;
    }

    const TestIniFile ini;
    const tstr section = "Software\\EmbraTests\\Sets\\Embra";
    CIniBackend backend;
};

TEST_F(IniBackend, TextIsAKeyOfTheFullPathSectionAndEmptyReadsAsAbsent) {
    ASSERT_TRUE(backend.WriteString(section, "vis", "-1"));
    EXPECT_EQ(Profile(section, "vis"), "-1");
    tstr out;
    EXPECT_TRUE(backend.ReadString(section, "vis", out));
    EXPECT_STREQ(out.c_str(), "-1");
    EXPECT_TRUE(backend.KeyExists(section));

    // Unlike an empty REG_SZ, an empty key is stored but reads as absent.
    ASSERT_TRUE(backend.WriteString(section, "empty", ""));
    EXPECT_EQ(Profile(section, "empty"), "");
    for (const char* name : {"empty", "missing"}) {
        out = "kept";
        EXPECT_FALSE(backend.ReadString(section, name, out)) << name;
        EXPECT_STREQ(out.c_str(), "") << name;
    }

    ASSERT_TRUE(backend.WriteString(section, "vis", tstr()));
    ASSERT_TRUE(backend.WriteString(section, "empty", tstr()));
    EXPECT_EQ(Profile(section, "vis"), "<none>") << "null text deletes";
    EXPECT_FALSE(backend.KeyExists(section)) << "a section without keys does not count";
}

TEST_F(IniBackend, ValuesOfAnyLengthReadBackWhole) {
    // Around the first buffer (768 with its terminator) and its doublings, up to the
    // longest value a profile file keeps (32766 characters under Wine): seven reads,
    // where growing by 256 characters a time would take 126.
    for (std::size_t length : {766u, 767u, 768u, 1535u, 1536u, 3000u, 32766u}) {
        const std::string text(length, 'v');
        ASSERT_TRUE(backend.WriteString(section, "long", text.c_str()));
        tstr out;
        EXPECT_TRUE(backend.ReadString(section, "long", out));
        EXPECT_EQ(out.Length(), length);
        EXPECT_TRUE(text == out.str()) << length;
    }
}

TEST_F(IniBackend, BytesReadBackOnlyWholeAtTheirOwnSize) {
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

    ASSERT_TRUE(backend.WriteString(section, "damaged", "00112233ZZ"));
    EXPECT_FALSE(backend.ReadBytes(section, "damaged", read, 5));
    ASSERT_TRUE(backend.WriteBytes(section, "plmnt", nullptr, 44));
    EXPECT_EQ(Profile(section, "plmnt"), "<none>") << "null data deletes";
}

TEST_F(IniBackend, DeleteKeyRemovesEverySectionStartingWithThePath) {
    // Many other sections, so that the list of names needs several doublings.
    ASSERT_TRUE(backend.WriteString("Software\\Other0", "x", "1")); // creates the folders
    std::string file;
    for (int i = 0; i < 3000; ++i)
        file += "[Software\\Other" + std::to_string(i) + "]\r\nx=1\r\n";
    ASSERT_TRUE(WriteWholeFile(ini.Path(), file));
    ASSERT_TRUE(backend.WriteString(section, "vis", "50"));
    ASSERT_TRUE(backend.WriteString(section + "\\Deep", "x", "1"));
    ASSERT_TRUE(backend.WriteString(section + "2", "vis", "60"));

    EXPECT_TRUE(backend.DeleteKey(section));
    EXPECT_EQ(Profile(section, "vis"), "<none>");
    EXPECT_EQ(Profile(section + "\\Deep", "x"), "<none>");
    EXPECT_EQ(Profile(section + "2", "vis"), "<none>") << "merely sharing the prefix";
    EXPECT_EQ(Profile("Software\\Other2999", "x"), "1");
    EXPECT_FALSE(backend.DeleteKey(section)) << "nothing left to delete";
    EXPECT_FALSE(backend.DeleteKey(""));
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

TEST(IniFilePath, JoinsTheFoldersAndMustFitInMaxPath) {
    const std::string f200(200, 'f');
    const std::string n49(49, 'n');
    struct Case {
        std::string folder;
        std::string file;
        std::string joined; // "kept": refused, path untouched
    };
    const Case cases[] = {
        {"C:\\AppData", "a.ini", "C:\\AppData\\Firm\\App\\a.ini"},   // separator added
        {"C:\\AppData\\", "a.ini", "C:\\AppData\\Firm\\App\\a.ini"}, // kept single
        {"C:/AppData/", "a.ini", "C:/AppData/Firm\\App\\a.ini"},     // slash counts too
        // 200 + 10 + 49 = 259 characters: fits with the terminator; one more does not.
        {f200, n49, f200 + "\\Firm\\App\\" + n49},
        {f200, n49 + "n", "kept"},
    };
    for (const Case& c : cases) {
        tstr path = "kept";
        EXPECT_EQ(CIniBackend::JoinFilePath(c.folder.c_str(), "Firm", "App", c.file.c_str(), path),
                  c.joined != "kept");
        EXPECT_STREQ(path.c_str(), c.joined.c_str());
    }
}

} // namespace
