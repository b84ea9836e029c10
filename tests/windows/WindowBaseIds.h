#pragma once

// Resources of the windows test executable for the window and dialog base tests.
#define IDD_WINDOW_BASE_TEST 9100
#define IDC_FACTORY_CONTROL 9101
#define IDC_BARE_CONTROL 9102
#define IDC_TEST_EDIT 9103
#define IDS_WINDOW_BASE_TEST 9100
#define IDD_MISSING_TEST 9199
