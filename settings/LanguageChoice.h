#pragma once

#include <windows.h>

// Fills the "Language" drop-down list: "Windows' language" in the language of the texts,
// standing for "", then each of the program's languages by its own name (its own
// resources' IDS_LANGUAGE_NAME), standing for its tag. The items' data point at those
// static texts (CTextChoiceDlg).
void FillLanguageChoice(HWND combo, HINSTANCE module);
