#include "graphics/GdiOwners_win.h"
#include "resources/resource.h"
#include "system/UiLanguage.h"
#include "windows/LanguageResources.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

// Every text of every dialog fits its control in every language and in the
// pseudo-language, measured with the dialog's own font at 96 and 144 DPI as the dialog
// manager lays the template out; and no control of a translated layout reaches outside
// its dialog or into another.
namespace {

// Room the controls' own parts take, in pixels at 96 DPI.
constexpr int kCheckBoxRoom = 17;      // the box and the gap before the text
constexpr int kGroupBoxRoom = 18;      // the frame's corners beside the caption
constexpr int kPushButtonRoom = 10;    // the edges and the focus rectangle
constexpr int kComboBoxRoom = 26;      // the arrow button, edges and margins
constexpr int kClosedComboHeight = 14; // dialog units a drop-down list shows closed

struct Language {
    std::string tag;
    LANGID id;
};

std::vector<Language> CheckedLanguages() {
    std::vector<Language> languages;
    for (const UiLanguage& language : UiLanguages())
        languages.push_back({language.tag, language.langId});
    languages.push_back({kPseudoTag, kPseudoLangId});
    return languages;
}

std::string Narrow(const std::wstring& text) {
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), bytes, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

// The dialog's font at a DPI in a memory context, and the dialog units it lays out with.
class CDialogFont {
public:
    CDialogFont(const DialogTemplate& dialog, int dpi) : dpi(dpi) {
        const CWindowDc screen(nullptr);
        static_cast<void>(dc.Create(screen.Get()));
        font.Reset(CreateFontW(-MulDiv(dialog.pointSize, dpi, 72), 0, 0, 0, dialog.weight,
                               dialog.italic, FALSE, FALSE, dialog.charset, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                               dialog.face.c_str()));
        static_cast<void>(selection.Select(dc.Get(), font.Get()));
        // The dialog manager's base units: the average width of the alphabet, rounded, and
        // the font's height.
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.Get(), &metrics);
        SIZE alphabet{};
        const wchar_t* letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        GetTextExtentPoint32W(dc.Get(), letters, 52, &alphabet);
        baseX = (alphabet.cx / 26 + 1) / 2;
        baseY = metrics.tmHeight;
        lineHeight = metrics.tmHeight;
    }

    int X(LONG dlu) const { return MulDiv(dlu, baseX, 4); }
    int Y(LONG dlu) const { return MulDiv(dlu, baseY, 8); }
    int Scaled(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi, 96); }
    // The text's extent laid out `width` pixels wide with DrawText's `flags`.
    SIZE Measure(const std::wstring& text, int width, UINT flags) const {
        RECT rect{0, 0, width, 0};
        DrawTextW(dc.Get(), text.c_str(), -1, &rect, flags | DT_CALCRECT);
        return SIZE{rect.right, rect.bottom};
    }

    int lineHeight = 0;

private:
    int dpi;
    CMemoryDc dc;
    CGdiObject<HFONT> font;
    CSelection selection;
    int baseX = 0;
    int baseY = 0;
};

// The room a control gives its text and how the text is laid out in it; false for a
// control that shows no text of its own.
struct TextRoom {
    int width = 0;
    int height = 0;
    UINT flags = 0;
};

bool RoomOf(const TemplateControl& control, const CDialogFont& font, TextRoom& room) {
    room.width = font.X(control.dlu.right - control.dlu.left);
    room.height = font.Y(control.dlu.bottom - control.dlu.top);
    const DWORD type = control.style & BS_TYPEMASK;
    if (control.className == L"Static") {
        if ((control.style & SS_TYPEMASK) > SS_RIGHT)
            return false; // an icon or a frame
        room.flags =
            DT_WORDBREAK | DT_EXPANDTABS | ((control.style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
        return true;
    }
    if (control.className != L"Button")
        return false;
    const UINT lines = (control.style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    if (type == BS_GROUPBOX) {
        room.width -= font.Scaled(kGroupBoxRoom);
        room.height = font.lineHeight;
        room.flags = DT_SINGLELINE;
    } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
        room.width -= font.Scaled(kPushButtonRoom);
        room.flags = lines;
    } else {
        room.width -= font.Scaled(kCheckBoxRoom);
        room.flags = lines;
    }
    return true;
}

// The items of a drop-down list, which the program puts in at run time.
std::vector<std::wstring> ListItems(HMODULE module, int control, LANGID language) {
    std::vector<std::wstring> texts;
    if (control != IDC_LANGUAGE)
        return texts;
    texts.push_back(StringIn(module, IDS_LANGUAGE_WINDOWS, language));
    for (const UiLanguage& each : UiLanguages())
        texts.push_back(StringIn(module, IDS_LANGUAGE_NAME, each.langId));
    return texts;
}

// What does not fit, one line per text; empty when everything fits.
std::string Clipped(HMODULE module, int dialogId, const Language& language, int dpi) {
    DialogTemplate dialog;
    if (!ReadDialog(module, dialogId, language.id, dialog))
        return "the template is missing\n";
    const CDialogFont font(dialog, dpi);
    std::ostringstream out;
    const auto report = [&](const TemplateControl& control, const std::wstring& text, SIZE need,
                            int width, int height) {
        out << "control " << control.id << " \"" << Narrow(text) << "\" needs " << need.cx << " x "
            << need.cy << " px, has " << width << " x " << height << "\n";
    };
    for (const TemplateControl& control : dialog.controls) {
        TextRoom room;
        if (!control.text.empty() && RoomOf(control, font, room)) {
            const SIZE need = font.Measure(control.text, room.width, room.flags);
            if (need.cx > room.width || need.cy > room.height)
                report(control, control.text, need, room.width, room.height);
        }
        const int listRoom =
            font.X(control.dlu.right - control.dlu.left) - font.Scaled(kComboBoxRoom);
        for (const std::wstring& item : ListItems(module, control.id, language.id)) {
            const SIZE need = font.Measure(item, listRoom, DT_SINGLELINE);
            if (need.cx > listRoom)
                report(control, item, need, listRoom, font.lineHeight);
        }
    }
    return out.str();
}

bool IsGroupBox(const TemplateControl& control) {
    return control.className == L"Button" && (control.style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool Holds(const RECT& outer, const RECT& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

// The part of the dialog a control covers; a drop-down list covers its closed height.
RECT Covered(const TemplateControl& control) {
    RECT rect = control.dlu;
    if (control.className == L"ComboBox")
        rect.bottom = std::min<LONG>(rect.bottom, rect.top + kClosedComboHeight);
    return rect;
}

// Controls outside the dialog or over one another, one line each; empty when none.
std::string Misplaced(HMODULE module, int dialogId, LANGID language) {
    DialogTemplate dialog;
    if (!ReadDialog(module, dialogId, language, dialog))
        return "the template is missing\n";
    const RECT whole{0, 0, dialog.dlu.right - dialog.dlu.left, dialog.dlu.bottom - dialog.dlu.top};
    std::ostringstream out;
    const auto& controls = dialog.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const RECT a = Covered(controls[i]);
        if (!Holds(whole, a))
            out << "control " << controls[i].id << " reaches outside the dialog\n";
        for (std::size_t j = 0; j < i; ++j) {
            const RECT b = Covered(controls[j]);
            RECT overlap{};
            const bool grouped = (IsGroupBox(controls[i]) && Holds(a, b)) ||
                                 (IsGroupBox(controls[j]) && Holds(b, a));
            // A spin control sits in its edit box, the control before it (the resource
            // compiler writes class names in capitals).
            const bool spin =
                lstrcmpiW(controls[i].className.c_str(), UPDOWN_CLASSW) == 0 && j + 1 == i;
            if (!grouped && !spin && IntersectRect(&overlap, &a, &b))
                out << "controls " << controls[j].id << " (" << Narrow(controls[j].className)
                    << ") and " << controls[i].id << " (" << Narrow(controls[i].className)
                    << ") overlap\n";
        }
    }
    return out.str();
}

TEST(LanguageLayoutTest, EveryTextFitsItsControlInEveryLanguageAt96And144Dpi) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const std::vector<int> dialogs = DialogIds(module, kPseudoLangId);
    ASSERT_FALSE(dialogs.empty()) << "the pseudo-language is missing";
    for (const Language& language : CheckedLanguages())
        for (int dpi : {96, 144})
            for (int dialog : dialogs)
                EXPECT_EQ(Clipped(module, dialog, language, dpi), "")
                    << language.tag << " at " << dpi << " DPI, dialog " << dialog;
}

TEST(LanguageLayoutTest, TranslatedControlsStayInsideTheirDialogAndApart) {
    const HMODULE module = GetModuleHandleW(nullptr);
    for (const Language& language : CheckedLanguages())
        for (int dialog : DialogIds(module, kPseudoLangId))
            EXPECT_EQ(Misplaced(module, dialog, language.id), "")
                << language.tag << ", dialog " << dialog;
}

} // namespace
