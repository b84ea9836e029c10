#include "system/CrashReports.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Which crash reports the folder keeps and which one the next start tells of.
namespace {

TEST(CrashReportsTest, KeepsTheNewestFive) {
    struct Case {
        const char* label;
        std::vector<CrashReport> reports;
        std::vector<std::string> deleted;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"five", {{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}, {"e", 5}}, {}},
        {"six, listed newest first",
         {{"f", 60}, {"e", 50}, {"d", 40}, {"c", 30}, {"b", 20}, {"a", 10}},
         {"a"}},
        {"eight in no order",
         {{"x", 7}, {"y", 2}, {"z", 9}, {"p", 1}, {"q", 8}, {"r", 3}, {"s", 5}, {"t", 4}},
         {"p", "y", "r"}},
        {"the same time, by name",
         {{"n2", 5}, {"n1", 5}, {"n4", 5}, {"n3", 5}, {"n6", 5}, {"n5", 5}},
         {"n1"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportsToDelete(c.reports), c.deleted) << c.label;
    EXPECT_EQ(ReportsToDelete({{"a", 1}, {"b", 2}}, 0), (std::vector<std::string>{"a", "b"}));
}

TEST(CrashReportsTest, TellsOfTheNewestReportOnce) {
    const std::vector<CrashReport> reports = {{"older", 100}, {"newest", 300}, {"middle", 200}};
    struct Case {
        const char* label;
        std::vector<CrashReport> reports;
        uint64_t told;
        const char* tell; // null: nothing to tell
    };
    const Case cases[] = {
        {"no report", {}, 0, nullptr},
        {"never told", reports, 0, "newest"},
        {"told of an older one", reports, 200, "newest"},
        {"told of the newest", reports, 300, nullptr},
        {"the newest deleted by hand after it was told", {{"older", 100}}, 300, nullptr},
    };
    for (const Case& c : cases) {
        const CrashReport* report = ReportToTell(c.reports, c.told);
        ASSERT_EQ(report != nullptr, c.tell != nullptr) << c.label;
        if (report) {
            EXPECT_EQ(report->name, c.tell) << c.label;
        }
    }
}

} // namespace
