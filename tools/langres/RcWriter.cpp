#include "RcWriter.h"

#include <cstdio>

namespace {

std::string ReplaceVersion(const std::string& text, const std::string& version) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "%1") == 0) {
            out += version;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string RectText(const DluRect& rect) {
    return std::to_string(rect[0]) + ", " + std::to_string(rect[1]) + ", " +
           std::to_string(rect[2]) + ", " + std::to_string(rect[3]);
}

std::string Join(const std::vector<std::string>& args) {
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i)
        out += (i ? ", " : "") + args[i];
    return out;
}

std::string ControlLine(const std::string& dialog, const RcControl& control,
                        const LanguageResources& language, const std::string& version) {
    if (control.rectArg < 0 && control.textArg < 0)
        return control.statement + "(" + Join(control.args) + ")";
    std::vector<std::string> args = control.args;
    const std::string key = dialog + "." + control.key;
    if (control.textArg >= 0)
        args[static_cast<std::size_t>(control.textArg)] =
            QuoteRcString(ReplaceVersion(language.texts.at(key), version));
    const auto rect = language.rects.find(key);
    if (rect != language.rects.end()) {
        for (std::size_t i = 0; i < 4; ++i)
            args[static_cast<std::size_t>(control.rectArg) + i] = std::to_string(rect->second[i]);
    }
    return control.statement + " " + Join(args);
}

} // namespace

std::string QuoteRcString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += "\"\"";
        else if (c == '\\')
            quoted += "\\\\";
        else if (c == '\n')
            quoted += "\\n";
        else
            quoted += c;
    }
    return quoted + "\"";
}

std::string WriteLanguageScript(const RcScript& english, const LanguageResources& language,
                                const std::string& version) {
    char languageLine[64];
    std::snprintf(languageLine, sizeof languageLine, "LANGUAGE 0x%02X, 0x%02X\n",
                  language.langId & 0x3FF, language.langId >> 10);
    std::string out = "// " + language.name +
                      ": made by the build from the translation files; do not edit.\n"
                      "#pragma code_page(65001)\n" +
                      languageLine;
    for (const RcDialog& dialog : english.dialogs) {
        const auto rect = language.rects.find(dialog.name);
        out += "\n" + dialog.name + " DIALOGEX " +
               RectText(rect != language.rects.end() ? rect->second : dialog.rect) + "\n";
        for (const std::string& line : dialog.head)
            out += line + "\n";
        if (dialog.hasCaption) {
            const std::string caption =
                dialog.caption.empty() ? "" : language.texts.at(dialog.name);
            out += "CAPTION " + QuoteRcString(caption) + "\n";
        }
        out += "FONT 8, \"MS Shell Dlg\", 0, 0, 0x1\nBEGIN\n";
        for (const RcControl& control : dialog.controls)
            out += "    " + ControlLine(dialog.name, control, language, version) + "\n";
        out += "END\n";
    }
    out += "\nSTRINGTABLE\nBEGIN\n";
    for (const auto& [id, text] : english.strings)
        out += "    " + id + " " + QuoteRcString(language.texts.at(id)) + "\n";
    out += "END\n";
    return out;
}
