// embra-measure: has the running Embra show each effect in turn (through its command line,
// "/effect NAME"), lets it warm up, then measures for a while what embra.exe costs (CPU
// time, cycles, frames, memory, handles, GDI objects) and what dwm.exe's CPU does meanwhile,
// and prints one Markdown table. Afterwards Embra shows what it showed before.
//
// Usage: embra-measure.exe [--seconds N] [--warm-up N] [--effects Embra,Glimra,Ripla]
//                          [--out FILE]
// Exit codes: 0 done, 1 bad arguments, 2 Embra does not run, 3 Embra did not take a
// command, 4 the table could not be written.
#include "params/Utf16_win.h"
#include "tools/measure/EmbraCopy.h"
#include "tools/measure/MachineFacts.h"
#include "tools/measure/ProcessFigures.h"
#include "tools/measure/Table.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
    int seconds = 60;
    int warmUp = 10;
    std::vector<std::wstring> effects{L"Embra", L"Glimra", L"Ripla"};
    std::wstring out;
};

// One look at both processes.
struct Sample {
    LARGE_INTEGER at{};
    ProcessFigures embra;
    ProcessFigures dwm;
    std::optional<int64_t> frames;
};

std::vector<std::wstring> Split(const std::wstring& list) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (std::size_t comma = list.find(L',');; comma = list.find(L',', start)) {
        const std::wstring part = list.substr(start, comma - start);
        if (!part.empty())
            parts.push_back(part);
        if (comma == std::wstring::npos)
            return parts;
        start = comma + 1;
    }
}

// Whole seconds from 1 to a day; 0 for anything else.
int Seconds(const wchar_t* text) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 10);
    return end && *end == L'\0' && value >= 1 && value <= 86400 ? static_cast<int>(value) : 0;
}

bool ReadOptions(Options* options) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    bool good = arguments != nullptr;
    for (int i = 1; good && i < count; i += 2) {
        const std::wstring name = arguments[i];
        const wchar_t* value = i + 1 < count ? arguments[i + 1] : nullptr;
        good = value != nullptr;
        if (!good)
            break;
        if (name == L"--seconds")
            good = (options->seconds = Seconds(value)) > 0;
        else if (name == L"--warm-up")
            good = (options->warmUp = Seconds(value)) > 0;
        else if (name == L"--effects")
            good = !(options->effects = Split(value)).empty();
        else if (name == L"--out")
            options->out = value;
        else
            good = false;
    }
    LocalFree(arguments);
    return good;
}

Sample Look(const CEmbraCopy& embra, HANDLE dwm) {
    Sample sample;
    sample.embra = ReadFigures(embra.Process());
    if (dwm)
        sample.dwm = ReadFigures(dwm);
    sample.frames = embra.Frames();
    QueryPerformanceCounter(&sample.at);
    return sample;
}

std::optional<uint64_t> Grown(const std::optional<uint64_t>& before,
                              const std::optional<uint64_t>& after) {
    if (!before || !after || *after < *before)
        return std::nullopt;
    return *after - *before;
}

EffectRow RowOf(const std::wstring& effect, const Sample& before, const Sample& after) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    const double seconds = static_cast<double>(after.at.QuadPart - before.at.QuadPart) /
                           static_cast<double>(frequency.QuadPart);
    std::optional<double> frames;
    if (before.frames && after.frames && *after.frames > *before.frames)
        frames = static_cast<double>(*after.frames - *before.frames);
    const auto share = [seconds](const std::optional<uint64_t>& cpu) -> std::optional<double> {
        if (!cpu || seconds <= 0)
            return std::nullopt;
        return static_cast<double>(*cpu) / 1e7 / seconds * 100.0;
    };
    const auto perFrame =
        [&frames](const std::optional<uint64_t>& cycles) -> std::optional<double> {
        if (!cycles || !frames)
            return std::nullopt;
        return static_cast<double>(*cycles) / *frames;
    };
    EffectRow row;
    row.effect = std::string(Utf8(effect).str());
    row.cpuShare = share(Grown(before.embra.cpuTime, after.embra.cpuTime));
    row.cyclesPerFrame = perFrame(Grown(before.embra.cycles, after.embra.cycles));
    if (frames && seconds > 0)
        row.framesPerSecond = *frames / seconds;
    row.workingSet = after.embra.workingSet;
    row.privateBytes = after.embra.privateBytes;
    row.handles = after.embra.handles;
    row.gdiObjects = after.embra.gdiObjects;
    row.dwmShare = share(Grown(before.dwm.cpuTime, after.dwm.cpuTime));
    row.dwmCyclesPerFrame = perFrame(Grown(before.dwm.cycles, after.dwm.cycles));
    return row;
}

// Has Embra show `effect` (or stop, for an empty one) and says so when it does not.
bool Tell(const CEmbraCopy& embra, const std::wstring& arguments) {
    const long code = embra.Command(arguments + L" /quiet");
    if (code != 0)
        std::fwprintf(stderr, L"embra.exe %ls: exit code %ld\n", arguments.c_str(), code);
    return code == 0;
}

bool Write(const std::string& table, const std::wstring& out) {
    FILE* file = out.empty() ? stdout : _wfopen(out.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = std::fwrite(table.data(), 1, table.size(), file) == table.size();
    return (out.empty() ? std::fflush(file) : std::fclose(file)) == 0 && written;
}

} // namespace

int main() {
    Options options;
    if (!ReadOptions(&options)) {
        std::fputs("Usage: embra-measure.exe [--seconds N] [--warm-up N] "
                   "[--effects Embra,Glimra,Ripla] [--out FILE]\n",
                   stderr);
        return 1;
    }
    CEmbraCopy embra;
    if (!embra.Find()) {
        std::fputs("Embra does not run: start it, then run embra-measure again.\n", stderr);
        return 2;
    }
    const std::wstring shownBefore = CurrentEffect();
    const bool runningBefore = embra.Running();
    const DWORD dwmId = FindProcess(L"dwm.exe");
    const CKernelHandle dwm(dwmId ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, dwmId)
                                  : nullptr);
    std::vector<EffectRow> rows;
    for (const std::wstring& effect : options.effects) {
        if (!Tell(embra, L"/effect " + effect))
            return 3;
        std::fwprintf(stderr, L"%ls: %d s to warm up, %d s measured\n", effect.c_str(),
                      options.warmUp, options.seconds);
        Sleep(static_cast<DWORD>(options.warmUp) * 1000);
        const Sample before = Look(embra, dwm.Get());
        Sleep(static_cast<DWORD>(options.seconds) * 1000);
        rows.push_back(RowOf(effect, before, Look(embra, dwm.Get())));
    }
    if (!Tell(embra, L"/effect " + shownBefore) || (!runningBefore && !Tell(embra, L"/stop")))
        return 3;
    TableHeader header;
    header.embraVersion = FileVersion(embra.Program());
    header.system = SystemVersion();
    header.displays = Displays();
    header.processor = Processor();
    header.warmUpSeconds = options.warmUp;
    header.seconds = options.seconds;
    return Write(FormatTable(header, rows), options.out) ? 0 : 4;
}
