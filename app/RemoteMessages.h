#pragma once

#include <cstdint>

// What another program may ask of the running copy through its main window (found by
// process and settings button, or through "Handle"): the command-line tool's commands and
// the measuring tool's frame count.

// WM_COPYDATA's dwData for a command of the command line (system/CommandLine's
// EncodeCommand): "EMBC".
constexpr std::uintptr_t kCommandDataId = 0x454D4243;
// The answer to a command carried out; anything else: refused.
constexpr std::intptr_t kCommandDone = 1;
// The registered message whose answer is the number of frames the effect has rendered
// since the program started.
constexpr const wchar_t* kFramesMessageName = L"Embra.FramesRendered";
