// Checks the time-value solvers against closed forms of annuity mathematics
// and the rounding and error rules of the solvers.
#include "calculator/core/financial/tvm.h"

#include <gtest/gtest.h>

#include <cmath>

namespace finova::fin {
namespace {

TvmInputs loan(double n, double i, double pv, double pmt, double fv) {
  TvmInputs in;
  in.n = n;
  in.i = i;
  in.pv = pv;
  in.pmt = pmt;
  in.fv = fv;
  return in;
}

// Present value of an ordinary annuity of 1 per period: (1 - (1+r)^-n) / r.
double annuityFactor(double n, double r) {
  return (1.0 - std::pow(1.0 + r, -n)) / r;
}

TEST(TvmSolve, PaymentOfTwelveMonthLoanMatchesAnnuityFormulaAndSolvesBack) {
  TvmInputs in = loan(12, 1, 1000, 0, 0);
  const Outcome pmt = solvePMT(in);
  ASSERT_TRUE(pmt.ok());
  EXPECT_NEAR(pmt.value, -1000.0 / annuityFactor(12, 0.01), 1e-9);
  EXPECT_NEAR(pmt.value, -88.85, 0.005);
  in.pmt = pmt.value;
  in.pv = 0;
  const Outcome pv = solvePV(in);
  ASSERT_TRUE(pv.ok());
  EXPECT_NEAR(pv.value, 1000.0, 1e-9);
}

TEST(TvmSolve, FutureValueOfSavingsPlanMatchesCompoundFormula) {
  const Outcome fv = solveFV(loan(10, 5, 0, -100, 0));
  ASSERT_TRUE(fv.ok());
  EXPECT_NEAR(fv.value, 100.0 * (std::pow(1.05, 10) - 1.0) / 0.05, 1e-9);
  EXPECT_NEAR(fv.value, 1257.79, 0.005);
}

TEST(TvmSolve, PaymentsAtBeginningEarnOneMorePeriodOfInterest) {
  TvmInputs in = loan(5, 10, 0, -100, 0);
  in.begin = true;
  const Outcome pv = solvePV(in);
  ASSERT_TRUE(pv.ok());
  EXPECT_NEAR(pv.value, 100.0 * annuityFactor(5, 0.1) * 1.1, 1e-9);
  EXPECT_NEAR(pv.value, 416.99, 0.005);
}

TEST(TvmSolve, OddHalfPeriodUsesSimpleInterestUnlessCompounding) {
  TvmInputs in = loan(12.5, 1, 0, -100, 0);
  const double annuity = 100.0 * annuityFactor(12, 0.01);
  const Outcome simple = solvePV(in);
  in.compoundOdd = true;
  const Outcome compound = solvePV(in);
  ASSERT_TRUE(simple.ok());
  ASSERT_TRUE(compound.ok());
  EXPECT_NEAR(simple.value, annuity / 1.005, 1e-9);
  EXPECT_NEAR(compound.value, annuity / std::sqrt(1.01), 1e-9);
  EXPECT_NE(simple.value, compound.value);
  // The residual of the solved registers is zero either way.
  in.pv = compound.value;
  EXPECT_NEAR(residual(in).value, 0.0, 1e-9);
  in.compoundOdd = false;
  in.pv = simple.value;
  EXPECT_NEAR(residual(in).value, 0.0, 1e-9);
}

TEST(TvmSolve, PeriodsRoundDownBelowHalfCentOfPeriodAndUpAbove) {
  // With no payments, n = ln(FV/-PV) / ln(1+r) exactly.
  const Outcome down = solveN(loan(0, 1, -1, 0, std::pow(1.01, 12.004)));
  const Outcome up = solveN(loan(0, 1, -1, 0, std::pow(1.01, 12.006)));
  ASSERT_TRUE(down.ok());
  ASSERT_TRUE(up.ok());
  EXPECT_EQ(down.value, 12.0);
  EXPECT_EQ(up.value, 13.0);
}

TEST(TvmSolve, PeriodsOfLoanRecoverTheTermItWasPricedFor) {
  const double pmt = -1000.0 / annuityFactor(36, 0.0075);
  EXPECT_EQ(solveN(loan(0, 0.75, 1000, pmt, 0)).value, 36.0);
  // A payment larger than the whole loan needs a single period.
  const Outcome quick = solveN(loan(0, 1, 1000, -2000, 0));
  ASSERT_TRUE(quick.ok());
  EXPECT_EQ(quick.value, 1.0);
  // PMT equal to i * FV (i in percent) is an ordinary loan with a balloon.
  const double balloonLoan = 100.0 * annuityFactor(10, 0.01) + 100.0 * std::pow(1.01, -10);
  EXPECT_EQ(solveN(loan(0, 1, balloonLoan, -100, -100)).value, 10.0);
}

TEST(TvmSolve, PeriodsRefusedWhenPaymentNeverCoversInterest) {
  EXPECT_EQ(solveN(loan(0, 1, 1000, -5, 0)).error, error::kFinancial);
  EXPECT_EQ(solveN(loan(0, 0, 1000, -5, 0)).error, error::kFinancial);
  EXPECT_EQ(solveN(loan(0, -100, 1000, -5, 0)).error, error::kFinancial);
  // FV equal to PMT / r makes the relation independent of n.
  EXPECT_EQ(solveN(loan(0, 10, 1000, -10, -100)).error, error::kFinancial);
}

TEST(TvmSolve, RateOfDoublingMatchesRootFormula) {
  const RateOutcome rate = solveI(loan(12, 0, -1000, 0, 2000));
  ASSERT_TRUE(rate.result.ok());
  EXPECT_NEAR(rate.result.value, (std::pow(2.0, 1.0 / 12.0) - 1.0) * 100.0, 1e-6);
}

TEST(TvmSolve, RateOfLoanFindsThePricingRate) {
  const double pmt = -1000.0 / annuityFactor(12, 0.01);
  const RateOutcome rate = solveI(loan(12, 0, 1000, pmt, 0));
  ASSERT_TRUE(rate.result.ok());
  EXPECT_NEAR(rate.result.value, 1.0, 1e-6);
  const RateOutcome due = solveI([&] {
    TvmInputs in = loan(5, 0, 0, -100, 0);
    in.pv = 100.0 * annuityFactor(5, 0.08) * 1.08;
    in.begin = true;
    return in;
  }());
  ASSERT_TRUE(due.result.ok());
  EXPECT_NEAR(due.result.value, 8.0, 1e-6);
}

TEST(TvmSolve, RateRefusesSameSignValuesAndNegativeTermWithoutPayments) {
  EXPECT_EQ(solveI(loan(12, 0, 1000, -50, 10)).result.error, error::kFinancial);
  EXPECT_EQ(solveI(loan(12, 0, -1000, -50, -10)).result.error, error::kFinancial);
  EXPECT_EQ(solveI(loan(12, 0, 0, -50, 0)).result.error, error::kFinancial);
  EXPECT_EQ(solveI(loan(-12, 0, -1000, 0, 2000)).result.error, error::kFinancial);
}

TEST(TvmSolve, RateAbove400PercentFailsAndReportsLastTrial) {
  // One period turning 1 into 10 needs 900 %.
  const RateOutcome rate = solveI(loan(1, 0, -1, 0, 10));
  EXPECT_EQ(rate.result.error, error::kFinancial);
  EXPECT_GT(rate.lastTrial, 400.0);
}

TEST(TvmSolve, ZeroRateAndEmptyTermAreRefused) {
  EXPECT_EQ(solvePMT(loan(12, 0, 1000, 0, 0)).error, error::kFinancial);
  EXPECT_EQ(solvePMT(loan(0, 1, 1000, 0, 0)).error, error::kFinancial);
  EXPECT_EQ(solvePMT(loan(12, -150, 1000, 0, 0)).error, error::kFinancial);
  EXPECT_EQ(solvePMT(loan(0.5, 1, 1000, 0, 0)).error, error::kFinancial);
  EXPECT_EQ(solvePV(loan(12, 0, 0, -10, 0)).error, error::kFinancial);
  EXPECT_EQ(solvePV(loan(12, -100, 0, -10, 0)).error, error::kFinancial);
  EXPECT_EQ(solveFV(loan(12, 0, 100, 0, 0)).error, error::kFinancial);
  EXPECT_EQ(solveFV(loan(12, -100, 100, 0, 0)).error, error::kFinancial);
}

TEST(TvmSolve, NotANumberInputsAreRefusedNotPropagated) {
  const double nan = std::nan("");
  EXPECT_FALSE(solvePV(loan(nan, 1, 0, -10, 0)).ok());
  EXPECT_FALSE(solveFV(loan(12, 1, nan, 0, 0)).ok());
  EXPECT_FALSE(solvePMT(loan(12, nan, 1000, 0, 0)).ok());
  EXPECT_FALSE(solveN(loan(0, 1, nan, -10, 0)).ok());
  EXPECT_FALSE(solveI(loan(12, 0, nan, -10, 100)).result.ok());
}

TEST(TvmFactors, MatchCompoundInterestFormulas) {
  EXPECT_NEAR(singlePaymentPresentValue(10, 5), 1.0 / std::pow(1.05, 10), 1e-12);
  EXPECT_NEAR(singlePaymentFutureValue(10, 5), 1.628894627, 1e-9);
  EXPECT_NEAR(uniformSeriesPresentValue(10, 5), 7.721734929, 1e-9);
  EXPECT_NEAR(uniformSeriesFutureValue(10, 5), 12.57789254, 1e-8);
}

TEST(TvmFactors, SeriesFactorsAtZeroRateCountThePayments) {
  EXPECT_EQ(uniformSeriesPresentValue(7, 0), 7.0);
  EXPECT_EQ(uniformSeriesFutureValue(7, 0), 7.0);
  EXPECT_EQ(singlePaymentPresentValue(7, 0), 1.0);
}

TEST(TvmAdvance, PaymentInAdvanceMatchesAnnuityDueWhenOneIsInAdvance) {
  // One payment in advance and n - 1 at the end is an annuity due.
  const Outcome advance = advancePayment(loan(12, 1, 1000, 0, 0), 1);
  ASSERT_TRUE(advance.ok());
  EXPECT_NEAR(advance.value, -1000.0 / (annuityFactor(12, 0.01) * 1.01), 1e-9);
  // Three in advance: 1000 = p * (3 + a(9)).
  EXPECT_NEAR(advancePayment(loan(12, 1, 1000, 0, 0), 3).value,
              -1000.0 / (3 + annuityFactor(9, 0.01)), 1e-9);
}

TEST(TvmAdvance, RefusesFractionalCountZeroRateAndEmptyTerm) {
  EXPECT_EQ(advancePayment(loan(12, 1, 1000, 0, 0), 1.5).error, error::kFinancial);
  EXPECT_EQ(advancePayment(loan(12, 0, 1000, 0, 0), 1).error, error::kFinancial);
  EXPECT_EQ(advancePayment(loan(0, 1, 1000, 0, 0), 1).error, error::kFinancial);
  EXPECT_EQ(advancePayment(loan(12, -101, 1000, 0, 0), 1).error, error::kFinancial);
}

}  // namespace
}  // namespace finova::fin
