#include "RcScript.h"

#include <cctype>
#include <sstream>

namespace {

// Statements whose first argument is a shown text and whose rectangle follows the id.
const char* const kTextStatements[] = {
    "LTEXT",         "RTEXT",      "CTEXT",           "AUTOCHECKBOX", "CHECKBOX", "GROUPBOX",
    "DEFPUSHBUTTON", "PUSHBUTTON", "AUTORADIOBUTTON", "RADIOBUTTON",  "STATE3",   "AUTO3STATE"};
// Statements whose first argument is the id and whose rectangle follows it.
const char* const kIdStatements[] = {"EDITTEXT", "COMBOBOX", "LISTBOX", "SCROLLBAR"};
// CONTROL classes whose window text shows.
const char* const kTextClasses[] = {"\"Button\"", "\"Static\""};

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

template <std::size_t N> bool OneOf(const std::string& word, const char* const (&list)[N]) {
    for (const char* each : list)
        if (word == each)
            return true;
    return false;
}

// Splits at the commas outside quotes and parentheses.
std::vector<std::string> SplitArgs(const std::string& text) {
    std::vector<std::string> args;
    std::string current;
    int depth = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '(')
            ++depth;
        else if (!quoted && c == ')')
            --depth;
        if (c == ',' && !quoted && depth == 0) {
            args.push_back(Trim(current));
            current.clear();
        } else {
            current += c;
        }
    }
    args.push_back(Trim(current));
    return args;
}

// A quoted script string without its quotes, "" standing for one quote.
bool Unquote(const std::string& arg, std::string& text) {
    if (arg.size() < 2 || arg.front() != '"' || arg.back() != '"')
        return false;
    text.clear();
    for (std::size_t i = 1; i + 1 < arg.size(); ++i) {
        text += arg[i];
        if (arg[i] == '"')
            ++i;
    }
    return true;
}

// A shown text: a quoted string or a string macro.
bool ResolveText(const std::string& arg, const std::map<std::string, std::string>& macros,
                 std::string& text) {
    if (Unquote(arg, text))
        return true;
    const auto found = macros.find(arg);
    if (found == macros.end())
        return false;
    text = found->second;
    return true;
}

bool ParseRect(const std::vector<std::string>& args, int first, DluRect& rect) {
    if (first < 0 || static_cast<std::size_t>(first) + 4 > args.size())
        return false;
    for (int i = 0; i < 4; ++i) {
        const std::string& arg = args[static_cast<std::size_t>(first + i)];
        if (arg.empty() || arg.find_first_not_of("-0123456789") != std::string::npos)
            return false;
        rect[static_cast<std::size_t>(i)] = std::stoi(arg);
    }
    return true;
}

// One control line: its statement, arguments, text and rectangle.
bool ParseControl(const std::string& line, const std::map<std::string, std::string>& macros,
                  RcControl& control, std::string& error) {
    const std::size_t open = line.find('(');
    const std::size_t space = line.find_first_of(" \t");
    if (open != std::string::npos && (space == std::string::npos || open < space)) {
        // A macro that makes controls: its first argument is the id, its rectangle fixed.
        control.statement = line.substr(0, open);
        const std::size_t close = line.rfind(')');
        control.args = SplitArgs(line.substr(open + 1, close - open - 1));
        control.key = control.args.front();
        return true;
    }
    control.statement = line.substr(0, space);
    control.args = SplitArgs(line.substr(space));
    const std::vector<std::string>& args = control.args;
    if (OneOf(control.statement, kTextStatements)) {
        control.textArg = 0;
        control.rectArg = 2;
    } else if (OneOf(control.statement, kIdStatements)) {
        control.rectArg = 1;
    } else if (control.statement == "CONTROL" && args.size() >= 8) {
        control.rectArg = 4;
        if (OneOf(args[2], kTextClasses))
            control.textArg = 0;
    } else if (control.statement == "ICON") {
        control.rectArg = 2;
    } else {
        error = "unknown control statement: " + line;
        return false;
    }
    const std::size_t idArg = control.rectArg == 1 ? 0 : 1;
    control.key = idArg < args.size() ? args[idArg] : "";
    DluRect rect{};
    if (!ParseRect(args, control.rectArg, rect)) {
        error = "no rectangle where one is expected: " + line;
        return false;
    }
    if (control.textArg >= 0) {
        if (!ResolveText(args[0], macros, control.text)) {
            error = "a text that is neither a string nor a known macro: " + line;
            return false;
        }
        if (control.text.empty())
            control.textArg = -1;
    }
    return true;
}

// Unnamed labels take the key of the next named control with ".LABEL".
bool NameLabels(RcDialog& dialog, std::string& error) {
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        RcControl& control = dialog.controls[i];
        if (control.key != "IDC_STATIC")
            continue;
        std::size_t next = i + 1;
        while (next < dialog.controls.size() && dialog.controls[next].key == "IDC_STATIC")
            ++next;
        if (next == dialog.controls.size()) {
            error = dialog.name + ": an unnamed control with no named control after it";
            return false;
        }
        control.key = dialog.controls[next].key + ".LABEL";
    }
    return true;
}

// Joins the lines that end in a backslash and drops comments and preprocessor lines.
std::vector<std::string> LogicalLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    std::string pending;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.back() == '\\') {
            pending += line.substr(0, line.size() - 1);
            continue;
        }
        line = Trim(pending + line);
        pending.clear();
        if (line.empty() || StartsWith(line, "//") || line[0] == '#')
            continue;
        lines.push_back(line);
    }
    return lines;
}

bool ParseDialog(const std::vector<std::string>& lines, std::size_t& i,
                 const std::map<std::string, std::string>& macros, RcDialog& dialog,
                 std::string& error) {
    const std::string& first = lines[i];
    dialog.name = first.substr(0, first.find(' '));
    const std::vector<std::string> args = SplitArgs(first.substr(first.find("DIALOGEX") + 8));
    if (!ParseRect(args, 0, dialog.rect)) {
        error = "a dialog without its rectangle: " + first;
        return false;
    }
    for (++i; i < lines.size() && lines[i] != "BEGIN"; ++i) {
        if (StartsWith(lines[i], "CAPTION")) {
            dialog.hasCaption = Unquote(Trim(lines[i].substr(7)), dialog.caption);
            if (!dialog.hasCaption) {
                error = "a caption that is no string: " + lines[i];
                return false;
            }
        } else if (!StartsWith(lines[i], "FONT")) {
            dialog.head.push_back(lines[i]);
        }
    }
    for (++i; i < lines.size() && lines[i] != "END"; ++i) {
        RcControl control;
        if (!ParseControl(lines[i], macros, control, error))
            return false;
        dialog.controls.push_back(control);
    }
    return NameLabels(dialog, error);
}

bool ParseStrings(const std::vector<std::string>& lines, std::size_t& i, RcScript& script,
                  std::string& error) {
    for (i += 2; i < lines.size() && lines[i] != "END"; ++i) {
        const std::size_t space = lines[i].find_first_of(" \t");
        std::string text;
        if (space == std::string::npos || !Unquote(Trim(lines[i].substr(space)), text)) {
            error = "a string table line without its string: " + lines[i];
            return false;
        }
        script.strings.emplace_back(lines[i].substr(0, space), text);
    }
    return true;
}

} // namespace

bool ParseRcScript(const std::string& text, const std::map<std::string, std::string>& macros,
                   RcScript& script, std::string& error) {
    const std::vector<std::string> lines = LogicalLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(" DIALOGEX ") != std::string::npos) {
            RcDialog dialog;
            if (!ParseDialog(lines, i, macros, dialog, error))
                return false;
            script.dialogs.push_back(dialog);
        } else if (lines[i] == "STRINGTABLE") {
            if (!ParseStrings(lines, i, script, error))
                return false;
        }
    }
    return true;
}

std::map<std::string, std::string> ParseStringMacros(const std::string& text) {
    std::map<std::string, std::string> macros;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (!StartsWith(line, "#define "))
            continue;
        const std::string rest = Trim(line.substr(8));
        const std::size_t space = rest.find(' ');
        std::string value;
        if (space != std::string::npos && Unquote(Trim(rest.substr(space)), value))
            macros[rest.substr(0, space)] = value;
    }
    return macros;
}

std::vector<std::pair<std::string, std::string>> ScriptTexts(const RcScript& script) {
    std::vector<std::pair<std::string, std::string>> texts;
    for (const RcDialog& dialog : script.dialogs) {
        if (dialog.hasCaption && !dialog.caption.empty())
            texts.emplace_back(dialog.name, dialog.caption);
        for (const RcControl& control : dialog.controls)
            if (control.textArg >= 0)
                texts.emplace_back(dialog.name + "." + control.key, control.text);
    }
    texts.insert(texts.end(), script.strings.begin(), script.strings.end());
    return texts;
}

std::map<std::string, DluRect> ScriptRects(const RcScript& script) {
    std::map<std::string, DluRect> rects;
    for (const RcDialog& dialog : script.dialogs) {
        rects[dialog.name] = dialog.rect;
        for (const RcControl& control : dialog.controls) {
            DluRect rect{};
            if (ParseRect(control.args, control.rectArg, rect))
                rects[dialog.name + "." + control.key] = rect;
        }
    }
    return rects;
}
