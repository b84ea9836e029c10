#include "ui/CNavPaneWnd.h"

#include "graphics/DpiScale.h"
#include "graphics/GdiOwners_win.h"
#include "ui/CNavPaneWndParent.h"
#include "ui/DrawContext.h"
#include "ui/MessageCrackers.h"
#include "ui/WindowDpi.h"
#include "ui/WindowFactory.h"

#include <vector>

bool CNavPaneWnd::registered = false;

namespace {

// Gives entry and every entry below it the pane.
void AdoptTree(CNavPaneItem* entry, CNavPaneWnd* pane) {
    entry->pane = pane;
    for (CNavPaneItem* child : entry->children.Items())
        AdoptTree(child, pane);
}

BOOL CALLBACK CollectChild(HWND window, LPARAM list) noexcept {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

} // namespace

CNavPaneWnd::CNavPaneWnd() : drag(*this) {
    root.hidden = 1;
    root.expanded = 1;
    root.pane = this;
}

CNavPaneWnd::~CNavPaneWnd() {
    // A window this object created itself must not outlive it; a dialog's stays.
    if (Handle() && !IsAttached() && IsWindow(Handle()))
        CWnd::Destroy();
    selection.DetachAll();
    root.children.DeleteAll();
    root.pane = nullptr;
}

bool* CNavPaneWnd::GetRegisteredFlag() {
    return &registered;
}

void CNavPaneWnd::PreRegisterClass(WNDCLASSEXA& description) {
    description.style |= CS_DBLCLKS;
}

int CNavPaneWnd::Destroy() {
    return 0;
}

const char* CNavPaneWnd::GetClassName() {
    return kClassName;
}

bool CNavPaneWnd::RegisterFactory() {
    if (registered)
        return true;
    CNavPaneWnd probe;
    if (probe.RegisterWndClass()) {
        RegisterWindowFactory(
            kClassName,
            [](HWND window) -> CWnd* {
                auto* pane = new CNavPaneWnd;
                pane->Attach(window);
                return pane;
            },
            [](CWnd* object) { delete object; });
        registered = true;
    }
    return true;
}

LRESULT CNavPaneWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SetWindowLongPtrA(Handle(), GWL_STYLE,
                          GetWindowLongPtrA(Handle(), GWL_STYLE) | WS_CLIPCHILDREN);
        // The DPI the rows are made for from now on; a change reaches the pane by SetDpi.
        dpi = WindowDpi(Handle());
        break;
    case WM_DESTROY:
        OnDestroyPane();
        break;
    case WM_SIZE:
        UpdateScrollRange();
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS; // Tab, Enter and Esc stay the dialog's
    case WM_SETFOCUS:
        if (!focus)
            focus = selection.Count() > 0 ? selection.GetAt(0) : FirstEntry();
        if (focus && !IsBottomUp())
            EnsureVisible(focus);
        Invalidate();
        break;
    case WM_KILLFOCUS:
        Invalidate();
        break;
    case WM_CAPTURECHANGED:
        // The capture taken away (another window, a menu, a switch to another program)
        // ends a drag: the button's release will not come here.
        if (reinterpret_cast<HWND>(lParam) != Handle())
            drag.Cancel();
        break;
    case WM_SYSKEYDOWN: {
        // Shift+F10 and the like reach the owner first; what it leaves goes on as usual.
        const KeyArgs key = KeyArgsOf(wParam, lParam);
        if (parentCallback && parentCallback->OnKey(message, key.key, lParam))
            return 0;
        break;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        PaintTo(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(ScrollCodeOf(wParam), ScrollThumbOf(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnWheel(WheelArgsOf(wParam, lParam).delta);
        return 0;
    case WM_MOUSELEAVE:
        OnPointerLeft();
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CNavPaneWnd::OnDestroyPane() {
    std::vector<HWND> childWindows;
    EnumChildWindows(Handle(), CollectChild, reinterpret_cast<LPARAM>(&childWindows));
    for (HWND child : childWindows)
        if (IsWindow(child) && GetParent(child) == Handle())
            DestroyWindow(child);
    selection.DetachAll();
    drag.Cancel();
    backgroundImage.Free();
    root.children.DeleteAll();
    root.leftTools.DeleteAll();
    root.rightTools.DeleteAll();
    scrollPosition = 0;
}

int CNavPaneWnd::Dpi() const {
    return dpi > 0 ? dpi : WindowDpi(Handle());
}

void CNavPaneWnd::SetDpi(int newDpi) {
    const int oldDpi = Dpi();
    if (newDpi <= 0 || newDpi == oldDpi)
        return;
    dpi = newDpi;
    root.ScaleForDpi(oldDpi, newDpi);
    UpdateScrollRange();
    if (focus)
        EnsureVisible(focus);
    Invalidate();
}

bool CNavPaneWnd::AddEntry(CNavPaneItem* entry) {
    return AddChild(&root, entry);
}

bool CNavPaneWnd::AddChild(CNavPaneItem* entry, CNavPaneItem* child) {
    if (!entry || entry->pane != this || !entry->AddChild(child))
        return false;
    AdoptTree(child, this);
    UpdateScrollRange();
    if (IsBottomUp())
        ScrollTo(0);
    Invalidate();
    return true;
}

bool CNavPaneWnd::RemoveEntry(CNavPaneItem* entry) {
    if (!entry || !entry->parent || entry->pane != this)
        return false;
    CNavPaneItem* next = entry->NextSibling();
    selection.Detach(entry);
    entry->parent->children.Delete(entry);
    UpdateScrollRange();
    if (next)
        EnsureVisible(next);
    Invalidate();
    return true;
}

bool CNavPaneWnd::AddTool(CNavPaneItem* entry, CNavPaneItemTool* tool, bool left) {
    if (!entry || !tool || entry->leftTools.IndexOf(tool) >= 0 ||
        entry->rightTools.IndexOf(tool) >= 0)
        return false;
    (left ? entry->leftTools : entry->rightTools).Add(tool);
    tool->dpi = Dpi();
    Invalidate();
    return true;
}

bool CNavPaneWnd::RemoveTool(CNavPaneItem* entry, CNavPaneItemTool* tool) {
    if (!entry || !tool)
        return false;
    ForgetTool(tool);
    const bool removed = entry->leftTools.Delete(tool) || entry->rightTools.Delete(tool);
    Invalidate();
    return removed;
}

void CNavPaneWnd::ClearTools(CNavPaneItem* entry) {
    if (!entry)
        return;
    ForgetTools(entry);
    entry->leftTools.DeleteAll();
    entry->rightTools.DeleteAll();
    Invalidate();
}

CNavPaneItem* CNavPaneWnd::AddColouredEntry(const char* text, COLORREF colour, int height,
                                            CNavPaneItemData* data) {
    auto* entry = new CNavPaneItem;
    entry->text = text;
    entry->SetColours(colour, 0);
    entry->SetHeight(ScaleToDpi(height, Dpi()));
    entry->data = data;
    if (AddEntry(entry))
        return entry;
    delete entry;
    return nullptr;
}

CNavPaneItemTool* CNavPaneWnd::AddTool(CNavPaneItem* entry, uint32_t kind, uint32_t command,
                                       bool left, HINSTANCE module, int imageId,
                                       int checkedImageId) {
    if (!entry)
        return nullptr;
    auto* tool = new CNavPaneItemTool(kind, command);
    if (imageId)
        tool->LoadToolImage(module, imageId, 0);
    if (checkedImageId)
        tool->LoadToolImage(module, checkedImageId, 1);
    AddTool(entry, tool, left);
    return tool;
}

void CNavPaneWnd::SetMark(CNavPaneItem* entry, uint32_t command) {
    for (CNavPaneItem* each : root.children.Items())
        if (CNavPaneItemTool* tool = FindTool(each, command))
            tool->Set(CNavPaneItemTool::kChecked, each == entry);
    Invalidate();
}

CNavPaneItem* CNavPaneWnd::MarkedEntry(uint32_t command) const {
    for (CNavPaneItem* each : root.children.Items())
        if (const CNavPaneItemTool* tool = FindTool(each, command))
            if (tool->Has(CNavPaneItemTool::kChecked))
                return each;
    return nullptr;
}

CNavPaneItemTool* CNavPaneWnd::FindTool(const CNavPaneItem* entry, uint32_t command) {
    if (!entry)
        return nullptr;
    for (const auto* tools : {&entry->rightTools, &entry->leftTools})
        for (CNavPaneItemTool* tool : tools->Items())
            if (tool->command == command)
                return tool;
    return nullptr;
}

void CNavPaneWnd::DropEntry(CNavPaneItem* source, CNavPaneItem* target, bool before) {
    if (parentCallback && parentCallback->OnDrop(target, source, before))
        return;
    MoveEntry(source, target, before);
}

void CNavPaneWnd::MoveEntry(CNavPaneItem* source, CNavPaneItem* target, bool before) {
    CNavPaneItem* parent = source->parent;
    if (!parent || target->parent != parent || parent->children.Count() < 2)
        return;
    std::vector<CNavPaneItem*> order;
    for (CNavPaneItem* entry : parent->children.Items()) {
        if (entry == source)
            continue;
        if (entry == target && before)
            order.push_back(source);
        order.push_back(entry);
        if (entry == target && !before)
            order.push_back(source);
    }
    parent->children.DetachAll();
    for (CNavPaneItem* entry : order)
        parent->children.Add(entry);
    PlaceAttachedWindows();
}

void CNavPaneWnd::EntryChanged(CNavPaneItem* entry) {
    if (parentCallback)
        parentCallback->OnEntryChanged(entry, 0);
    UpdateScrollRange();
    Invalidate();
}

void CNavPaneWnd::ToolCommand(UINT command, CNavPaneItem* entry) {
    if (parentCallback)
        parentCallback->OnToolCommand(command, entry);
}

void CNavPaneWnd::SetBottomUp(bool on) {
    bottomUp = on ? 1 : 0;
    UpdateScrollRange();
    Invalidate();
}

void CNavPaneWnd::SetChildIndents(int left, int right) {
    childIndentLeft = left;
    childIndentRight = right;
    PlaceAttachedWindows();
    Invalidate();
}

void CNavPaneWnd::SetFont(HFONT newFont) {
    font = newFont;
    Invalidate();
}

HFONT CNavPaneWnd::CurrentFont() const {
    if (font || !Handle())
        return font;
    HWND parent = GetParent(Handle());
    return parent ? reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0)) : nullptr;
}

void CNavPaneWnd::Invalidate() {
    if (Handle())
        InvalidateRect(Handle(), nullptr, FALSE);
}

int CNavPaneWnd::OnPaint() {
    CPaintDc paint(Handle());
    if (paint.Get())
        PaintTo(paint.Get());
    return 0;
}

void CNavPaneWnd::PaintTo(HDC target) {
    const RECT client = ClientRect();
    DrawContext memory;
    if (IsRectEmpty(&client) || !memory.CreateMemory(target, client))
        return;
    HDC dc = memory.Get();
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    CSelection fontSelection = PrepareText(dc);
    RECT cursor = LayoutStart();
    root.Draw(dc, client, cursor, 0);
    fontSelection.Reset();
    memory.BlitTo(target);
    // The drop marker is drawn by inverting; keep it over what was just painted.
    drag.InvertMarker(target);
}

void CNavPaneWnd::PaintRow(HDC dc, CNavPaneItem* entry, const RECT& row) {
    const CSelection fontSelection = PrepareText(dc);
    entry->DrawRow(dc, row);
}

CSelection CNavPaneWnd::PrepareText(HDC dc) const {
    CSelection fontSelection;
    if (HFONT current = CurrentFont())
        static_cast<void>(fontSelection.Select(dc, current)); // else the context's font
    SetBkMode(dc, TRANSPARENT);
    return fontSelection;
}
