#include "calculator/core/financial/statistics.h"

#include <cmath>

namespace finova::fin {
namespace {

PairOutcome refused() {
  PairOutcome out;
  out.error = error::kStatistics;
  return out;
}

PairOutcome finished(PairOutcome out) {
  if (std::isnan(out.first) || std::isnan(out.second)) return refused();
  return out;
}

// Slope and correlation r of the regression line through the summed points.
struct Regression {
  double slope = 0.0;
  double correlation = 0.0;
  bool ok = false;
};

Regression regression(const Sums& s) {
  Regression out;
  if (s.n == 0) return out;
  const double sxy = s.sumXY - s.sumY * s.sumX / s.n;
  const double sxx = s.sumX2 - s.sumX * s.sumX / s.n;
  const double syy = s.sumY2 - s.sumY * s.sumY / s.n;
  if (sxx == 0) return out;
  const double denominator = sxx * syy;
  // Zero or negative (sums that no data can give) leaves r undefined.
  if (!(denominator > 0)) return out;
  out.slope = sxy / sxx;
  // r keeps the sign of the slope: falling data give a negative r.
  out.correlation = sxy / std::sqrt(denominator);
  out.ok = true;
  return out;
}

}  // namespace

PairOutcome standardDeviations(const Sums& s) {
  if (!isWhole(s.n) || s.n <= 1) return refused();
  const double divisor = (s.n - 1.0) * s.n;
  const double varianceX = (s.n * s.sumX2 - s.sumX * s.sumX) / divisor;
  const double varianceY = (s.n * s.sumY2 - s.sumY * s.sumY) / divisor;
  if (varianceX < 0 || varianceY < 0) return refused();
  return finished(PairOutcome{std::sqrt(varianceX), std::sqrt(varianceY), error::kNone});
}

PairOutcome estimateX(const Sums& s, double y) {
  const Regression line = regression(s);
  // A level line has no x for a given y.
  if (!line.ok || line.slope == 0) return refused();
  return finished(
      PairOutcome{s.sumX / s.n + (y - s.sumY / s.n) / line.slope, line.correlation, error::kNone});
}

PairOutcome estimateY(const Sums& s, double x) {
  const Regression line = regression(s);
  if (!line.ok) return refused();
  return finished(
      PairOutcome{s.sumY / s.n + line.slope * (x - s.sumX / s.n), line.correlation, error::kNone});
}

Outcome weightedMean(const Sums& s) {
  if (s.sumX == 0) return failure(error::kStatistics);
  return checked(s.sumXY / s.sumX, error::kStatistics);
}

}  // namespace finova::fin
