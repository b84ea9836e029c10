// The benchmarks of the run, then the frame benchmarks' table of medians.

#include "bench/CFrameCostTable.h"

#include <benchmark/benchmark.h>

#include <iostream>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CFrameCostTable::Run().Print(std::cout);
    return 0;
}
