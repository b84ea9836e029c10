#pragma once

#include "settings/CDialogParam.h"

class CSetRipla;

// The water's settings ("Ripla settings"): opacity, number of splashes, wave size and
// wave duration, each an edit box, a spin control and a slider. OK also saves the water's
// parameters.
class CSetRiplaDlg : public CDialogParam {
public:
    explicit CSetRiplaDlg(CSetRipla* set) : set(set) {}

    // Saves the water's parameters, then ends the dialog.
    void OnOK() override;
    int OnInitDialog() override;
    void OnDestroy() override {}

private:
    CSetRipla* set;
};
