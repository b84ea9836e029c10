#pragma once

#include "system/MonitorLayout.h"

#include <vector>

// The real monitors (EnumDisplayMonitors, GetMonitorInfoW) with their taskbars: every
// window of class "Shell_TrayWnd" and "Shell_SecondaryTrayWnd", each matched to its monitor
// by MonitorFromWindow; arranged by ArrangeMonitors. Where the system lists no monitor, the
// primary screen's size stands for the one monitor.
std::vector<MonitorArea> ReadMonitors(bool everyMonitor);
