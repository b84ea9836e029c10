#pragma once

#include "params/CChoiceParam.h"
#include "params/CHotKeyParam.h"
#include "params/CLanguageParam.h"
#include "params/CParam.h"
#include "params/CParamRegSet.h"
#include "params/CProgramRulesParam.h"
#include "system/OptionRow.h"
#include "system/PauseRules.h"

#include <vector>

// The user's options as one table: each is declared once, as a row, and the table drives
// loading and saving (through the root set of "Options\Common"), the "Common" page's
// bindings and what OK applies. The parameters of the options that the application adds
// live here; the rows of the options that a layer of the application object owns point at
// that layer's parameter.
class COptions {
public:
    // `startWithWindows` mirrors the start-up shortcut and is stored nowhere;
    // `startMinimize` is the dialog layer's "StartMinimize", which that layer stores.
    COptions(CParam<bool>& startWithWindows, CParam<int>& startMinimize);
    COptions(const COptions&) = delete;
    COptions& operator=(const COptions&) = delete;

    const std::vector<OptionRow>& Rows() const { return rows; }
    // Adds every named row's parameter to the set under its name.
    void Register(CParamRegSet& set) const;
    // The options the pause rules read.
    PauseOptions Pause() const;
    // Whether the overlays lie under every other window ("Placement" 1).
    bool UnderWindows() const { return *placement.Get() == 1; }

    CFlagParam pauseFullScreen{true}; // a full-screen program pauses the effect
    CFlagParam pauseOnBattery{false}; // running on battery pauses the effect
    CFlagParam pauseRemote{true};     // a remote desktop session pauses the effect
    CFlagParam pauseCamera{false};    // a program using the camera pauses the effect
    CChoiceParam animations{0, 2};    // 0: Windows' animation setting counts; 1: always animate
    CFlagParam everyMonitor{true};    // a band on every monitor, or the primary's only
    CFlagParam hideFromCapture{true}; // the overlays are hidden from screen capture
    CChoiceParam placement{0, 2};     // 0: the overlays over all windows; 1: under them
    CFlagParam efficiency{true};      // Windows' efficiency mode, the workers below normal
    CHotKeyParam hotKey;              // the start/stop hotkey, 0 none
    CProgramRulesParam programs;      // the per-program rules, edited on the "Programs" page
    CLanguageParam language;          // the texts' language tag, "" Windows' language

private:
    std::vector<OptionRow> rows;
};
