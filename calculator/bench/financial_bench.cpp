// Time of the internal rate of return for 20 cash flows (the goal is at most
// 50 us): a typical investment whose rate lies near 0, one far above 100 %,
// and flows without any rate, for which both sides of the rate axis are
// searched in full before the error.
#include <benchmark/benchmark.h>

#include "calculator/core/financial/cash_flows.h"

namespace {

finova::fin::CashFlowInputs twentyFlows(double first, double step) {
  finova::fin::CashFlowInputs in;
  in.counts.fill(1);
  in.flows[0] = first;
  for (int t = 1; t < 20; ++t)
    in.flows[static_cast<std::size_t>(t)] = 200.0 + step * t - (t % 3) * 55.0;
  in.n = 19;
  return in;
}

void runIrr(benchmark::State& state, const finova::fin::CashFlowInputs& in) {
  double rate = 0;
  for (auto _ : state) {
    const finova::fin::Outcome irr = finova::fin::internalRate(in);
    benchmark::DoNotOptimize(irr);
    rate = irr.value;
  }
  state.counters["rate%"] = rate;
}

void BM_IrrTwentyFlows(benchmark::State& state) {
  runIrr(state, twentyFlows(-5000, 37));
}
void BM_IrrTwentyFlowsHighRate(benchmark::State& state) {
  runIrr(state, twentyFlows(-150, 37));
}
void BM_IrrTwentyFlowsWithoutRate(benchmark::State& state) {
  // (-100 + 250 v - 200 v^2) (1 + v + ... + v^17): the first factor is
  // negative for every v = 1/(1+rate) > 0, so no rate exists although the
  // flows change sign: -100, 150, -50 (16 times), 50, -200.
  finova::fin::CashFlowInputs in;
  in.counts.fill(1);
  in.flows.fill(-50);
  in.flows[0] = -100;
  in.flows[1] = 150;
  in.flows[18] = 50;
  in.flows[19] = -200;
  in.n = 19;
  if (finova::fin::internalRate(in).ok()) state.SkipWithError("these flows have no rate");
  runIrr(state, in);
}

BENCHMARK(BM_IrrTwentyFlows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IrrTwentyFlowsHighRate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IrrTwentyFlowsWithoutRate)->Unit(benchmark::kMicrosecond);

}  // namespace
