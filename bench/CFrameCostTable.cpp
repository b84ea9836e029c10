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

void CFrameCostTable::RecordRatio(const std::string& effect, int column, double ratio) {
    if (std::find(effects.begin(), effects.end(), effect) == effects.end())
        effects.push_back(effect);
    pairedRatios[{effect, column}].push_back(ratio);
}

double CFrameCostTable::MedianOf(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double CFrameCostTable::Median(const Case& frameCase) const {
    const auto found = times.find(KeyOf(frameCase));
    return found == times.end() ? 0 : MedianOf(found->second);
}

std::string CFrameCostTable::ColumnRatio(const std::string& effect, int column) const {
    const auto paired = pairedRatios.find({effect, column});
    if (paired != pairedRatios.end())
        return Ratio(MedianOf(paired->second), 1);
    const double one = Median({effect});
    switch (column) {
    case kScalarFireOver:
        return Ratio(Median({kScalarFire}), one);
    case kTwoMonitors:
        return Ratio(Median({effect, 1920, 2}), one);
    case kThreeMonitors:
        return Ratio(Median({effect, 1920, 3}), one);
    case kWide:
        return Ratio(Median({effect, 3840}), one);
    default:
        return Ratio(Median({effect, 1920, 1, 2}), one);
    }
}

void CFrameCostTable::Print(std::ostream& out) const {
    // The scalar fire first, then the effects by name.
    std::vector<std::string> rows = effects;
    std::sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) {
        return std::make_pair(a != kScalarFire, a) < std::make_pair(b != kScalarFire, b);
    });
    bool header = false;
    for (const std::string& effect : rows) {
        if (effect == kScalarFire && Median({effect}) <= 0)
            continue;
        if (!header) {
            out << "\n| effect | ms a frame | the scalar fire's time over it | 2 monitors | "
                   "3 monitors | 3840 x 2160 | 2 workers |\n| --- | --- | --- | --- | --- | "
                   "--- | --- |\n";
            header = true;
        }
        char ms[32] = "";
        if (Median({effect}) > 0)
            std::snprintf(ms, sizeof ms, "%.3f", Median({effect}));
        out << "| " << effect << " | " << ms;
        for (int column = 0; column < kColumns; ++column)
            out << " | "
                << (effect == kScalarFire && column > 0 ? "" : ColumnRatio(effect, column));
        out << " |\n";
    }
}
