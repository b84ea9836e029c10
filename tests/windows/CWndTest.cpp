#include "ProbeWindows.h"
#include "WindowBaseIds.h"

#include "ui/CDialog.h"
#include "ui/CWnd.h"
#include "ui/WindowFactory.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kEntityProperty = CWnd::kEntityProperty;

// A hidden top-level probe window of its own class.
std::unique_ptr<CPlainProbe> CreateProbe() {
    auto probe = std::make_unique<CPlainProbe>();
    probe->Create(0, WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr, nullptr);
    return probe;
}

// A plain visible top-level window of the system's static class.
HWND CreatePlainWindow(const char* title) {
    return CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 450, 100, 200, 150,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A modeless test dialog without own handlers.
class CPlainDialog : public CDialog {};

// The factory entry of the factory probe's class for the life of a test.
struct FactoryScope {
    FactoryScope() { RegisterFactoryOf<CFactoryProbe>(); }
    ~FactoryScope() { UnregisterWindowFactory(FactoryTag::kClassName); }
};

} // namespace

// A template control of a class with a factory entry gets an attached, factory-made object
// at creation, which is deleted with the dialog; a class without one gets no object but
// still works through the system default procedure.
TEST(CWnd, TemplateControlsGetFactoryObjectsForTheirLifetime) {
    FactoryScope factory;
    CBareProbe bareClass;
    bareClass.Register();
    CPlainDialog dialog;
    HWND window = dialog.CreateModeless(nullptr, IDD_WINDOW_BASE_TEST, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(CFactoryProbe::alive, 1);
    EXPECT_EQ(CBareProbe::alive, 1); // only the class registrar above

    HWND control = GetDlgItem(window, IDC_FACTORY_CONTROL);
    auto* object = static_cast<CWnd*>(GetPropA(control, kEntityProperty));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Handle(), control);
    EXPECT_TRUE(object->IsAttached());
    EXPECT_TRUE(object->IsCreatedByFactory());
    EXPECT_TRUE(static_cast<CFactoryProbe*>(object)->Saw(WM_NCCREATE));
    EXPECT_TRUE(static_cast<CFactoryProbe*>(object)->Saw(WM_CREATE));

    HWND bare = GetDlgItem(window, IDC_BARE_CONTROL);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(GetPropA(bare, kEntityProperty), nullptr);
    EXPECT_TRUE(SetWindowTextA(bare, "plain"));

    DestroyWindow(window);
    EXPECT_EQ(CFactoryProbe::alive, 0);
    EXPECT_FALSE(IsWindow(control));
}

// Newer entries stand in front of older ones; unregistering removes only the first match,
// and a name that is not there changes nothing.
TEST(CWnd, FactoryRegistryOrder) {
    const auto first = [](HWND) -> CWnd* { return nullptr; };
    const auto second = [](HWND) -> CWnd* { return nullptr; };
    const auto discard = [](CWnd*) {};
    WindowFactory found{};
    EXPECT_FALSE(FindWindowFactory("EmbraTestOrder", found));
    UnregisterWindowFactory("EmbraTestOrder"); // nothing there: no effect
    RegisterWindowFactory("EmbraTestOrder", first, discard);
    RegisterWindowFactory("EmbraTestOrder", second, discard);
    ASSERT_TRUE(FindWindowFactory("EmbraTestOrder", found));
    EXPECT_EQ(found.create, static_cast<WindowCreateFunction>(second));
    EXPECT_FALSE(FindWindowFactory("embratestorder", found)); // case-sensitive
    EXPECT_FALSE(FindWindowFactory("EmbraTestOrd", found));   // whole names
    UnregisterWindowFactory("EmbraTestOrder");
    ASSERT_TRUE(FindWindowFactory("EmbraTestOrder", found));
    EXPECT_EQ(found.create, static_cast<WindowCreateFunction>(first));
    UnregisterWindowFactory("EmbraTestOrder");
    EXPECT_FALSE(FindWindowFactory("EmbraTestOrder", found));
}

// WM_SETFONT returns 0 at once: neither the object nor default processing sees it.
TEST(CWnd, SetFontIsSwallowed) {
    auto probe = CreateProbe();
    ASSERT_TRUE(probe->IsCreated());
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    probe->messages.clear();
    EXPECT_EQ(SendMessageA(probe->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE), 0);
    EXPECT_TRUE(probe->messages.empty());
    EXPECT_EQ(SendMessageA(probe->Handle(), WM_GETFONT, 0, 0), 0);
}

// The dispatcher unpacks each message once: coordinates signed, key data and sizes
// unsigned; direct rows return the handler's result.
TEST(CWnd, HandlersGetTypedArguments) {
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::vector<std::string> calls;
        LRESULT result;
    };
    const LPARAM negative = MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-7));
    const Case cases[] = {
        {"mouse move, left of and above the client area",
         WM_MOUSEMOVE,
         MK_LBUTTON,
         negative,
         {"MouseMove 1 -5 -7"},
         42},
        {"left button down",
         WM_LBUTTONDOWN,
         MK_SHIFT | MK_LBUTTON,
         MAKELPARAM(30, 40),
         {"LButtonDown 5 30 40"},
         43},
        {"wheel: keys and delta from wParam, screen point",
         WM_MOUSEWHEEL,
         MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)),
         MAKELPARAM(700, 800),
         {"MouseWheel 8 -120 700", "MouseWheelY 0 0 800"},
         44},
        {"size: unsigned width and height",
         WM_SIZE,
         SIZE_MAXIMIZED,
         MAKELPARAM(40000, 300),
         {"Size 2 40000 300"},
         45},
        {"command: id, code, control",
         WM_COMMAND,
         MAKEWPARAM(1002, BN_CLICKED),
         0,
         {"Command 1002 0 0"},
         46},
        {"system key down: key, repeat count, high word",
         WM_SYSKEYDOWN,
         VK_F4,
         MAKELPARAM(1, 0xA03E),
         {"SysKeyDown 115 1 41022"},
         47},
        {"timer", WM_TIMER, 6, 0, {"Timer 6 0 0"}, 48},
        {"key down then default", WM_KEYDOWN, 'A', MAKELPARAM(3, 0x001E), {"KeyDown 65 3 30"}, 0},
        {"double click with signed point",
         WM_LBUTTONDBLCLK,
         MK_LBUTTON,
         negative,
         {"LButtonDblClk 1 -5 -7"},
         0},
        {"mouse leave", WM_MOUSELEAVE, 0, 0, {"MouseLeave 0 0 0"}, 0},
        {"no handler: default only", WM_NULL, 0, 0, {}, 0},
    };
    auto probe = CreateProbe();
    ASSERT_TRUE(probe->IsCreated());
    for (const Case& c : cases) {
        probe->calls.clear();
        EXPECT_EQ(SendMessageA(probe->Handle(), c.message, c.wParam, c.lParam), c.result) << c.what;
        EXPECT_EQ(probe->calls, c.calls) << c.what;
    }
    // The probe handled the system key down (non-zero): Alt+F4 did not reach the default
    // procedure, which would have closed the window.
    EXPECT_TRUE(probe->IsCreated());
}

// A key down reaches OnKeyDown and then the default procedure: F10 down and up makes the
// default procedure send the menu-key system command. A system key that the window does
// not handle goes on to the default procedure too: Alt+F4 (context bit set) asks the
// window to close, as in any Windows program. The probe keeps system commands from the
// default procedure, whose menu loop would wait for the user.
TEST(CWnd, KeyDownAndUnhandledSystemKeysReachTheDefault) {
    class CSystemCommandProbe : public CPlainProbe {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_SYSCOMMAND) {
                messages.push_back(message);
                commands.push_back(wParam & 0xFFF0);
                return 0;
            }
            return CPlainProbe::WindowProc(message, wParam, lParam);
        }
        int OnSysKeyDown(UINT, UINT, UINT) override { return 0; }
        std::vector<WPARAM> commands;
    };
    auto probe = std::make_unique<CSystemCommandProbe>();
    ASSERT_TRUE(probe->Create(0, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    SendMessageA(probe->Handle(), WM_SYSKEYDOWN, VK_F4, 0x20000001);
    PumpMessages();
    EXPECT_EQ(probe->commands, std::vector<WPARAM>{SC_CLOSE});
    EXPECT_TRUE(probe->IsCreated());

    probe->messages.clear();
    probe->calls.clear();
    SendMessageA(probe->Handle(), WM_KEYDOWN, VK_F10, 1);
    SendMessageA(probe->Handle(), WM_KEYUP, VK_F10, 0xC0000001);
    EXPECT_EQ(probe->calls, (std::vector<std::string>{"KeyDown 121 1 0", "KeyUp 121 1 49152"}));
    EXPECT_TRUE(probe->Saw(WM_SYSCOMMAND));
}

// While a blocking window exists, input to the window is refused and the blocking window
// comes forward; other messages go on. Once the blocking window is gone, the next message
// forgets it and is handled normally.
TEST(CWnd, BlockingWindowRefusesInputUntilDestroyed) {
    auto probe = CreateProbe();
    ASSERT_TRUE(probe->IsCreated());
    HWND blocking = CreatePlainWindow("Blocking");
    ASSERT_NE(blocking, nullptr);
    ShowWindow(probe->Handle(), SW_SHOW);
    SetForegroundWindow(probe->Handle());
    probe->SetBlockingWindow(blocking);

    probe->calls.clear();
    EXPECT_EQ(SendMessageA(probe->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), 0);
    SendMessageA(probe->Handle(), WM_KEYDOWN, 'A', 1);
    EXPECT_TRUE(probe->calls.empty());
    EXPECT_EQ(GetForegroundWindow(), blocking);
    EXPECT_EQ(SendMessageA(probe->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)), 42);
    EXPECT_EQ(probe->calls, (std::vector<std::string>{"MouseMove 0 5 5"}));
    EXPECT_EQ(probe->GetBlockingWindow(), blocking);

    DestroyWindow(blocking);
    probe->calls.clear();
    EXPECT_EQ(SendMessageA(probe->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), 43);
    EXPECT_EQ(probe->calls, (std::vector<std::string>{"LButtonDown 1 5 5"}));
    EXPECT_EQ(probe->GetBlockingWindow(), nullptr);
}

// Create refuses a second window; an owned window goes with its object, an attached one
// stays; a window destroyed from outside leaves the object without a handle.
TEST(CWnd, CreateDestroyAndAttach) {
    auto probe = CreateProbe();
    HWND window = probe->Handle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetPropA(window, kEntityProperty), probe.get());
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, PlainTag::kClassName);
    EXPECT_EQ(probe->Create(0, WS_OVERLAPPEDWINDOW, nullptr, nullptr), 0);
    EXPECT_EQ(probe->Handle(), window);
    EXPECT_TRUE(IsWindow(window));

    {
        CPlainProbe adopter;
        EXPECT_EQ(adopter.Attach(window), 1);
        EXPECT_TRUE(adopter.IsAttached());
        EXPECT_EQ(adopter.Create(0, WS_OVERLAPPEDWINDOW, nullptr, nullptr), 0);
    }
    EXPECT_TRUE(IsWindow(window)); // the attached object let go

    probe.reset();
    EXPECT_FALSE(IsWindow(window)); // the owner destroyed it

    auto outlived = CreateProbe();
    window = outlived->Handle();
    DestroyWindow(window);
    EXPECT_EQ(outlived->Handle(), nullptr);
    EXPECT_FALSE(outlived->IsCreated());
    EXPECT_EQ(GetPropA(window, kEntityProperty), nullptr);
    EXPECT_EQ(outlived->Destroy(), 0);
}

// The modal loop runs until the window is gone; a quit request fetched meanwhile does not
// end it and is handed on to the loop outside.
TEST(CWnd, RunModalLoopEndsWithTheWindowAndHandsOnQuit) {
    class CClosingProbe : public CPlainProbe {
    public:
        int OnTimer(UINT_PTR id) override {
            KillTimer(Handle(), id);
            DestroyWindow(Handle());
            return 0;
        }
    };
    CClosingProbe probe;
    ASSERT_TRUE(probe.Create(0, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    PostQuitMessage(7);
    SetTimer(probe.Handle(), 1, 50, nullptr);
    EXPECT_EQ(probe.RunModalLoop(), 1);
    EXPECT_FALSE(probe.IsCreated());
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

// An object that refuses WM_NCCREATE fails its window's creation and is let go at once:
// an object of Create keeps no handle, a factory-made one is deleted.
TEST(CWnd, RefusedCreationLetsGoOfTheObject) {
    class CRefusingProbe : public CFactoryProbe {
    public:
        int OnNcCreate(const CREATESTRUCTA*) override { return 0; }
    };
    CRefusingProbe own;
    EXPECT_EQ(own.Create(0, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr), 0);
    EXPECT_EQ(own.Handle(), nullptr);

    RegisterWindowFactory(
        FactoryTag::kClassName,
        [](HWND window) -> CWnd* {
            auto* object = new CRefusingProbe;
            object->Attach(window);
            return object;
        },
        [](CWnd* object) { delete object; });
    CBareProbe bareClass;
    bareClass.Register();
    CPlainDialog dialog;
    EXPECT_EQ(dialog.CreateModeless(nullptr, IDD_WINDOW_BASE_TEST, nullptr), nullptr);
    UnregisterWindowFactory(FactoryTag::kClassName);
    EXPECT_EQ(CFactoryProbe::alive, 1); // only the object of Create above
}
