#pragma once
// The time-value-of-money relation between the five registers n, i, PV, PMT
// and FV, and its five solvers. With r = i/100, k and f the integer and
// fractional parts of n (both carrying the sign of n) and S = 1 for payments
// at the beginning of each period:
//   PV-term + PMT-term + FV-term = 0, where
//   PMT-term = PMT * (1 - (1+r)^-k) / r * (1 + r*S)
//   FV-term  = FV * (1+r)^-k
//   PV-term  = PV, or for an odd period f != 0: PV * (1+r)^f when the odd
//              period compounds ("C" shown), else PV * (1 + r*f).
// Worked example: n 12, i 1, PV 1000, FV 0 at the end of the periods solves
// PMT to -88.85 (the standard annuity payment 1000 * 0.01 / (1 - 1.01^-12)).
//
// This unit only computes; the routine table reads and writes the registers.

#include "calculator/core/financial/outcome.h"

namespace finova::fin {

struct TvmInputs {
  double n = 0.0;
  double i = 0.0;  // periodic rate in percent
  double pv = 0.0;
  double pmt = 0.0;
  double fv = 0.0;
  bool begin = false;        // payments at the beginning of the period
  bool compoundOdd = false;  // the odd period compounds instead of simple interest
};

// The three terms and their sum; the payment term fails for i = 0.
Outcome paymentTerm(const TvmInputs& in);
Outcome futureValueTerm(const TvmInputs& in);
Outcome presentValueTerm(const TvmInputs& in);
Outcome residual(const TvmInputs& in);

Outcome solvePV(const TvmInputs& in);
Outcome solveFV(const TvmInputs& in);
Outcome solvePMT(const TvmInputs& in);
// The whole number of periods: the integer part, plus 1 when the fraction
// exceeds 0.005.
Outcome solveN(const TvmInputs& in);

// The rate search: a bracketing walk of at most 50 evaluations of the
// residual. On success value is the rate in percent. A rate that ends above
// 400 fails; lastTrial then holds the final trial rate, which the register
// keeps. lastTrial is NaN when no trial was made.
struct RateOutcome {
  Outcome result;
  double lastTrial = 0.0;
};
RateOutcome solveI(const TvmInputs& in);

// Discount and compound factors (i = 0 is not an error: the series factors
// then take their limit n).
double singlePaymentPresentValue(double n, double i);
double singlePaymentFutureValue(double n, double i);
double uniformSeriesPresentValue(double n, double i);
double uniformSeriesFutureValue(double n, double i);

// The payment when `advance` payments are made in advance.
Outcome advancePayment(const TvmInputs& in, double advance);

}  // namespace finova::fin
