#include "calculator/core/financial/cash_flows.h"

#include <cmath>

namespace finova::fin {
namespace {

constexpr int kIrrEvaluations = 30;
constexpr double kIrrStep = 0.03;

int lastFlow(const CashFlowInputs& in) {
  return static_cast<int>(in.n);
}

bool selected(double flow, FlowFilter filter) {
  switch (filter) {
    case FlowFilter::Positive:
      return flow > 0;
    case FlowFilter::Negative:
      return flow < 0;
    case FlowFilter::All:
      break;
  }
  return true;
}

}  // namespace

int checkCashFlows(const CashFlowInputs& in) {
  if (!(in.i > -100.0)) return error::kFinancial;
  if (!isWhole(in.n) || in.n < 0 || in.n > kMaxFlows - 1) return error::kCashFlow;
  for (int j = 0; j <= lastFlow(in); ++j) {
    if (in.counts[static_cast<std::size_t>(j)] > kMaxRepeat) return error::kCashFlow;
  }
  return error::kNone;
}

double discountedSum(const CashFlowInputs& in, double rate, FlowFilter filter) {
  double sum = 0.0;
  int t = 0;
  for (int j = 0; j <= lastFlow(in); ++j) {
    const double flow = in.flows[static_cast<std::size_t>(j)];
    const int count = in.counts[static_cast<std::size_t>(j)];
    for (int repeat = 0; repeat < count; ++repeat, ++t) {
      if (!selected(flow, filter)) continue;
      sum += t == 0 ? flow : flow / std::pow(1.0 + rate, t);
    }
  }
  return sum;
}

Outcome netPresentValue(const CashFlowInputs& in) {
  if (const int e = checkCashFlows(in)) return failure(e);
  return checked(discountedSum(in, in.i / 100.0, FlowFilter::All), error::kFinancial);
}

Outcome netFutureValue(const CashFlowInputs& in) {
  const Outcome npv = netPresentValue(in);
  if (!npv.ok()) return npv;
  return checked(npv.value * std::pow(1.0 + in.i / 100.0, in.n), error::kFinancial);
}

MirrOutcome modifiedInternalRate(const CashFlowInputs& in) {
  MirrOutcome out{failure(error::kFinancial), 0.0};
  if (const int e = checkCashFlows(in)) {
    out.result = failure(e);
    return out;
  }
  const double r = in.i / 100.0;
  const double a = discountedSum(in, r, FlowFilter::Negative);
  out.positivePresent = discountedSum(in, r, FlowFilter::Positive);
  // Without a negative flow or a period to grow over there is no rate.
  if (a == 0 || in.n == 0) return out;
  const double b = out.positivePresent * std::pow(1.0 + r, in.n);
  out.result = checked((std::pow(-b / a, 1.0 / in.n) - 1.0) * 100.0, error::kFinancial);
  return out;
}

Outcome internalRate(const CashFlowInputs& in) {
  if (const int e = checkCashFlows(in)) return failure(e);
  double rate = 0.0;
  double step = kIrrStep;
  bool negativeStart = false;
  for (int evaluation = 1; evaluation <= kIrrEvaluations; ++evaluation) {
    const double sum = discountedSum(in, rate, FlowFilter::All);
    if (evaluation == 1 && sum < 0) {
      step = -kIrrStep;
      negativeStart = true;
    }
    if (sum == 0 || evaluation == kIrrEvaluations) break;
    const bool signOfStart = negativeStart ? sum < 0 : sum > 0;
    if (signOfStart) {
      rate += step;
    } else {
      rate -= step;
      step /= 10.0;
      rate += step;
    }
  }
  // The walk moves at most 29 steps of 3 % from 0, so the rate stays finite.
  return Outcome{rate * 100.0, error::kNone};
}

}  // namespace finova::fin
