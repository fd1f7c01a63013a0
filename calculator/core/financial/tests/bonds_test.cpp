// Checks the coupon schedule against hand-counted days and the bond price
// and yield against the textbook price of a 5-year 8 % bond at 10 %.
#include "calculator/core/financial/bonds.h"

#include <gtest/gtest.h>

#include <chrono>
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
  EXPECT_NEAR(y.result.value, 10.0, 1e-11);
  EXPECT_EQ(y.lastTrial, y.result.value);
  const YieldOutcome par = bondYield(BondInputs{4.011996, 1.012001, 0, 6, true}, 100.0);
  ASSERT_TRUE(par.result.ok());
  EXPECT_GT(par.result.value, 5.9);
  EXPECT_LT(par.result.value, 6.1);
}

TEST(BondYield, PricesAboveTheUndiscountedSumHaveNegativeYields) {
  // A zero-coupon bond two years (four half years) from maturity, bought at
  // 105: 100 / v^4 = 105, yield = (v - 1) * 200.
  const YieldOutcome zero = bondYield(BondInputs{1.012024, 1.012026, 0, 0, true}, 105);
  ASSERT_TRUE(zero.result.ok());
  EXPECT_NEAR(zero.result.value, (std::pow(100.0 / 105.0, 0.25) - 1.0) * 200.0, 1e-11);
  // 8 % coupons priced at 200 (more than the 140 they pay back undiscounted).
  const YieldOutcome rich = bondYield(BondInputs{1.011996, 1.012001, 0, 8, true}, 200);
  ASSERT_TRUE(rich.result.ok());
  EXPECT_LT(rich.result.value, 0.0);
  EXPECT_NEAR(bondPrice(BondInputs{1.011996, 1.012001, rich.result.value, 8, true}).price, 200.0,
              1e-9);
}

TEST(BondYield, UnreachablePricesOrBadDatesFail) {
  // No yield brings the price to or below minus the accrued interest.
  EXPECT_EQ(bondYield(BondInputs{4.011996, 1.012001, 0, 8, true}, -2).result.error, error::kDate);
  EXPECT_EQ(bondYield(BondInputs{1.012001, 1.011996, 0, 8, true}, 90).result.error, error::kDate);
}

// The end-of-month rule against a textbook price: the coupon dates written
// out by hand, days counted with the standard library's calendar, the
// dirty price as the sum of each payment discounted over (k - 1 + w) half
// years, w the part of the current half year still to run.
struct Ymd {
  int y;
  unsigned m;
  unsigned d;
};
double daysFrom(Ymd a, Ymd b) {
  using namespace std::chrono;
  const sys_days from{year{a.y} / month{a.m} / day{a.d}};
  const sys_days to{year{b.y} / month{b.m} / day{b.d}};
  return static_cast<double>((to - from).count());
}
double textbookPrice(Ymd previous, Ymd settlement, Ymd next, int coupons, double yield,
                     double rate) {
  const double w = daysFrom(settlement, next) / daysFrom(previous, next);
  const double v = 1.0 + yield / 200.0;
  const double c = rate / 2.0;
  double dirty = 0.0;
  for (int k = 1; k <= coupons; ++k) dirty += c / std::pow(v, k - 1 + w);
  dirty += 100.0 / std::pow(v, coupons - 1 + w);
  return dirty - c * (1.0 - w);
}

TEST(BondPrice, MonthEndMaturitiesPayOnTheLastDayOfShorterMonths) {
  struct Case {
    double settlement, maturity;
    Ymd previous, settled, next;
    int coupons;
  };
  const Case cases[] = {
      // 31 August: coupons on 28/29 February and 31 August.
      {3.152026, 8.312030, {2026, 2, 28}, {2026, 3, 15}, {2026, 8, 31}, 9},
      // 30 August (not a month end): 28/29 February and 30 August.
      {9.152026, 8.302030, {2026, 8, 30}, {2026, 9, 15}, {2027, 2, 28}, 8},
      // 31 December: 30 June and 31 December.
      {1.152026, 12.312030, {2025, 12, 31}, {2026, 1, 15}, {2026, 6, 30}, 10},
      // 30 November, a month end: 31 May and 30 November.
      {1.152026, 11.302028, {2025, 11, 30}, {2026, 1, 15}, {2026, 5, 31}, 6},
      // 29 August in a leap February year.
      {3.012027, 8.292028, {2027, 2, 28}, {2027, 3, 1}, {2027, 8, 29}, 3},
  };
  for (const Case& c : cases) {
    const CouponSchedule s = couponSchedule(c.settlement, c.maturity, true);
    ASSERT_EQ(s.error, error::kNone) << c.maturity;
    EXPECT_EQ(s.coupons, c.coupons) << c.maturity;
    EXPECT_EQ(s.daysSinceCoupon, daysFrom(c.previous, c.settled)) << c.maturity;
    EXPECT_EQ(s.daysInPeriod, daysFrom(c.previous, c.next)) << c.maturity;
    const PriceOutcome p = bondPrice(BondInputs{c.settlement, c.maturity, 6.5, 7, true});
    ASSERT_EQ(p.error, error::kNone) << c.maturity;
    EXPECT_NEAR(p.price, textbookPrice(c.previous, c.settled, c.next, c.coupons, 6.5, 7), 1e-9)
        << c.maturity;
    const YieldOutcome y = bondYield(BondInputs{c.settlement, c.maturity, 0, 7, true}, p.price);
    EXPECT_NEAR(y.result.value, 6.5, 1e-10) << c.maturity;
  }
}

}  // namespace
}  // namespace finova::fin
