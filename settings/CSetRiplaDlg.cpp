#include "settings/CSetRiplaDlg.h"

#include "effects/water/CSetRipla.h"
#include "resources/resource.h"
#include "settings/EffectRows.h"

void CSetRiplaDlg::OnOK() {
    set->Save();
    CDialogParam::OnOK();
}

int CSetRiplaDlg::OnInitDialog() {
    BindEffectRows(
        *this, {
                   {&set->vis, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER},
                   {&set->items, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN, IDC_ITEMS_SLIDER},
                   {&set->waveSize, IDC_SIZE_EDIT, IDC_SIZE_SPIN, IDC_SIZE_SLIDER},
                   {&set->waveDuration, IDC_DURATION_EDIT, IDC_DURATION_SPIN, IDC_DURATION_SLIDER},
               });
    return CDialogParam::OnInitDialog();
}
