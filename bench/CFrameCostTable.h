#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

// The CPU milliseconds per frame that the frame benchmarks of a run measured, every
// repetition of every case, by effect ("fire", "lights, AVX2", ...) and by the band's
// width, the monitors side by side and the render workers. Printed at the end of the run
// as one Markdown table of medians: each effect's frame on one 1920 x 1080 monitor with
// one worker, the scalar fire's over it, and its cost on 2 and 3 monitors, at 3840 x 2160
// and with 2 workers over that frame. Medians of repetitions run in random order stand
// the machine's drifts better than the ratio of two single runs taken minutes apart.
class CFrameCostTable {
public:
    struct Case {
        std::string effect;
        int64_t width = 1920;
        int64_t monitors = 1;
        int64_t workers = 1;
    };

    static CFrameCostTable& Run(); // the table of this run

    void Record(const Case& frameCase, double ms);
    // The median of a case's repetitions; 0 when it did not run.
    double Median(const Case& frameCase) const;
    // Nothing when no effect ran on one 1920 x 1080 monitor with one worker.
    void Print(std::ostream& out) const;

private:
    using Key = std::tuple<std::string, int64_t, int64_t, int64_t>;
    static Key KeyOf(const Case& frameCase);

    std::map<Key, std::vector<double>> times;
    std::vector<std::string> effects; // in the order they first ran
};
