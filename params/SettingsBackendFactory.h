#pragma once

#include "params/ISettingsBackend.h"

#include <memory>

// The settings store's back-end for this platform: the registry-mode one when
// registryMode is true, the file-based one otherwise.
std::unique_ptr<ISettingsBackend> CreateSettingsBackend(bool registryMode);
