#include "CDibTarget.h"
#include "ProbeWindows.h"
#include "WindowBaseIds.h"

#include "ui/CButtonWnd.h"
#include "ui/CDialog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kEntityProperty = "DLG_ENTITY";

struct PostedMessage {
    int target; // control id, 0 for the dialog itself
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A dialog that posts the given messages from OnInitDialog, as a user's keys and clicks
// arrive after the dialog is shown, and records the typed arguments its handlers get.
class CScriptedDialog : public CDialog {
public:
    explicit CScriptedDialog(std::vector<PostedMessage> script = {}) : script(std::move(script)) {}

    int OnInitDialog() override {
        initialised = Handle();
        for (const PostedMessage& posted : script) {
            HWND target = posted.target ? GetDlgItem(Handle(), posted.target) : Handle();
            PostMessageA(target, posted.message, posted.wParam, posted.lParam);
        }
        return CDialog::OnInitDialog();
    }
    int OnCommand(UINT id, UINT code, HWND control) override {
        Log("Command " + std::to_string(id) + " " + std::to_string(code));
        return CDialog::OnCommand(id, code, control);
    }
    int OnSysCommand(UINT command, int x, int y) override {
        Log("SysCommand " + std::to_string(command) + " " + std::to_string(x) + " " +
            std::to_string(y));
        return 1;
    }
    void OnMouseMove(UINT keys, int x, int y) override {
        Log("MouseMove " + std::to_string(keys) + " " + std::to_string(x) + " " +
            std::to_string(y));
    }
    void OnMove(int x, int y) override {
        Log("Move " + std::to_string(x) + " " + std::to_string(y));
    }
    void OnKeyDown(UINT key, UINT low, UINT high) override {
        Log("KeyDown " + std::to_string(key) + " " + std::to_string(low) + " " +
            std::to_string(high));
    }
    int OnNotify(UINT_PTR id, NMHDR* header, LPARAM* result) override {
        Log("Notify " + std::to_string(id) + " " + std::to_string(header->code) + " " +
            (*result == reinterpret_cast<LPARAM>(header) ? "copy" : "other"));
        return 5;
    }
    void OnTimer(UINT_PTR id) override { Log("Timer " + std::to_string(id)); }

    HWND initialised = nullptr;
    std::vector<std::string> calls;

private:
    void Log(const std::string& call) { calls.push_back(call); }

    std::vector<PostedMessage> script;
};

// The custom control classes the test template names; without them it cannot be made.
bool RegisterTemplateClasses() {
    CFactoryProbe factoryClass;
    CBareProbe bareClass;
    factoryClass.Register();
    bareClass.Register();
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    return GetClassInfoExA(GetModuleHandleA(nullptr), FactoryTag::kClassName, &description) &&
           GetClassInfoExA(GetModuleHandleA(nullptr), BareTag::kClassName, &description);
}

} // namespace

// What ends a modal dialog with default handlers: Enter (the default OK button) with 1,
// Escape with 2; a command of id 1 with a notification code does not end it.
TEST(Dialog, DefaultHandlersEndTheModalDialog) {
    struct Case {
        const char* what;
        int templateId;
        std::vector<PostedMessage> script;
        INT_PTR result;
    };
    ASSERT_TRUE(RegisterTemplateClasses());
    const Case cases[] = {
        {"Enter in the edit box",
         IDD_WINDOW_BASE_TEST,
         {{IDC_TEST_EDIT, WM_KEYDOWN, VK_RETURN, 1}},
         1},
        {"Escape in the edit box",
         IDD_WINDOW_BASE_TEST,
         {{IDC_TEST_EDIT, WM_KEYDOWN, VK_ESCAPE, 1}},
         2},
        {"Escape in the empty dialog", 0, {{0, WM_KEYDOWN, VK_ESCAPE, 1}}, 2},
        {"a notification from id 1 does not end it; Cancel does",
         IDD_WINDOW_BASE_TEST,
         {{0, WM_COMMAND, MAKEWPARAM(IDOK, EN_CHANGE), 0}, {0, WM_COMMAND, IDCANCEL, 0}},
         2},
    };
    for (const Case& c : cases) {
        CScriptedDialog dialog(c.script);
        EXPECT_EQ(dialog.DoModal(nullptr, c.templateId, nullptr), c.result) << c.what;
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_NE(dialog.initialised, nullptr) << c.what;
        EXPECT_FALSE(IsWindow(dialog.initialised)) << c.what;
        EXPECT_EQ(dialog.Handle(), nullptr) << c.what;
    }
}

// A template that does not exist: no dialog, no handler, a failure result.
TEST(Dialog, MissingTemplateFails) {
    CScriptedDialog modal;
    EXPECT_LE(modal.DoModal(nullptr, IDD_MISSING_TEST, nullptr), 0);
    EXPECT_EQ(modal.initialised, nullptr);
    CScriptedDialog modeless;
    EXPECT_EQ(modeless.CreateModeless(nullptr, IDD_MISSING_TEST, nullptr), nullptr);
    EXPECT_EQ(modeless.Handle(), nullptr);
}

// Without a template a modeless dialog is an empty 1 x 1 child of its parent; the object
// sits in "DLG_ENTITY" and takes its window with it when it goes.
TEST(Dialog, ModelessWithoutTemplateIsAnEmptyChild) {
    HWND parent = CreateWindowExA(0, "STATIC", "Parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    HWND window = nullptr;
    {
        CScriptedDialog dialog;
        window = dialog.CreateModeless(nullptr, nullptr, parent);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(dialog.Handle(), window);
        EXPECT_EQ(dialog.initialised, window);
        EXPECT_FALSE(dialog.IsModal());
        EXPECT_EQ(GetPropA(window, kEntityProperty), &dialog);
        EXPECT_EQ(GetParent(window), parent);
        EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
        EXPECT_EQ(GetWindow(window, GW_CHILD), nullptr);
        RECT units{0, 0, 1, 1};
        MapDialogRect(window, &units);
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, units.right);
        EXPECT_EQ(client.bottom, units.bottom);
    }
    EXPECT_FALSE(IsWindow(window));
    DestroyWindow(parent);
}

// The dispatcher hands handlers typed values: signed mouse and move positions, the whole
// system command, the notification header with a copy of lParam; "returns" handlers give
// the dialog procedure's result.
TEST(Dialog, HandlersGetTypedArguments) {
    ASSERT_TRUE(RegisterTemplateClasses());
    CScriptedDialog dialog;
    HWND window = dialog.CreateModeless(nullptr, IDD_WINDOW_BASE_TEST, nullptr);
    ASSERT_NE(window, nullptr);
    const LPARAM negative = MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-7));
    NMHDR header{GetDlgItem(window, IDC_TEST_EDIT), IDC_TEST_EDIT, static_cast<UINT>(-12)};
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string call;
    };
    const Case cases[] = {
        {WM_MOUSEMOVE, MK_RBUTTON, negative, "MouseMove 2 -5 -7"},
        {WM_MOVE, 0, negative, "Move -5 -7"},
        {WM_SYSCOMMAND, 1015, MAKELPARAM(10, 20), "SysCommand 1015 10 20"},
        {WM_KEYDOWN, VK_DOWN, MAKELPARAM(2, 0x0150), "KeyDown 40 2 336"},
        {WM_NOTIFY, IDC_TEST_EDIT, reinterpret_cast<LPARAM>(&header),
         "Notify 9103 4294967284 copy"},
        {WM_TIMER, 3, 0, "Timer 3"},
    };
    for (const Case& c : cases) {
        dialog.calls.clear();
        const INT_PTR result = CDialog::SharedDialogProc(window, c.message, c.wParam, c.lParam);
        EXPECT_EQ(dialog.calls, std::vector<std::string>{c.call});
        EXPECT_EQ(result, c.message == WM_NOTIFY ? 5 : c.message == WM_SYSCOMMAND ? 1 : 0);
    }
    DestroyWindow(window);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

// Moved to a monitor of another DPI, a dialog takes the rectangle the system suggests.
TEST(Dialog, ADpiChangeTakesTheSuggestedRectangle) {
    ASSERT_TRUE(RegisterTemplateClasses());
    CScriptedDialog dialog;
    HWND window = dialog.CreateModeless(nullptr, IDD_WINDOW_BASE_TEST, nullptr);
    ASSERT_NE(window, nullptr);
    RECT suggested{40, 50, 40 + 450, 50 + 300};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT taken{};
    GetWindowRect(window, &taken);
    EXPECT_TRUE(EqualRect(&taken, &suggested));
    DestroyWindow(window);
}

// A picture button in the dialog is handed the new DPI: its 96-pixel face, at the corner of
// a 192-pixel control at 96 DPI, is drawn 144 pixels wide and centred after the change.
TEST(Dialog, ADpiChangeReachesThePictureButtons) {
    ASSERT_TRUE(RegisterTemplateClasses());
    CButtonWnd::RegisterFactory();
    CScriptedDialog dialog;
    HWND window = dialog.CreateModeless(nullptr, IDD_WINDOW_BASE_TEST, nullptr);
    ASSERT_NE(window, nullptr);
    HWND child = CreateWindowExA(0, CButtonWnd::kClassName, "", WS_CHILD, 0, 0, 192, 192, window,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    CButtonWnd* button = ObjectOf<CButtonWnd>(child);
    ASSERT_NE(button, nullptr);
    CBmp& face = button->Image();
    face.Create(96, 96);
    face.Fill(0xFF808080);
    face.AddStack("nrm");
    face.AddLayerCopy(0);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    CDibTarget target(192, 192);
    ASSERT_TRUE(target.Ready());
    const RECT client{0, 0, 192, 192};
    button->DrawFace(target.Dc(), client, POINT{-1, -1});
    EXPECT_EQ(target.At(23, 23), 0u);
    EXPECT_NE(target.At(24, 24), 0u);
    EXPECT_NE(target.At(167, 167), 0u);
    EXPECT_EQ(target.At(168, 168), 0u);
    DestroyWindow(window);
}
