#include "app/CAboutDlg.h"

#include "effects/engine/CRandom.h"
#include "graphics/CBmp.h"
#include "graphics/GdiOwners_win.h"

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kAnimationMs = 50;
constexpr int kPictureBitmap = 136;
constexpr int kArtworkBitmap = 138;
constexpr int kCopies = 15;

BOOL CALLBACK RedrawControl(HWND control, LPARAM) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return TRUE;
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

INT_PTR CAboutDlg::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
    }
    return CDialog::DialogProc(message, wParam, lParam);
}

int CAboutDlg::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(Handle(), id);
        return 1;
    }
    return CDialog::OnCommand(id, code, control);
}

int CAboutDlg::OnInitDialog() {
    SetTimer(Handle(), kAnimationTimer, kAnimationMs, nullptr);
    return 1;
}

void CAboutDlg::OnTimer(UINT_PTR id) {
    if (id != kAnimationTimer)
        return;
    // A bare WM_PAINT would paint into an empty update region: the box is invalidated
    // instead, and its controls are drawn again after it, over the new picture.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EnumChildWindows(Handle(), &RedrawControl, 0);
}

void CAboutDlg::OnPaint() {
    PAINTSTRUCT paint{};
    HDC target = BeginPaint(Handle(), &paint);
    RECT client{};
    GetClientRect(Handle(), &client);
    CMemoryDc memory;
    CGdiBitmap bitmap;
    CSelection selection;
    if (memory.Create(target) && bitmap.CreateCompatible(target, client.right, client.bottom) &&
        selection.Select(memory.Get(), bitmap.Get())) {
        FillRect(memory.Get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ComposeAboutPicture(memory.Get(), GetModuleHandleA(nullptr));
        BitBlt(target, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
    selection.Reset();
    EndPaint(Handle(), &paint);
}
