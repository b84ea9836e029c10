#pragma once

#include "params/CParam.h"
#include "settings/CParamDlgSet.h"

#include <initializer_list>

// One row of an effect dialog: an edit box, the spin control attached to it and a slider,
// all three editing one bounded parameter.
struct EffectRow {
    CParam<int>* param;
    int editId;
    int spinId;
    int sliderId;
};

// Binds each row's edit box, spin control and slider, in that order, rows in the order
// given; false when any binding is refused.
bool BindEffectRows(CParamDlgSet& set, std::initializer_list<EffectRow> rows);
