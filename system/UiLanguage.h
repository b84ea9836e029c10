#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The languages of the program's texts. Each has its resources under its Windows language
// id; its tag is what the "Language" option stores and names its translation file.
struct UiLanguage {
    const char* tag;
    uint16_t langId;
};

constexpr uint16_t kEnglishLangId = 0x0409; // en-US, the resources the others are made from
// The pseudo-language the layout check measures (Windows' own "qps-ploc"): every text
// lengthened with accented letters. Its resources exist only in the test program.
constexpr uint16_t kPseudoLangId = 0x0501;
constexpr const char* kPseudoTag = "qps-ploc";

// The languages a user can choose, English first.
const std::vector<UiLanguage>& UiLanguages();
// The language of `tag` (letter case aside); null when the program has none such.
const UiLanguage* FindUiLanguage(const std::string& tag);
// The program's language for a Windows display language: the one with the same primary
// language (of Chinese only the Simplified forms); null when there is none.
const UiLanguage* MatchWindowsLanguage(uint16_t windowsLangId);
// The language the program shows: the "Language" option's when it names one of the
// program's languages, else Windows' display language's, else English.
const UiLanguage& ChooseUiLanguage(const std::string& option, uint16_t windowsLangId);
