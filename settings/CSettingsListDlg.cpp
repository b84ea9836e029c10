#include "settings/CSettingsListDlg.h"

#include "effects/engine/CSet.h"
#include "resources/resource.h"
#include "settings/ISettingsApp.h"
#include "ui/CNavPaneItem.h"
#include "ui/CNavPaneItemTool.h"
#include "ui/CNavPaneWnd.h"
#include "ui/UiText.h"

namespace {

// Tool kinds: a button with an edge when hot or pressed, a flat toggle, a flat picture.
constexpr uint32_t kButtonTool =
    CNavPaneItemTool::kPush | CNavPaneItemTool::kEdge | CNavPaneItemTool::kFlat;
constexpr uint32_t kToggleTool =
    CNavPaneItemTool::kToggle | CNavPaneItemTool::kPush | CNavPaneItemTool::kFlat;
constexpr uint32_t kPictureTool = CNavPaneItemTool::kFlat;

// The effects' names in the list by their sets' keys.
struct EffectName {
    const char* key;
    UINT text;
};
constexpr EffectName kEffectNames[] = {
    {"Embra", IDS_EFFECT_FIRE},
    {"Glimra", IDS_EFFECT_LIGHTS},
    {"Ripla", IDS_EFFECT_WATER},
};

// The set's name in the language of the texts; its own display name where it has none.
tstr ShownName(CSet& set, HINSTANCE module) {
    for (const EffectName& each : kEffectNames)
        if (set.Key() == each.key)
            return UiText(module, each.text);
    return set.DisplayName();
}

// The set an entry stands for; null when its data is no live set.
CSet* SetOf(const CNavPaneItem* entry) {
    if (!entry || !entry->data || !entry->data->live)
        return nullptr;
    return dynamic_cast<CSet*>(entry->data);
}

} // namespace

int CSettingsListDlg::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDOK && code == 0) {
        CSet* marked = MarkedSet();
        if (marked && marked != setAtOpening)
            SwitchTo(marked);
    }
    return CDialog::OnCommand(id, code, control);
}

int CSettingsListDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    pane = ObjectOf<CNavPaneWnd>(GetDlgItem(Handle(), kPane));
    if (!pane)
        return 0;
    pane->SetCallback(this);
    pane->SetSelectOnClick(false);
    setAtOpening = app->ActiveSet();
    for (CSet* set : app->EffectSets())
        AddEntry(set);
    return 1;
}

int CSettingsListDlg::OnToolCommand(UINT command, CNavPaneItem* entry) {
    if (command == kSettingsTool) {
        if (CSet* set = SetOf(entry))
            set->ShowSettings(Handle());
    } else if (command == kMarkTool) {
        pane->SetMark(entry, kMarkTool);
    }
    return 0;
}

int CSettingsListDlg::OnKey(UINT message, UINT key, LPARAM) {
    CNavPaneItem* focused = pane ? pane->FocusEntry() : nullptr;
    if (!focused)
        return 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (message == WM_KEYDOWN && key == VK_SPACE)
        OnToolCommand(kMarkTool, focused);
    else if ((message == WM_KEYDOWN && key == VK_APPS) ||
             (message == WM_SYSKEYDOWN && key == VK_F10 && shift))
        OnToolCommand(kSettingsTool, focused);
    else
        return 0;
    return 1;
}

void CSettingsListDlg::AddEntry(CSet* set) {
    const COLORREF colour = static_cast<COLORREF>(*set->colour.Get() & 0x00FFFFFF);
    const tstr name =
        ShownName(*set, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE)));
    CNavPaneItem* entry = pane->AddColouredEntry(name.c_str(), colour, kEntryHeight, set);
    if (!entry)
        return;
    pane->AddTool(entry, kButtonTool, kSettingsTool, true, nullptr, kSettingsImage);
    CNavPaneItemTool* mark =
        pane->AddTool(entry, kToggleTool, kMarkTool, false, nullptr, kMarkImage, kMarkedImage);
    if (mark)
        mark->Set(CNavPaneItemTool::kChecked, set == setAtOpening);
    pane->AddTool(entry, kPictureTool, 0, false, nullptr, kScreenImage);
}

CSet* CSettingsListDlg::MarkedSet() const {
    return pane ? SetOf(pane->MarkedEntry(kMarkTool)) : nullptr;
}

void CSettingsListDlg::SwitchTo(CSet* set) {
    app->StopEffect();
    app->SetActiveSet(set);
    app->StartEffect();
}
