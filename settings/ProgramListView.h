#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The list views of the "Programs" page and of "Add a program": one row per program,
// selected whole, its texts UTF-8 passed to the control as UTF-16.

// Gives the list view whole-row selection and one column per entry of `percents`, each
// that share of the list's width, headed by `titles` where there are any.
void SetUpListView(HWND list, const std::vector<int>& percents,
                   const std::vector<std::string>& titles = {});
// The columns' widths again, after the list's new width.
void FitListColumns(HWND list, const std::vector<int>& percents);
// Appends a row with one text per column.
void InsertListRow(HWND list, const std::vector<std::string>& texts);
// Selects and focuses row `row` and scrolls it into view; -1 selects none.
void SelectListRow(HWND list, int row);
// The selected row; -1 when none is.
int SelectedListRow(HWND list);
