#include "system/CrashReports.h"

#include <algorithm>
#include <tuple>

namespace {

bool Older(const CrashReport& a, const CrashReport& b) {
    return std::tie(a.written, a.name) < std::tie(b.written, b.name);
}

} // namespace

std::vector<std::string> ReportsToDelete(std::vector<CrashReport> reports, std::size_t keep) {
    std::sort(reports.begin(), reports.end(), Older);
    std::vector<std::string> names;
    for (std::size_t i = 0; i + keep < reports.size(); ++i)
        names.push_back(reports[i].name);
    return names;
}

const CrashReport* ReportToTell(const std::vector<CrashReport>& reports, uint64_t told) {
    const auto newest = std::max_element(reports.begin(), reports.end(), Older);
    return newest != reports.end() && newest->written > told ? &*newest : nullptr;
}
