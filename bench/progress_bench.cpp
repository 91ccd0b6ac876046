#include "core/learners.h"
#include "core/passprobability.h"

#include <benchmark/benchmark.h>

namespace {

// The calibration of the pass probability on 10,000 simulated learners per class (half of them
// improving), ten papers each; the counters are the figures, the time is what one run costs.
void BM_Calibration(benchmark::State& state)
{
    const testing::SimClass cls = state.range(0) == 0 ? testing::classC1() : testing::classE1();
    testing::Calibration c;
    for (auto _ : state)
        c = testing::simulateLearners(cls, 10000, 10, 1);
    state.SetLabel(state.range(0) == 0 ? "C1" : "E1");
    state.counters["predictions"] = c.predictions;
    state.counters["brier"] = c.brier;
    state.counters["brier_naive"] = c.naiveBrier;
    state.counters["max_bin_error"] = c.maxObservedError;
    state.counters["max_bin_error_exact"] = c.maxExpectedError;
    state.counters["max_bin_error_naive"] = c.naiveMaxObservedError;
}
BENCHMARK(BM_Calibration)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// One estimate as the windows make it: twenty C1 papers of history.
void BM_EstimatePass(benchmark::State& state)
{
    const testing::SimClass cls = testing::classC1();
    std::vector<core::PaperCounts> papers(20);
    for (size_t i = 0; i < papers.size(); ++i) {
        for (const core::Quota& q : cls.quotas)
            papers[i].push_back({q.sortId, q.questions - int(i % 3) - 1, q.questions});
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(core::estimatePass(cls.quotas, papers, 1, 90).probability);
}
BENCHMARK(BM_EstimatePass)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
