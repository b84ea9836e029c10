#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The programs of the system by their file names as Windows reports them ("obs64.exe"),
// in UTF-8, read through the wide calls so that names in every script pass.

// The file name of the program of process `process`; empty when it cannot be read (the
// process ended, or it is protected from this program).
std::string ProcessProgram(DWORD process);
// The file name of the program that made the window; empty for none.
std::string WindowProgram(HWND window);
// The file names of the running programs from the process list, each once, in the order of
// their names without regard to case.
std::vector<std::string> RunningPrograms();
// Whether the window belongs to this program or to the shell (the desktop, the taskbar and
// every other window of the shell's process).
bool IsOwnOrShellWindow(HWND window);
// The programs with a shown top-level window now, each once, in the order of their names
// without regard to case; neither this program nor the shell.
std::vector<std::string> ProgramsWithWindows();
