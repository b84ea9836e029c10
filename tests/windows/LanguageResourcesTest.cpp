#include "windows/LanguageResources.h"
#include "app/TrayIcon.h"
#include "app/TrayMenu.h"
#include "resources/resource.h"
#include "settings/HotKeyWord.h"
#include "system/UiLanguage.h"
#include "ui/CDialog.h"
#include "ui/UiText.h"
#include "ui/UserOwners.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

// Every language holds every text and dialog of the program, and the texts a user sees
// come in the language chosen, whatever Windows' own.
namespace {

// The language of the texts for the length of a test.
class CLanguageScope {
public:
    explicit CLanguageScope(LANGID language) : before(UiLanguageId()) { SetUiLanguage(language); }
    ~CLanguageScope() { SetUiLanguage(before); }
    CLanguageScope(const CLanguageScope&) = delete;
    CLanguageScope& operator=(const CLanguageScope&) = delete;

private:
    LANGID before;
};

const UiLanguage& Language(const char* tag) {
    return *FindUiLanguage(tag);
}

// The program's strings and dialogs are those the pseudo-language has: the build makes it
// from every text of the English resources and nothing else.
TEST(LanguageResourcesTest, EveryLanguageHasEveryStringAndDialogOfTheEnglish) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const std::vector<UINT> strings = StringIds(module, kPseudoLangId);
    const std::vector<int> dialogs = DialogIds(module, kPseudoLangId);
    ASSERT_GE(strings.size(), 29u);
    ASSERT_GE(dialogs.size(), 8u);
    for (const UiLanguage& language : UiLanguages()) {
        SCOPED_TRACE(language.tag);
        for (UINT id : strings)
            EXPECT_FALSE(StringIn(module, id, language.langId).empty()) << "string " << id;
        for (int id : dialogs) {
            DialogTemplate english, translated;
            ASSERT_TRUE(ReadDialog(module, id, kEnglishLangId, english));
            ASSERT_TRUE(ReadDialog(module, id, language.langId, translated)) << "dialog " << id;
            ASSERT_EQ(translated.controls.size(), english.controls.size()) << "dialog " << id;
            EXPECT_EQ(translated.style, english.style) << "dialog " << id;
            for (std::size_t i = 0; i < english.controls.size(); ++i) {
                EXPECT_EQ(translated.controls[i].id, english.controls[i].id) << "dialog " << id;
                EXPECT_EQ(translated.controls[i].style, english.controls[i].style)
                    << "dialog " << id << ", control " << english.controls[i].id;
                EXPECT_EQ(translated.controls[i].className, english.controls[i].className);
            }
            // English keeps its own font; every other language the shell dialog font,
            // which Windows maps to one with that language's letters.
            EXPECT_EQ(translated.face,
                      language.langId == kEnglishLangId ? L"MS Sans Serif" : L"MS Shell Dlg");
        }
    }
}

// The tip's lines never lose their end, in any language.
TEST(LanguageResourcesTest, TheTrayTipShowsEveryLineWhole) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const uint32_t reasons[] = {kPauseForHour,       kPauseFullScreen,    kPauseCoveredByWindows,
                                kPauseSessionLocked, kPauseDisplayOff,    kPauseBatterySaver,
                                kPauseOnBattery,     kPauseRemoteSession, kPauseCamera,
                                kPauseAnimationsOff};
    for (const UiLanguage& language : UiLanguages()) {
        const CLanguageScope scope(language.langId);
        std::vector<tstr> lines = {TipVersionLine(module, "10.10.10")};
        for (uint32_t reason : reasons)
            lines.push_back(PauseNoteText(module, PauseNote{reason, 23, 59, 60, ""}));
        for (const tstr& line : lines) {
            EXPECT_FALSE(line.IsEmpty()) << language.tag;
            const std::size_t limit = line == lines[0] ? kTipLimit : kPausedTipLimit;
            const std::string tip = FormatTrayTip("Embra desktop decoration", line, limit).str();
            EXPECT_NE(tip.substr(tip.size() - 3), "...") << language.tag << ": " << tip;
        }
    }
}

// A dialog of the chosen language, its caption and a control's text as Windows shows them.
class CShownDialog : public CDialog {
public:
    int OnInitDialog() override {
        wchar_t text[128] = {};
        GetWindowTextW(Handle(), text, 128);
        caption = text;
        GetDlgItemTextW(Handle(), IDC_START_WITH_WINDOWS, text, 128);
        checkBox = text;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        face = font.lfFaceName;
        return 1;
    }
    std::wstring caption, checkBox, face;
};

TEST(LanguageResourcesTest, TextsComeInTheChosenLanguage) {
    const HMODULE module = GetModuleHandleW(nullptr);
    {
        const CLanguageScope german(Language("de-DE").langId);
        EXPECT_STREQ(UiText(module, IDS_EXIT).str(), "&Beenden");
        EXPECT_STREQ(HotKeyName(module, MAKEWORD('F', HOTKEYF_CONTROL | HOTKEYF_ALT)).str(),
                     "Strg+Alt+F");
        CShownDialog page;
        HWND host = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
        page.CreateModeless(nullptr, IDD_SETTINGS_COMMON, host);
        EXPECT_EQ(page.checkBox, L"Mit Windows starten")
            << "a Unicode window from the German template";
        EXPECT_EQ(page.face, L"MS Shell Dlg");
        DestroyWindow(host);
    }
    {
        const CLanguageScope japanese(Language("ja-JP").langId);
        const CMenuOwner menu(BuildTrayMenu(module, false, false, true));
        wchar_t item[64] = {};
        GetMenuStringW(menu.Get(), IDM_PAUSE_HOUR, item, 64, MF_BYCOMMAND);
        EXPECT_EQ(std::wstring(item), L"1 時間一時停止");
        EXPECT_STREQ(PauseNoteText(module, PauseNote{kPauseForHour, 9, 5, 60, ""}).str(),
                     "1 時間一時停止中 (09:05 まで)");
    }
    EXPECT_STREQ(UiText(module, IDS_EXIT).str(), "E&xit") << "English again";
}

} // namespace
