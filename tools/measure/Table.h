#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One effect's row of the table: each figure empty where the system does not give it.
struct EffectRow {
    std::string effect;
    std::optional<double> cpuShare;       // embra.exe's CPU time over the time measured, %
    std::optional<double> cyclesPerFrame; // embra.exe's cycles over the frames rendered
    std::optional<double> framesPerSecond;
    std::optional<uint64_t> workingSet;   // bytes, at the end
    std::optional<uint64_t> privateBytes; // bytes, at the end
    std::optional<uint32_t> handles;
    std::optional<uint32_t> gdiObjects;
    std::optional<double> dwmShare;          // dwm.exe's CPU time over the time measured, %
    std::optional<double> dwmCyclesPerFrame; // dwm.exe's cycles over Embra's frames
};

// What the header says: the program's version and the machine.
struct TableHeader {
    std::string embraVersion;
    std::string system;
    std::vector<std::string> displays;
    std::string processor;
    int warmUpSeconds = 0;
    int seconds = 0;
};

// The Markdown text: a heading, the header's lines, then one row per effect; an empty
// figure reads "n/a".
std::string FormatTable(const TableHeader& header, const std::vector<EffectRow>& rows);
