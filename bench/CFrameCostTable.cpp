#include "bench/CFrameCostTable.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

constexpr const char* kScalarFire = "scalar fire";

// A ratio with two decimals, or nothing when either side did not run.
std::string Ratio(double over, double under) {
    if (over <= 0 || under <= 0)
        return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", over / under);
    return text;
}

} // namespace

CFrameCostTable& CFrameCostTable::Run() {
    static CFrameCostTable table;
    return table;
}

CFrameCostTable::Key CFrameCostTable::KeyOf(const Case& frameCase) {
    return {frameCase.effect, frameCase.width, frameCase.monitors, frameCase.workers};
}

void CFrameCostTable::Record(const Case& frameCase, double ms) {
    if (std::find(effects.begin(), effects.end(), frameCase.effect) == effects.end())
        effects.push_back(frameCase.effect);
    times[KeyOf(frameCase)].push_back(ms);
}

double CFrameCostTable::Median(const Case& frameCase) const {
    const auto found = times.find(KeyOf(frameCase));
    if (found == times.end() || found->second.empty())
        return 0;
    std::vector<double> sorted = found->second;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

void CFrameCostTable::Print(std::ostream& out) const {
    const double scalar = Median({kScalarFire});
    // The scalar fire first, then the effects by name.
    std::vector<std::string> rows = effects;
    std::sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) {
        return std::make_pair(a != kScalarFire, a) < std::make_pair(b != kScalarFire, b);
    });
    bool header = false;
    for (const std::string& effect : rows) {
        const double one = Median({effect});
        if (one <= 0)
            continue;
        if (!header) {
            out << "\n| effect | ms a frame | the scalar fire's time over it | 2 monitors | "
                   "3 monitors | 3840 x 2160 | 2 workers |\n| --- | --- | --- | --- | --- | "
                   "--- | --- |\n";
            header = true;
        }
        char ms[32];
        std::snprintf(ms, sizeof ms, "%.3f", one);
        out << "| " << effect << " | " << ms << " | " << Ratio(scalar, one) << " | "
            << Ratio(Median({effect, 1920, 2}), one) << " | "
            << Ratio(Median({effect, 1920, 3}), one) << " | " << Ratio(Median({effect, 3840}), one)
            << " | " << Ratio(Median({effect, 1920, 1, 2}), one) << " |\n";
    }
}
