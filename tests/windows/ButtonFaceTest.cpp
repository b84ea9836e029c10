#include "CDibTarget.h"

#include "graphics/ButtonFace.h"
#include "graphics/CBmp.h"
#include "resources/resource.h"
#include "ui/CButtonWnd.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int kButtonSize = 104;
constexpr DWORD kWaitForPictureMs = 20000;

struct Face {
    int picture, texture, highlight, id;
};
const Face kFaces[] = {
    {IDB_START, IDB_EMBER_TEXTURE, IDB_START_HIGHLIGHT, 1014},
    {IDB_SETTINGS, IDB_EMBER_TEXTURE, IDB_SETTINGS_HIGHLIGHT, 1002},
    {IDB_STOP, IDB_STOP_TEXTURE, IDB_STOP_HIGHLIGHT, 1001},
};

// Loads the face's picture into the button and builds the main dialog's face on it from the
// program's resources.
bool BuildFace(CButtonWnd& button, const Face& face) {
    const BitmapLoader load = [](CBmp& bitmap, int number) {
        bitmap.LoadBitmapResource(nullptr, number);
    };
    return BuildButtonFace(button.LoadImage(nullptr, face.picture), load, face.texture,
                           face.highlight);
}

void SetLeftButton(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A plain window in the dialog colour that holds the buttons.
HWND CreateStage(int width, int height) {
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hCursor = LoadCursor(nullptr, IDC_ARROW);
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.lpszClassName = "EmbraButtonStage";
    RegisterClassExA(&description);
    RECT frame{0, 0, width, height};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&frame, style, FALSE);
    return CreateWindowExA(0, "EmbraButtonStage", "Embra", style, 80, 60, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

// Real pointer input at a client point of `window`, optionally with the left button.
void PointerAt(HWND window, int x, int y, DWORD buttons) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof input);
}

// Tells the picture taker outside that `phase` shows and waits until it has taken it.
void HoldForPicture(const std::string& folder, const char* phase) {
    const std::string marker = folder + "/" + phase;
    const std::string taken = marker + ".done";
    CloseHandle(CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(taken.c_str()) == INVALID_FILE_ATTRIBUTES &&
           GetTickCount() - start < kWaitForPictureMs) {
        Pump();
        Sleep(20);
    }
}

// A point well inside the picture's outline (opaque with opaque neighbours).
POINT InsidePoint(const CBmp& picture) {
    for (int y = picture.height / 3; y < picture.height - 3; ++y)
        for (int x = picture.width / 3; x < picture.width - 3; ++x)
            if ((picture.Pixel(x, y) & picture.Pixel(x + 3, y + 3) & picture.Pixel(x - 3, y - 3)) >>
                    24 ==
                0xFF)
                return POINT{x, y};
    return POINT{picture.width / 2, picture.height / 2};
}

} // namespace

TEST(ButtonFace, ArtworkStatesDrawThreeDifferentPictures) {
    CButtonWnd::RegisterFactory();
    const HWND window =
        CreateWindowExA(0, CButtonWnd::kClassName, "", WS_POPUP, 0, 0, kButtonSize, kButtonSize,
                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    CButtonWnd* button = CButtonWnd::FromWindow(window);
    ASSERT_NE(button, nullptr);
    for (const Face& face : kFaces) {
        ASSERT_TRUE(BuildFace(*button, face));
        const RECT client{0, 0, kButtonSize, kButtonSize};
        const POINT places[3] = {{-1, -1}, {48, 48}, {48, 48}};
        const POINT inside = InsidePoint(button->Image());
        uint32_t centre[3] = {};
        for (int state = 0; state < 3; ++state) {
            CDibTarget target(kButtonSize, kButtonSize);
            ASSERT_TRUE(target.Ready());
            target.Fill(0xFFF0F0F0);
            SetLeftButton(state == 2);
            button->DrawFace(target.Dc(), client, places[state]);
            centre[state] = target.At(inside.x, inside.y);
            EXPECT_NE(centre[state], 0xFFF0F0F0u) << face.picture << " state " << state;
            EXPECT_EQ(target.At(kButtonSize - 1, 0), 0xFFF0F0F0u) << face.picture;
        }
        SetLeftButton(false);
        EXPECT_NE(centre[0], centre[1]) << face.picture;
        EXPECT_NE(centre[1], centre[2]) << face.picture;
    }
    DestroyWindow(window);
}

// With EMBRA_BUTTON_PICTURES naming a folder, shows the buttons on the screen with real
// pointer input in three phases (normal, hot, pressed) for pictures taken from outside.
TEST(ButtonFace, ShownForPictures) {
    const char* folder = std::getenv("EMBRA_BUTTON_PICTURES");
    if (!folder)
        GTEST_SKIP() << "EMBRA_BUTTON_PICTURES names no folder";
    CButtonWnd::RegisterFactory();
    const HWND stage = CreateStage(3 * kButtonSize + 40, kButtonSize + 24);
    ASSERT_NE(stage, nullptr);
    for (int i = 0; i < 3; ++i) {
        const HWND window =
            CreateWindowExA(0, CButtonWnd::kClassName, "", WS_CHILD | WS_VISIBLE,
                            12 + i * (kButtonSize + 8), 8, kButtonSize, kButtonSize, stage,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFaces[i].id)),
                            GetModuleHandleA(nullptr), nullptr);
        CButtonWnd* button = CButtonWnd::FromWindow(window);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(BuildFace(*button, kFaces[i]));
    }
    PointerAt(stage, 0, -200, 0);
    ShowWindow(stage, SW_SHOW);
    UpdateWindow(stage);
    HoldForPicture(folder, "normal");
    const int x = 12 + kButtonSize / 2 + 40;
    const int y = 8 + kButtonSize / 2 - 10;
    PointerAt(stage, x, y, 0);
    HoldForPicture(folder, "hot");
    PointerAt(stage, x, y, MOUSEEVENTF_LEFTDOWN);
    HoldForPicture(folder, "pressed");
    PointerAt(stage, x, y, MOUSEEVENTF_LEFTUP);
    Pump();
    DestroyWindow(stage);
    Pump();
}
