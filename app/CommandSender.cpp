#include "app/CommandSender.h"

#include "app/RemoteMessages.h"
#include "params/TextTemplate.h"
#include "params/Utf16_win.h"
#include "resources/resource.h"
#include "system/SystemOwners_win.h"
#include "ui/UiText.h"

#include <shellapi.h>

namespace {

// The copy of `window` has ended, waiting for it up to kCommandWaitMs.
bool Ended(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const CKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    return !process.Get() || WaitForSingleObject(process.Get(), kCommandWaitMs) == WAIT_OBJECT_0;
}

UINT ErrorText(CommandError error, bool valueGiven) {
    if (error == CommandError::SecondCommand)
        return IDS_CMD_SECOND;
    if (error == CommandError::BadValue)
        return valueGiven ? IDS_CMD_BAD_VALUE : IDS_CMD_NO_VALUE;
    return IDS_CMD_UNKNOWN;
}

} // namespace

std::vector<std::string> ProgramArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> utf8;
    for (int i = 1; arguments && i < count; ++i)
        utf8.push_back(Utf8(arguments[i]).str());
    LocalFree(arguments);
    return utf8;
}

int SendCommand(HWND window, const Command& command) {
    std::string data = EncodeCommand(command);
    COPYDATASTRUCT copy{kCommandDataId, static_cast<DWORD>(data.size()), data.data()};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                             SMTO_ABORTIFHUNG, kCommandWaitMs, &answer) ||
        static_cast<std::intptr_t>(answer) != kCommandDone)
        return kExitNotCarriedOut;
    if (command.kind == CommandKind::Exit && !Ended(window))
        return kExitNotCarriedOut;
    return kExitDone;
}

void ShowCommandLineError(HINSTANCE module, const std::wstring& title, const CommandLine& line,
                          const std::vector<std::string>& effectKeys) {
    const std::string fault =
        FillTemplate(UiText(module, ErrorText(line.error, !line.value.empty())).str(),
                     {line.offending, line.value});
    const std::string usage =
        FillTemplate(UiText(module, IDS_CMD_USAGE).str(),
                     {std::to_string(kMaxPauseMinutes), JoinKeys(effectKeys)});
    MessageBoxW(nullptr, Utf16((fault + "\n\n" + usage).c_str()).c_str(), title.c_str(),
                MB_ICONWARNING | MB_OK | MB_SETFOREGROUND);
}
