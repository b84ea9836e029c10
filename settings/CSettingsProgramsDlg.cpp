#include "settings/CSettingsProgramsDlg.h"

#include "params/CProgramRulesParam.h"
#include "params/IParamDlg.h"
#include "settings/CAddProgramDlg.h"
#include "settings/ISettingsApp.h"
#include "settings/ProgramListView.h"
#include "ui/UiText.h"

#include <commctrl.h>

#include <memory>

namespace {

// The program column takes the larger share of the list's width.
const std::vector<int> kColumnPercents = {58, 38};
// The actions' names in the action list, by ProgramAction.
constexpr UINT kActionNames[] = {IDS_ACTION_FRONT, IDS_ACTION_RUNNING, IDS_ACTION_IGNORE};

HINSTANCE ModuleOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

std::string Text(HWND window, UINT id) {
    return UiText(ModuleOf(window), id).str();
}

// Binds the rules to the page: every change of them shows in the list, and the dialog's
// set snapshots them at opening and puts them back on Cancel.
class CRulesBinding : public IParamDlgT<tstr>, public IControlBinding {
public:
    explicit CRulesBinding(CSettingsProgramsDlg* page) : page(page) {}

    void Setup(int, int) override {}
    void Connect(HWND) override { page->ShowRules(); }
    void OnCommand(HWND, UINT, UINT, HWND) override {}
    void OnNotify(HWND, const NMHDR*) override {}
    void Commit() override {}
    void SetParam(IParam* parameter) override { param = parameter; }
    IParam* GetParam() const override { return param; }
    IParamDlg* ParamSide() override { return this; }
    int Update() override {
        page->ShowRules();
        return 0;
    }
    void SetRange(tstr, tstr) override {}

private:
    CSettingsProgramsDlg* const page;
    IParam* param = nullptr;
};

} // namespace

int CSettingsProgramsDlg::OnInitDialog() {
    HWND list = Control(kList);
    SetUpListView(list, kColumnPercents,
                  {Text(Handle(), IDS_PROGRAM_COLUMN), Text(Handle(), IDS_ACTION_COLUMN)});
    HWND action = Control(kAction);
    for (UINT name : kActionNames)
        SendMessageW(action, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Utf16(Text(Handle(), name).c_str()).c_str()));
    if (!Bind(&app->ProgramRules(), std::make_unique<CRulesBinding>(this)))
        EnableWindow(list, FALSE);
    CDialogParam::OnInitDialog();
    return 1;
}

int CSettingsProgramsDlg::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDC_ADD_PROGRAM && code == BN_CLICKED)
        AddProgram();
    else if (id == IDC_REMOVE_PROGRAM && code == BN_CLICKED)
        RemoveSelected();
    else if (id == static_cast<UINT>(kAction) && code == CBN_SELCHANGE)
        TakeAction();
    return CDialogParam::OnCommand(id, code, control);
}

int CSettingsProgramsDlg::OnNotify(UINT_PTR id, NMHDR* header, LPARAM* result) {
    if (id == static_cast<UINT_PTR>(kList) && !filling) {
        if (header->code == LVN_ITEMCHANGED) {
            if (const ProgramRule* rule = Selected())
                chosen = rule->program;
            ShowSelectedAction();
        } else if (header->code == LVN_KEYDOWN &&
                   reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_DELETE) {
            RemoveSelected();
        }
    }
    return CDialogParam::OnNotify(id, header, result);
}

void CSettingsProgramsDlg::ShowRules() {
    HWND list = Control(kList);
    if (!list)
        return;
    filling = true;
    rows = app->ProgramRules().Rules();
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int select = rows.empty() ? -1 : 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        InsertListRow(list, {rows[i].program,
                             Text(Handle(), kActionNames[static_cast<int>(rows[i].action)])});
        if (SameName(rows[i].program, chosen))
            select = static_cast<int>(i);
    }
    SelectListRow(list, select);
    filling = false;
    ShowSelectedAction();
}

void CSettingsProgramsDlg::ShowSelectedAction() {
    const ProgramRule* rule = Selected();
    HWND action = Control(kAction);
    SendMessageW(action, CB_SETCURSEL, rule ? static_cast<int>(rule->action) : -1, 0);
    EnableWindow(action, rule != nullptr);
    EnableWindow(Control(IDC_REMOVE_PROGRAM), rule != nullptr);
}

void CSettingsProgramsDlg::AddProgram() {
    CAddProgramDlg add(app->ProgramsWithWindows());
    if (add.DoModal(ModuleOf(Handle()), CAddProgramDlg::kTemplate,
                    GetAncestor(Handle(), GA_ROOT)) != IDOK)
        return;
    chosen = add.Chosen();
    // A program that has a rule keeps its action.
    if (!app->ProgramRules().Find(chosen))
        app->ProgramRules().SetRule(ProgramRule{chosen, ProgramAction::Front});
    else
        ShowRules();
    SetFocus(Control(kList));
}

void CSettingsProgramsDlg::RemoveSelected() {
    const int row = SelectedListRow(Control(kList));
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return;
    // The row after it is chosen next, else the one before.
    const std::size_t next = static_cast<std::size_t>(row) + 1 < rows.size()
                                 ? static_cast<std::size_t>(row) + 1
                                 : static_cast<std::size_t>(row > 0 ? row - 1 : row);
    const std::string removed = rows[static_cast<std::size_t>(row)].program;
    chosen = rows[next].program;
    app->ProgramRules().RemoveRule(removed);
    if (!IsWindowEnabled(GetFocus()))
        SetFocus(Control(kList));
}

void CSettingsProgramsDlg::TakeAction() {
    const ProgramRule* rule = Selected();
    const auto index = static_cast<int>(SendMessageW(Control(kAction), CB_GETCURSEL, 0, 0));
    if (!rule || index < 0 || index > 2)
        return;
    chosen = rule->program;
    app->ProgramRules().SetRule(ProgramRule{rule->program, static_cast<ProgramAction>(index)});
}

const ProgramRule* CSettingsProgramsDlg::Selected() const {
    const int row = SelectedListRow(Control(kList));
    return row >= 0 && row < static_cast<int>(rows.size()) ? &rows[static_cast<std::size_t>(row)]
                                                           : nullptr;
}
