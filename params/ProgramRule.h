#pragma once

#include <string>
#include <vector>

// What a per-program rule does with the effect.
enum class ProgramAction {
    Front,   // stored "front": pause while a window of the program is the foreground window
    Running, // stored "running": pause while the program runs
    Ignore,  // stored "ignore": never count a window of the program as full screen
};

// One rule of "Options\Common\Programs": the value's name names the program, its data the
// action. Names are UTF-8.
struct ProgramRule {
    std::string program; // as stored: a file name ("obs64.exe"), or a path whose file name counts
    ProgramAction action = ProgramAction::Front;

    bool operator==(const ProgramRule& other) const {
        return program == other.program && action == other.action;
    }
};

// The stored data of an action.
const char* ProgramActionText(ProgramAction action);
// The action that stored data names, exactly "front", "running" or "ignore"; false for any
// other data.
bool ParseProgramAction(const char* data, ProgramAction* action);
// The file name a stored name stands for: the part after its last "\" or "/"; empty when
// there is none or the name holds a control character, which no file name does.
std::string ProgramFileName(const std::string& name);
// Whether two names are the same to Windows' registry and file system: equal but for the
// case of the ASCII letters (other letters are compared as they are).
bool SameName(const std::string& a, const std::string& b);
// Whether `a` comes before `b` in the order of names, the case of ASCII letters aside.
bool NameBefore(const std::string& a, const std::string& b);
// Whether the program (a file name as Windows reports it, or a path) is the one the rule
// names: the file names match, whole and without regard to case.
bool RuleNames(const ProgramRule& rule, const std::string& program);
