#include "params/CSettingsStore.h"
#include "params/CMemoryBackend.h"
#include "params/SettingsBackendFactory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Records every call with the full path it received, and the names told before it.
class CRecordingBackend : public ISettingsBackend {
public:
    explicit CRecordingBackend(std::vector<std::string>* log) : log(log) {}

    void SetNames(const tstr& firm, const tstr& app, const tstr& file) override {
        log->push_back(std::string("names ") + firm.str() + "/" + app.str() + "/" + file.str());
    }
    bool WriteString(const tstr& path, const tstr& name, const tstr& text) override {
        return Record("write", path, name, text.IsNull() ? "(null)" : text.str());
    }
    bool WriteBytes(const tstr& path, const tstr& name, const void*, std::size_t) override {
        return Record("bytes", path, name, "");
    }
    bool ReadString(const tstr& path, const tstr& name, tstr& out) override {
        out = "read";
        return Record("read", path, name, "");
    }
    bool ReadBytes(const tstr& path, const tstr& name, void*, std::size_t) override {
        return Record("readbytes", path, name, "");
    }
    bool DeleteKey(const tstr& path) override { return Record("delete", path, "", ""); }
    bool KeyExists(const tstr& path) override { return Record("exists", path, "", ""); }
    bool EnumSubkey(const tstr& path, int, tstr& name) override {
        name = "sub";
        return Record("enum", path, "", "");
    }

private:
    bool Record(const char* op, const tstr& path, const tstr& name, const char* text) {
        log->push_back(std::string(op) + " " + path.str() + "|" + name.str() + "|" + text);
        return true;
    }
    std::vector<std::string>* log;
};

using Log = std::vector<std::string>;

struct Store : ::testing::Test {
    // The application's configuration: registry mode, Lumavist/Embra, explicit root.
    Store() : store(true, "", "") {
        store.SetBackend(std::make_unique<CRecordingBackend>(&log));
        store.SetFirmAndApp("Lumavist", "Embra");
        store.SetRoot("Software\\Lumavist\\Embra");
    }
    Log log;
    CSettingsStore store;
};

} // namespace

TEST(StorePaths, FirmAndAppGiveTheDefaultRoot) {
    CSettingsStore store(true, "Lumavist", "Embra");
    EXPECT_STREQ(store.GetRoot().c_str(), "Software\\*firm*\\*app*\\");
    EXPECT_STREQ(store.Expand("Sets").c_str(), "Software\\Lumavist\\Embra\\Sets");
    CSettingsStore unnamed(true, "Lumavist", "");
    EXPECT_STREQ(unnamed.GetRoot().c_str(), ""); // an empty name sets no root
    EXPECT_STREQ(unnamed.Expand("Sets").c_str(), "Sets");
    EXPECT_STREQ(unnamed.GetFirm().c_str(), "Lumavist");
}

TEST(StorePaths, SetRootBackslashRules) {
    CSettingsStore store(true, "", "");
    struct Row {
        tstr path;
        const char* root;
    } rows[] = {
        {"Software\\A", "Software\\A\\"},   // appended
        {"Software\\A\\", "Software\\A\\"}, // already ends in one: kept single
        {"", ""},                           // empty stays empty
        {tstr(), ""},                       // null counts as empty
        {"\\", "\\"},                       // a lone backslash already ends in one
    };
    for (const Row& r : rows) {
        store.SetRoot(r.path);
        EXPECT_STREQ(store.GetRoot().str(), r.root) << r.path.str();
    }
}

TEST(StorePaths, SubstitutionsApplyInOrderAndReplacementMovesToTheEnd) {
    CSettingsStore store(true, "", "");
    store.SetRoot("Software\\Lumavist\\Embra\\");
    store.AddSubstitution("*prof*", "Profiles\\Default\\");
    EXPECT_STREQ(store.Expand("*prof*Options").c_str(),
                 "Software\\Lumavist\\Embra\\Profiles\\Default\\Options");
    store.AddSubstitution("*x*", "*prof*"); // later pairs see earlier results only
    store.AddSubstitution("*prof*", "Profiles\\Night\\");
    // *prof* now runs after *x*, so the text *x* brought in is replaced too.
    EXPECT_STREQ(store.Expand("*x*|*prof*").c_str(),
                 "Software\\Lumavist\\Embra\\Profiles\\Night\\|Profiles\\Night\\");
}

TEST(StorePaths, ReplacementIsNotSearchedAgain) {
    CSettingsStore store(true, "", "");
    store.AddSubstitution("ab", "abab"); // would never end if searched again
    store.AddSubstitution("", "never");  // an empty token replaces nothing
    EXPECT_STREQ(store.Expand("ab-ab").c_str(), "abab-abab");
    store.AddSubstitution("*P*", "p");
    EXPECT_STREQ(store.Expand("*p**P*").c_str(), "*p*p"); // case-sensitive
}

TEST_F(Store, EveryAccessTellsTheNamesAndPassesTheFullPath) {
    store.SetIniFileName("embra.ini");
    store.WriteInt("Options", "Handle", -1);
    tstr out;
    store.ReadString("Sets", "current", out);
    EXPECT_STREQ(out.c_str(), "read");
    EXPECT_EQ(
        log,
        (Log{"names Lumavist/Embra/embra.ini", "write Software\\Lumavist\\Embra\\Options|Handle|-1",
             "names Lumavist/Embra/embra.ini", "read Software\\Lumavist\\Embra\\Sets|current|"}));
}

TEST_F(Store, OperationsForwardInTheCurrentMode) {
    unsigned char bytes[4] = {};
    tstr name;
    store.WriteString("A", "n", tstr());
    store.WriteBytes("A", "plmnt", bytes, sizeof bytes);
    store.ReadBytes("A", "plmnt", bytes, sizeof bytes);
    store.DeleteKey("A");
    store.KeyExists("A");
    EXPECT_TRUE(store.EnumSubkey("Profiles", 0, name));
    const std::string base = "Software\\Lumavist\\Embra\\";
    Log ops;
    for (const std::string& e : log)
        if (e.rfind("names", 0) != 0)
            ops.push_back(e);
    EXPECT_EQ(ops, (Log{"write " + base + "A|n|(null)", "bytes " + base + "A|plmnt|",
                        "readbytes " + base + "A|plmnt|", "delete " + base + "A||",
                        "exists " + base + "A||", "enum " + base + "Profiles||"}));
}

TEST_F(Store, DeleteKeyRefusesAnEmptyFullPath) {
    store.SetRoot("");
    EXPECT_FALSE(store.DeleteKey(""));
    EXPECT_FALSE(store.DeleteKey(tstr()));
    EXPECT_TRUE(log.empty()); // never reaches the back-end
    EXPECT_TRUE(store.DeleteKey("Sets"));
}

TEST_F(Store, IniModeNeverEnumeratesAndKeepsItsOwnBackend) {
    store.SetRegistryMode(false);
    EXPECT_FALSE(store.IsRegistryMode());
    Log iniLog;
    store.SetBackend(std::make_unique<CRecordingBackend>(&iniLog));
    tstr name("unchanged");
    EXPECT_FALSE(store.EnumSubkey("Profiles", 0, name));
    EXPECT_STREQ(name.c_str(), "unchanged");
    store.WriteString("S", "k", "v");
    store.SetRegistryMode(true);
    store.WriteString("S", "k", "r");
    EXPECT_EQ(iniLog.back(), "write Software\\Lumavist\\Embra\\S|k|v");
    EXPECT_EQ(log.back(), "write Software\\Lumavist\\Embra\\S|k|r");
}

TEST(StoreMemory, WriteIntOfMinusOneReadsBack) {
    CSettingsStore store(true, "Lumavist", "Embra");
    store.SetBackend(std::make_unique<CMemoryBackend>());
    EXPECT_TRUE(store.WriteInt("Options\\Windows\\Main", "Handle", -1));
    tstr out;
    EXPECT_TRUE(store.ReadString("Options\\Windows\\Main", "Handle", out));
    EXPECT_STREQ(out.c_str(), "-1");
    EXPECT_TRUE(store.KeyExists("Options\\Windows"));
    store.AddSubstitution("*prof*", "Profiles\\Default\\");
    store.WriteString("*prof*Options", "opaque", "10");
    EXPECT_TRUE(store.KeyExists("Profiles\\Default\\Options"));
    EXPECT_TRUE(store.EnumSubkey("Profiles", 0, out));
    EXPECT_STREQ(out.c_str(), "Default");
}

TEST(StoreMemory, FactoryBackendServesTheRegistryMode) {
    CSettingsStore store(true, "", "");
    store.SetBackend(nullptr); // the first access takes the build's own back-end
    EXPECT_TRUE(store.WriteString("Software\\EmbraTests\\StoreFactory", "v", "1"));
    tstr out;
    EXPECT_TRUE(store.ReadString("Software\\EmbraTests\\StoreFactory", "v", out));
    EXPECT_STREQ(out.c_str(), "1");
    EXPECT_TRUE(store.DeleteKey("Software\\EmbraTests\\StoreFactory"));
    EXPECT_FALSE(store.KeyExists("Software\\EmbraTests\\StoreFactory"));
}
