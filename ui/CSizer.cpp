#include "ui/CSizer.h"

#include <algorithm>

namespace {

constexpr UINT kLayoutPositionFlags =
    SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

// The window whose client area holds `window`: its parent for a child window, the
// desktop (whose client coordinates are the screen's) for a pop-up or top-level one.
HWND ContainerOf(HWND window) {
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    HWND parent = (style & WS_CHILD) ? GetParent(window) : nullptr;
    return parent ? parent : GetDesktopWindow();
}

// The window's rectangle in its container's client coordinates.
RECT RectInContainer(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, ContainerOf(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSizeOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

} // namespace

CSizer::CSizer(HWND owner) : owner(owner) {
    if (!owner || !IsWindow(owner))
        return;
    const SIZE client = ClientSizeOf(owner);
    centre = {client.cx / 2, client.cy / 2};
    state = 1;
}

CSizer::~CSizer() = default;

int CSizer::AddWindow(HWND window, DWORD flags) {
    if (IsListed(window) || !window || !IsWindow(window))
        return 0;
    const RECT rect = RectInContainer(window);
    if (flags == kAutomatic)
        flags = AutomaticFlags(rect);
    const SIZE container = ClientSizeOf(ContainerOf(window));
    Anchor anchor{window, flags, 0, 0};
    if (flags & kFollowRight)
        anchor.rightDistance =
            container.cx - ((flags & kMoveHorizontally) ? rect.left : rect.right);
    if (flags & kFollowBottom)
        anchor.bottomDistance = container.cy - ((flags & kMoveVertically) ? rect.top : rect.bottom);
    anchors.push_back(anchor);
    if (recursive)
        AddChildren(window);
    return 1;
}

int CSizer::AddControl(int id, DWORD flags) {
    HWND control = owner ? GetDlgItem(owner, id) : nullptr;
    return control ? AddWindow(control, flags) : 0;
}

DWORD CSizer::AutomaticFlags(const RECT& rect) const {
    DWORD flags = 0;
    if (centre.x < rect.left)
        flags |= kMoveHorizontally;
    if (centre.x < rect.right)
        flags |= kFollowRight;
    if (centre.y < rect.top)
        flags |= kMoveVertically;
    if (centre.y < rect.bottom)
        flags |= kFollowBottom;
    return flags ? flags : kFixed;
}

void CSizer::AddChildren(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        AddWindow(child, kAutomatic);
}

bool CSizer::IsListed(HWND window) const {
    return std::any_of(anchors.begin(), anchors.end(),
                       [window](const Anchor& anchor) { return anchor.window == window; });
}

DWORD CSizer::FlagsOf(HWND window) const {
    for (const Anchor& anchor : anchors)
        if (anchor.window == window)
            return anchor.flags;
    return 0;
}

int CSizer::Layout(int width, int height) {
    if (!Acts())
        return 0;
    // In insertion order: a page is resized before the controls laid out against it.
    for (const Anchor& anchor : anchors)
        if (IsWindow(anchor.window))
            LayOutAnchor(anchor, width, height);
    return 1;
}

void CSizer::LayOutAnchor(const Anchor& anchor, int width, int height) const {
    HWND container = ContainerOf(anchor.window);
    SIZE reference{width, height};
    if (container != owner)
        reference = ClientSizeOf(container);
    RECT rect = RectInContainer(anchor.window);
    if (anchor.flags & kFollowRight) {
        const int x = reference.cx - anchor.rightDistance;
        if (anchor.flags & kMoveHorizontally)
            SetWindowPos(anchor.window, nullptr, x, rect.top, 0, 0,
                         kLayoutPositionFlags | SWP_NOSIZE);
        else
            SetWindowPos(anchor.window, nullptr, 0, 0, std::max(0, x - static_cast<int>(rect.left)),
                         rect.bottom - rect.top, kLayoutPositionFlags | SWP_NOMOVE);
        rect = RectInContainer(anchor.window);
    }
    if (anchor.flags & kFollowBottom) {
        const int y = reference.cy - anchor.bottomDistance;
        if (anchor.flags & kMoveVertically)
            SetWindowPos(anchor.window, nullptr, rect.left, y, 0, 0,
                         kLayoutPositionFlags | SWP_NOSIZE);
        else
            SetWindowPos(anchor.window, nullptr, 0, 0, rect.right - rect.left,
                         std::max(0, y - static_cast<int>(rect.top)),
                         kLayoutPositionFlags | SWP_NOMOVE);
    }
}

void CSizer::SetLimits(UINT newMinimumWidth, UINT newMaximumWidth, UINT newMinimumHeight,
                       UINT newMaximumHeight) {
    minimumWidth = newMinimumWidth;
    maximumWidth = newMaximumWidth;
    minimumHeight = newMinimumHeight;
    maximumHeight = newMaximumHeight;
    if (maximumWidth && maximumWidth < minimumWidth)
        minimumWidth = maximumWidth;
    if (maximumHeight && maximumHeight < minimumHeight)
        minimumHeight = maximumHeight;
}

void CSizer::LimitSizing(UINT edge, RECT* rect) {
    if (!Acts() || !rect || edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT)
        return;
    const bool leftEdge = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    const bool rightEdge = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    const bool topEdge = edge >= WMSZ_TOP && edge <= WMSZ_TOPRIGHT;
    const bool bottomEdge = edge >= WMSZ_BOTTOM;
    const auto clampWidth = [&](UINT limit) {
        if (leftEdge)
            rect->left = rect->right - static_cast<LONG>(limit);
        else if (rightEdge)
            rect->right = rect->left + static_cast<LONG>(limit);
    };
    const auto clampHeight = [&](UINT limit) {
        if (topEdge)
            rect->top = rect->bottom - static_cast<LONG>(limit);
        else if (bottomEdge)
            rect->bottom = rect->top + static_cast<LONG>(limit);
    };
    const LONG width = rect->right - rect->left;
    const LONG height = rect->bottom - rect->top;
    if (minimumWidth && width < static_cast<LONG>(minimumWidth))
        clampWidth(minimumWidth);
    if (maximumWidth && width > static_cast<LONG>(maximumWidth))
        clampWidth(maximumWidth);
    if (minimumHeight && height < static_cast<LONG>(minimumHeight))
        clampHeight(minimumHeight);
    if (maximumHeight && height > static_cast<LONG>(maximumHeight))
        clampHeight(maximumHeight);
}

int CSizer::SetRecursive(int value) {
    const int previous = recursive;
    if (value != -1)
        recursive = value;
    return previous;
}
