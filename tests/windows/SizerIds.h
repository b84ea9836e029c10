#pragma once

// Resources of the windows test executable for the resizable layout tests.
#define IDD_SIZER_TEST 9300
