#include "system/CommandLine.h"

#include <algorithm>
#include <cctype>

namespace {

struct Switch {
    const char* name;
    CommandKind kind; // None: "/quiet"
    bool takesValue;
};

constexpr Switch kSwitches[] = {
    {"start", CommandKind::Start, false},   {"stop", CommandKind::Stop, false},
    {"toggle", CommandKind::Toggle, false}, {"pause", CommandKind::Pause, true},
    {"effect", CommandKind::Effect, true},  {"exit", CommandKind::Exit, false},
    {"quiet", CommandKind::None, false},
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The switch an argument names, null when it names none.
const Switch* FindSwitch(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
        return nullptr;
    const std::string name = Lower(argument.substr(1));
    for (const Switch& each : kSwitches)
        if (name == each.name)
            return &each;
    return nullptr;
}

// Whole minutes from 0 to kMaxPauseMinutes in decimal digits; -1 for anything else.
int ReadMinutes(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return -1;
    const int minutes = std::stoi(text);
    return minutes <= kMaxPauseMinutes ? minutes : -1;
}

// The key `text` names in any case; empty when it names none.
std::string FindKey(const std::string& text, const std::vector<std::string>& keys) {
    for (const std::string& key : keys)
        if (!key.empty() && Lower(key) == Lower(text))
            return key;
    return std::string();
}

// Reads the value of `each` into `command`; false when it is not one the switch takes.
bool ReadValue(const Switch& each, const std::string& value, const std::vector<std::string>& keys,
               Command* command) {
    if (each.kind == CommandKind::Pause) {
        command->minutes = ReadMinutes(value);
        return command->minutes >= 0;
    }
    command->effect = FindKey(value, keys);
    return !command->effect.empty();
}

// Whether "/quiet" is among the arguments, wherever it stands: also a command line that
// fails before it gets there is quiet.
bool AnyQuiet(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        const Switch* each = FindSwitch(argument);
        return each && each->kind == CommandKind::None;
    });
}

CommandLine Fail(const std::vector<std::string>& arguments, CommandError error,
                 const std::string& offending, const std::string& value = "") {
    CommandLine failed;
    failed.quiet = AnyQuiet(arguments);
    failed.error = error;
    failed.offending = offending;
    failed.value = value;
    return failed;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                             const std::vector<std::string>& effectKeys) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const Switch* each = FindSwitch(argument);
        if (!each)
            return Fail(arguments, CommandError::UnknownSwitch, argument);
        if (each->kind == CommandKind::None) {
            line.quiet = true;
            continue;
        }
        if (line.command.kind != CommandKind::None)
            return Fail(arguments, CommandError::SecondCommand, argument);
        line.command.kind = each->kind;
        if (!each->takesValue)
            continue;
        if (i + 1 >= arguments.size())
            return Fail(arguments, CommandError::BadValue, argument);
        if (!ReadValue(*each, arguments[++i], effectKeys, &line.command))
            return Fail(arguments, CommandError::BadValue, argument, arguments[i]);
    }
    return line;
}

bool NeedsRunningCopy(CommandKind kind) {
    return kind != CommandKind::Start && kind != CommandKind::Effect;
}

std::string EncodeCommand(const Command& command) {
    for (const Switch& each : kSwitches) {
        if (each.kind != command.kind || command.kind == CommandKind::None)
            continue;
        std::string text = std::string("/") + each.name;
        if (command.kind == CommandKind::Pause)
            text += "\n" + std::to_string(command.minutes);
        else if (command.kind == CommandKind::Effect)
            text += "\n" + command.effect;
        return text;
    }
    return std::string();
}

bool DecodeCommand(const char* data, std::size_t size, const std::vector<std::string>& effectKeys,
                   Command* command) {
    if (!data || size == 0 || size > kMaxCommandBytes ||
        std::find(data, data + size, '\0') != data + size)
        return false;
    std::vector<std::string> arguments;
    const char* start = data;
    for (const char* at = data; at <= data + size; ++at) {
        if (at == data + size || *at == '\n') {
            arguments.emplace_back(start, at);
            start = at + 1;
        }
    }
    const CommandLine line = ParseCommandLine(arguments, effectKeys);
    if (line.error != CommandError::None || line.quiet || line.command.kind == CommandKind::None)
        return false;
    *command = line.command;
    return true;
}

std::string JoinKeys(const std::vector<std::string>& effectKeys) {
    std::string joined;
    for (const std::string& key : effectKeys)
        joined += (joined.empty() ? "" : ", ") + key;
    return joined;
}
