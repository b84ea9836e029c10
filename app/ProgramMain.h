#pragma once

#include <functional>
#include <string>
#include <vector>

class CWpp;

// The program from its start to its end, for the entry point: takes over crash reports,
// reads the command line (`arguments`, after the program's name, in UTF-8), hands a command
// to the copy that runs or starts the program (showing the effect "/effect" names), tells
// of a crash report left by the run before, then runs until the quit message. `started`,
// when given, runs once the program is up (the crash test's build makes it fail there).
// The exit code: the quit message's, or one of the command line's.
int RunProgram(const std::vector<std::string>& arguments,
               const std::function<void(CWpp&)>& started = nullptr);
