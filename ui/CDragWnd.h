#pragma once

#include "ui/CWnd.h"

#include <windows.h>

// A window that tells a click from a drag: a drag starts once the pointer leaves the
// system's drag rectangle around the point where the button went down.
class CDragWnd : public CWnd {
public:
    static constexpr const char* kClassName = "DragWnd";

    CDragWnd() = default;
    ~CDragWnd() override;

    bool* GetRegisteredFlag() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    const char* GetClassName() override;
    // Where a possible drag begins.
    virtual void SetDragStart(POINT point);
    // Forgets the start point and a started drag; returns 0.
    virtual int ResetDrag();
    // 1 once `point` has left the drag rectangle around the start point (edges included in
    // the rectangle), and from then on until ResetDrag; 0 before.
    virtual int IsDragging(POINT point);

    POINT DragStart() const { return dragStart; }

private:
    static inline bool registered = false;

    POINT dragStart{};
    int dragStarted = 0;
};
