#pragma once

#include "ui/CDragWnd.h"

#include <windows.h>

#include <cstdint>

class CNavPaneItem;
class CNavPaneWnd;

// The reordering of a navigation pane's entries by dragging: a state machine over one press
// of the left button, the only place the drag's state is kept.
//
//   idle     --Arm (the press lands on a row, not on a tool)----------------> armed
//   armed    --Over another entry-----------------------------------------> dragging
//   dragging --Over another entry, the source or none (no marker then)---> dragging
//   armed, dragging --Cancel (a move without the button, the capture taken
//                     away, the source deleted, the window going)---------> idle
//   armed    --Release: the press was a click-----------------------------> idle
//   dragging --Release: a drop before or after the target, none when the
//              pointer is back on the source or on no entry---------------> idle
//
// While dragging, a translucent copy of the source's row follows the pointer at the pane's
// left edge, held where it was grabbed, and an inverted marker along the top or bottom edge
// of the entry under the pointer shows where the source will land.
class CNavPaneDrag {
public:
    // The opacity of the drag window, of 255.
    static constexpr BYTE kWindowOpacity = 196;
    // The height of the drop marker.
    static constexpr int kMarkerHeight = 4;

    // What the release of the button ends.
    struct Drop {
        bool wasDrag = false; // the press became a drag: the release is no click
        // With a target: move source next to it, before or after it in the entries' order.
        CNavPaneItem* source = nullptr;
        CNavPaneItem* target = nullptr;
        bool before = false;
    };

    explicit CNavPaneDrag(CNavPaneWnd& pane) : pane(pane) {}
    CNavPaneDrag(const CNavPaneDrag&) = delete;
    CNavPaneDrag& operator=(const CNavPaneDrag&) = delete;

    // The press on source's row, `grab` pixels below the row's top.
    void Arm(CNavPaneItem* source, int grab);
    // Armed or dragging.
    bool IsActive() const { return source != nullptr; }
    // The pointer at `point` (client coordinates) over `over`, whose row and attached window
    // span `area`; over null: on no entry.
    void Over(POINT point, CNavPaneItem* over, const RECT& area);
    // Ends the drag at the button's release and says what it dropped.
    [[nodiscard]] Drop Release();
    // Ends the drag without a drop: the drag window and the marker go.
    void Cancel();
    // Lets go of a dying entry; the drag of a dying source is cancelled.
    void Forget(const CNavPaneItem* entry);
    // Inverts the drop marker on dc, over what the pane has just painted.
    void InvertMarker(HDC dc) const;

private:
    void ShowMarker(const RECT& shown);
    void ShowWindowAt(POINT point);
    // Draws the source's row into the drag window.
    void PaintWindow();

    CNavPaneWnd& pane;
    CNavPaneItem* source = nullptr;
    CNavPaneItem* target = nullptr;
    RECT marker{}; // the inverted marker shown now; empty when none
    CDragWnd window;
    int32_t originX = 0;   // the drag window's left, in screen coordinates
    int32_t grabY = 0;     // the pointer's distance below the source row's top
    bool above = false;    // the marker lies at the target's top
    bool dragging = false; // the pointer has reached another entry
};
