#pragma once

#include "system/SystemOwners_win.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// The Embra that runs in this session, as the measuring tool sees it: its process, its main
// window (found by process and settings button, as the setup finds it) and its program
// file, through which it is told what to show.
class CEmbraCopy {
public:
    // Finds the copy; false when none runs or it cannot be read.
    bool Find();
    HANDLE Process() const { return process.Get(); }
    const std::wstring& Program() const { return program; }
    // Whether its effect runs (its start button carries the stop command).
    bool Running() const;
    // Runs the program with the command line's `arguments` (e.g. L"/effect Glimra /quiet");
    // its exit code, -1 when it cannot be started or does not end within 30 s.
    long Command(const std::wstring& arguments) const;
    // The frames its effect has rendered since it started; empty when it does not answer.
    std::optional<int64_t> Frames() const;

private:
    CKernelHandle process;
    HWND window = nullptr;
    std::wstring program;
};

// The effect "current" under HKCU\Software\Lumavist\Embra\Sets; "Embra" when it is missing.
std::wstring CurrentEffect();
