#include "calculator/core/financial/bonds.h"

#include <algorithm>
#include <cmath>

#include "calculator/core/financial/calendar.h"

namespace finova::fin {
namespace {

constexpr int kMaxCoupons = 1000;
// The yield search starts at 0.01 % and brackets within 2^60 of it either
// way (from about -200 % to astronomically high yields).
constexpr double kStartYield = 0.01;
constexpr int kBracketSteps = 60;

CouponSchedule scheduleError(int code) {
  CouponSchedule out;
  out.error = code;
  return out;
}

// The coupon date `halfYears` coupons before maturity. Each is counted from
// maturity itself (not from the previous coupon, which may have been moved
// to a month end): the maturity's day, or the last day of a shorter month;
// a bond maturing on the last day of its month pays on the last day of
// every coupon month (31 August: 28 or 29 February, 31 August).
CalendarDate couponBefore(const CalendarDate& maturity, int halfYears) {
  const bool monthEnd = maturity.day == daysInMonth(maturity.year, maturity.month);
  const int months = maturity.year * 12 + (maturity.month - 1) - 6 * halfYears;
  CalendarDate date;
  date.year = months >= 0 ? months / 12 : -((11 - months) / 12);
  date.month = months - date.year * 12 + 1;
  const int length = daysInMonth(date.year, date.month);
  date.day = monthEnd ? length : std::min(maturity.day, length);
  return date;
}

// (1 - v^-N) / y with v = 1 + y, without the loss of digits near y = 0.
double annuityFactor(double y, int coupons) {
  if (y == 0) return coupons;
  return -std::expm1(-coupons * std::log1p(y)) / y;
}

double priceAt(double y, double c, int coupons, double a) {
  const double v = 1.0 + y;
  const double discount = std::pow(v, -coupons);
  return (c * annuityFactor(y, coupons) + discount) * std::pow(v, a) * 100.0 - c * a * 100.0;
}

}  // namespace

CouponSchedule couponSchedule(double settlement, double maturity, bool monthFirst) {
  const auto settle = readDate(settlement, monthFirst);
  const auto mature = readDate(maturity, monthFirst);
  if (!settle || !mature) return scheduleError(error::kDate);
  const double settleDay = dayNumber(*settle);
  if (!(dayNumber(*mature) - settleDay > 0)) return scheduleError(error::kDate);
  CalendarDate next = *mature;
  CalendarDate coupon = *mature;
  CouponSchedule out;
  while (dayNumber(coupon) > settleDay) {
    if (++out.coupons > kMaxCoupons) return scheduleError(error::kDate);
    next = coupon;
    coupon = couponBefore(*mature, out.coupons);
    // Only the calendar's range rules can refuse a coupon date now.
    if (!isValidDate(coupon)) return scheduleError(error::kDate);
  }
  out.daysSinceCoupon = settleDay - dayNumber(coupon);
  out.daysInPeriod = dayNumber(next) - dayNumber(coupon);
  return out;
}

PriceOutcome bondPrice(const BondInputs& in) {
  PriceOutcome out;
  const CouponSchedule schedule = couponSchedule(in.settlement, in.maturity, in.monthFirst);
  if (schedule.error) {
    out.error = schedule.error;
    return out;
  }
  if (schedule.daysInPeriod == 0) {
    out.error = error::kMath;
    return out;
  }
  const double yield = in.yield == 0 ? kZeroYield : in.yield;
  const double c = in.coupon / 200.0;
  const double a = schedule.daysSinceCoupon / schedule.daysInPeriod;
  out.price = priceAt(yield / 200.0, c, schedule.coupons, a);
  out.accrued = c * 100.0 * a;
  if (std::isnan(out.price) || std::isnan(out.accrued)) out.error = error::kMath;
  return out;
}

YieldOutcome bondYield(BondInputs in, double targetPrice) {
  YieldOutcome out{failure(error::kDate), 0.0};
  in.yield = kStartYield;
  const PriceOutcome start = bondPrice(in);
  if (start.error) return out;
  const CouponSchedule schedule = couponSchedule(in.settlement, in.maturity, in.monthFirst);
  const double c = in.coupon / 200.0;
  const double a = schedule.daysSinceCoupon / schedule.daysInPeriod;
  // The price falls as v = 1 + y/200 grows from 0 (yield -200 %) to
  // infinity. Double v away from the start until the target is bracketed.
  const auto price = [&](double v) { return priceAt(v - 1.0, c, schedule.coupons, a); };
  double low = 1.0 + kStartYield / 200.0;
  double high = low;
  for (int k = 0; price(high) > targetPrice; ++k) {
    if (k == kBracketSteps) return out;
    low = high;
    high *= 2.0;
  }
  for (int k = 0; !(price(low) > targetPrice); ++k) {
    if (k == kBracketSteps) return out;
    high = low;
    low /= 2.0;
  }
  for (;;) {
    const double mid = low + (high - low) / 2;
    if (mid <= low || mid >= high) break;
    (price(mid) > targetPrice ? low : high) = mid;
  }
  const double yield = (high - 1.0) * 200.0;
  if (std::isnan(yield)) return out;
  out.lastTrial = yield;
  out.result = Outcome{yield, error::kNone};
  return out;
}

}  // namespace finova::fin
