#include "app/TrayIcon.h"

#include "params/TextTemplate.h"
#include "resources/resource.h"
#include "ui/UiText.h"
#include "ui/UserOwners.h"
#include "ui/VersionField.h"

#include <cstdio>
#include <string>

namespace {

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

// Copies a text into a fixed field, cut to the field's size.
template <std::size_t N> void CopyField(wchar_t (&field)[N], const tstr& text) {
    const std::wstring wide = Utf16(text);
    const std::size_t length = wide.size() < N - 1 ? wide.size() : N - 1;
    wide.copy(field, length);
    field[length] = L'\0';
}

NOTIFYICONDATAW IconData(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = 0;
    return data;
}

// The tip cut to `limit` characters followed by "..." when longer; a character is one
// UTF-8 sequence, so no letter is cut in two.
tstr CutTip(const tstr& tip, std::size_t limit) {
    const char* text = tip.str();
    std::size_t characters = 0;
    for (std::size_t at = 0; text[at] != '\0'; ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            continue;
        if (characters++ == limit)
            return tstr(std::string(text, at).c_str()) + "...";
    }
    return tip;
}

} // namespace

tstr FormatTrayTip(const tstr& title, const tstr& line, std::size_t limit) {
    return CutTip(title + "\n" + line, limit);
}

tstr TipVersionLine(HINSTANCE module, const tstr& version) {
    return FillTemplate(UiText(module, IDS_TIP_VERSION).str(), {version.str()}).c_str();
}

tstr PauseNoteText(HINSTANCE module, const PauseNote& note) {
    for (const ReasonString& each : kReasonStrings) {
        if (each.reason != note.reason)
            continue;
        char until[16];
        std::snprintf(until, sizeof until, "%02d:%02d", note.untilHour, note.untilMinute);
        const bool timed = note.reason == kPauseForHour;
        // A timed pause of another length than the hour names only its end.
        const UINT id = timed && note.minutes != 60 ? IDS_PAUSED_UNTIL : each.id;
        return FillTemplate(UiText(module, id).str(), {timed ? until : note.program}).c_str();
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
    NOTIFYICONDATAW data = IconData(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = icon.Get();
    CopyField(data.szTip, tip);
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool ShowTrayBalloon(HWND window, const tstr& text) {
    NOTIFYICONDATAW data = IconData(window);
    data.uFlags = NIF_INFO;
    CopyField(data.szInfo, text);
    data.szInfoTitle[0] = L'\0';
    data.uTimeout = kBalloonMs;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool SetTrayTip(HWND window, const tstr& tip) {
    NOTIFYICONDATAW data = IconData(window);
    data.uFlags = NIF_TIP;
    CopyField(data.szTip, tip);
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool DeleteTrayIcon(HWND window) {
    NOTIFYICONDATAW data = IconData(window);
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}
