#include "params/SettingsBackendFactory.h"

#include "params/CIniBackend.h"
#include "params/CRegistryBackend.h"

std::unique_ptr<ISettingsBackend> CreateSettingsBackend(bool registryMode) {
    if (registryMode)
        return std::make_unique<CRegistryBackend>();
    return std::make_unique<CIniBackend>();
}
