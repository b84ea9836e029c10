#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

// What a user does to a dialog's controls, as the messages the action causes, and what the
// user then sees. Everything runs on the calling thread, which owns the dialog.

std::string ControlText(HWND dialog, int id);
std::string WindowText(HWND window);
// Focuses the edit box, selects its whole text and types `text` character by character;
// an empty text is one backspace over the selection, which empties the box.
void TypeInto(HWND dialog, int editId, const std::string& text);
// Selects the edit box's whole text and replaces it by `text` as a paste does, past any
// filter on typed characters.
void PasteInto(HWND dialog, int editId, const std::string& text);
// A key pressed in the dialog as its message loop sees it: WM_KEYDOWN to the focused
// control, through the dialog's keyboard handling (Tab, Enter, Esc, arrows), then
// WM_CHAR and WM_KEYUP.
void PressDialogKey(HWND dialog, UINT key);
// Dispatches this thread's messages until `done` holds or `seconds` pass; false on time out.
bool PumpUntil(const std::function<bool()>& done, double seconds);
int SliderPos(HWND dialog, int id);
std::pair<int, int> SliderRange(HWND dialog, int id);
std::pair<int, int> SpinRange(HWND dialog, int id);
// Focuses the slider and presses an arrow key on it (VK_LEFT, VK_RIGHT, ...), then lets it
// repaint.
void PressSliderKey(HWND dialog, int id, UINT key);
// Focuses the slider, presses the mouse on its thumb and moves right or left until the
// thumb stands at `position`, repainting as it goes; the button stays down. False when the
// position cannot be reached.
bool DragSliderTo(HWND dialog, int id, int position);
// Releases the mouse button over the slider.
void ReleaseSlider(HWND dialog, int id);
// A click on the upper (up = true) or lower arrow of a spin control.
void ClickSpin(HWND dialog, int id, bool up);
// A window's rectangle in the client coordinates of `container` (null: of the screen).
RECT RectIn(HWND window, HWND container);
// A click of the left button at a point of a control's client area.
void ClickAt(HWND control, int x, int y);
// A click on a button: BM_CLICK, as the button's own click handling does.
void ClickButton(HWND dialog, int id);
// The notification a clicked button sends: WM_COMMAND with BN_CLICKED to the dialog.
void PressButton(HWND dialog, int id);

// Marks a key or mouse button (VK_LBUTTON) down or up in this thread's keyboard state.
void SetKeyDown(int key, bool down);

// Holds Shift down in this thread's keyboard state for as long as it lives.
class CShiftHeld {
public:
    CShiftHeld() { SetKeyDown(VK_SHIFT, true); }
    ~CShiftHeld() { SetKeyDown(VK_SHIFT, false); }
    CShiftHeld(const CShiftHeld&) = delete;
    CShiftHeld& operator=(const CShiftHeld&) = delete;
};

// Runs `open`, which starts a modal loop (a modal dialog, the colour dialog), and runs
// `script` on the enabled dialog window that the loop shows. When the script leaves that
// dialog open, it is ended with Cancel so that `open` returns. When `open` returns without
// having shown a dialog, the test fails.
void RunModalScript(const std::function<void()>& open, std::function<void(HWND dialog)> script);
// Dispatches the messages waiting for this thread.
void PumpMessages();
// Dispatches this thread's messages as they come for `milliseconds`, at least once.
void PumpFor(DWORD milliseconds);
// Opens the settings window by a click on the main dialog's button `settingsButton`, clicks
// the box `box` on the page that holds it and closes the window with `command` (IDOK or
// IDCANCEL); false when no page had the box.
bool ClickSettingsBox(HWND mainDialog, int settingsButton, int box, int command);
