#include "settings/EffectRows.h"

#include "params/ControlKind.h"

void BindEffectRows(CDialogParam& dialog, std::initializer_list<EffectRow> rows) {
    for (const EffectRow& row : rows) {
        dialog.BindOrDisable(row.param, kEditBox, row.editId);
        dialog.BindOrDisable(row.param, kSpin, row.spinId);
        dialog.BindOrDisable(row.param, kSlider, row.sliderId);
    }
}
