#include "params/SettingsBackendFactory.h"

#include "params/CMemoryBackend.h"

// Without a registry or profile files, both modes keep their entries in memory, each with
// the rules of the facility it stands in for.
std::unique_ptr<ISettingsBackend> CreateSettingsBackend(bool registryMode) {
    return std::make_unique<CMemoryBackend>(registryMode ? CMemoryBackend::Flavour::Registry
                                                         : CMemoryBackend::Flavour::Ini);
}
