#include "app/TrayIcon.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TrayTipTest, TitleAndLineOnTwoLinesCutAtSixtyCharacters) {
    const std::string fifty(50, 'a');
    // Japanese letters take three bytes each in UTF-8; one counts as one character.
    std::string kana;
    for (int i = 0; i < 61; ++i)
        kana += "\xE3\x81\x82";
    struct Case {
        const char* what;
        std::string title;
        std::string line;
        std::string tip;
    };
    const Case cases[] = {
        {"the program's own", "Embra desktop decoration", "1.3.1 ver.",
         "Embra desktop decoration\n1.3.1 ver."},
        {"exactly 60 characters stay whole", fifty, "1234 ver.", fifty + "\n1234 ver."},
        {"61 characters are cut to 60 and dots", fifty, "12345 ver.", fifty + "\n12345 ver..."},
        {"a long title is cut inside the title", std::string(70, 'b'), "1.0",
         std::string(60, 'b') + "..."},
        {"letters of several bytes are counted and kept whole", "E", kana,
         "E\n" + kana.substr(0, 58 * 3) + "..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(std::string(FormatTrayTip(c.title.c_str(), c.line.c_str()).str()), c.tip);
    }
    const std::string paused = "Embra desktop decoration\npaused: animations are off in Windows";
    EXPECT_EQ(std::string(FormatTrayTip("Embra desktop decoration",
                                        "paused: animations are off in Windows", kPausedTipLimit)
                              .str()),
              paused)
        << "why the effect is paused keeps the tip's whole field";
}

TEST(TrayTipTest, TheLinesSayTheVersionOrWhyTheEffectPauses) {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    EXPECT_STREQ(TipVersionLine(module, "1.3.1").str(), "1.3.1 ver.");
    EXPECT_STREQ(TipVersionLine(module, "").str(), " ver.") << "no version resource";
    struct Case {
        uint32_t reason; // the hour's pause ends at 09:05
        const char* program;
        const char* line;
    };
    const Case cases[] = {
        {kPauseForHour, "", "paused for 1 hour, until 09:05"},
        {kPauseFullScreen, "", "paused: full-screen program"},
        {kPauseCoveredByWindows, "", "paused: covered by windows"},
        {kPauseSessionLocked, "", "paused: session locked"},
        {kPauseDisplayOff, "", "paused: display off"},
        {kPauseBatterySaver, "", "paused: battery saver"},
        {kPauseOnBattery, "", "paused: on battery"},
        {kPauseRemoteSession, "", "paused: remote session"},
        {kPauseCamera, "", "paused: camera in use"},
        {kPauseAnimationsOff, "", "paused: animations are off in Windows"},
        {kPauseProgramInFront, "obs64.exe", "paused: obs64.exe in front"},
        {kPauseProgramRunning, "obs64.exe", "paused: obs64.exe running"},
        {0, "", ""},
    };
    EXPECT_STREQ(PauseNoteText(module, PauseNote{kPauseForHour, 9, 5, 30, ""}).str(),
                 "paused until 09:05")
        << "a /pause of another length names only its end";
    for (const Case& c : cases)
        EXPECT_STREQ(PauseNoteText(module, PauseNote{c.reason, 9, 5, 60, c.program}).str(), c.line)
            << c.reason;
}

TEST(TrayTipTest, TheVersionComesFromTheProgramsVersionResource) {
    // The test program's version resource says 1.2.3.4.
    EXPECT_EQ(std::string(ProgramVersion().str()), "1.2.3.4");
}

} // namespace
