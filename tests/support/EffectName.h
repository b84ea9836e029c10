#pragma once

#include <string>

// Names the cases of a typed test after their effect: Suite/Glimra.Case, Suite/Ripla.Case.
// Each type parameter carries its effect's word as kName.
struct EffectName {
    template <class TEffect> static std::string GetName(int) { return TEffect::kName; }
};
