#include "params/CSettingsStore.h"
#include "ui/PlacementRecord.h"
#include "ui/WindowHelpers.h"

namespace {

constexpr const char* kTopmostName = "topmost";
constexpr const char* kPlacementName = "plmnt";

// The stored record when it is whole: exactly 44 bytes (the store reads at most the
// buffer's size, so a shorter value also fits one byte less) with a sound length field.
bool ReadPlacementRecord(CSettingsStore& store, const tstr& key, PlacementRecord& record) {
    unsigned char shorter[kPlacementRecordSize - 1];
    return store.ReadBytes(key, kPlacementName, &record, sizeof record) &&
           !store.ReadBytes(key, kPlacementName, shorter, sizeof shorter) &&
           IsWholePlacementRecord(record);
}

// The record's normal rectangle moved to its stored corner with the window's current size.
void KeepSize(PlacementRecord& record, const RECT& current) {
    record.normalRight = record.normalLeft + (current.right - current.left);
    record.normalBottom = record.normalTop + (current.bottom - current.top);
}

// The rectangle moved to the centre of the work area of the monitor nearest to it.
void CentreOnNearestMonitor(RECT& rect) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    rect.left = work.left + (work.right - work.left - width) / 2;
    rect.top = work.top + (work.bottom - work.top - height) / 2;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
}

} // namespace

PlacementRecord ToPlacementRecord(const WINDOWPLACEMENT& placement) {
    return {kPlacementRecordSize,
            placement.flags,
            placement.showCmd,
            placement.ptMinPosition.x,
            placement.ptMinPosition.y,
            placement.ptMaxPosition.x,
            placement.ptMaxPosition.y,
            placement.rcNormalPosition.left,
            placement.rcNormalPosition.top,
            placement.rcNormalPosition.right,
            placement.rcNormalPosition.bottom};
}

WINDOWPLACEMENT FromPlacementRecord(const PlacementRecord& record) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.flags = record.flags;
    placement.showCmd = record.showCommand;
    placement.ptMinPosition = {record.minX, record.minY};
    placement.ptMaxPosition = {record.maxX, record.maxY};
    placement.rcNormalPosition = {record.normalLeft, record.normalTop, record.normalRight,
                                  record.normalBottom};
    return placement;
}

bool IsWholePlacementRecord(const PlacementRecord& record) {
    return record.length == kPlacementRecordSize && record.showCommand <= SW_MAX;
}

bool SaveWindowPlacement(CSettingsStore* store, HWND window, const tstr& key) {
    if (!store)
        return false;
    const bool topmost = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    store->WriteString(key, kTopmostName, topmost ? tstr("1") : tstr());
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return false;
    const PlacementRecord record = ToPlacementRecord(placement);
    return store->WriteBytes(key, kPlacementName, &record, sizeof record);
}

bool RestoreWindowPlacement(CSettingsStore* store, HWND window, const tstr& key, bool keepSize) {
    if (!store)
        return false;
    RECT current{};
    if (keepSize)
        GetWindowRect(window, &current);
    tstr topmost;
    if (store->ReadString(key, kTopmostName, topmost))
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PlacementRecord record{};
    if (!ReadPlacementRecord(*store, key, record)) {
        ShowWindow(window, SW_SHOWNORMAL);
        return false;
    }
    if (keepSize)
        KeepSize(record, current);
    const UINT storedShow = record.showCommand;
    WINDOWPLACEMENT placement = FromPlacementRecord(record);
    placement.showCmd = SW_SHOWNORMAL;
    SetWindowPlacement(window, &placement);
    if (storedShow != SW_SHOWNORMAL)
        ShowWindow(window, static_cast<int>(storedShow));
    return true;
}

bool ReadPlacementKeepingSize(CSettingsStore& store, HWND window, const tstr& key,
                              WINDOWPLACEMENT& placement) {
    PlacementRecord record{};
    RECT current{};
    if (!ReadPlacementRecord(store, key, record) || !GetWindowRect(window, &current))
        return false;
    KeepSize(record, current);
    placement = FromPlacementRecord(record);
    if (!MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONULL))
        CentreOnNearestMonitor(placement.rcNormalPosition);
    return true;
}
