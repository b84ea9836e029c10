#pragma once

// Resources of the windows test executable for the navigation pane tests, clear of the
// other tests' numbers.
#define IDD_NAV_PANE_TEST 9400
#define IDC_NAV_PANE 9401
