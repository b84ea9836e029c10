#include "params/CEdges.h"
#include "params/CParam.h"
#include "params/CParamRegSet.h"
#include "params/CSettingsStore.h"

#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The store in registry mode over Wine's registry; firm and app make the root
// Software\EmbraTests\<suite>.<test>\, the test's own key.
class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestKey(key); }
    void TearDown() override { DeleteTestKey(key); }

    const tstr key = TestKeyPath();
    CSettingsStore store{true, "EmbraTests", CurrentTestName().c_str()};
};

TEST_F(RegistryStore, ProfileTokenAddressesTheCurrentProfilesKey) {
    store.AddSubstitution("*prof*", "Profiles\\Default\\");
    ASSERT_TRUE(store.WriteInt("*prof*Options", "StartMinimize", -1));
    EXPECT_EQ(RawValue(key + "\\Profiles\\Default\\Options", "StartMinimize"),
              std::string("1:-1\0", 5)); // REG_SZ holding the decimal text
    tstr out;
    EXPECT_TRUE(store.ReadString("*prof*Options", "StartMinimize", out));
    EXPECT_STREQ(out.c_str(), "-1");

    // A second profile replaces the first for every later access.
    store.AddSubstitution("*prof*", "Profiles\\Work\\");
    out = "kept";
    EXPECT_FALSE(store.ReadString("*prof*Options", "StartMinimize", out));
    EXPECT_STREQ(out.c_str(), "kept");
    ASSERT_TRUE(store.WriteString("*prof*Options", "StartMinimize", "1"));
    std::set<std::string> profiles;
    for (int index = 0; store.EnumSubkey("Profiles", index, out); ++index)
        profiles.insert(out.c_str());
    EXPECT_EQ(profiles, (std::set<std::string>{"Default", "Work"}));
}

TEST_F(RegistryStore, ParameterSetSavesReloadsAndDropsTheImplicitEntry) {
    const tstr path = "Sets\\Embra";
    ASSERT_TRUE(store.WriteString(path, "transBG", "0")); // left by an earlier save
    CEdges<CParam<int>, int> vis;
    vis.SetRange(10, 100);
    vis.Set(35);
    CParam<tstr> current("Glimra");
    CParam<int> transBG(1);
    transBG.SetImplicit(1);
    CParamRegSet saved(&store);
    saved.SetPath(path);
    ASSERT_TRUE(saved.Add(&vis, "vis") && saved.Add(&current, "current") &&
                saved.Add(&transBG, "transBG"));
    saved.Save();
    EXPECT_EQ(RawValue(key + "\\Sets\\Embra", "vis"), std::string("1:35\0", 5));
    EXPECT_EQ(RawValue(key + "\\Sets\\Embra", "transBG"), "<none>");

    CEdges<CParam<int>, int> freshVis;
    freshVis.SetRange(10, 100);
    CParam<tstr> freshCurrent("Embra");
    CParam<int> freshTransBG(0);
    CParamRegSet loaded(&store);
    loaded.SetPath(path);
    ASSERT_TRUE(loaded.Add(&freshVis, "vis") && loaded.Add(&freshCurrent, "current") &&
                loaded.Add(&freshTransBG, "transBG"));
    loaded.Load();
    EXPECT_EQ(*freshVis.Get(), 35);
    EXPECT_STREQ(freshCurrent.Get()->c_str(), "Glimra");
    EXPECT_EQ(*freshTransBG.Get(), 0) << "an absent entry leaves the value alone";
}

} // namespace
