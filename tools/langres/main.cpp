// Makes the resources of the program's translations from the English resource script and
// the translation files (resources/lang/<tag>.txt): one resource script with every
// language's dialog templates and string table, and one of the pseudo-language that the
// layout check measures. Stops with the list of problems when a translation lacks a text,
// has one the program does not, or changes a text's places for values or mnemonics.
//
// Also makes the setup program's languages: its own texts (the English ones in
// packaging/Texts.nsh) in each translation, for the script to include after its pages.
//
// usage: embra_langres_gen --english dialogs.rc --macros embra_version.h --version 1.3.1
//            --setup Texts.nsh --layout layout.txt --out folder translation.txt...
//        embra_langres_gen --english dialogs.rc --macros embra_version.h --version 1.3.1 --list
//            (every key with its English text: the start of a new translation file)
#include "LanguageFile.h"
#include "Pseudo.h"
#include "RcScript.h"
#include "RcWriter.h"
#include "SetupScript.h"
#include "system/UiLanguage.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

struct Options {
    std::string english, macros, version, layout, setup, out;
    bool list = false;
    std::vector<std::string> translations;
};

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool WriteIfChanged(const std::string& path, const std::string& text) {
    std::string old;
    if (ReadFile(path, old) && old == text)
        return true;
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* value = arg == "--english"   ? &options.english
                             : arg == "--macros"  ? &options.macros
                             : arg == "--version" ? &options.version
                             : arg == "--layout"  ? &options.layout
                             : arg == "--setup"   ? &options.setup
                             : arg == "--out"     ? &options.out
                                                  : nullptr;
        if (value && i + 1 < argc)
            *value = argv[++i];
        else if (arg == "--list")
            options.list = true;
        else if (arg.compare(0, 2, "--") != 0)
            options.translations.push_back(arg);
        else
            return false;
    }
    return !options.english.empty() && !options.version.empty() &&
           (options.list || !options.out.empty());
}

// The tag a translation file is named after: "de-DE" of ".../de-DE.txt".
std::string TagOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.rfind('.'));
}

// The English texts, the version in the dialogs' texts written as "%1".
std::vector<std::pair<std::string, std::string>> EnglishTexts(const RcScript& script,
                                                              const std::string& version) {
    std::vector<std::pair<std::string, std::string>> texts = ScriptTexts(script);
    for (auto& [key, text] : texts) {
        if (key.compare(0, 4, "IDS_") == 0)
            continue;
        const std::size_t at = text.find(version);
        if (at != std::string::npos)
            text.replace(at, version.size(), "%1");
    }
    return texts;
}

bool Report(const std::string& name, const std::vector<std::string>& problems) {
    for (const std::string& problem : problems)
        std::fprintf(stderr, "%s: %s\n", name.c_str(), problem.c_str());
    return problems.empty();
}

bool LoadLayout(const std::string& path, const RcScript& english, LanguageFile& layout) {
    std::string text, error;
    if (path.empty())
        return true;
    if (!ReadFile(path, text) || !ParseLanguageFile(path, text, layout, error)) {
        std::fprintf(stderr, "%s\n",
                     error.empty() ? ("cannot read " + path).c_str() : error.c_str());
        return false;
    }
    if (!layout.texts.empty())
        return Report(path, {"the layout holds rectangles only"});
    return Report(path, CheckRects(ScriptRects(english), layout));
}

// One translation's resources, checked against the English.
bool Translate(const std::string& path, const RcScript& english,
               const std::vector<std::pair<std::string, std::string>>& englishTexts,
               const LanguageFile& layout, LanguageResources& language) {
    const UiLanguage* known = FindUiLanguage(TagOf(path));
    if (!known)
        return Report(path, {"the program has no language " + TagOf(path) +
                             " (system/UiLanguage.cpp lists them)"});
    std::string text, error;
    LanguageFile file;
    if (!ReadFile(path, text) || !ParseLanguageFile(path, text, file, error)) {
        std::fprintf(stderr, "%s\n",
                     error.empty() ? ("cannot read " + path).c_str() : error.c_str());
        return false;
    }
    std::vector<std::string> problems = CheckTranslation(englishTexts, file);
    const std::vector<std::string> rectProblems = CheckRects(ScriptRects(english), file);
    problems.insert(problems.end(), rectProblems.begin(), rectProblems.end());
    if (!Report(path, problems))
        return false;
    language.name = known->tag;
    language.langId = known->langId;
    language.texts = file.texts;
    language.rects = layout.rects;
    for (const auto& [key, rect] : file.rects)
        language.rects[key] = rect;
    return true;
}

LanguageResources Pseudo(const std::vector<std::pair<std::string, std::string>>& englishTexts,
                         const LanguageFile& layout) {
    LanguageResources pseudo;
    pseudo.name = kPseudoTag;
    pseudo.langId = kPseudoLangId;
    pseudo.rects = layout.rects;
    for (const auto& [key, text] : englishTexts)
        pseudo.texts[key] = PseudoText(text);
    return pseudo;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: see the top of tools/langres/main.cpp\n");
        return 2;
    }
    std::string scriptText, macroText, error;
    RcScript english;
    if (!ReadFile(options.english, scriptText) ||
        (!options.macros.empty() && !ReadFile(options.macros, macroText)) ||
        !ParseRcScript(scriptText, ParseStringMacros(macroText), english, error)) {
        std::fprintf(stderr, "%s: %s\n", options.english.c_str(),
                     error.empty() ? "cannot read it or its macros" : error.c_str());
        return 1;
    }
    auto englishTexts = EnglishTexts(english, options.version);
    std::string setupText;
    if (!options.setup.empty() && !ReadFile(options.setup, setupText)) {
        std::fprintf(stderr, "cannot read %s\n", options.setup.c_str());
        return 1;
    }
    const auto setupTexts = ParseSetupTexts(setupText);
    englishTexts.insert(englishTexts.end(), setupTexts.begin(), setupTexts.end());
    if (options.list) {
        for (const auto& [key, text] : englishTexts)
            std::cout << key << " = " << text << "\n";
        return 0;
    }
    LanguageFile layout;
    if (!LoadLayout(options.layout, english, layout))
        return 1;
    std::string scripts;
    std::vector<SetupLanguage> setupLanguages;
    bool ok = true;
    for (const std::string& path : options.translations) {
        LanguageResources language;
        if (!Translate(path, english, englishTexts, layout, language)) {
            ok = false;
            continue;
        }
        scripts += WriteLanguageScript(english, language, options.version) + "\n";
        setupLanguages.push_back({language.name, language.texts});
    }
    if (!ok)
        return 1;
    const std::string pseudo =
        WriteLanguageScript(english, Pseudo(englishTexts, layout), options.version);
    error.clear();
    const std::string setup = WriteSetupLanguages(setupTexts, setupLanguages, error);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (!WriteIfChanged(options.out + "/languages.rc", scripts) ||
        !WriteIfChanged(options.out + "/pseudo.rc", pseudo) ||
        !WriteIfChanged(options.out + "/setup-languages.nsh", setup)) {
        std::fprintf(stderr, "cannot write into %s\n", options.out.c_str());
        return 1;
    }
    return 0;
}
