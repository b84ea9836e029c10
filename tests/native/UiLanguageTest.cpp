#include "system/UiLanguage.h"
#include "params/CLanguageParam.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"
#include "params/TextTemplate.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Which language the program's texts are shown in, and the texts' places for values.
namespace {

// Windows' language ids of some display languages.
constexpr uint16_t kGermanSwiss = 0x0807;
constexpr uint16_t kPortuguesePortugal = 0x0816;
constexpr uint16_t kChineseTaiwan = 0x0404;
constexpr uint16_t kChineseSingapore = 0x1004;
constexpr uint16_t kSpanishMexico = 0x080A;
constexpr uint16_t kItalian = 0x0410;
constexpr uint16_t kJapanese = 0x0411;

TEST(UiLanguageTest, TheOptionWinsThenWindowsLanguageThenEnglish) {
    struct Case {
        const char* what;
        const char* option;
        uint16_t windows;
        const char* shown;
    };
    const Case cases[] = {
        {"follows Windows", "", kJapanese, "ja-JP"},
        {"the option over Windows", "de-DE", kJapanese, "de-DE"},
        {"the option's letter case aside", "PT-br", kItalian, "pt-BR"},
        {"an unknown option follows Windows", "it-IT", kJapanese, "ja-JP"},
        {"a primary language alone is no choice", "de", kJapanese, "ja-JP"},
        {"Windows in a language without texts", "", kItalian, "en-US"},
        {"another German", "", kGermanSwiss, "de-DE"},
        {"another Spanish", "", kSpanishMexico, "es-ES"},
        {"Portuguese of Portugal reads Brazil's", "", kPortuguesePortugal, "pt-BR"},
        {"Simplified Chinese of Singapore", "", kChineseSingapore, "zh-CN"},
        {"Traditional Chinese is not Simplified", "", kChineseTaiwan, "en-US"},
        {"the pseudo-language is no choice", kPseudoTag, kItalian, "en-US"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(ChooseUiLanguage(c.option, c.windows).tag, c.shown) << c.what;
}

TEST(UiLanguageTest, EachLanguageHasItsOwnResourcesAndEnglishComesFirst) {
    const auto& languages = UiLanguages();
    ASSERT_FALSE(languages.empty());
    EXPECT_EQ(languages.front().langId, kEnglishLangId);
    for (const UiLanguage& language : languages) {
        EXPECT_EQ(MatchWindowsLanguage(language.langId), &language) << language.tag;
        EXPECT_NE(language.langId, kPseudoLangId) << language.tag;
    }
}

TEST(UiLanguageTest, TheStoredLanguageIsATagOrFollowsWindows) {
    struct Case {
        const char* stored;
        const char* loaded;
    };
    const Case cases[] = {
        {"de-DE", "de-DE"},
        {"", ""},
        {"it-IT", "it-IT"} /* kept, follows Windows */,
        {"zh-Hans-CN", "zh-Hans-CN"},
        {"qps-ploc", "qps-ploc"},
        {"d", ""},
        {"deutsch", ""},
        {"de_DE", ""},
        {"de-", ""},
        {"-DE", ""},
        {"de--DE", ""},
        {"de-DE ", ""},
        {"de-ABCDEFGHI", ""},
        {"de-DE-aaaaaaaa-bbbbbbbb-cccccccc-dd", "de-DE-aaaaaaaa-bbbbbbbb-cccccccc-dd"}, // 35
        {"de-DE-aaaaaaaa-bbbbbbbb-cccccccc-ddd", ""},                                   // 36
    };
    for (const Case& c : cases) {
        CSettingsStore store(true, "", "");
        store.SetBackend(std::make_unique<CMemoryBackend>());
        store.WriteString("Options\\Common", "Language", c.stored);
        CLanguageParam language;
        language.Set("ja-JP");
        language.SetName("Language");
        language.Load(&store, "Options\\Common");
        EXPECT_STREQ(language.Get()->str(), c.loaded) << '"' << c.stored << '"';
    }
}

TEST(UiLanguageTest, TemplatesTakeTheirValuesInPlace) {
    struct Case {
        const char* text;
        std::vector<std::string> values;
        const char* filled;
    };
    const Case cases[] = {
        {"paused for 1 hour, until %1", {"15:40"}, "paused for 1 hour, until 15:40"},
        {"%2 before %1", {"a", "b"}, "b before a"},
        {"%1 %1", {"x"}, "x x"},
        {"100%% at %1", {"once"}, "100% at once"},
        {"a missing %2 is empty", {"x"}, "a missing  is empty"},
        {"a value's %1 stays", {"%1"}, "a value's %1 stays"},
        {"Opaque (%)", {}, "Opaque (%)"},
        {"ends in %", {}, "ends in %"},
        {"%0 and %x stay", {"v"}, "%0 and %x stay"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FillTemplate(c.text, c.values), c.filled) << c.text;
}

} // namespace
