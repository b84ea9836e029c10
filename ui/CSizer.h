#pragma once

#include <windows.h>

#include <vector>

// Keeps the controls of a resizable window anchored to the right and bottom edges of their
// parents. Each anchor records how far a control's right (or left) edge and bottom (or top)
// edge lie from its parent's right and bottom edge; Layout restores those distances after
// a resize. A control whose parent is a child page of the owner is laid out against the
// page's client size, so pages are added before their controls (recursion does that).
class CSizer {
public:
    // Anchor flag bits.
    static constexpr DWORD kFollowRight = 8;
    // With kFollowRight: move, keeping the width; without: stretch, keeping the left edge.
    static constexpr DWORD kMoveHorizontally = 4;
    static constexpr DWORD kFollowBottom = 2;
    // With kFollowBottom: move, keeping the height; without: stretch, keeping the top edge.
    static constexpr DWORD kMoveVertically = 1;
    // Neither moved nor stretched.
    static constexpr DWORD kFixed = 16;
    // AddWindow's flags 0: chosen from the control's place relative to the centre point.
    static constexpr DWORD kAutomatic = 0;

    // Active when `owner` is a window; the centre point is half its client size.
    explicit CSizer(HWND owner);
    CSizer(const CSizer&) = delete;
    CSizer& operator=(const CSizer&) = delete;
    virtual ~CSizer();

    // Adds the window (and, when recursive, its children with automatic flags); 0 when it
    // is listed already or does not exist.
    int AddWindow(HWND window, DWORD flags);
    // The owner's child with that control id; 0 when there is none.
    int AddControl(int id, DWORD flags);
    // Restores every anchor's distances for the owner's new client size; 0 while inactive
    // or suspended.
    int Layout(int width, int height);
    // Limits of the owner's window size in pixels, 0 for none; a maximum below its minimum
    // lowers the minimum to it.
    void SetLimits(UINT minimumWidth, UINT maximumWidth, UINT minimumHeight, UINT maximumHeight);
    // Keeps a window rectangle being dragged by `edge` (WMSZ_ code 1 to 8) within the limits.
    void LimitSizing(UINT edge, RECT* rect);
    // Whether AddWindow adds children too; returns the previous value, -1 keeps it.
    int SetRecursive(int value);
    // While suspended, Layout and LimitSizing do nothing.
    void SetSuspended(bool value) { suspended = value ? 1 : 0; }

    bool IsActive() const { return state == 1; }
    HWND Owner() const { return owner; }
    POINT Centre() const { return centre; }
    // The flags of an added window, 0 when it is not listed.
    DWORD FlagsOf(HWND window) const;

private:
    struct Anchor {
        HWND window;
        DWORD flags;
        int rightDistance;
        int bottomDistance;
    };

    bool IsListed(HWND window) const;
    DWORD AutomaticFlags(const RECT& rect) const;
    void AddChildren(HWND window);
    void LayOutAnchor(const Anchor& anchor, int width, int height) const;
    bool Acts() const { return state == 1 && !suspended; }

    int state = 0;
    HWND owner = nullptr;
    UINT minimumWidth = 0;
    UINT maximumWidth = 0;
    UINT minimumHeight = 0;
    UINT maximumHeight = 0;
    int recursive = 1;
    int suspended = 0;
    POINT centre{};
    std::vector<Anchor> anchors;
};
