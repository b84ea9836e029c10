#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// The CPU milliseconds per frame that the frame benchmarks of a run measured, every
// repetition of every case, by effect ("fire", "lights, AVX2", ...) and by the band's
// width, the monitors side by side and the render workers. Printed at the end of the run
// as one Markdown table of medians: each effect's frame on one 1920 x 1080 monitor with
// one worker, the scalar fire's over it, and its cost on 2 and 3 monitors, at 3840 x 2160
// and with 2 workers over that frame. A ratio measured on frames taken in turn is given
// where the run has it: it stands the machine's drifts better than the ratio of two
// cases run minutes apart.
class CFrameCostTable {
public:
    struct Case {
        std::string effect;
        int64_t width = 1920;
        int64_t monitors = 1;
        int64_t workers = 1;
    };

    // The table's ratio columns.
    enum Column { kScalarFireOver, kTwoMonitors, kThreeMonitors, kWide, kTwoWorkers, kColumns };

    static CFrameCostTable& Run(); // the table of this run

    void Record(const Case& frameCase, double ms);
    // A ratio of one column measured on frames taken in turn (FramePair); the table gives
    // their median in place of the ratio of two cases' medians.
    void RecordRatio(const std::string& effect, int column, double ratio);
    // The median of a case's repetitions; 0 when it did not run.
    double Median(const Case& frameCase) const;
    // Nothing when no effect ran on one 1920 x 1080 monitor with one worker.
    void Print(std::ostream& out) const;

private:
    using Key = std::tuple<std::string, int64_t, int64_t, int64_t>;
    static Key KeyOf(const Case& frameCase);

    // The column's ratio for an effect, from the pairs or else from the cases' medians.
    std::string ColumnRatio(const std::string& effect, int column) const;
    static double MedianOf(std::vector<double> values); // 0 for none

    std::map<Key, std::vector<double>> times;
    std::map<std::pair<std::string, int>, std::vector<double>> pairedRatios;
    std::vector<std::string> effects; // in the order they first ran
};
