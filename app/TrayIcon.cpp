#include "app/TrayIcon.h"

#include "resources/resource.h"
#include "ui/UserOwners.h"
#include "ui/VersionField.h"
#include "ui/WindowHelpers.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t kTipLimit = 60;
constexpr UINT kBalloonMs = 15000;

// The string of each reason the tip names.
struct ReasonString {
    uint32_t reason;
    UINT id;
};
constexpr ReasonString kReasonStrings[] = {
    {kPauseForHour, IDS_PAUSED_HOUR},
    {kPauseFullScreen, IDS_PAUSED_FULL_SCREEN},
    {kPauseCoveredByWindows, IDS_PAUSED_COVERED},
    {kPauseSessionLocked, IDS_PAUSED_SESSION_LOCKED},
    {kPauseDisplayOff, IDS_PAUSED_DISPLAY_OFF},
    {kPauseBatterySaver, IDS_PAUSED_BATTERY_SAVER},
    {kPauseOnBattery, IDS_PAUSED_ON_BATTERY},
    {kPauseRemoteSession, IDS_PAUSED_REMOTE},
    {kPauseCamera, IDS_PAUSED_CAMERA},
    {kPauseAnimationsOff, IDS_PAUSED_ANIMATIONS},
    {kPauseProgramInFront, IDS_PAUSED_PROGRAM_IN_FRONT},
    {kPauseProgramRunning, IDS_PAUSED_PROGRAM_RUNNING},
};

// Copies text into a fixed field, cut to the field's size.
template <std::size_t N> void CopyField(char (&field)[N], const tstr& text) {
    std::strncpy(field, text.str(), N - 1);
    field[N - 1] = '\0';
}

NOTIFYICONDATAA IconData(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = 0;
    return data;
}

// The tip cut to kTipLimit characters followed by "..." when longer.
tstr CutTip(const tstr& tip) {
    if (tip.Length() <= kTipLimit)
        return tip;
    char cut[kTipLimit + 1] = {};
    std::memcpy(cut, tip.str(), kTipLimit);
    return tstr(cut) + "...";
}

} // namespace

tstr FormatTrayTip(const tstr& title, const tstr& version) {
    return CutTip(title + "\n" + version + " ver.");
}

tstr FormatPausedTip(const tstr& title, const tstr& reason) {
    return CutTip(title + "\n" + reason);
}

tstr PauseNoteText(HINSTANCE module, const PauseNote& note) {
    for (const ReasonString& each : kReasonStrings) {
        if (each.reason != note.reason)
            continue;
        char until[16];
        std::snprintf(until, sizeof until, "%02d:%02d", note.untilHour, note.untilMinute);
        return FillResourceString(module, each.id,
                                  note.reason == kPauseForHour ? until : note.program.c_str());
    }
    return tstr("");
}

tstr ProgramVersion() {
    // The longest path the system hands out, in characters with the terminator.
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return GetVersionField(path, "FileVersion");
}

bool AddTrayIcon(HWND window, UINT callbackMessage, HINSTANCE module, int iconId, const tstr& tip) {
    const CIconOwner icon(LoadIconSized(module, iconId, 16));
    NOTIFYICONDATAA data = IconData(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = icon.Get();
    CopyField(data.szTip, tip);
    return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

bool ShowTrayBalloon(HWND window, const tstr& text) {
    NOTIFYICONDATAA data = IconData(window);
    data.uFlags = NIF_INFO;
    CopyField(data.szInfo, text);
    data.szInfoTitle[0] = '\0';
    data.uTimeout = kBalloonMs;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool SetTrayTip(HWND window, const tstr& tip) {
    NOTIFYICONDATAA data = IconData(window);
    data.uFlags = NIF_TIP;
    CopyField(data.szTip, tip);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool DeleteTrayIcon(HWND window) {
    NOTIFYICONDATAA data = IconData(window);
    return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}
