#include "app/CommandSender.h"

#include "app/KernelOwners.h"
#include "app/RemoteMessages.h"
#include "app/WideText.h"
#include "resources/resource.h"

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
        utf8.push_back(Utf8Of(arguments[i]));
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
    const std::wstring fault =
        FillPlaces(LoadText(module, ErrorText(line.error, !line.value.empty())),
                   {WideOf(line.offending), WideOf(line.value)});
    const std::wstring usage =
        FillPlaces(LoadText(module, IDS_CMD_USAGE),
                   {std::to_wstring(kMaxPauseMinutes), WideOf(JoinKeys(effectKeys))});
    MessageBoxW(nullptr, (fault + L"\n\n" + usage).c_str(), title.c_str(),
                MB_ICONWARNING | MB_OK | MB_SETFOREGROUND);
}
