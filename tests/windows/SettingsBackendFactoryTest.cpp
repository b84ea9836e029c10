#include "params/SettingsBackendFactory.h"

#include "params/CIniBackend.h"
#include "params/CRegistryBackend.h"

#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsBackendFactory, GivesTheBackendOfTheMode) {
    const auto registry = CreateSettingsBackend(true);
    const auto ini = CreateSettingsBackend(false);
    EXPECT_NE(dynamic_cast<CRegistryBackend*>(registry.get()), nullptr);
    EXPECT_NE(dynamic_cast<CIniBackend*>(ini.get()), nullptr);
}

// Profiles are found by enumerating subkeys: only the registry mode has any.
TEST(SettingsBackendFactory, OnlyTheRegistryModeEnumeratesSubkeys) {
    const tstr key = TestKeyPath();
    const TestIniFile file;
    for (bool registryMode : {true, false}) {
        SCOPED_TRACE(registryMode ? "registry" : "ini");
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
