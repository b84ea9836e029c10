#include "tools/measure/Table.h"

#include <cstdio>

namespace {

std::string Fixed(std::optional<double> value, const char* format) {
    if (!value)
        return "n/a";
    char text[32];
    std::snprintf(text, sizeof(text), format, *value);
    return text;
}

std::string Megabytes(std::optional<uint64_t> bytes) {
    return bytes ? Fixed(static_cast<double>(*bytes) / (1024.0 * 1024.0), "%.1f") : "n/a";
}

std::string Count(std::optional<uint32_t> count) {
    return count ? std::to_string(*count) : "n/a";
}

std::string Millions(std::optional<double> value) {
    return value ? Fixed(*value / 1e6, "%.2f") : "n/a";
}

} // namespace

std::string FormatTable(const TableHeader& header, const std::vector<EffectRow>& rows) {
    std::string displays;
    for (const std::string& display : header.displays)
        displays += (displays.empty() ? "" : "; ") + display;
    std::string text = "## Embra " + header.embraVersion + " on " + header.system + "\n\n";
    text += "- Displays: " + displays + "\n";
    text += "- Processor: " + header.processor + "\n";
    text += "- Each effect shown " + std::to_string(header.warmUpSeconds) +
            " s before it is measured for " + std::to_string(header.seconds) +
            " s (embra-measure)\n\n";
    text += "| effect | embra.exe CPU, % of one core | cycles per frame, millions | frames a "
            "second | working set, MB | private bytes, MB | handles | GDI objects | dwm.exe CPU, "
            "% of one core | dwm.exe cycles per Embra frame, millions |\n";
    text += "| --- | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: |\n";
    for (const EffectRow& row : rows) {
        text += "| " + row.effect + " | " + Fixed(row.cpuShare, "%.2f") + " | " +
                Millions(row.cyclesPerFrame) + " | " + Fixed(row.framesPerSecond, "%.1f") + " | " +
                Megabytes(row.workingSet) + " | " + Megabytes(row.privateBytes) + " | " +
                Count(row.handles) + " | " + Count(row.gdiObjects) + " | " +
                Fixed(row.dwmShare, "%.2f") + " | " + Millions(row.dwmCyclesPerFrame) + " |\n";
    }
    return text;
}
