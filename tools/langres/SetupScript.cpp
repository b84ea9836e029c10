#include "SetupScript.h"

#include <cctype>
#include <sstream>

namespace {

// NSIS's language of each of the program's tags.
struct NsisLanguage {
    const char* tag;
    const char* name; // its language file, and its constant LANG_<NAME in capitals>
};
constexpr NsisLanguage kNsisLanguages[] = {
    {"en-US", "English"},      {"de-DE", "German"},
    {"fr-FR", "French"},       {"es-ES", "SpanishInternational"},
    {"pt-BR", "PortugueseBR"}, {"ru-RU", "Russian"},
    {"zh-CN", "SimpChinese"},  {"ja-JP", "Japanese"},
};

const char* NsisName(const std::string& tag) {
    for (const NsisLanguage& language : kNsisLanguages)
        if (tag == language.tag)
            return language.name;
    return nullptr;
}

std::string Constant(const char* name) {
    std::string constant = "${LANG_";
    for (const char* c = name; *c != '\0'; ++c)
        constant += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    return constant + "}";
}

// A text as a quoted NSIS string: line breaks as "$\r$\n", quotes as "$\"".
std::string QuoteNsis(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\n')
            quoted += "$\\r$\\n";
        else if (c == '"')
            quoted += "$\\\"";
        else
            quoted += c;
    }
    return quoted + "\"";
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

std::vector<std::pair<std::string, std::string>> ParseSetupTexts(const std::string& nsh) {
    std::vector<std::pair<std::string, std::string>> texts;
    std::istringstream in(nsh);
    std::string line, joined;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.back() == '\\') {
            joined += line.substr(0, line.size() - 1);
            continue;
        }
        joined += line;
        std::istringstream words(joined);
        std::string define, key;
        words >> define >> key;
        const std::size_t open = joined.find('"');
        const std::size_t close = joined.rfind('"');
        if (define == "!define" && key.compare(0, 5, "TEXT_") == 0 && open != close) {
            std::string text = Replace(joined.substr(open + 1, close - open - 1), "$\\r$\\n", "\n");
            std::string single;
            for (char c : text)
                if (!(c == ' ' && !single.empty() && single.back() == ' '))
                    single += c;
            texts.emplace_back(key, single);
        }
        joined.clear();
    }
    return texts;
}

std::string WriteSetupLanguages(const std::vector<std::pair<std::string, std::string>>& english,
                                const std::vector<SetupLanguage>& languages, std::string& error) {
    std::string out = "\xEF\xBB\xBF; The setup's languages: made by the build from the "
                      "translation files; do not edit.\n!insertmacro MUI_LANGUAGE \"English\"\n";
    for (const SetupLanguage& language : languages) {
        const char* name = NsisName(language.tag);
        if (!name) {
            error = "NSIS has no language for " + language.tag +
                    " (tools/langres/SetupScript.cpp names them)";
            return "";
        }
        out += "!insertmacro MUI_LANGUAGE \"" + std::string(name) + "\"\n";
    }
    for (const auto& [key, text] : english) {
        out += "LangString " + key + " " + Constant("English") + " \"${" + key + "}\"\n";
        for (const SetupLanguage& language : languages)
            out += "LangString " + key + " " + Constant(NsisName(language.tag)) + " " +
                   QuoteNsis(language.texts.at(key)) + "\n";
    }
    return out;
}
