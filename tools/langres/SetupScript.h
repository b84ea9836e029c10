#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

// The setup program's own texts: the English ones are the "!define TEXT_... "..."" lines of
// packaging/Texts.nsh; each translation gives the same keys. What the setup shows of its
// own pages comes from NSIS's own language files.

// The texts of the defines, lines joined, runs of spaces as one, "$\r$\n" as "\n".
std::vector<std::pair<std::string, std::string>> ParseSetupTexts(const std::string& nsh);

// One translation of the setup: its tag and its texts by key.
struct SetupLanguage {
    std::string tag;
    std::map<std::string, std::string> texts;
};

// The script the setup includes after its pages: Modern UI's languages (English first,
// whose texts stay the defines), then a LangString per text and language. Empty, with
// `error` set, for a tag NSIS has no language of.
std::string WriteSetupLanguages(const std::vector<std::pair<std::string, std::string>>& english,
                                const std::vector<SetupLanguage>& languages, std::string& error);
