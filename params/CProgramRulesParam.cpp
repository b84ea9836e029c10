#include "params/CProgramRulesParam.h"

#include "params/CSettingsStore.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace {

// The rules of the text's well-formed lines, in order.
std::vector<ProgramRule> ParseRules(const char* text) {
    std::vector<ProgramRule> rules;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t tab = line.find('\t');
        ProgramRule rule;
        rule.program = line.substr(0, tab == std::string::npos ? 0 : tab);
        if (tab != std::string::npos && !ProgramFileName(rule.program).empty() &&
            ParseProgramAction(line.c_str() + tab + 1, &rule.action))
            rules.push_back(rule);
    }
    return rules;
}

tstr RulesText(std::vector<ProgramRule> rules) {
    std::stable_sort(rules.begin(), rules.end(), [](const ProgramRule& a, const ProgramRule& b) {
        return NameBefore(a.program, b.program);
    });
    std::string text;
    for (const ProgramRule& rule : rules)
        text += rule.program + "\t" + ProgramActionText(rule.action) + "\n";
    return tstr(text.c_str());
}

// The names and data of the key's values that are rules.
std::vector<ProgramRule> StoredRules(CSettingsStore* store, const tstr& key) {
    std::vector<ProgramRule> rules;
    tstr name;
    for (int index = 0; store->EnumValue(key, index, name); ++index) {
        tstr data;
        ProgramRule rule;
        rule.program = name.str();
        if (!ProgramFileName(rule.program).empty() && store->ReadString(key, name, data) &&
            ParseProgramAction(data.str(), &rule.action))
            rules.push_back(rule);
    }
    return rules;
}

} // namespace

std::vector<ProgramRule> CProgramRulesParam::Rules() const {
    return ParseRules(Get()->str());
}

bool CProgramRulesParam::Has(ProgramAction action) const {
    const std::vector<ProgramRule> rules = Rules();
    return std::any_of(rules.begin(), rules.end(),
                       [action](const ProgramRule& rule) { return rule.action == action; });
}

std::optional<ProgramRule> CProgramRulesParam::Find(const std::string& program) const {
    for (const ProgramRule& rule : Rules())
        if (SameName(rule.program, program))
            return rule;
    return std::nullopt;
}

void CProgramRulesParam::SetRules(std::vector<ProgramRule> rules) {
    Set(RulesText(std::move(rules)));
}

void CProgramRulesParam::SetRule(const ProgramRule& rule) {
    std::vector<ProgramRule> rules = Rules();
    const auto same = std::find_if(rules.begin(), rules.end(), [&rule](const ProgramRule& each) {
        return SameName(each.program, rule.program);
    });
    if (same == rules.end())
        rules.push_back(rule);
    else
        same->action = rule.action;
    SetRules(std::move(rules));
}

void CProgramRulesParam::RemoveRule(const std::string& program) {
    std::vector<ProgramRule> rules = Rules();
    rules.erase(std::remove_if(rules.begin(), rules.end(),
                               [&program](const ProgramRule& rule) {
                                   return SameName(rule.program, program);
                               }),
                rules.end());
    SetRules(std::move(rules));
}

bool CProgramRulesParam::Load(CSettingsStore* store, const tstr& path) {
    if (GetName().IsEmpty() || !store)
        return false;
    SetRules(StoredRules(store, KeyPath(path)));
    return true;
}

bool CProgramRulesParam::Save(CSettingsStore* store, const tstr& path) {
    if (GetName().IsEmpty() || !store)
        return false;
    const tstr key = KeyPath(path);
    const std::vector<ProgramRule> rules = Rules();
    const std::vector<ProgramRule> stored = StoredRules(store, key);
    for (const ProgramRule& old : stored)
        if (!Find(old.program))
            store->WriteString(key, old.program.c_str(), tstr());
    for (const ProgramRule& rule : rules)
        if (std::find(stored.begin(), stored.end(), rule) == stored.end())
            store->WriteString(key, rule.program.c_str(), ProgramActionText(rule.action));
    return true;
}

tstr CProgramRulesParam::ParseText(const tstr& text) const {
    return RulesText(ParseRules(text.str()));
}

tstr CProgramRulesParam::KeyPath(const tstr& path) const {
    return path.IsEmpty() ? GetName() : path + "\\" + GetName();
}
