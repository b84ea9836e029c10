#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

// The English resource script as the translations see it: its dialog templates, each
// control's text and rectangle, and its string table. Only the forms the program's own
// script uses are understood; anything else in a template is kept as written.

// A rectangle in dialog units: x, y, width, height.
using DluRect = std::array<int, 4>;

// One line of a template between BEGIN and END.
struct RcControl {
    std::string key;       // "IDC_HOTKEY", "IDC_OPAQUE_EDIT.LABEL" for an unnamed label; "" none
    std::string statement; // "LTEXT", "CONTROL", a macro's name
    std::vector<std::string> args; // the arguments as written, split at top-level commas
    int textArg = -1;              // the argument that holds a shown text, -1 none
    int rectArg = -1;              // the first of the four rectangle arguments, -1 none
    std::string text;              // the shown text, its macros resolved
};

struct RcDialog {
    std::string name;              // "IDD_SETTINGS"
    DluRect rect{};                // as the DIALOGEX line gives it
    std::vector<std::string> head; // STYLE, EXSTYLE and other lines before BEGIN, as written
    std::string caption;           // "" without a CAPTION line
    bool hasCaption = false;
    std::vector<RcControl> controls;
};

struct RcScript {
    std::vector<RcDialog> dialogs;
    std::vector<std::pair<std::string, std::string>> strings; // id name, text, in order
};

// Reads the dialog templates and the string table of `text`, a resource script; string
// macros in place of a text are looked up in `macros`. False, with a message, on a form
// it does not understand.
bool ParseRcScript(const std::string& text, const std::map<std::string, std::string>& macros,
                   RcScript& script, std::string& error);
// The `#define NAME "text"` lines of a header.
std::map<std::string, std::string> ParseStringMacros(const std::string& text);
// Every text of the script by its translation key: "IDD_X" for a caption, "IDD_X.IDC_Y"
// for a control, "IDS_Z" for a string.
std::vector<std::pair<std::string, std::string>> ScriptTexts(const RcScript& script);
// Every rectangle by its layout key: "IDD_X" for a dialog's, "IDD_X.IDC_Y" for a control's.
std::map<std::string, DluRect> ScriptRects(const RcScript& script);
