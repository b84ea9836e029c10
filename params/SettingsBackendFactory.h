#pragma once

#include "params/ISettingsBackend.h"

#include <memory>

// The back-end for the given mode: the registry (true) or an INI file (false). Each build
// provides its own definition; null when none can be made.
std::unique_ptr<ISettingsBackend> CreateSettingsBackend(bool registryMode);
