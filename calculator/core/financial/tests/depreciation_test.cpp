// Checks the three depreciation methods against textbook tables of an asset
// costing 10000 with salvage 1000 over 5 years, and their stopping rules.
#include "calculator/core/financial/depreciation.h"

#include <gtest/gtest.h>

namespace finova::fin {
namespace {

const AssetInputs kAsset{10000, 1000, 5, 200};

TEST(StraightLine, SpreadsDepreciableValueEvenly) {
  const DepreciationOutcome year2 = straightLine(kAsset, 2);
  EXPECT_DOUBLE_EQ(year2.depreciation, 1800.0);
  EXPECT_DOUBLE_EQ(year2.remaining, 5400.0);
  const DepreciationOutcome year5 = straightLine(kAsset, 5);
  EXPECT_DOUBLE_EQ(year5.depreciation, 1800.0);
  EXPECT_NEAR(year5.remaining, 0.0, 1e-9);
}

TEST(StraightLine, FractionalLifeTakesTheRestInLastPartYear) {
  // 9000 over 4.5 years: 2000 a year, only 1000 left in year 5.
  const DepreciationOutcome year5 = straightLine(AssetInputs{10000, 1000, 4.5, 0}, 5);
  EXPECT_DOUBLE_EQ(year5.depreciation, 1000.0);
  EXPECT_EQ(year5.remaining, 0.0);
}

TEST(SumOfYearsDigits, WeightsYearsByRemainingLife) {
  // Digits 5+4+3+2+1 = 15: 3000, 2400, 1800, 1200, 600.
  const DepreciationOutcome year1 = sumOfYearsDigits(kAsset, 1);
  EXPECT_DOUBLE_EQ(year1.depreciation, 3000.0);
  EXPECT_DOUBLE_EQ(year1.remaining, 6000.0);
  const DepreciationOutcome year3 = sumOfYearsDigits(kAsset, 3);
  EXPECT_NEAR(year3.depreciation, 1800.0, 1e-9);
  EXPECT_NEAR(year3.remaining, 1800.0, 1e-9);
}

TEST(SumOfYearsDigits, FractionalLifeUsesPartialDigitSum) {
  // Life 2.5: digit sum (1+2)(1+2)/2 = 4.5, weights 2.5, 1.5, 0.5.
  const AssetInputs asset{900, 0, 2.5, 0};
  EXPECT_NEAR(sumOfYearsDigits(asset, 1).depreciation, 500.0, 1e-9);
  EXPECT_NEAR(sumOfYearsDigits(asset, 2).depreciation, 300.0, 1e-9);
  EXPECT_NEAR(sumOfYearsDigits(asset, 3).depreciation, 100.0, 1e-9);
}

TEST(SumOfYearsDigits, StopsWhenRemainingFallsBelowOneNotZero) {
  // 5.40 over 3 years: 2.70, then 1.80 leaves 0.90, below 1, so year 2 takes
  // it all and year 3 has nothing left.
  const AssetInputs asset{5.40, 0, 3, 0};
  const DepreciationOutcome year2 = sumOfYearsDigits(asset, 2);
  EXPECT_NEAR(year2.depreciation, 2.70, 1e-9);
  EXPECT_EQ(year2.remaining, 0.0);
  const DepreciationOutcome year3 = sumOfYearsDigits(asset, 3);
  EXPECT_NEAR(year3.depreciation, 0.0, 1e-9);
  EXPECT_EQ(year3.remaining, 0.0);
}

TEST(DecliningBalance, DoubleDecliningStopsAtSalvageAndLastYearTakesRest) {
  // 40 % a year: 4000, 2400, 1440, 864; year 5 only reaches down to 1000.
  const DepreciationOutcome year2 = decliningBalance(kAsset, 2);
  EXPECT_NEAR(year2.depreciation, 2400.0, 1e-9);
  EXPECT_NEAR(year2.remaining, 2600.0, 1e-9);
  const DepreciationOutcome year4 = decliningBalance(kAsset, 4);
  EXPECT_NEAR(year4.depreciation, 864.0, 1e-9);
  EXPECT_NEAR(year4.remaining, 296.0, 1e-9);
  const DepreciationOutcome year5 = decliningBalance(kAsset, 5);
  EXPECT_NEAR(year5.depreciation, 296.0, 1e-9);
  EXPECT_EQ(year5.remaining, 0.0);
}

TEST(DecliningBalance, LastYearTakesWhatIsLeftAboveSalvage) {
  // 150 % declining over 3 years: 5000, 2500, then the rest 1500 of 2500 - 1000.
  const AssetInputs asset{10000, 1000, 3, 150};
  const DepreciationOutcome year3 = decliningBalance(asset, 3);
  EXPECT_NEAR(year3.depreciation, 1500.0, 1e-9);
  EXPECT_EQ(year3.remaining, 0.0);
}

TEST(Depreciation, YearsAfterTheLifeAreZeroForEveryMethod) {
  for (auto method : {straightLine, sumOfYearsDigits, decliningBalance}) {
    const DepreciationOutcome after = method(kAsset, 6);
    EXPECT_EQ(after.error, error::kNone);
    EXPECT_EQ(after.depreciation, 0.0);
    EXPECT_EQ(after.remaining, 0.0);
  }
}

TEST(Depreciation, BadYearOrLifeIsRefused) {
  for (auto method : {straightLine, sumOfYearsDigits, decliningBalance}) {
    EXPECT_EQ(method(kAsset, -1).error, error::kFinancial);
    EXPECT_EQ(method(kAsset, 1.5).error, error::kFinancial);
    EXPECT_EQ(method(AssetInputs{10000, 1000, 0, 200}, 1).error, error::kFinancial);
    EXPECT_EQ(method(kAsset, std::nan("")).error, error::kFinancial);
  }
  EXPECT_EQ(decliningBalance(AssetInputs{10000, 1000, -5, 200}, 1).error, error::kFinancial);
  // A year walk beyond the cap is refused instead of running for minutes.
  const AssetInputs longLived{1e12, 0, 1e12, 200};
  EXPECT_EQ(sumOfYearsDigits(longLived, 5e9).error, error::kFinancial);
  EXPECT_EQ(decliningBalance(longLived, 5e9).error, error::kFinancial);
  EXPECT_EQ(straightLine(longLived, 5e9).error, error::kNone);
}

}  // namespace
}  // namespace finova::fin
