#include "ui/CaptureExclusion.h"

#include "system/SystemOwners_win.h"
#include "ui/CEmbraDrawWnd.h"

bool ExcludeFromCapture(HWND window, bool exclude) {
    const DWORD wanted = exclude ? WDA_EXCLUDEFROMCAPTURE : WDA_NONE;
    DWORD affinity = WDA_NONE;
    if (SetWindowDisplayAffinity(window, wanted) && GetWindowDisplayAffinity(window, &affinity) &&
        affinity == wanted)
        return true;
    SetWindowDisplayAffinity(window, WDA_NONE);
    return !exclude;
}

bool CaptureExclusionWorks() {
    const CWindowOwner probe(CreateWindowExW(CEmbraDrawWnd::kExStyle, L"Static", L"",
                                             CEmbraDrawWnd::kStyle, 0, 0, 1, 1, nullptr, nullptr,
                                             nullptr, nullptr));
    return probe && ExcludeFromCapture(probe.Get(), true);
}
