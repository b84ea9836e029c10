#include "ui/MessageCrackers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Point(POINT point) {
    return std::to_string(point.x) + "," + std::to_string(point.y);
}

// Each row's message cracked and written out as its typed arguments name them.
std::string Mouse(WPARAM w, LPARAM l) {
    const MouseArgs args = MouseArgsOf(w, l);
    return "keys " + std::to_string(args.keys) + " at " + Point(args.point);
}
std::string Wheel(WPARAM w, LPARAM l) {
    const WheelArgs args = WheelArgsOf(w, l);
    return "keys " + std::to_string(args.keys) + " turn " + std::to_string(args.delta) + " at " +
           Point(args.screen);
}
std::string Key(WPARAM w, LPARAM l) {
    const KeyArgs args = KeyArgsOf(w, l);
    return "key " + std::to_string(args.key) + " repeat " + std::to_string(args.repeat) +
           " flags " + std::to_string(args.flags) + (IsFirstPress(args) ? " first" : " again") +
           (KeyDataOf(args.repeat, args.flags) == l ? "" : " repacked wrongly");
}
std::string Size(WPARAM w, LPARAM l) {
    const SizeArgs args = SizeArgsOf(w, l);
    return "type " + std::to_string(args.type) + " " + std::to_string(args.width) + " x " +
           std::to_string(args.height);
}
std::string Cursor(WPARAM w, LPARAM l) {
    const SetCursorArgs args = SetCursorArgsOf(w, l);
    return "window " + std::to_string(reinterpret_cast<UINT_PTR>(args.window)) + " hit " +
           std::to_string(args.hitTest) + " message " + std::to_string(args.mouseMessage);
}
std::string SysCommand(WPARAM w, LPARAM l) {
    const SysCommandArgs args = SysCommandArgsOf(w, l);
    return "command " + std::to_string(args.command) + " at " + Point(args.screen);
}
std::string Command(WPARAM w, LPARAM) {
    return "id " + std::to_string(CommandIdOf(w)) + " code " + std::to_string(CommandCodeOf(w));
}
std::string Scroll(WPARAM w, LPARAM) {
    return "code " + std::to_string(ScrollCodeOf(w)) + " thumb " + std::to_string(ScrollThumbOf(w));
}
std::string Dpi(WPARAM w, LPARAM) {
    return "dpi " + std::to_string(DpiOf(w));
}

LPARAM Words(int low, int high) {
    return MAKELPARAM(static_cast<WORD>(low), static_cast<WORD>(high));
}

} // namespace

// Every message gets its own arguments: points are signed words (a window left of or above
// the primary monitor is at a negative place, never 65 000), sizes and key data unsigned.
TEST(MessageCrackers, EachMessageItsOwnTypedArguments) {
    struct Case {
        const char* what;
        std::string (*crack)(WPARAM, LPARAM);
        WPARAM wParam;
        LPARAM lParam;
        const char* expected;
    };
    const Case cases[] = {
        {"mouse: the keys held and a point left of and above the primary monitor", Mouse,
         MK_LBUTTON | MK_SHIFT, Words(-5, -32768), "keys 5 at -5,-32768"},
        {"wheel: keys in the low word, a turn towards the user, a screen point", Wheel,
         MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-2 * WHEEL_DELTA)), Words(-10, 20),
         "keys 8 turn -240 at -10,20"},
        {"key down: the key, its repeat count and its flags", Key, VK_SPACE, Words(3, 0x39),
         "key 32 repeat 3 flags 57 first"},
        {"key held: the repeat flag", Key, VK_DOWN, Words(1, KF_REPEAT | 0x50),
         "key 40 repeat 1 flags 16464 again"},
        {"size: the type, and a width past 32767 read unsigned", Size, SIZE_MAXIMIZED,
         Words(40000, 300), "type 2 40000 x 300"},
        {"set cursor: the window, the hit test and the mouse message", Cursor, 0x1234,
         Words(HTCLIENT, WM_LBUTTONDOWN), "window 4660 hit 1 message 513"},
        {"system command: the whole command and a signed screen point", SysCommand, SC_MOVE | 2,
         Words(-1, 7), "command 61458 at -1,7"},
        {"command: the id and the notification code", Command, MAKEWPARAM(1017, EN_CHANGE), 0,
         "id 1017 code 768"},
        {"scroll: the code and a thumb past 32767", Scroll, MAKEWPARAM(SB_THUMBPOSITION, 40000), 0,
         "code 4 thumb 40000"},
        {"DPI change: the new DPI", Dpi, MAKEWPARAM(144, 144), 0, "dpi 144"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.crack(c.wParam, c.lParam), c.expected) << c.what;
}
