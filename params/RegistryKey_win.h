#pragma once

#include "params/CHandleOwner.h"

#include <windows.h>

// An open registry key, closed with RegCloseKey.
struct CCloseRegistryKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using CRegistryKey = CHandleOwner<HKEY, CCloseRegistryKey>;
