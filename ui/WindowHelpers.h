#pragma once

#include "effects/engine/TaskbarPlacement.h"
#include "params/tstr.h"

#include <windows.h>

class CSettingsStore;

// Free helpers of the window base: string resources, window and combo-box texts, window
// placement kept in the settings store, centring, layered-window opacity and the taskbar.

// Loads string `id` of `module` in the language of the texts (ui/UiText.h) as UTF-8 (at
// most 1023 characters); false, string unchanged, when it is missing or empty.
bool LoadResourceString(tstr& string, HINSTANCE module, UINT id);
// The window's text and its length; 0 and "" for a missing window or an empty text.
int GetWindowTextString(HWND window, tstr& string);
// The text of item `index` of a combo box and its length; 0 and "" for a missing item.
int GetComboItemText(HWND comboBox, int index, tstr& string);

// Under `key` of the store: "topmost" ("1" while the window is topmost, deleted otherwise)
// and "plmnt", the 44-byte placement record. The result of writing the record.
bool SaveWindowPlacement(CSettingsStore* store, HWND window, const tstr& key);
// Re-applies what SaveWindowPlacement stored; keepSize moves the window to the stored
// position but keeps its current size. Without a whole stored record the window is shown
// normally and the result is false, so that the caller can centre it.
bool RestoreWindowPlacement(CSettingsStore* store, HWND window, const tstr& key, bool keepSize);

// The placement SaveWindowPlacement stored, with the window's current size instead of
// the stored one; a normal position on no monitor is moved to the centre of the nearest
// monitor's work area. False without a whole stored record.
bool ReadPlacementKeepingSize(CSettingsStore& store, HWND window, const tstr& key,
                              WINDOWPLACEMENT& placement);

// Centres `window` over `over` (the desktop when null), kept on the screen; whether the
// move succeeded.
bool CenterWindow(HWND window, HWND over);
// Alpha 255 makes the window opaque (not layered), anything else layered with that alpha;
// false when the system has no layered-window attributes.
bool SetWindowOpacity(HWND window, BYTE alpha);

// The screen edge of the first visible taskbar window ("Shell_TrayWnd"), as ClassifyTaskbar
// judges it against the screen size; Unknown when no such window is visible or its place is
// unclear; Top also when there is no such window at all, and rect then stays untouched.
// rect (optional) receives the taskbar's rectangle.
TaskbarSide GetTaskbarEdge(RECT* rect);
