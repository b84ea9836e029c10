#pragma once

// Sources, one per kind of state: CNavPaneWnd.cpp the window, the tree of entries and
// tools, the look (font, indents, background, DPI) and painting; CNavPaneWndLayout.cpp the
// scroll position and where the rows lie; CNavPaneWndInput.cpp the pointer (hot, pressed),
// the selection and the focus, moved by clicks and keys. The drag state is CNavPaneDrag's.

#include "graphics/CBmp.h"
#include "graphics/GdiOwners_win.h"
#include "params/CCollector.h"
#include "ui/CNavPaneDrag.h"
#include "ui/CNavPaneItem.h"
#include "ui/CWnd.h"

#include <windows.h>

#include <cstdint>

class CNavPaneWndParent;

// The navigation pane: a custom-drawn, scrollable list control (class "LV_NavigatePane")
// whose entries form a tree. It tracks a hot entry and a hot tool under the pointer, keeps a
// selection (single or multiple), moves the focus with the arrow keys, lets the user reorder
// sibling entries by dragging, and reports tool commands and other events to its owner
// through CNavPaneWndParent. Dialog templates name the class; the factory makes the object,
// which the owner finds through the window property, and which lives as long as its window.
class CNavPaneWnd : public CWnd {
public:
    static constexpr const char* kClassName = "LV_NavigatePane";
    // The vertical distance of one wheel notch.
    static constexpr int kWheelStep = 30;

    CNavPaneWnd();
    // Deletes every entry and tool; the window, when one exists, is left to its dialog.
    ~CNavPaneWnd() override;
    bool* GetRegisteredFlag() override;
    // Adds double clicks to the class style.
    void PreRegisterClass(WNDCLASSEXA& description) override;
    // Does nothing: the pane's window belongs to its dialog.
    int Destroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnPaint() override;
    int OnMouseMove(UINT keys, int x, int y) override;
    int OnLButtonDown(UINT keys, int x, int y) override;
    int OnLButtonUp(UINT keys, int x, int y) override;
    int OnRButtonDown(UINT keys, int x, int y) override;
    int OnRButtonUp(UINT keys, int x, int y) override;
    void OnLButtonDblClk(UINT keys, int x, int y) override;
    void OnKeyDown(UINT key, UINT low, UINT high) override;
    const char* GetClassName() override;
    // The pointer has left the control: the hot entry and hot tool are cleared.
    virtual void OnPointerLeft();

    // Registers the window class and, only when that succeeded, the factory entry, and
    // then sets the registered flag. Always true.
    static bool RegisterFactory();

    // The DPI the pane is shown at: the window's own when it was created, until SetDpi
    // gives another.
    int Dpi() const;
    // Shows the pane at `newDpi` (its dialog's WM_DPICHANGED): every row, tool cell and tool
    // picture is scaled from the DPI it was shown at to the new one.
    void SetDpi(int newDpi);

    // Entries. AddEntry appends a top-level entry (owned from now on); false when it is
    // already there.
    bool AddEntry(CNavPaneItem* entry);
    // Appends child to entry's children the same way.
    bool AddChild(CNavPaneItem* entry, CNavPaneItem* child);
    // Deletes entry with its children; the entry after it stays in view.
    bool RemoveEntry(CNavPaneItem* entry);
    // Tools (owned from now on); false when the tool is already there.
    bool AddTool(CNavPaneItem* entry, CNavPaneItemTool* tool, bool left);
    bool RemoveTool(CNavPaneItem* entry, CNavPaneItemTool* tool);
    void ClearTools(CNavPaneItem* entry);
    // The first tool with that command, right tools first; null when none.
    static CNavPaneItemTool* FindTool(const CNavPaneItem* entry, uint32_t command);
    // A top-level entry as the settings page lists the effects: text, drawn in its own
    // background colour (0x00BBGGRR) with black text, rows and tool cells `height` pixels
    // at 96 DPI and scaled with the pane's DPI, standing for data. The pane owns it; null when it
    // cannot be added.
    CNavPaneItem* AddColouredEntry(const char* text, COLORREF colour, int height,
                                   CNavPaneItemData* data);
    // A tool of kind and command at the left or right end of entry, with the pictures of
    // bitmaps imageId and checkedImageId of module (0: none; module null: the program's).
    // The pane owns it; null when entry is null.
    CNavPaneItemTool* AddTool(CNavPaneItem* entry, uint32_t kind, uint32_t command, bool left,
                              HINSTANCE module, int imageId, int checkedImageId = 0);
    // Checks entry's tool of command and unchecks that of every other top-level entry, so
    // that exactly one entry carries the mark.
    void SetMark(CNavPaneItem* entry, uint32_t command);
    // The first top-level entry whose tool of command is checked; null when none.
    CNavPaneItem* MarkedEntry(uint32_t command) const;
    CNavPaneItem* Root() { return &root; }
    CNavPaneItem* FirstEntry() const { return root.FirstChild(); }

    // Selection and focus.
    void Select(CNavPaneItem* entry, bool flag);
    void ClearSelection();
    const CCollector<CNavPaneItem*>& Selection() const { return selection; }
    CNavPaneItem* FocusEntry() const { return focus; }
    void SetFocusEntry(CNavPaneItem* entry);

    // Settings.
    void SetCallback(CNavPaneWndParent* callback) { parentCallback = callback; }
    void SetSelectOnClick(bool on) { selectOnClick = on; }
    void SetMultipleSelection(bool on) { multipleSelection = on; }
    void SetAllowEmptySelection(bool on) { allowEmptySelection = on; }
    void SetBottomUp(bool on);
    void SetChildIndents(int left, int right);
    // font: kept by the caller; null uses the parent window's font.
    void SetFont(HFONT font);
    // The background image: once the owner has given it pixels and stacks (0 normal,
    // 1 selected, 2 hot, 4 disabled, 5 hot and disabled), every row is drawn with the stack
    // of its state stretched with 4-pixel borders instead of colours.
    CBmp& BackgroundImage() { return backgroundImage; }
    bool IsBottomUp() const { return bottomUp != 0; }

    // Scrolling.
    int ScrollPosition() const { return scrollPosition; }
    // Moves to position, limited to the range; repaints and moves the attached windows.
    void ScrollTo(int position);
    // Recomputes the content height and the scroll bar.
    void UpdateScrollRange();
    int ContentHeight() const { return root.ContentHeight(); }
    // Scrolls so that entry's row is wholly visible.
    void EnsureVisible(const CNavPaneItem* entry);
    // The row rectangle of a shown entry in client coordinates; false when it is not shown.
    bool GetEntryRect(const CNavPaneItem* entry, RECT& row);

    // Draws the whole client area onto dc (as WM_PAINT and WM_PRINTCLIENT do).
    void PaintTo(HDC dc);
    // Draws entry's row alone onto dc at row, in the pane's font (the drag window's picture).
    void PaintRow(HDC dc, CNavPaneItem* entry, const RECT& row);

private:
    friend class CNavPaneItem;

    // The window and the tree (CNavPaneWnd.cpp).
    HFONT CurrentFont() const;
    // Selects the pane's font into dc for as long as the returned selection lives, and
    // draws text without a background.
    [[nodiscard]] CSelection PrepareText(HDC dc) const;
    void Invalidate();
    void OnDestroyPane();
    // Lets the owner handle a drop, else moves source before or after target among its
    // siblings.
    void DropEntry(CNavPaneItem* source, CNavPaneItem* target, bool before);
    void MoveEntry(CNavPaneItem* source, CNavPaneItem* target, bool before);
    // Called by the entries.
    void EntryChanged(CNavPaneItem* entry);
    void ToolCommand(UINT command, CNavPaneItem* entry);

    // Layout and scrolling (CNavPaneWndLayout.cpp).
    // The cursor of the root's layout walk in client coordinates.
    RECT LayoutStart() const;
    RECT ClientRect() const;
    int MaxScroll() const;
    void PlaceAttachedWindows();
    // thumb: the 16-bit position of SB_THUMBPOSITION.
    void OnVScroll(UINT code, int thumb);
    void OnWheel(int delta);

    // Pointer, selection and focus (CNavPaneWndInput.cpp).
    // Called by the entries' hit tests: the entry whose row holds the point, and what the
    // point does to a tool there.
    void EntryUnderPointer(UINT message, POINT point, CNavPaneItem* entry);
    void PressTool(CNavPaneItemTool* tool);
    // True when tool was the pressed one, which it is no longer.
    bool LetGoOfTool(const CNavPaneItemTool* tool);
    void HoverTool(CNavPaneItemTool* tool);
    void SetHotTool(CNavPaneItemTool* tool);
    void RequestLeaveNotification();
    void NotifyMouse(UINT message, POINT point);
    void RepaintIfNeeded();
    // Runs the left-button-down hit test; whether a tool took it.
    bool PressAt(UINT keys, POINT point);
    void ClickEntry(CNavPaneItem* clicked, bool shift, bool ctrl);
    void SelectRange(CNavPaneItem* from, CNavPaneItem* to);
    void MoveFocus(bool down);
    // Lets go of every pointer to a dying entry or tool.
    void ForgetEntry(CNavPaneItem* entry);
    void ForgetTools(const CNavPaneItem* entry);
    void ForgetTool(const CNavPaneItemTool* tool);

    CNavPaneItem root;
    CNavPaneItem* focus = nullptr;
    CCollector<CNavPaneItem*> selection; // not owning: emptied before it is destroyed
    HFONT font = nullptr;
    int32_t childIndentLeft = 8;
    int32_t childIndentRight = 0;
    // The drag source, drop target, drop marker, drag window and its place, in one machine.
    CNavPaneDrag drag;
    CBmp backgroundImage;
    CNavPaneWndParent* parentCallback = nullptr;
    uint32_t selectOnClick = 1;
    uint32_t multipleSelection = 1;
    uint32_t allowEmptySelection = 1;
    uint32_t tracking = 0;
    uint32_t bottomUp = 0;
    // The pointer's state, kept per pane.
    CNavPaneItem* hotEntry = nullptr;
    CNavPaneItemTool* hotTool = nullptr;
    CNavPaneItemTool* pressedTool = nullptr;
    CNavPaneItem* anchor = nullptr;
    CNavPaneItem* currentEntry = nullptr; // the last entry whose row contained the point
    bool repaintNeeded = false;
    int32_t scrollPosition = 0;
    bool updatingRange = false;
    int32_t dpi = 0; // the DPI the rows are shown at; 0 before the window exists

    static bool registered;
};
