// Checks the nominal/effective conversions against compound-interest values.
#include "calculator/core/financial/interest_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace finova::fin {
namespace {

TEST(InterestConversion, EffectiveRateOfMonthlyAndContinuousCompounding) {
  EXPECT_NEAR(effectiveRate(12, 12).value, (std::pow(1.01, 12) - 1) * 100, 1e-9);
  EXPECT_NEAR(effectiveRate(12, 12).value, 12.6825, 5e-5);
  EXPECT_NEAR(effectiveRate(12, 0).value, (std::exp(0.12) - 1) * 100, 1e-9);
}

TEST(InterestConversion, NominalRateInvertsEffectiveRate) {
  const double effective = (std::pow(1.01, 12) - 1) * 100;
  const Outcome monthly = nominalRate(effective, 12, false, false);
  ASSERT_TRUE(monthly.ok());
  // The rate search of at most 50 steps carries about four digits here.
  EXPECT_NEAR(monthly.value, 12.0, 1e-3);
  // The payment-timing flags do not matter without payments.
  EXPECT_NEAR(nominalRate(effective, 12, true, true).value, monthly.value, 1e-12);
  const Outcome continuous = nominalRate((std::exp(0.12) - 1) * 100, 0, false, false);
  EXPECT_NEAR(continuous.value, 12.0, 1e-9);
}

TEST(InterestConversion, NominalRateFailsWhenNoRateExists) {
  EXPECT_EQ(nominalRate(-100, 0, false, false).error, error::kFinancial);
  EXPECT_EQ(nominalRate(-150, 4, false, false).error, error::kFinancial);
  EXPECT_EQ(nominalRate(5, -4, false, false).error, error::kFinancial);
  // One period a year would need more than 400 %.
  EXPECT_EQ(nominalRate(1000, 1, false, false).error, error::kFinancial);
}

}  // namespace
}  // namespace finova::fin
