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

} // namespace
