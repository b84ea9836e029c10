#include "app/CrashNotice.h"

#include "app/CrashFolder.h"
#include "params/StorePaths.h"
#include "params/TextTemplate.h"
#include "params/Utf16_win.h"
#include "resources/resource.h"
#include "ui/UiText.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

namespace {

constexpr const char* kToldName = "CrashReportTold";
constexpr int kOpenFolder = 100; // the box's button; "Close" is its cancel button

// The write time of the report told of last; 0 when none is stored or it is no number.
uint64_t ToldTime(CSettingsStore& store) {
    tstr stored;
    if (!store.ReadString(kMainWindowPath, kToldName, stored) || stored.IsEmpty())
        return 0;
    char* end = nullptr;
    const unsigned long long told = std::strtoull(stored.str(), &end, 10);
    return end && *end == '\0' && stored.str()[0] != '-' ? told : 0;
}

} // namespace

bool TellOfCrashReport(HINSTANCE module, const std::wstring& folder, CSettingsStore& store,
                       const std::wstring& title) {
    const std::vector<CrashReport> reports = ListCrashReports(folder);
    const CrashReport* report = ReportToTell(reports, ToldTime(store));
    if (!report)
        return false;
    // Noted before the box shows: never told twice, even when the program ends meanwhile.
    store.WriteString(kMainWindowPath, kToldName, std::to_string(report->written).c_str());
    const std::wstring heading = Utf16(UiText(module, IDS_CRASH_HEADING));
    const std::string path = std::string(Utf8(folder).str()) + "\\" + report->name;
    const std::wstring content =
        Utf16(FillTemplate(UiText(module, IDS_CRASH_NOTICE).str(), {path}).c_str());
    const std::wstring open = Utf16(UiText(module, IDS_OPEN_FOLDER));
    const std::wstring close = Utf16(UiText(module, IDS_CLOSE));
    const TASKDIALOG_BUTTON buttons[] = {{kOpenFolder, open.c_str()}, {IDCANCEL, close.c_str()}};
    TASKDIALOGCONFIG box{};
    box.cbSize = sizeof(box);
    box.hInstance = module;
    box.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
    box.pszWindowTitle = title.c_str();
    box.pszMainIcon = TD_WARNING_ICON;
    box.pszMainInstruction = heading.c_str();
    box.pszContent = content.c_str();
    box.cButtons = 2;
    box.pButtons = buttons;
    box.nDefaultButton = IDCANCEL;
    int pressed = IDCANCEL;
    if (SUCCEEDED(TaskDialogIndirect(&box, &pressed, nullptr, nullptr)) && pressed == kOpenFolder)
        ShellExecuteW(nullptr, L"open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}
