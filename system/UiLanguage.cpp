#include "system/UiLanguage.h"

#include <cctype>

namespace {

constexpr uint16_t kPrimaryMask = 0x03FF;
constexpr uint16_t kChinese = 0x04;
// zh-Hans, zh-CN and zh-SG: the Simplified forms.
constexpr uint16_t kSimplifiedChinese[] = {0x0004, 0x0804, 0x1004};

bool SameTag(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

} // namespace

const std::vector<UiLanguage>& UiLanguages() {
    static const std::vector<UiLanguage> languages = {
        {"en-US", kEnglishLangId}, {"de-DE", 0x0407}, {"fr-FR", 0x040C}, {"es-ES", 0x0C0A},
        {"pt-BR", 0x0416},         {"ru-RU", 0x0419}, {"zh-CN", 0x0804}, {"ja-JP", 0x0411},
    };
    return languages;
}

const UiLanguage* FindUiLanguage(const std::string& tag) {
    for (const UiLanguage& language : UiLanguages())
        if (SameTag(tag, language.tag))
            return &language;
    return nullptr;
}

const UiLanguage* MatchWindowsLanguage(uint16_t windowsLangId) {
    const uint16_t primary = windowsLangId & kPrimaryMask;
    if (primary == kChinese) {
        for (uint16_t simplified : kSimplifiedChinese)
            if (windowsLangId == simplified)
                return FindUiLanguage("zh-CN");
        return nullptr;
    }
    for (const UiLanguage& language : UiLanguages())
        if ((language.langId & kPrimaryMask) == primary)
            return &language;
    return nullptr;
}

const UiLanguage& ChooseUiLanguage(const std::string& option, uint16_t windowsLangId) {
    if (const UiLanguage* chosen = FindUiLanguage(option))
        return *chosen;
    if (const UiLanguage* windows = MatchWindowsLanguage(windowsLangId))
        return *windows;
    return UiLanguages().front();
}
