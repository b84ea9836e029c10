#pragma once

#include "params/CParam.h"
#include "settings/CDialogParam.h"

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
// given; a control whose binding is refused is disabled, the others still work.
void BindEffectRows(CDialogParam& dialog, std::initializer_list<EffectRow> rows);
