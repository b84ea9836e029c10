#pragma once

#include "settings/CDialogParam.h"

class CSetGlimra;

// The northern lights' settings ("Northern Lights settings"): opacity, number of lights,
// colour changing, shines size and shines duration, each an edit box, a spin control and
// a slider. OK also saves the northern lights' parameters.
class CSetGlimraDlg : public CDialogParam {
public:
    explicit CSetGlimraDlg(CSetGlimra* set) : set(set) {}

    // Saves the northern lights' parameters, then ends the dialog.
    void OnOK() override;
    int OnInitDialog() override;
    void OnDestroy() override {}

private:
    CSetGlimra* set;
};
