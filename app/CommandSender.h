#pragma once

#include "system/CommandLine.h"

#include <windows.h>

#include <string>
#include <vector>

// The command line's Windows side in the copy started with it: its arguments, handing a
// command to the running copy, and the box of a command line that cannot be carried out.

// How long the running copy is given to carry a command out, and to end after "/exit".
constexpr DWORD kCommandWaitMs = 10000;

// The arguments after the program's name, in UTF-8.
std::vector<std::string> ProgramArguments();
// Hands the command to the copy whose main window is `window`: kExitDone once carried out
// (after "/exit" once that copy has ended), kExitNotCarriedOut when it does not answer in
// time, refuses or does not end.
int SendCommand(HWND window, const Command& command);
// The box of a command line that cannot be carried out, titled `title`: what is wrong,
// naming the switch, and the valid switches.
void ShowCommandLineError(HINSTANCE module, const std::wstring& title, const CommandLine& line,
                          const std::vector<std::string>& effectKeys);
