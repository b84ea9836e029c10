// The driver serving a script's commands for the life of one run of the program: starting a
// Windows process in the virtual desktop for each command costs more than most commands.
#pragma once

#include <functional>
#include <string>

// Answers one command (its name, its argument and the words after it) with a report line.
using DriverCommand = std::function<std::string(
    const std::string& command, const std::string& argument, const std::string& more)>;

// Runs each line appended to the file `commands` (the command, its argument and the words
// after it, separated by tabs) and appends its answer to `report`, until the launcher
// reports in `report` that the program has ended (an "exit" line) or the file `commands` is
// deleted. Lines appended while the program ended are
// still answered; then the file is deleted, so the script knows that nothing serves it.
void ServeCommands(const char* report, const char* commands, const DriverCommand& run);
