// Checks discounting of grouped cash flows, the internal rate and the
// register checks against hand-computed values, closed forms and bisection.
#include "calculator/core/financial/cash_flows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

namespace finova::fin {
namespace {

CashFlowInputs flows(std::initializer_list<double> values, double i = 0) {
  CashFlowInputs in;
  in.counts.fill(1);
  std::size_t j = 0;
  for (double v : values) in.flows[j++] = v;
  in.n = static_cast<double>(j) - 1;
  in.i = i;
  return in;
}

TEST(CashFlowChecks, RateAndFlowCountOutOfRangeAreRefused) {
  CashFlowInputs in = flows({-100, 50, 60}, 10);
  in.n = 20;
  EXPECT_EQ(netPresentValue(in).error, error::kCashFlow);
  in.n = 2.5;
  EXPECT_EQ(internalRate(in).error, error::kCashFlow);
  in.n = -1;
  EXPECT_EQ(netFutureValue(in).error, error::kCashFlow);
  in.n = 2;
  in.counts[1] = 100;
  EXPECT_EQ(modifiedInternalRate(in).result.error, error::kCashFlow);
  in.counts[1] = 1;
  in.i = -100;
  EXPECT_EQ(netPresentValue(in).error, error::kFinancial);
  // The rate check comes first.
  in.n = 20;
  EXPECT_EQ(netPresentValue(in).error, error::kFinancial);
}

TEST(CashFlowDiscounting, RepeatedFlowOccupiesConsecutivePeriods) {
  CashFlowInputs in = flows({-500, 100, 1000}, 10);
  in.counts[1] = 3;
  const Outcome npv = netPresentValue(in);
  ASSERT_TRUE(npv.ok());
  EXPECT_NEAR(npv.value, -500 + 100 / 1.1 + 100 / 1.21 + 100 / 1.331 + 1000 / std::pow(1.1, 4),
              1e-9);
}

TEST(CashFlowDiscounting, FlowsCountedZeroTimesTakeNoPeriod) {
  CashFlowInputs in = flows({-500, 100, 1000}, 10);
  in.counts[1] = 0;
  EXPECT_NEAR(netPresentValue(in).value, -500 + 1000 / 1.1, 1e-9);
  in.counts[1] = -4;
  EXPECT_NEAR(netPresentValue(in).value, -500 + 1000 / 1.1, 1e-9);
}

TEST(CashFlowDiscounting, FutureValueCarriesPresentValueForwardByStoredN) {
  CashFlowInputs in = flows({-500, 100, 1000}, 10);
  in.counts[1] = 3;
  const Outcome npv = netPresentValue(in);
  const Outcome nfv = netFutureValue(in);
  ASSERT_TRUE(nfv.ok());
  EXPECT_NEAR(nfv.value, npv.value * 1.21, 1e-9);
}

TEST(CashFlowDiscounting, FiltersSelectPositiveOrNegativeFlows) {
  const CashFlowInputs in = flows({-100, 50, -20, 80}, 0);
  EXPECT_DOUBLE_EQ(discountedSum(in, 0, FlowFilter::Positive), 130.0);
  EXPECT_DOUBLE_EQ(discountedSum(in, 0, FlowFilter::Negative), -120.0);
  EXPECT_DOUBLE_EQ(discountedSum(in, 0, FlowFilter::All), 10.0);
}

// The rate of two flows, -P now and F after t periods: (F/P)^(1/t) - 1.
double twoFlowRate(double p, double f, int t) {
  return (std::pow(f / p, 1.0 / t) - 1.0) * 100.0;
}

// The rate of -P now, A after one period and B after two: the positive
// root v of B v^2 + A v - P = 0, with v = 1/(1+rate).
double threeFlowRate(double p, double a, double b) {
  const double v = (-a + std::sqrt(a * a + 4.0 * b * p)) / (2.0 * b);
  return (1.0 / v - 1.0) * 100.0;
}

// Plain bisection of the present value, independent of the routine: from
// `low` to `high` (percent) where the sums have opposite signs.
double bisectedRate(const std::vector<double>& cash, double low, double high) {
  const auto npv = [&](double percent) {
    double sum = 0.0;
    for (std::size_t t = 0; t < cash.size(); ++t) {
      sum += cash[t] / std::pow(1.0 + percent / 100.0, static_cast<double>(t));
    }
    return sum;
  };
  const bool lowPositive = npv(low) > 0;
  for (int k = 0; k < 200; ++k) {
    const double mid = (low + high) / 2;
    ((npv(mid) > 0) == lowPositive ? low : high) = mid;
  }
  return (low + high) / 2;
}

TEST(InternalRate, IsExactToFullPrecisionAndUnboundedAbove) {
  EXPECT_NEAR(internalRate(flows({-100, 110})).value, 10.0, 1e-12);
  // Three times the money after one period: 200 %, beyond any walk of 3 % steps.
  EXPECT_NEAR(internalRate(flows({-100, 300})).value, 200.0, 1e-11);
  EXPECT_NEAR(internalRate(flows({-100, 100000})).value, twoFlowRate(100, 100000, 1), 1e-7);
  EXPECT_NEAR(internalRate(flows({-100, 50, 80})).value, threeFlowRate(100, 50, 80), 1e-12);
  EXPECT_NEAR(internalRate(flows({-1000, 250, 300, 350, 400})).value,
              bisectedRate({-1000, 250, 300, 350, 400}, 0, 50), 1e-11);
}

TEST(InternalRate, RepeatedFlowIsDiscountedAtEachOfItsPeriods) {
  CashFlowInputs in = flows({-100, 55});
  in.counts[1] = 2;
  const Outcome irr = internalRate(in);
  ASSERT_TRUE(irr.ok());
  EXPECT_NEAR(irr.value, threeFlowRate(100, 55, 55), 1e-12);
  // Four periods of nothing, then double the money at t = 5.
  CashFlowInputs late = flows({-100, 0, 200});
  late.counts[1] = 4;
  EXPECT_NEAR(internalRate(late).value, twoFlowRate(100, 200, 5), 1e-12);
}

TEST(InternalRate, TwentyFlowsAgreeWithBisection) {
  std::vector<double> cash{-5000};
  for (int t = 1; t < 20; ++t) cash.push_back(200.0 + 37.0 * t - (t % 3) * 55.0);
  CashFlowInputs in;
  in.counts.fill(1);
  for (std::size_t j = 0; j < cash.size(); ++j) in.flows[j] = cash[j];
  in.n = 19;
  const Outcome irr = internalRate(in);
  ASSERT_TRUE(irr.ok());
  EXPECT_NEAR(irr.value, bisectedRate(cash, 0, 100), 1e-10);
}

TEST(InternalRate, NegativeRatesAndBorrowingAreFound) {
  // Paying 100 and getting 90 back loses 10 %.
  EXPECT_NEAR(internalRate(flows({-100, 90})).value, -10.0, 1e-12);
  // Borrowing 100 and repaying 110: the sum at 0 is negative, the rate +10 %.
  EXPECT_NEAR(internalRate(flows({100, -110})).value, 10.0, 1e-12);
  EXPECT_NEAR(internalRate(flows({-100, 1})).value, -99.0, 1e-10);
}

TEST(InternalRate, SeveralRatesGiveTheNearestOnTheSideTheSumAtZeroPoints) {
  // -100 + 230 v - 132 v^2 has rates of 10 % and 20 %; at 0 the sum is -2
  // (downwards first, where there is none), so 10 %.
  EXPECT_NEAR(internalRate(flows({-100, 230, -132})).value, 10.0, 1e-10);
  // -100 + 210 v - 108 v^2 has rates of 20 % and -10 %; at 0 the sum is +2:
  // upwards first, 20 %.
  EXPECT_NEAR(internalRate(flows({-100, 210, -108})).value, 20.0, 1e-10);
}

TEST(InternalRate, FlowsWithoutARateAreRefused) {
  EXPECT_EQ(internalRate(flows({-100, -100})).error, error::kFinancial);
  EXPECT_EQ(internalRate(flows({100, 50})).error, error::kFinancial);
  EXPECT_EQ(internalRate(flows({0, 0})).error, error::kFinancial);
  // A change of sign with no rate: -100 + 250 v - 200 v^2 < 0 for every v > 0.
  EXPECT_EQ(internalRate(flows({-100, 250, -200})).error, error::kFinancial);
}

TEST(InternalRate, ExactRootAtZero) {
  EXPECT_EQ(internalRate(flows({-100, 40, 60})).value, 0.0);
}

TEST(ModifiedInternalRate, MatchesTextbookReinvestmentFormula) {
  // -1000, 500, 600 at 10 %: the inflows grow to 550 + 600 = 1150 at t = 2.
  const MirrOutcome mirr = modifiedInternalRate(flows({-1000, 500, 600}, 10));
  ASSERT_TRUE(mirr.result.ok());
  EXPECT_NEAR(mirr.result.value, (std::sqrt(1.15) - 1.0) * 100.0, 1e-9);
  EXPECT_NEAR(mirr.positivePresent, 500 / 1.1 + 600 / 1.21, 1e-9);
}

TEST(ModifiedInternalRate, NeedsAnOutflowAndAPeriod) {
  EXPECT_EQ(modifiedInternalRate(flows({100, 500}, 10)).result.error, error::kFinancial);
  EXPECT_EQ(modifiedInternalRate(flows({-100}, 10)).result.error, error::kFinancial);
}

}  // namespace
}  // namespace finova::fin
