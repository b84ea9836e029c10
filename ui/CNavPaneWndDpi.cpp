#include "ui/CNavPaneWnd.h"
#include "ui/WindowDpi.h"

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
