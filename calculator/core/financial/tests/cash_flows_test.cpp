// Checks discounting of grouped cash flows, the rate walks of IRR and the
// register checks against hand-computed values.
#include "calculator/core/financial/cash_flows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

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

TEST(InternalRate, TwoFlowsShowTheThirtyEvaluationApproximation) {
  const Outcome irr = internalRate(flows({-100, 110}));
  ASSERT_TRUE(irr.ok());
  // The walk stops just below the exact 10 %, shown 9.9999993.
  EXPECT_NEAR(irr.value, 9.9999993, 5e-8);
  EXPECT_LT(irr.value, 10.0);
}

TEST(InternalRate, RepeatedFlowIsDiscountedAtEachOfItsPeriods) {
  CashFlowInputs in = flows({-100, 55});
  in.counts[1] = 2;
  const Outcome irr = internalRate(in);
  ASSERT_TRUE(irr.ok());
  EXPECT_NEAR(irr.value, 6.5955, 5e-5);
}

TEST(InternalRate, NegativeStartWalksDownwardToo) {
  // Paying 100 and getting 90 back loses 10 % (the sum at 0 is -10).
  EXPECT_NEAR(internalRate(flows({-100, 90})).value, -10.0, 1e-5);
  // All payments: the walk goes downwards and still ends without an error.
  const Outcome none = internalRate(flows({-100, -100}));
  ASSERT_TRUE(none.ok());
  EXPECT_LT(none.value, 0.0);
  EXPECT_GT(none.value, -100.0);
}

TEST(InternalRate, ExactRootStopsTheWalk) {
  // At 0 the sum is exactly 0.
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
