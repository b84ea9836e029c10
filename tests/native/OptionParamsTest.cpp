#include "params/CChoiceParam.h"
#include "params/CHotKeyParam.h"
#include "params/CMemoryBackend.h"
#include "params/CParamRegSet.h"
#include "params/CProgramRulesParam.h"
#include "params/CSettingsStore.h"
#include "system/COptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

// The options' parameters keep only the values their controls can give: a damaged stored
// text gives the default, never a value the program would misread.
namespace {

// `text` stored as the parameter's value and loaded into it.
template <class TParam> int Loaded(TParam& param, const char* text) {
    CSettingsStore store(true, "", "");
    store.SetBackend(std::make_unique<CMemoryBackend>());
    store.WriteString("Options\\Common", "Option", text);
    param.SetName("Option");
    param.Load(&store, "Options\\Common");
    return *param.Get();
}

TEST(OptionParamsTest, AChoiceTakesOnlyThePlainTextOfOneOfItsValues) {
    struct Case {
        const char* text;
        int loaded; // of a choice of 3, default 1
    };
    const Case cases[] = {
        {"0", 0},           {"2", 2},   {"3", 1} /* beyond the last */,
        {"-1", 1},          {"01", 1},  {" 2", 1},
        {"2 ", 1},          {"2x", 1},  {"", 1},
        {"99999999999", 1}, {"abc", 1},
    };
    for (const Case& c : cases) {
        CChoiceParam choice(1, 3);
        choice.Set(0);
        EXPECT_EQ(Loaded(choice, c.text), c.loaded) << '"' << c.text << '"';
    }
    CFlagParam flag(true);
    flag.Set(2); // a check box's third state
    EXPECT_TRUE(flag.On());
    flag.Set(0);
    EXPECT_FALSE(flag.On());
}

TEST(OptionParamsTest, AStoredHotKeyKeepsOnlyWordsTheControlGives) {
    constexpr int kCtrlAlt = hotkey::kControl | hotkey::kAlt;
    struct Case {
        const char* text; // as "HotKey" stores it
        int kept;
    };
    const Case cases[] = {
        {"0", 0},
        {"1606", 'F' | kCtrlAlt << 8},
        {"891", 0x7B /* F12 */ | (hotkey::kControl | hotkey::kShift) << 8},
        {"3108", 0x24 /* Home */ | (hotkey::kAlt | hotkey::kExtended) << 8},
        {"5702", 0},  // 0x1646: an unknown modifier bit
        {"1536", 0},  // Ctrl+Alt without a key
        {"70", 0},    // F alone, taken from every program's typing
        {"326", 0},   // Shift+F
        {"1552", 0},  // Ctrl+Alt and Shift as the key
        {"1627", 0},  // Ctrl+Alt and the left Windows key as the key
        {"67142", 0}, // beyond the word
        {"-1", 0},
        {"Ctrl+Alt+F", 0},
    };
    for (const Case& c : cases) {
        CHotKeyParam hotKey;
        hotKey.Set('Q' | kCtrlAlt << 8);
        EXPECT_EQ(Loaded(hotKey, c.text), c.kept) << c.text;
    }
}

// Each flag and choice of the table loads under its stored name: the default with nothing
// stored or damaged text, the other value when stored as such.
TEST(OptionParamsTest, TheTableLoadsEachStoredOptionUnderItsNameWithItsDefault) {
    struct Case {
        const char* name;
        int fallback;
        const char* other;
    };
    const Case cases[] = {
        {"PauseFullScreen", 1, "0"}, {"PauseOnBattery", 0, "1"}, {"EveryMonitor", 1, "0"},
        {"PauseRemote", 1, "0"},     {"PauseCamera", 0, "1"},    {"Animations", 0, "1"},
        {"HideFromCapture", 1, "0"}, {"Placement", 0, "1"},      {"Efficiency", 1, "0"},
    };
    for (const Case& c : cases) {
        for (const char* stored : {static_cast<const char*>(nullptr), "x", "1 ", "-1", c.other}) {
            CSettingsStore store(true, "", "");
            store.SetBackend(std::make_unique<CMemoryBackend>());
            if (stored)
                store.WriteString("Options\\Common", c.name, stored);
            CParam<bool> startWithWindows;
            CParam<int> startMinimize;
            COptions options(startWithWindows, startMinimize);
            CParamRegSet set(&store);
            options.Register(set);
            set.LoadFrom("Options\\Common");
            int found = 0;
            for (const OptionRow& row : options.Rows()) {
                if (row.name && std::string(row.name) == c.name) {
                    ++found;
                    EXPECT_EQ(*std::get<CParam<int>*>(row.param)->Get(),
                              stored == c.other ? 1 - c.fallback : c.fallback)
                        << c.name << " " << (stored ? stored : "none");
                }
            }
            EXPECT_EQ(found, 1) << c.name;
        }
    }
}

// The rules under "Options\Common\Programs": a value whose data is no action, or whose name
// names no program, is no rule and stays as it is stored.
TEST(OptionParamsTest, ProgramRulesLoadTheirActionsAndKeepWhatIsNoRuleAsStored) {
    struct Case {
        const char* name;
        const char* data;  // stored before
        const char* after; // after obs64.exe's rule went and Zoom.exe and vlc.exe got one
    };
    const Case cases[] = {
        {"obs64.exe", "front", "<none>"},
        {"Zoom.exe", "running", "front"},
        {"C:\\Tools\\shell.exe", "ignore", "ignore"}, // counts by its file name
        {"teams.exe", "Front", "Front"},              // no action: kept as stored
        {"vlc.exe", "sometimes", "ignore"},           // a rule in place of damaged data
        {"mpv.exe", "", ""},
        {"C:\\Tools\\", "front", "front"},   // no file name
        {"bad\tname.exe", "front", "front"}, // no file name holds a tab
    };
    CSettingsStore store(true, "", "");
    store.SetBackend(std::make_unique<CMemoryBackend>());
    const char* const key = "Options\\Common\\Programs";
    for (const Case& c : cases)
        store.WriteString(key, c.name, c.data);
    CProgramRulesParam programs;
    programs.SetName("Programs");
    programs.Load(&store, "Options\\Common");
    EXPECT_EQ(programs.Rules(),
              (std::vector<ProgramRule>{{"C:\\Tools\\shell.exe", ProgramAction::Ignore},
                                        {"obs64.exe", ProgramAction::Front},
                                        {"Zoom.exe", ProgramAction::Running}}))
        << "the rules in the order of their names";
    programs.RemoveRule("OBS64.EXE");
    programs.SetRule({"zoom.exe", ProgramAction::Front});
    programs.SetRule({"vlc.exe", ProgramAction::Ignore});
    programs.Save(&store, "Options\\Common");
    for (const Case& c : cases) {
        tstr data = "<none>";
        store.ReadString(key, c.name, data);
        EXPECT_STREQ(data.str(), c.after) << c.name;
    }
    CProgramRulesParam fresh;
    fresh.SetName("Programs");
    fresh.Load(&store, "Options\\Common");
    EXPECT_EQ(*fresh.Get(), *programs.Get()) << "what was saved loads again";
    store.DeleteKey(key);
    fresh.Load(&store, "Options\\Common");
    EXPECT_TRUE(fresh.Rules().empty()) << "no key, no rules";
}

} // namespace
