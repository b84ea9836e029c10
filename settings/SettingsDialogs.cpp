#include "settings/SettingsDialogs.h"

#include "effects/fire/CSetEmbra.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "resources/resource.h"
#include "settings/CSetEmbraDlg.h"
#include "settings/CSetGlimraDlg.h"
#include "settings/CSetRiplaDlg.h"

#include <windows.h>

namespace {

// The dialog's result is not needed: OK and Cancel have done their work when it ends.
template <class TDialog, class TSet> void RunModal(TSet& set, void* parentWindow, int templateId) {
    TDialog dialog(&set);
    dialog.DoModal(nullptr, templateId, static_cast<HWND>(parentWindow));
}

} // namespace

void InstallSettingsDialog(CSetEmbra& set) {
    set.settingsDialog = [](CSetEmbra& fire, void* parentWindow) {
        RunModal<CSetEmbraDlg>(fire, parentWindow, IDD_EMBRA_SETTINGS);
    };
}

void InstallSettingsDialog(CSetGlimra& set) {
    set.settingsDialog = [](CSetGlimra& lights, void* parentWindow) {
        RunModal<CSetGlimraDlg>(lights, parentWindow, IDD_GLIMRA_SETTINGS);
    };
}

void InstallSettingsDialog(CSetRipla& set) {
    set.settingsDialog = [](CSetRipla& water, void* parentWindow) {
        RunModal<CSetRiplaDlg>(water, parentWindow, IDD_RIPLA_SETTINGS);
    };
}
