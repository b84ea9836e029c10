#include "tools/measure/MachineFacts.h"

#include "params/Utf16_win.h"
#include "tools/measure/ProcessFigures.h"

#include <windows.h>

#include <cstdio>

namespace {

// A text value under HKEY_LOCAL_MACHINE; empty when it is missing.
std::wstring MachineText(const wchar_t* key, const wchar_t* name) {
    wchar_t text[256] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return std::wstring();
    return text;
}

std::string DisplayLine(const wchar_t* device) {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(device, ENUM_CURRENT_SETTINGS, &mode))
        return std::string();
    char line[64];
    std::snprintf(line, sizeof(line), "%lu x %lu at %lu Hz", mode.dmPelsWidth, mode.dmPelsHeight,
                  mode.dmDisplayFrequency);
    return line;
}

} // namespace

std::string SystemVersion() {
    // GetVersionEx answers what the program's manifest allows; ntdll tells the truth.
    using GetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    FARPROC address = ntdll ? GetProcAddress(ntdll, "RtlGetVersion") : nullptr;
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (address)
        reinterpret_cast<GetVersionFunction>(reinterpret_cast<void (*)()>(address))(&version);
    char text[64];
    std::snprintf(text, sizeof(text), "Windows %lu.%lu.%lu", version.dwMajorVersion,
                  version.dwMinorVersion, version.dwBuildNumber);
    const std::string release = std::string(
        Utf8(MachineText(L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"DisplayVersion"))
            .str());
    const std::string windows = release.empty() ? text : std::string(text) + " (" + release + ")";
    const std::string wine = WineVersion();
    return wine.empty() ? windows : "Wine " + wine + " (" + windows + ")";
}

std::vector<std::string> Displays() {
    std::vector<std::string> displays;
    DISPLAY_DEVICEW device{};
    device.cb = sizeof(device);
    for (DWORD i = 0; EnumDisplayDevicesW(nullptr, i, &device, 0); ++i) {
        if (!(device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP))
            continue;
        const std::string line = DisplayLine(device.DeviceName);
        if (line.empty())
            continue;
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)
            displays.insert(displays.begin(), line);
        else
            displays.push_back(line);
    }
    if (displays.empty())
        displays.push_back(DisplayLine(nullptr));
    return displays;
}

std::string Processor() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const std::string name =
        std::string(Utf8(MachineText(L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                                     L"ProcessorNameString"))
                        .str());
    return (name.empty() ? std::string("unknown processor") : name) + ", " +
           std::to_string(info.dwNumberOfProcessors) + " logical processors";
}

std::string FileVersion(const std::wstring& program) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    std::string block(size, '\0');
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoW(program.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return std::string();
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS));
}
