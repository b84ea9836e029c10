#pragma once

#include "system/CrashReports.h"

#include <string>
#include <vector>

// The folder of the crash reports on disk: %LOCALAPPDATA%\Embra\CrashDumps, the reports in
// it (files ending in ".dmp") and their upkeep. Paths are UTF-16; the reports' names reach
// the portable decisions in UTF-8.

// The folder; empty when the system names no local application data folder.
std::wstring CrashReportFolder();
// Makes the folder and those above it where missing; whether it exists then.
bool MakeCrashReportFolder(const std::wstring& folder);
// The reports in the folder with the times they were last written (file times).
std::vector<CrashReport> ListCrashReports(const std::wstring& folder);
// Deletes all but the newest kKeptCrashReports, and the half-written reports (".tmp") a
// failure while writing one left.
void TrimCrashReports(const std::wstring& folder);
