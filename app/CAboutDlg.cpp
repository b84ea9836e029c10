#include "app/CAboutDlg.h"

#include "effects/engine/CRandom.h"
#include "graphics/CBmp.h"
#include "graphics/CDibSurface_win.h"
#include "graphics/DpiScale.h"
#include "graphics/GdiOwners_win.h"
#include "resources/resource.h"
#include "ui/WindowDpi.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kAnimationMs = 50;
constexpr int kPictureBitmap = IDB_START;
constexpr int kArtworkBitmap = IDB_EMBER_TEXTURE;
constexpr int kCopies = 15;

// The rectangle of a control in its dialog's client coordinates.
RECT ControlRect(HWND dialog, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Draws a static text control's text in white at its place, over a dark shadow one pixel
// down and right that keeps it legible on the bright parts of the flames.
void DrawStaticText(HDC dc, HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    wchar_t text[256] = {};
    if (!control || GetWindowTextW(control, text, 256) <= 0)
        return;
    RECT rect = ControlRect(dialog, control);
    HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    RECT shadow = rect;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, RGB(64, 16, 0));
    DrawTextW(dc, text, -1, &shadow, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, text, -1, &rect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, font);
}

// The icon and the texts, drawn over the picture in the same off-screen pass so that the
// animation never makes them flicker.
void DrawForeground(HDC dc, HWND dialog) {
    if (HWND icon = GetDlgItem(dialog, IDC_ABOUT_ICON)) {
        const RECT rect = ControlRect(dialog, icon);
        HICON picture = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
        if (picture)
            DrawIconEx(dc, rect.left, rect.top, picture, 0, 0, 0, nullptr, DI_NORMAL);
    }
    DrawStaticText(dc, dialog, IDC_ABOUT_TITLE);
    DrawStaticText(dc, dialog, IDC_ABOUT_NOTE);
}

// The picture as composed at 96 DPI on black, for a client of `width` x `height`.
void ComposeOnBlack(HDC dc, int width, int height) {
    const RECT area{0, 0, width, height};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ComposeAboutPicture(dc, GetModuleHandleA(nullptr));
}

} // namespace

void ComposeAboutPicture(HDC dc, HINSTANCE module) {
    CBmp picture;
    picture.LoadBitmapResource(module, kPictureBitmap);
    picture.Resize(192, 192);
    CBmp artwork;
    artwork.LoadBitmapResource(module, kArtworkBitmap);
    CBmp glow;
    glow.Copy(picture);
    glow.Resize(212, 202);
    glow.BrightnessContrast(-100, 100);
    artwork.DrawTo(dc, 0, 0);
    artwork.DrawTo(dc, 256, 0);
    for (int k = 0; k < kCopies; ++k) {
        CBmp copy;
        copy.Copy(picture);
        copy.BrightnessContrast(96 - 10 * k, 48 * k);
        copy.ScaleAlpha(static_cast<uint32_t>(10 + 10 * k), 0);
        const int height = 312 - 12 * k + CRandom::Next() % 3;
        const int width = 312 - 12 * k + CRandom::Next() % 3;
        copy.Resize(width, height);
        copy.DrawTo(dc, 165 - 25 * k, -50 + 6 * k);
    }
    glow.DrawTo(dc, 0, 5);
    picture.ScaleAlpha(120, 0);
    picture.DrawTo(dc, 10, 10);
}

void ComposeAboutPictureForDpi(HDC dc, const RECT& client, int dpi) {
    if (dpi == kDesignDpi) {
        ComposeOnBlack(dc, client.right, client.bottom);
        return;
    }
    const int width = std::max(2, MulDiv(client.right, kDesignDpi, dpi));
    const int height = std::max(2, MulDiv(client.bottom, kDesignDpi, dpi));
    CMemoryDc design;
    CGdiBitmap bitmap;
    CSelection selection;
    if (!design.Create(dc) || !bitmap.CreateCompatible(dc, width, height) ||
        !selection.Select(design.Get(), bitmap.Get()))
        return;
    ComposeOnBlack(design.Get(), width, height);
    CBmp picture;
    picture.Create(width, height);
    CDibSurface surface;
    surface.Attach(picture);
    surface.Grab(design.Get(), 0, 0);
    picture.ScaleAlpha(0, 255);
    picture.DrawStretched(dc, 0, 0, client.right, client.bottom, 0, 0);
}

int CAboutDlg::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(Handle(), id);
        return 1;
    }
    return CDialog::OnCommand(id, code, control);
}

int CAboutDlg::OnInitDialog() {
    // The animation repaints the box 20 times a second: the icon and the texts are drawn
    // with the picture, their controls stay hidden, and the button is clipped out.
    for (int id : {IDC_ABOUT_ICON, IDC_ABOUT_TITLE, IDC_ABOUT_NOTE})
        ShowWindow(GetDlgItem(Handle(), id), SW_HIDE);
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    SetWindowLongPtrA(Handle(), GWL_STYLE, style | WS_CLIPCHILDREN);
    SetTimer(Handle(), kAnimationTimer, kAnimationMs, nullptr);
    return 1;
}

void CAboutDlg::OnTimer(UINT_PTR id) {
    if (id != kAnimationTimer)
        return;
    // A bare WM_PAINT would paint into an empty update region: the box is invalidated
    // instead.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CAboutDlg::OnPaint() {
    // Declared first, so that the painting ends after the memory DC's selection is undone.
    const CPaintDc paint(Handle());
    const HDC target = paint.Get();
    RECT client{};
    GetClientRect(Handle(), &client);
    CMemoryDc memory;
    CGdiBitmap bitmap;
    CSelection selection;
    if (memory.Create(target) && bitmap.CreateCompatible(target, client.right, client.bottom) &&
        selection.Select(memory.Get(), bitmap.Get())) {
        ComposeAboutPictureForDpi(memory.Get(), client, WindowDpi(Handle()));
        DrawForeground(memory.Get(), Handle());
        BitBlt(target, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
}
