#include "app/TrayIcon.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TrayTipTest, TitleAndVersionOnTwoLinesCutAtSixtyCharacters) {
    const std::string fifty(50, 'a');
    struct Case {
        const char* what;
        std::string title;
        const char* version;
        std::string tip;
    };
    const Case cases[] = {
        {"the program's own", "Embra desktop decoration", "1.3.1",
         "Embra desktop decoration\n1.3.1 ver."},
        {"no version resource", "Embra", "", "Embra\n ver."},
        {"exactly 60 characters stay whole", fifty, "1234", fifty + "\n1234 ver."},
        {"61 characters are cut to 60 and dots", fifty, "12345", fifty + "\n12345 ver..."},
        {"a long title is cut inside the title", std::string(70, 'b'), "1.0",
         std::string(60, 'b') + "..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(std::string(FormatTrayTip(c.title.c_str(), c.version).str()), c.tip);
    }
}

TEST(TrayTipTest, TheVersionComesFromTheProgramsVersionResource) {
    // The test program's version resource says 1.2.3.4.
    EXPECT_EQ(std::string(ProgramVersion().str()), "1.2.3.4");
}

} // namespace
