// Checks the statistics on sums of hand-chosen points.
#include "calculator/core/financial/statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace finova::fin {
namespace {

Sums sumsOf(std::initializer_list<std::pair<double, double>> points) {
  Sums s;
  for (auto [x, y] : points) {
    s.n += 1;
    s.sumX += x;
    s.sumX2 += x * x;
    s.sumY += y;
    s.sumY2 += y * y;
    s.sumXY += x * y;
  }
  return s;
}

TEST(StandardDeviation, SampleDeviationOfBothVariables) {
  // x: 2, 4, 4, 4, 5, 5, 7, 9 has sample variance 32/7.
  const Sums s = sumsOf({{2, 1}, {4, 1}, {4, 1}, {4, 1}, {5, 1}, {5, 1}, {7, 1}, {9, 3}});
  const PairOutcome d = standardDeviations(s);
  ASSERT_EQ(d.error, error::kNone);
  EXPECT_NEAR(d.first, std::sqrt(32.0 / 7.0), 1e-12);
  EXPECT_NEAR(d.second, std::sqrt(3.5 / 7.0), 1e-12);
}

TEST(StandardDeviation, NeedsTwoWholePoints) {
  EXPECT_EQ(standardDeviations(sumsOf({{1, 2}})).error, error::kStatistics);
  EXPECT_EQ(standardDeviations(Sums{}).error, error::kStatistics);
  Sums s = sumsOf({{1, 2}, {2, 4}});
  s.n = 2.5;
  EXPECT_EQ(standardDeviations(s).error, error::kStatistics);
  // Sums that could not come from real points.
  s = sumsOf({{1, 2}, {2, 4}});
  s.sumX2 = 0;
  EXPECT_EQ(standardDeviations(s).error, error::kStatistics);
}

TEST(LinearEstimate, PointsOnALineEstimateExactlyWithUnitCorrelation) {
  const Sums s = sumsOf({{1, 2}, {2, 4}});
  const PairOutcome y = estimateY(s, 3);
  ASSERT_EQ(y.error, error::kNone);
  EXPECT_DOUBLE_EQ(y.first, 6.0);
  EXPECT_DOUBLE_EQ(y.second, 1.0);
  const PairOutcome x = estimateX(s, 6);
  EXPECT_DOUBLE_EQ(x.first, 3.0);
  EXPECT_DOUBLE_EQ(x.second, 1.0);
}

TEST(LinearEstimate, FallingDataGiveANegativeCorrelation) {
  const PairOutcome y = estimateY(sumsOf({{1, 10}, {2, 8}, {3, 6}}), 4);
  EXPECT_NEAR(y.first, 4.0, 1e-12);
  EXPECT_NEAR(y.second, -1.0, 1e-12);
  const PairOutcome x = estimateX(sumsOf({{1, 10}, {2, 8}, {3, 6}}), 4);
  EXPECT_NEAR(x.first, 4.0, 1e-12);
  EXPECT_NEAR(x.second, -1.0, 1e-12);
  // (1,3), (2,1), (3,2): Sxy = -1, Sxx = 2, Syy = 2, so r = -1/2.
  EXPECT_NEAR(estimateY(sumsOf({{1, 3}, {2, 1}, {3, 2}}), 0).second, -0.5, 1e-12);
}

TEST(LinearEstimate, ScatteredPointsGiveLeastSquaresLine) {
  // (1,1), (2,3), (3,2): slope 0.5, intercept 1, r = 0.5.
  const PairOutcome y = estimateY(sumsOf({{1, 1}, {2, 3}, {3, 2}}), 5);
  EXPECT_NEAR(y.first, 3.5, 1e-12);
  EXPECT_NEAR(y.second, 0.5, 1e-12);
}

TEST(LinearEstimate, DegenerateDataIsRefused) {
  EXPECT_EQ(estimateY(Sums{}, 1).error, error::kStatistics);
  // All x equal: no slope.
  EXPECT_EQ(estimateY(sumsOf({{2, 1}, {2, 5}}), 1).error, error::kStatistics);
  // All y equal: the correlation's denominator is zero.
  EXPECT_EQ(estimateY(sumsOf({{1, 5}, {2, 5}}), 1).error, error::kStatistics);
  // A level line through scattered points has no x for a y.
  EXPECT_EQ(estimateX(sumsOf({{1, 0}, {2, 1}, {3, 0}}), 1).error, error::kStatistics);
}

TEST(WeightedMean, WeightsYByX) {
  // Values 10 and 20 with weights 1 and 3.
  EXPECT_DOUBLE_EQ(weightedMean(sumsOf({{1, 10}, {3, 20}})).value, 17.5);
  EXPECT_EQ(weightedMean(sumsOf({{0, 10}, {0, 20}})).error, error::kStatistics);
}

}  // namespace
}  // namespace finova::fin
