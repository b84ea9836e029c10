#include "settings/CSetEmbraDlg.h"

#include "effects/fire/CSetEmbra.h"
#include "resources/resource.h"
#include "settings/EffectRows.h"

void CSetEmbraDlg::OnOK() {
    set->Save();
    CDialogParam::OnOK();
}

int CSetEmbraDlg::OnInitDialog() {
    BindEffectRows(*this, {
                              {&set->vis, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER},
                              {&set->items, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN, IDC_ITEMS_SLIDER},
                          });
    return CDialogParam::OnInitDialog();
}
