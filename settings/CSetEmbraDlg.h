#pragma once

#include "settings/CDialogParam.h"

class CSetEmbra;

// The fire's settings ("Embra settings"): opacity and number of flames, each an edit box,
// a spin control and a slider. OK also saves the fire's parameters.
class CSetEmbraDlg : public CDialogParam {
public:
    explicit CSetEmbraDlg(CSetEmbra* set) : set(set) {}

    // Saves the fire's parameters, then ends the dialog.
    void OnOK() override;
    int OnInitDialog() override;
    void OnDestroy() override {}

private:
    CSetEmbra* set;
};
