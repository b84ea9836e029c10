#pragma once

#include <windows.h>

// The DPI the window is shown at: GetDpiForWindow where the system has it (Windows 10
// 1607 on), otherwise LOGPIXELSY of the window's device context; 96 when neither answers.
int WindowDpi(HWND window);
