#include "settings/EffectRows.h"

#include "settings/ControlKind.h"

bool BindEffectRows(CParamDlgSet& set, std::initializer_list<EffectRow> rows) {
    bool bound = true;
    for (const EffectRow& row : rows) {
        bound = set.BindControl(row.param, kEditBox, row.editId) && bound;
        bound = set.BindControl(row.param, kSpin, row.spinId) && bound;
        bound = set.BindControl(row.param, kSlider, row.sliderId) && bound;
    }
    return bound;
}
