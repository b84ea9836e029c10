#include "settings/CSetGlimraDlg.h"

#include "effects/lights/CSetGlimra.h"
#include "resources/resource.h"
#include "settings/EffectRows.h"

void CSetGlimraDlg::OnOK() {
    set->Save();
    CDialogParam::OnOK();
}

int CSetGlimraDlg::OnInitDialog() {
    BindEffectRows(
        *this, {
                   {&set->vis, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER},
                   {&set->items, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN, IDC_ITEMS_SLIDER},
                   {&set->clrChange, IDC_COLOR_CHANGE_EDIT, IDC_COLOR_CHANGE_SPIN,
                    IDC_COLOR_CHANGE_SLIDER},
                   {&set->flmSize, IDC_SIZE_EDIT, IDC_SIZE_SPIN, IDC_SIZE_SLIDER},
                   {&set->flmDuration, IDC_DURATION_EDIT, IDC_DURATION_SPIN, IDC_DURATION_SLIDER},
               });
    return CDialogParam::OnInitDialog();
}
