#pragma once

#include "params/CSettingsStore.h"

#include <windows.h>

#include <string>

// The start after a crash tells the user once, in a box titled `title`, that Embra ended
// unexpectedly and where the report is: the newest report of `folder` written after the
// one told of last (its time kept as "CrashReportTold" under "Options\Windows\Main").
// "Open folder" opens the folder, "Close" closes the box. Whether it told.
bool TellOfCrashReport(HINSTANCE module, const std::wstring& folder, CSettingsStore& store,
                       const std::wstring& title);
