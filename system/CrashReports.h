#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Which crash reports stay and which one the user is told of. A report is a dump file in
// the reports' folder, known by its name and the time it was written (any clock that only
// goes forward, such as a file time).
struct CrashReport {
    std::string name;
    uint64_t written = 0;
};

// The reports the folder keeps: the newest five.
constexpr std::size_t kKeptCrashReports = 5;

// The names of the reports beyond the newest `keep`, oldest first; reports written at the
// same time count in the order of their names.
std::vector<std::string> ReportsToDelete(std::vector<CrashReport> reports,
                                         std::size_t keep = kKeptCrashReports);
// The newest report written after `told`, the time of the last one the user was told of;
// null when there is none.
const CrashReport* ReportToTell(const std::vector<CrashReport>& reports, uint64_t told);
