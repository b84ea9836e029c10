#pragma once

#include "params/CParam.h"
#include "params/ProgramRule.h"
#include "params/tstr.h"

#include <optional>
#include <string>
#include <vector>

class CSettingsStore;

// The per-program rules, stored as a key named after the parameter ("Programs" under
// "Options\Common") that holds one string value per program: its name names the program,
// its data the action. The parameter's value is the rules as text, one "<program>\t<action>"
// line each in the order of their names, so that its snapshot, Cancel and bindings work as
// for any text. A value whose data is no action, or whose name is no program's, is no rule:
// Load leaves it out and Save leaves it as it is stored.
class CProgramRulesParam : public CParam<tstr> {
public:
    CProgramRulesParam() : CParam<tstr>(tstr("")) {}

    std::vector<ProgramRule> Rules() const;
    // Whether some rule has the action.
    bool Has(ProgramAction action) const;
    // The rule of the program named as stored (without regard to case), if any.
    std::optional<ProgramRule> Find(const std::string& program) const;
    void SetRules(std::vector<ProgramRule> rules);
    // Adds the rule, or gives the program's rule the action.
    void SetRule(const ProgramRule& rule);
    void RemoveRule(const std::string& program);

    // The rules from the key; none when it is missing.
    bool Load(CSettingsStore* store, const tstr& path) override;
    // Writes each rule whose stored data differs and deletes the stored rules of programs
    // without one.
    bool Save(CSettingsStore* store, const tstr& path) override;

protected:
    // The well-formed lines of the text, in order.
    tstr ParseText(const tstr& text) const override;

private:
    tstr KeyPath(const tstr& path) const;
};
