// Checks the coupon schedule against hand-counted days and the bond price
// and yield against the textbook price of a 5-year 8 % bond at 10 %.
#include "calculator/core/financial/bonds.h"

#include <gtest/gtest.h>

#include <cmath>

namespace finova::fin {
namespace {

// Price per 100 of a bond bought on a coupon date: coupons c per half year
// discounted at y per half year over n half years, plus the redemption.
double priceOnCouponDate(double c, double y, int n) {
  return (c * (1.0 - std::pow(1.0 + y, -n)) / y + std::pow(1.0 + y, -n)) * 100.0;
}

TEST(CouponSchedule, CountsCouponsAndDaysAroundSettlement) {
  // Settled 1 April 1996, maturing 1 January 2001: coupons every 1 January
  // and 1 July from July 1996, ten in all; the last one was 1 January 1996,
  // 91 days before settlement in a 182-day half year (1996 is a leap year).
  const CouponSchedule s = couponSchedule(4.011996, 1.012001, true);
  ASSERT_EQ(s.error, error::kNone);
  EXPECT_EQ(s.coupons, 10);
  EXPECT_EQ(s.daysSinceCoupon, 91.0);
  EXPECT_EQ(s.daysInPeriod, 182.0);
  // The same dates in day-month-year order.
  const CouponSchedule european = couponSchedule(1.041996, 1.012001, false);
  EXPECT_EQ(european.coupons, 10);
  EXPECT_EQ(european.daysSinceCoupon, 91.0);
}

TEST(CouponSchedule, SettlementOnCouponDateHasNoAccruedDays) {
  const CouponSchedule s = couponSchedule(7.011996, 1.012001, true);
  EXPECT_EQ(s.coupons, 9);
  EXPECT_EQ(s.daysSinceCoupon, 0.0);
  EXPECT_EQ(s.daysInPeriod, 184.0);
}

TEST(CouponSchedule, RefusesBadOrderImpossibleCouponDatesAndEndlessSchedules) {
  EXPECT_EQ(couponSchedule(1.012001, 1.011996, true).error, error::kDate);
  EXPECT_EQ(couponSchedule(1.011996, 1.011996, true).error, error::kDate);
  EXPECT_EQ(couponSchedule(2.301996, 1.012001, true).error, error::kDate);
  // 31 August steps back to 31 February.
  EXPECT_EQ(couponSchedule(1.011996, 8.311996, true).error, error::kDate);
  // Over 500 years of coupons.
  EXPECT_EQ(couponSchedule(1.011600, 1.012200, true).error, error::kDate);
}

TEST(BondPrice, OnCouponDateMatchesAnnuityPlusRedemption) {
  const PriceOutcome p = bondPrice(BondInputs{1.011996, 1.012001, 10, 8, true});
  ASSERT_EQ(p.error, error::kNone);
  EXPECT_NEAR(p.price, priceOnCouponDate(0.04, 0.05, 10), 1e-9);
  EXPECT_NEAR(p.price, 92.2783, 5e-5);
  EXPECT_EQ(p.accrued, 0.0);
}

TEST(BondPrice, BetweenCouponsGrowsByPartPeriodAndSplitsOffAccruedInterest) {
  // Half a period (91 of 182 days) after the coupon.
  const PriceOutcome p = bondPrice(BondInputs{4.011996, 1.012001, 10, 8, true});
  ASSERT_EQ(p.error, error::kNone);
  EXPECT_NEAR(p.accrued, 2.0, 1e-12);
  EXPECT_NEAR(p.price + p.accrued, priceOnCouponDate(0.04, 0.05, 10) * std::sqrt(1.05), 1e-9);
}

TEST(BondPrice, ZeroYieldIsPricedAtTinyYield) {
  const PriceOutcome p = bondPrice(BondInputs{1.011996, 1.012001, 0, 8, true});
  ASSERT_EQ(p.error, error::kNone);
  // All ten coupons of 4 and the redemption, hardly discounted.
  EXPECT_NEAR(p.price, 140.0, 1e-3);
}

TEST(BondYield, RecoversTheYieldOfAPrice) {
  const YieldOutcome y =
      bondYield(BondInputs{1.011996, 1.012001, 0, 8, true}, priceOnCouponDate(0.04, 0.05, 10));
  ASSERT_TRUE(y.result.ok());
  // The walk quarters its step at each bracket: a few digits, not all.
  EXPECT_NEAR(y.result.value, 10.0, 1e-4);
  const YieldOutcome par = bondYield(BondInputs{4.011996, 1.012001, 0, 6, true}, 100.0);
  ASSERT_TRUE(par.result.ok());
  EXPECT_GT(par.result.value, 5.9);
  EXPECT_LT(par.result.value, 6.1);
}

TEST(BondYield, PriceAboveAllReachablePricesOrBadDatesFail) {
  EXPECT_EQ(bondYield(BondInputs{1.011996, 1.012001, 0, 8, true}, 200).result.error, error::kDate);
  EXPECT_EQ(bondYield(BondInputs{1.012001, 1.011996, 0, 8, true}, 90).result.error, error::kDate);
}

}  // namespace
}  // namespace finova::fin
