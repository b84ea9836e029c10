#include "params/CSettingsStore.h"
#include "params/CMemoryBackend.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Logs the names it is told and every write with the full path it received.
class CRecordingBackend : public CMemoryBackend {
public:
    explicit CRecordingBackend(Log* log) : log(log) {}
    void SetNames(const tstr& firm, const tstr& app, const tstr& file) override {
        log->push_back(std::string("names ") + firm.str() + "/" + app.str() + "/" + file.str());
    }
    bool WriteString(const tstr& path, const tstr& name, const tstr& text) override {
        log->push_back(std::string(path.str()) + "|" + name.str() + "=" +
                       (text.IsNull() ? "(null)" : text.str()));
        return CMemoryBackend::WriteString(path, name, text);
    }

private:
    Log* log;
};

} // namespace

TEST(SettingsStorePaths, FirmAndAppGiveTheDefaultRoot) {
    CSettingsStore store(true, "Lumavist", "Embra");
    EXPECT_STREQ(store.GetRoot().c_str(), "Software\\*firm*\\*app*\\");
    EXPECT_STREQ(store.Expand("Sets").c_str(), "Software\\Lumavist\\Embra\\Sets");
    CSettingsStore unnamed(true, "Lumavist", "");
    EXPECT_STREQ(unnamed.Expand("Sets").c_str(), "Sets"); // an empty name sets no root
}

TEST(SettingsStorePaths, SetRootBackslashRules) {
    CSettingsStore store(true, "", "");
    struct Row {
        tstr path;
        const char* root;
    } rows[] = {
        {"Software\\A", "Software\\A\\"},   // appended
        {"Software\\A\\", "Software\\A\\"}, // already there: kept single
        {"", ""},                           // empty stays empty
        {tstr(), ""},                       // null counts as empty
    };
    for (const Row& r : rows) {
        store.SetRoot(r.path);
        EXPECT_STREQ(store.GetRoot().str(), r.root) << r.path.str();
    }
}

TEST(SettingsStorePaths, SubstitutionsApplyInOrderAndReplacementMovesToTheEnd) {
    CSettingsStore store(true, "", "");
    store.SetRoot("Software\\Lumavist\\Embra");
    store.AddSubstitution("*prof*", "Profiles\\Default\\");
    EXPECT_STREQ(store.Expand("*prof*Options").c_str(),
                 "Software\\Lumavist\\Embra\\Profiles\\Default\\Options");
    store.AddSubstitution("*x*", "*prof*");
    store.AddSubstitution("*prof*", "Profiles\\Night\\");
    // *prof* now runs after *x*, so it also replaces the text that *x* brought in.
    EXPECT_STREQ(store.Expand("*x*|*prof*").c_str(),
                 "Software\\Lumavist\\Embra\\Profiles\\Night\\|Profiles\\Night\\");
}

TEST(SettingsStorePaths, ReplacementIsNotSearchedAgain) {
    CSettingsStore store(true, "", "");
    store.AddSubstitution("ab", "abab"); // would never end if searched again
    store.AddSubstitution("", "never");  // an empty token replaces nothing
    store.AddSubstitution("*P*", "p");
    EXPECT_STREQ(store.Expand("ab-ab*p**P*").c_str(), "abab-abab*p*p"); // case-sensitive
}

TEST(SettingsStore, AccessTellsTheNamesAndPassesTheFullPath) {
    Log log;
    CSettingsStore store(true, "Lumavist", "Embra");
    store.SetBackend(std::make_unique<CRecordingBackend>(&log));
    store.SetIniFileName("embra.ini");
    EXPECT_TRUE(store.WriteInt("Options\\Windows\\Main", "Handle", -1));
    EXPECT_EQ(log, (Log{"names Lumavist/Embra/embra.ini",
                        "Software\\Lumavist\\Embra\\Options\\Windows\\Main|Handle=-1"}));
    tstr out;
    EXPECT_TRUE(store.ReadString("Options\\Windows\\Main", "Handle", out));
    EXPECT_STREQ(out.c_str(), "-1");
    EXPECT_TRUE(store.EnumSubkey("Options", 0, out));
    EXPECT_STREQ(out.c_str(), "Windows");
}

TEST(SettingsStore, DeleteKeyRefusesAnEmptyFullPath) {
    Log log;
    CSettingsStore store(true, "", "");
    store.SetBackend(std::make_unique<CRecordingBackend>(&log));
    EXPECT_FALSE(store.DeleteKey(""));
    EXPECT_TRUE(log.empty()); // never reaches the back-end
    store.WriteString("Sets\\Embra", "vis", "1");
    EXPECT_TRUE(store.DeleteKey("Sets"));
    EXPECT_FALSE(store.KeyExists("Sets\\Embra"));
}

TEST(SettingsStore, EachModeKeepsItsOwnBackendAndIniNeverEnumerates) {
    Log registryLog, iniLog;
    CSettingsStore store(true, "", "");
    store.SetBackend(std::make_unique<CRecordingBackend>(&registryLog));
    store.SetRegistryMode(false);
    store.SetBackend(std::make_unique<CRecordingBackend>(&iniLog));
    store.WriteString("S\\T", "k", "ini");
    tstr name("unchanged");
    EXPECT_FALSE(store.EnumSubkey("S", 0, name));
    EXPECT_STREQ(name.c_str(), "unchanged");
    store.SetRegistryMode(true);
    EXPECT_FALSE(store.EnumSubkey("S", 0, name)); // the registry back-end has no key S yet
    store.WriteString("S\\T", "k", tstr());
    EXPECT_EQ(iniLog.back(), "S\\T|k=ini");
    EXPECT_EQ(registryLog.back(), "S\\T|k=(null)");
}

TEST(SettingsStore, FactoryBackendServesTheRegistryMode) {
    CSettingsStore store(true, "", "");
    const char* key = "Software\\EmbraTests\\StoreFactory";
    EXPECT_TRUE(store.WriteString(key, "v", ""));
    tstr out("x");
    EXPECT_TRUE(store.ReadString(key, "v", out)); // the registry keeps empty texts
    EXPECT_STREQ(out.c_str(), "");
    EXPECT_TRUE(store.DeleteKey(key));
    EXPECT_FALSE(store.KeyExists(key));
}
