#pragma once

#include <windows.h>

class CNavPaneItem;

// The owner's side of a navigation pane: every operation does nothing and returns 0 unless
// the owner overrides it.
class CNavPaneWndParent {
public:
    CNavPaneWndParent() = default;
    CNavPaneWndParent(const CNavPaneWndParent&) = delete;
    CNavPaneWndParent& operator=(const CNavPaneWndParent&) = delete;
    virtual ~CNavPaneWndParent() = default;

    // A push or toggle tool of entry was clicked.
    virtual int OnToolCommand(UINT /*command*/, CNavPaneItem* /*entry*/) { return 0; }
    // First on every key-down and system key-down (message says which); non-zero stops the
    // pane's own handling.
    virtual int OnKey(UINT /*message*/, UINT /*key*/, LPARAM /*lParam*/) { return 0; }
    // From the hit tests, for the entry under the point, before its tools are handled.
    virtual int OnMouseOverEntry(UINT /*message*/, POINT /*point*/, CNavPaneItem* /*entry*/) {
        return 0;
    }
    // After the pane handled a mouse message; entry: the last one under the point, or null.
    virtual int OnMouse(UINT /*message*/, POINT /*point*/, CNavPaneItem* /*entry*/) { return 0; }
    // After an entry's selected or expanded flag was set.
    virtual int OnEntryChanged(CNavPaneItem* /*entry*/, int /*reserved*/) { return 0; }
    // At the end of a drag of source onto target; true when the owner has handled it, so
    // that the pane leaves the order alone.
    virtual bool OnDrop(CNavPaneItem* /*target*/, CNavPaneItem* /*source*/, bool /*before*/) {
        return false;
    }
};
