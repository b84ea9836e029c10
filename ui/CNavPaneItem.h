#pragma once

#include "params/CCollector.h"
#include "params/tstr.h"
#include "ui/CNavPaneItemAbstract.h"
#include "ui/CNavPaneItemTool.h"

#include <windows.h>

#include <cstdint>

class CNavPaneItemData;
class CNavPaneWnd;

// One entry of a navigation pane: a row with a text, an optional colour, tools at both
// ends, an optional window shown under the row, and child entries shown indented below it
// while it is expanded.
//
// Layout walks (Draw and the Hit operations) receive `rect` as a cursor: its left and right
// are the edges of the rows at this level, its top (its bottom in a bottom-up pane) is where
// this entry begins; on return it has moved past the entry, its attached window and its
// shown children. The Hit operations return 1 when a tool took the event, and then stop.
class CNavPaneItem : public CNavPaneItemAbstract {
public:
    // A row's text: one line, centred vertically; the value (36) is fixed.
    static constexpr uint32_t kDefaultTextFormat = DT_SINGLELINE | DT_VCENTER;
    static_assert(kDefaultTextFormat == 36, "the default text format");

    CNavPaneItem();

    // Calls the owner's OnToolCommand with this entry.
    int OnToolCommand(UINT command) override;
    // state: 1 expand, 0 collapse, -1 toggle. An entry without children never stays
    // expanded; collapsing hides the attached window and collapses every child. The first
    // expander among the right tools and among the left tools follow the new state.
    // Returns the new expanded flag.
    int Expand(int state) override;
    ~CNavPaneItem() override;
    // flags: passed on to the children unchanged, for derived entries.
    virtual void Draw(HDC dc, const RECT& clip, RECT& rect, UINT flags);
    virtual int HitLButtonDown(const RECT& clip, RECT& rect, UINT keys, POINT point);
    virtual int HitLButtonUp(const RECT& clip, RECT& rect, UINT keys, POINT point);
    virtual int HitRButtonDown(const RECT& clip, RECT& rect, UINT keys, POINT point);
    virtual int HitRButtonUp(const RECT& clip, RECT& rect, UINT keys, POINT point);
    virtual int HitMouseMove(const RECT& clip, RECT& rect, UINT keys, POINT point);

    // Appends child (owned from now on) and gives it this entry's pane; false when it is
    // already a child.
    bool AddChild(CNavPaneItem* child);

    // Navigation among the siblings (null at the ends and for the root), the parent and the
    // first child.
    CNavPaneItem* FirstSibling() const;
    CNavPaneItem* LastSibling() const;
    CNavPaneItem* NextSibling() const;
    CNavPaneItem* PreviousSibling() const;
    CNavPaneItem* Parent() const { return parent; }
    CNavPaneItem* FirstChild() const { return children.GetAt(0); }
    CNavPaneWnd* Pane() const { return pane; }

    // The row's height (0 for a hidden entry) and the side of a tool cell.
    int RowHeight() const;
    int CellSize() const { return smallHeight; }
    // Sets both heights, so that rows and tool cells are `height` pixels.
    void SetHeight(int height);
    // Scales both heights of this entry and its descendants, and the DPI of their tools,
    // from DPI `from` to DPI `to`.
    void ScaleForDpi(int from, int to);
    // Draws the row in its own colours: background and text, 0x00BBGGRR.
    void SetColours(COLORREF background, COLORREF foreground);
    bool ShowsChildren() const { return expanded && children.Count() > 0; }
    // The attached window when it exists and has the visible style.
    HWND ShownAttachedWindow() const;
    // The height of this entry with its attached window and its shown children.
    int ContentHeight() const;

    int32_t largeHeight;
    int32_t smallHeight;
    uint8_t useSmallHeight = 1;
    tstr text;
    uint32_t textFormat = kDefaultTextFormat;
    uint32_t coloured = 0;
    COLORREF backgroundColour = 0xA0A0A0;
    COLORREF textColour = 0;
    CNavPaneItemData* data = nullptr;
    uint32_t hidden = 0;
    uint32_t selected = 0;
    uint32_t disabled = 0;
    uint32_t expanded = 0;
    CCollector<CNavPaneItem*> children;
    CCollector<CNavPaneItemTool*> leftTools;
    CCollector<CNavPaneItemTool*> rightTools;
    CNavPaneWnd* pane = nullptr;
    CNavPaneItem* parent = nullptr;
    HWND attachedWindow = nullptr;

private:
    friend class CNavPaneWnd;
    using HitOperation = int (CNavPaneItem::*)(const RECT&, RECT&, UINT, POINT);

    // The walk shared by the five Hit operations; message is the mouse message reported to
    // the owner and acted on by the tools.
    int Hit(UINT message, HitOperation childHit, const RECT& clip, RECT& rect, UINT keys,
            POINT point);
    // The tool under the point, right tools first, each cell inset by 2; null when none.
    CNavPaneItemTool* ToolAt(const RECT& row, POINT point) const;
    void ActOnTool(UINT message, CNavPaneItemTool* tool);
    // The pressed tool released over itself: it acts on its kind.
    void ReleaseTool(CNavPaneItemTool* tool);
    void AlignExpanders();
    void HideAttachedWindow();

    // Layout steps: the row at the cursor, the attached window's band after it, the cursor
    // of the children and the return from it (with the gap after a child group).
    RECT TakeBand(RECT& cursor, int height) const;
    RECT TakeRow(RECT& cursor) const;
    RECT TakeAttached(RECT& cursor) const;
    RECT EnterChildren(const RECT& cursor) const;
    void LeaveChildren(RECT& cursor, const RECT& inner) const;
    // The entry whose row or attached window contains point; area receives that band.
    CNavPaneItem* EntryAt(RECT& rect, POINT point, RECT& area);
    // Moves the attached windows of this entry and its shown children to their places.
    void PlaceAttachedWindows(RECT& rect);
    // The row rectangle of target within this entry's walk; false when it is not shown.
    bool RowOf(const CNavPaneItem* target, RECT& rect, RECT& row) const;

    void DrawRow(HDC dc, const RECT& row);
    void DrawBackground(HDC dc, const RECT& row) const;
    void DrawSelectedGradient(HDC dc, const RECT& row) const;
    // Draws the tools of one end; returns the inner edge of their cells.
    int DrawTools(HDC dc, const RECT& row, const CCollector<CNavPaneItemTool*>& tools,
                  bool fromRight) const;
    void DrawLabel(HDC dc, RECT area) const;
};
