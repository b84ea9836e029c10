#include "ui/CButtonWnd.h"

#include "graphics/FacePlacement.h"
#include "ui/MessageCrackers.h"
#include "ui/WindowFactory.h"

#include <algorithm>

bool CButtonWnd::registered = false;

namespace {

// The focused button is the default push button, so the dialog's Enter clicks it.
LRESULT DialogCode(bool focused) {
    return DLGC_BUTTON | (focused ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

int StepToward(int offset) {
    return std::clamp(offset / CButtonWnd::kStepDivisor, -CButtonWnd::kMaxStep,
                      CButtonWnd::kMaxStep);
}

} // namespace

CButtonWnd::~CButtonWnd() {
    ReleaseImage();
    snapshot.reset();
    tracking = 0;
    painting = 0;
    stepX = 0;
    stepY = 0;
}

bool* CButtonWnd::GetRegisteredFlag() {
    return &registered;
}

const char* CButtonWnd::GetClassName() {
    return kClassName;
}

bool CButtonWnd::RegisterFactory() {
    return RegisterFactoryOf<CButtonWnd>();
}

LRESULT CButtonWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        if (!Paint(reinterpret_cast<HDC>(wParam)))
            return 0;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DialogCode(GetFocus() == Handle());
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        keyPressed = false;
        RepaintFace();
        break;
    case WM_KEYDOWN:
        if (const KeyArgs key = KeyArgsOf(wParam, lParam);
            key.key == VK_SPACE && IsFirstPress(key)) {
            keyPressed = true;
            RepaintFace();
        }
        break;
    case WM_KEYUP:
        if (KeyArgsOf(wParam, lParam).key == VK_SPACE && keyPressed) {
            keyPressed = false;
            Click(GetDlgCtrlID(Handle()));
            RepaintFace();
        }
        break;
    case WM_MOUSEMOVE:
        Hover(MouseArgsOf(wParam, lParam).point);
        break;
    case WM_TIMER:
        if (wParam == kHoverTimer)
            RollTowardPointer();
        break;
    case WM_LBUTTONDOWN:
        Press(MouseArgsOf(wParam, lParam).point);
        break;
    case WM_LBUTTONUP:
        Release(MouseArgsOf(wParam, lParam).point);
        break;
    case WM_MOUSELEAVE:
        Leave();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CButtonWnd::Paint(HDC given) {
    const RECT client = Client();
    if (painting)
        return false;
    if (!given)
        PaintBackgroundOfParent(client);
    DrawContext windowDc;
    if (!windowDc.FromWindow(Handle()))
        return true;
    // Only the snapshot's context is trusted: a posted handle may have been released since.
    const HDC snapshotDc = SnapshotDc();
    ComposeOnto(windowDc.Get(), given && given == snapshotDc ? given : windowDc.Get(), client);
    return true;
}

void CButtonWnd::PaintBackgroundOfParent(const RECT& client) {
    const HWND parent = GetParent(Handle());
    if (!parent)
        return;
    painting = 1;
    RECT area = client;
    MapWindowPoints(Handle(), parent, reinterpret_cast<POINT*>(&area), 2);
    InvalidateRect(parent, &area, TRUE);
    SendMessageA(parent, WM_PAINT, 0, 0);
    painting = 0;
}

void CButtonWnd::ComposeOnto(HDC windowDc, HDC background, const RECT& client) {
    DrawContext memory;
    if (!memory.CreateMemory(windowDc, client))
        return;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    BitBlt(memory.Get(), 0, 0, width, height, background, 0, 0, SRCCOPY);
    DrawFace(memory.Get(), client, CursorInClient());
    memory.BlitTo(windowDc);
}

void CButtonWnd::Hover(POINT point) {
    const RECT client = Client();
    OnHover(client, point);
    if (!tracking)
        StartHover(client);
    const FaceRect face = Face();
    stepX = StepToward(point.x - face.CentreX());
    stepY = StepToward(point.y - face.CentreY());
}

void CButtonWnd::StartHover(const RECT& client) {
    tracking = 1;
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&leave);
    TakeSnapshot(client);
    RepaintParentArea();
    PostPaint(SnapshotDc());
    SetTimer(Handle(), kHoverTimer, kHoverIntervalMs, nullptr);
}

void CButtonWnd::TakeSnapshot(const RECT& client) {
    snapshot.reset();
    DrawContext windowDc;
    if (!windowDc.FromWindow(Handle()))
        return;
    auto taken = std::make_unique<DrawContext>();
    if (!taken->CreateMemory(windowDc.Get(), client))
        return;
    BitBlt(taken->Get(), 0, 0, client.right - client.left, client.bottom - client.top,
           windowDc.Get(), 0, 0, SRCCOPY);
    snapshot = std::move(taken);
}

void CButtonWnd::Press(POINT point) {
    SetCapture(Handle());
    OnPress(Client(), point);
    PostPaint(nullptr);
}

void CButtonWnd::Release(POINT point) {
    if (GetCapture() == Handle())
        ReleaseCapture();
    OnRelease(Client(), point);
    tracking = 0;
    PostPaint(nullptr);
    RepaintParentArea();
}

void CButtonWnd::Leave() {
    tracking = 0;
    OnHover(Client(), CursorInClient());
    PostPaint(nullptr);
    KillTimer(Handle(), kHoverTimer);
    snapshot.reset();
}

void CButtonWnd::RepaintParentArea() {
    const HWND parent = GetParent(Handle());
    if (!parent)
        return;
    RECT area = Client();
    MapWindowPoints(Handle(), parent, reinterpret_cast<POINT*>(&area), 2);
    InvalidateRect(parent, &area, TRUE);
    PostMessageA(parent, WM_PAINT, 0, 0);
}

void CButtonWnd::RepaintFace() {
    RepaintParentArea();
    PostPaint(nullptr);
}

void CButtonWnd::PostPaint(HDC dc) {
    PostMessageA(Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

RECT CButtonWnd::Client() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return client;
}

POINT CButtonWnd::CursorInClient() const {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle(), &cursor);
    return cursor;
}

HDC CButtonWnd::SnapshotDc() const {
    return snapshot ? snapshot->Get() : nullptr;
}
