#include "params/ProgramRule.h"

#include <algorithm>

namespace {

constexpr const char* kActionTexts[] = {"front", "running", "ignore"};
constexpr ProgramAction kActions[] = {ProgramAction::Front, ProgramAction::Running,
                                      ProgramAction::Ignore};

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

const char* ProgramActionText(ProgramAction action) {
    return kActionTexts[static_cast<int>(action)];
}

bool ParseProgramAction(const char* data, ProgramAction* action) {
    for (int i = 0; i < 3; ++i) {
        if (data && std::string(data) == kActionTexts[i]) {
            *action = kActions[i];
            return true;
        }
    }
    return false;
}

std::string ProgramFileName(const std::string& name) {
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return "";
    const std::size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool NameBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) <
               static_cast<unsigned char>(LowerAscii(y));
    });
}

bool RuleNames(const ProgramRule& rule, const std::string& program) {
    const std::string ruled = ProgramFileName(rule.program);
    return !ruled.empty() && SameName(ruled, ProgramFileName(program));
}
