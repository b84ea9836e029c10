#pragma once

#include <cstdint>

// Base of every object that an entry of the navigation pane can stand for. `live` is 1
// from construction until destruction and 0 afterwards, so that a holder of a stale
// pointer into freed-but-not-reused memory can tell the object is gone.
class CNavPaneItemData {
public:
    CNavPaneItemData() = default;
    CNavPaneItemData(const CNavPaneItemData&) = delete;
    CNavPaneItemData& operator=(const CNavPaneItemData&) = delete;
    virtual ~CNavPaneItemData() { live = 0; }

    uint32_t live = 1;
};
