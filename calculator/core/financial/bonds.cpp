#include "calculator/core/financial/bonds.h"

#include <cmath>

#include "calculator/core/financial/calendar.h"

namespace finova::fin {
namespace {

constexpr int kMaxCoupons = 1000;
constexpr int kYieldRounds = 31;

CouponSchedule scheduleError(int code) {
  CouponSchedule out;
  out.error = code;
  return out;
}

CalendarDate sixMonthsEarlier(CalendarDate date) {
  if (date.month <= 6) {
    date.month += 6;
    date.year -= 1;
  } else {
    date.month -= 6;
  }
  return date;
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
    coupon = sixMonthsEarlier(coupon);
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
  const double y = yield / 200.0;
  const double c = in.coupon / 200.0;
  const double v = 1.0 + y;
  const double a = schedule.daysSinceCoupon / schedule.daysInPeriod;
  const double discount = std::pow(v, -schedule.coupons);
  out.price = (c * (1.0 - discount) / y + discount) * std::pow(v, a) * 100.0 - c * a * 100.0;
  out.accrued = c * 100.0 * a;
  if (std::isnan(out.price) || std::isnan(out.accrued)) out.error = error::kMath;
  return out;
}

YieldOutcome bondYield(BondInputs in, double targetPrice) {
  YieldOutcome out{failure(error::kDate), 0.0};
  double y = 0.01;
  double step = 2.0;
  for (int round = 1; round <= kYieldRounds; ++round) {
    in.yield = y;
    out.lastTrial = y;
    const PriceOutcome priced = bondPrice(in);
    if (priced.error) return out;
    if (priced.price <= targetPrice) {
      if (round == 1) return out;
      y -= step;
      step /= 4.0;
      y += step;
    } else {
      y += step;
    }
  }
  out.result = Outcome{y, error::kNone};
  return out;
}

}  // namespace finova::fin
