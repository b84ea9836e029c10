#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The program's command line: one command for the effect or the program, handed to the
// copy that runs already (or carried out by the copy it starts), and "/quiet". Switches
// start with "/" or "-" and are read in any case. Kept here beside the application
// controller the commands drive, so that the parsing and the check of what another process
// hands the running copy are built and tested natively; the app folder is Windows only.

enum class CommandKind { None, Start, Stop, Toggle, Pause, Effect, Exit };

struct Command {
    CommandKind kind = CommandKind::None;
    int minutes = 0;    // Pause: how long, 0 ends a timed pause
    std::string effect; // Effect: the set's key as stored ("Glimra")

    bool operator==(const Command& other) const {
        return kind == other.kind && minutes == other.minutes && effect == other.effect;
    }
};

enum class CommandError {
    None,
    UnknownSwitch, // not a switch the program knows, or a word where a switch belongs
    BadValue,      // a switch's value is missing or not one it takes
    SecondCommand, // a command after another: one at a time
};

struct CommandLine {
    Command command;
    bool quiet = false; // no box, only the exit code
    CommandError error = CommandError::None;
    std::string offending; // the switch the error names, as typed
    std::string value;     // BadValue: the value as typed, empty when it is missing
};

// The exit codes of a command.
constexpr int kExitDone = 0;
constexpr int kExitBadArguments = 1;
constexpr int kExitNoRunningCopy = 2;
constexpr int kExitNotCarriedOut = 3; // the running copy did not answer or refused it

// The longest pause "/pause" takes: a day, so that the time of day its end shows at names
// one moment.
constexpr int kMaxPauseMinutes = 1440;
// The most bytes a command handed to the running copy takes.
constexpr std::size_t kMaxCommandBytes = 256;

// The arguments after the program's name (UTF-8) read against the effects' keys; a value of
// "/effect" matches a key in any case and becomes the key as stored.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                             const std::vector<std::string>& effectKeys);
// Whether the command needs a copy that runs: all but Start and Effect, which start one.
bool NeedsRunningCopy(CommandKind kind);
// The command as the running copy receives it: its switch and value, one per line.
std::string EncodeCommand(const Command& command);
// What another process handed in, untrusted: `size` bytes at `data`, at most
// kMaxCommandBytes, no zero byte, exactly one command and nothing else. False when it is
// not, and `command` is left alone.
bool DecodeCommand(const char* data, std::size_t size, const std::vector<std::string>& effectKeys,
                   Command* command);
// The keys joined for the usage text: "Embra, Glimra, Ripla".
std::string JoinKeys(const std::vector<std::string>& effectKeys);
