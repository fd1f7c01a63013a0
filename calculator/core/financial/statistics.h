#pragma once
// Two-variable statistics on the summation registers: standard deviations,
// the linear estimates with the correlation coefficient, and the weighted
// mean. Failures are the statistics error (3). Only computes; the routine
// table reads the sums and writes the stack.

#include "calculator/core/financial/outcome.h"

namespace finova::fin {

struct Sums {
  double n = 0.0;
  double sumX = 0.0;
  double sumX2 = 0.0;
  double sumY = 0.0;
  double sumY2 = 0.0;
  double sumXY = 0.0;
};

struct PairOutcome {
  double first = 0.0;   // X: sx, or the estimate
  double second = 0.0;  // Y: sy, or r (signed: -1 for perfectly falling data)
  int error = error::kNone;
};

// Sample standard deviations of x and y; n must be a whole number above 1.
PairOutcome standardDeviations(const Sums& s);
// The x on the regression line for y, and r.
PairOutcome estimateX(const Sums& s, double y);
// The y on the regression line for x, and r.
PairOutcome estimateY(const Sums& s, double x);
// The mean of the y values weighted by the x values.
Outcome weightedMean(const Sums& s);

}  // namespace finova::fin
