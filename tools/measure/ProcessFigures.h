#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// What Windows tells of another process, at one moment; a figure the system does not give
// (Wine gives few of them) is empty.
struct ProcessFigures {
    std::optional<uint64_t> cpuTime;      // user and kernel time, 100 ns units
    std::optional<uint64_t> cycles;       // QueryProcessCycleTime
    std::optional<uint64_t> workingSet;   // bytes
    std::optional<uint64_t> privateBytes; // bytes
    std::optional<uint32_t> handles;
    std::optional<uint32_t> gdiObjects;
};

// Whether the program runs under Wine, whose GetProcessTimes of another process gives the
// caller's own times.
bool UnderWine();
// The version of Wine; empty on Windows.
std::string WineVersion();
// The first process of this session whose program file is named `name` (any case); 0 when
// none runs.
DWORD FindProcess(const wchar_t* name);
// The figures of `process`, opened with what they need.
ProcessFigures ReadFigures(HANDLE process);
