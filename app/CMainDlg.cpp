#include "app/CMainDlg.h"

#include "app/CAboutDlg.h"
#include "app/CWpp.h"
#include "app/CWppSettingsLink.h"
#include "app/RemoteMessages.h"
#include "graphics/CBmp.h"
#include "params/StorePaths.h"
#include "settings/CSettingsDlg.h"
#include "ui/CButtonWnd.h"
#include "ui/MessageCrackers.h"
#include "ui/UiText.h"
#include "ui/WindowHelpers.h"

namespace {

constexpr UINT kExitString = IDS_EXIT;
constexpr UINT kAboutString = IDS_ABOUT;

// A picture button's window text: the name screen readers announce.
void NameButton(HWND control, HINSTANCE module, UINT nameId) {
    SetWindowUiText(control, UiText(module, nameId));
}

// The start button takes the stop command's id while the effect runs, and back, and the
// name of what it then does.
void ChangeControlId(HWND dialog, int from, int to, HINSTANCE module, UINT nameId) {
    HWND control = GetDlgItem(dialog, from);
    if (!control)
        return;
    SetWindowLongPtrA(control, GWLP_ID, to);
    NameButton(control, module, nameId);
}

// Finds a visible dialog of the thread other than the main dialog: the About box, the
// settings window, an effect's dialog, a message box.
BOOL CALLBACK FindOtherDialog(HWND window, LPARAM search) noexcept {
    auto* found = reinterpret_cast<HWND*>(search);
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (window == *found || !IsWindowVisible(window) || lstrcmpA(className, "#32770") != 0)
        return TRUE;
    *found = window;
    return FALSE;
}

bool OtherDialogOpen(HWND mainDialog) {
    HWND found = mainDialog;
    EnumThreadWindows(GetWindowThreadProcessId(mainDialog, nullptr), FindOtherDialog,
                      reinterpret_cast<LPARAM>(&found));
    return found != mainDialog;
}

} // namespace

INT_PTR CMainDlg::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    static const UINT framesAsked = RegisterWindowMessageW(kFramesMessageName);
    if (message == taskbarCreated && taskbarCreated != 0) {
        app->OnTaskbarCreated();
        return 0;
    }
    if (message == framesAsked && framesAsked != 0)
        return Answer(static_cast<LONG_PTR>(app->FramesRendered()));
    CAppController& controller = app->Controller();
    switch (message) {
    case WM_SETTINGCHANGE:
        app->OnSettingChange();
        controller.OnLayoutChange(ChangedSettingOf(wParam) == SPI_SETWORKAREA);
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged();
        break;
    case CWpp::kTrayMessage: {
        const auto [iconId, mouseMessage] = TrayNotifyArgsOf(wParam, lParam);
        app->OnTrayNotify(iconId, mouseMessage);
        return 0;
    }
    case WM_DISPLAYCHANGE:
        controller.OnLayoutChange(true);
        break;
    case WM_HOTKEY:
        // The start/stop hotkey works as the start button does.
        if (HotKeyIdOf(wParam) == CStartStopHotKey::kId)
            controller.Toggle();
        return 0;
    case WM_QUERYENDSESSION:
        // Saved now, before anything may end the process; the default answer agrees.
        app->OnSessionEnding();
        break;
    case WM_ENDSESSION:
        if (SessionEndsOf(wParam))
            app->OnSessionEnding();
        else
            app->OnSessionEndCancelled();
        return 0;
    case WM_COPYDATA: {
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const bool done = copy && app->OnCommandData(copy->dwData, copy->lpData, copy->cbData);
        return Answer(done ? kCommandDone : 0);
    }
    case kSaveForCrash:
        app->SaveForCrash();
        return 0;
    default:
        break;
    }
    return CDialog::DialogProc(message, wParam, lParam);
}

int CMainDlg::OnCommand(UINT id, UINT code, HWND control) {
    CAppController& controller = app->Controller();
    switch (id) {
    case kToggle:
        controller.Toggle();
        RedrawWindow(Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return 1;
    case kClose:
        return OnClose(code, control);
    case kStop:
        controller.Stop();
        return 1;
    case kSettings:
        OnSettings();
        return 1;
    case kExit:
        app->RequestExit();
        return 1;
    case kQuit:
        app->Quit();
        return 1;
    case kStart:
        controller.Start();
        return 1;
    case kPauseHour:
        controller.ToggleHourPause();
        return 1;
    case kPauseInFront:
        app->TogglePauseInFront();
        return 1;
    case kAbout: {
        CAboutDlg about;
        about.DoModal(app->instance, CAboutDlg::kTemplate, Handle());
        return 1;
    }
    default:
        return CDialogParam::OnCommand(id, code, control);
    }
}

int CMainDlg::OnSysCommand(UINT command, int x, int y) {
    if (command == kExit || command == kAbout) {
        PostMessageA(Handle(), WM_COMMAND, command, 0);
        return 1;
    }
    return CDialog::OnSysCommand(command, x, y);
}

int CMainDlg::OnInitDialog() {
    const int result = CDialogParam::OnInitDialog();
    SetWindowUiText(Handle(), app->title);
    SetIcons();
    if (!RestorePlacement())
        CenterWindow(Handle(), nullptr);
    SetFace(kStart, kStartFace);
    SetFace(kSettings, kSettingsFace);
    ShowTexts();
    return result;
}

void CMainDlg::ShowTexts() {
    const bool running = GetDlgItem(Handle(), kStop) != nullptr;
    NameButton(GetDlgItem(Handle(), running ? kStop : kStart), app->instance,
               running ? IDS_STOP_EFFECT : IDS_START_EFFECT);
    NameButton(GetDlgItem(Handle(), kSettings), app->instance, IDS_SETTINGS_BUTTON);
    // The system's own menu again, then the program's items in the language now chosen.
    GetSystemMenu(Handle(), TRUE);
    AppendSystemMenu();
}

void CMainDlg::OnDestroy() {
    if (!app->SavedForSessionEnd())
        SavePlacement();
    CDialog::OnDestroy();
}

void CMainDlg::OnTimer(UINT_PTR id) {
    // A dialog of the program open now would vanish with the minimised window: the timer
    // tries again later.
    if (id != kFirstRunTimer || OtherDialogOpen(Handle()))
        return;
    KillTimer(Handle(), kFirstRunTimer);
    ShowWindow(Handle(), SW_MINIMIZE);
    app->startMinimize.Set(1);
}

void CMainDlg::OnAppStateChanged() {
    ShowEffectState();
    app->ChangeTrayTip(app->TrayTip());
}

INT_PTR CMainDlg::Answer(LONG_PTR result) {
    SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, result);
    return TRUE;
}

void CMainDlg::SavePlacement() {
    SaveWindowPlacement(&app->store, Handle(), kMainWindowPath);
}

void CMainDlg::StartFirstRunTimer() {
    SetTimer(Handle(), kFirstRunTimer, kFirstRunMs, nullptr);
}

void CMainDlg::OnSettings() {
    CWppSettingsLink link(app);
    CSettingsDlg settings(&link);
    settings.DoModal(app->instance, CSettingsDlg::kTemplate, Handle());
}

void CMainDlg::ShowEffectState() {
    const bool running = app->Controller().Running();
    if (GetDlgItem(Handle(), running ? kStop : kStart))
        return;
    if (running)
        ChangeControlId(Handle(), kStart, kStop, app->instance, IDS_STOP_EFFECT);
    else
        ChangeControlId(Handle(), kStop, kStart, app->instance, IDS_START_EFFECT);
    SetFace(running ? kStop : kStart, running ? kStopFace : kStartFace);
}

int CMainDlg::OnClose(UINT code, HWND control) {
    CAppController& controller = app->Controller();
    const bool wasRunning = controller.Running();
    if (wasRunning)
        controller.Stop();
    if (app->OnCloseRequest() == 0) {
        if (wasRunning)
            controller.Start();
        return 1;
    }
    // Quit has destroyed the window already.
    if (!IsWindow(Handle()))
        return 1;
    return CDialogParam::OnCommand(kClose, code, control);
}

void CMainDlg::OnWindowPosChanged() {
    app->OnMainWindowPosChanged(CWpp::kTrayMessage, CWpp::kTrayIcon, app->TrayTip());
}

void CMainDlg::SetIcons() {
    // The window shows the new icon before the owner destroys the one it replaces.
    const auto setIcon = [this](WPARAM which, CIconOwner& owner, int size) {
        const HICON icon = LoadIconSized(app->instance, CWpp::kTrayIcon, size);
        SendMessageA(Handle(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
        owner.Reset(icon);
    };
    setIcon(ICON_SMALL, smallIcon, 16);
    setIcon(ICON_BIG, bigIcon, 32);
}

bool CMainDlg::RestorePlacement() {
    WINDOWPLACEMENT placement{};
    if (!ReadPlacementKeepingSize(app->store, Handle(), kMainWindowPath, placement))
        return false;
    placement.showCmd = SW_HIDE;
    return SetWindowPlacement(Handle(), &placement) != FALSE;
}

void CMainDlg::AppendSystemMenu() {
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAbout, Utf16(UiText(app->instance, kAboutString)).c_str());
    AppendMenuW(menu, MF_STRING, kExit, Utf16(UiText(app->instance, kExitString)).c_str());
}

void CMainDlg::SetFace(int id, const ButtonFaceBitmaps& face) {
    HWND control = GetDlgItem(Handle(), id);
    CButtonWnd* button = ObjectOf<CButtonWnd>(control);
    if (!button)
        return;
    button->ReleaseImage();
    CBmp& image = button->LoadImage(app->instance, face.image);
    HINSTANCE module = app->instance;
    BuildButtonFace(
        image, [module](CBmp& bitmap, int number) { bitmap.LoadBitmapResource(module, number); },
        face.artwork, face.highlight);
    InvalidateRect(control, nullptr, FALSE);
}
