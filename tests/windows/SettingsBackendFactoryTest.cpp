#include "params/SettingsBackendFactory.h"

#include "params/CIniBackend.h"
#include "params/CRegistryBackend.h"

#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

namespace {

// Profiles are found by enumerating subkeys, which only the registry mode has.
TEST(SettingsBackendFactory, GivesTheModesBackendAndOnlyTheRegistryEnumerates) {
    EXPECT_NE(dynamic_cast<CRegistryBackend*>(CreateSettingsBackend(true).get()), nullptr);
    EXPECT_NE(dynamic_cast<CIniBackend*>(CreateSettingsBackend(false).get()), nullptr);
    const tstr key = TestKeyPath();
    const TestIniFile file;
    for (bool registryMode : {true, false}) {
        const auto backend = CreateSettingsBackend(registryMode);
        backend->SetNames(file.firm, file.app, file.fileName);
        ASSERT_TRUE(backend->WriteString(key + "\\Profiles\\Default", "x", "1"));
        tstr name;
        EXPECT_EQ(backend->EnumSubkey(key + "\\Profiles", 0, name), registryMode);
    }
    DeleteTestKey(key);
    file.Remove();
}

} // namespace
