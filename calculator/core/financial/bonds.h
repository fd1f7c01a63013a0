#pragma once
// Bonds with semiannual coupons and actual-day counting: the coupon schedule
// between settlement and maturity, the price for a yield and the yield for a
// price. Dates are date numbers in the current date order (calendar.h).
//
// Coupon dates step back from maturity six months at a time, keeping the
// day; a stepped date that does not exist (31 August back to 31 February) is
// a date error, as is a settlement on or after maturity or a schedule of
// more than 1000 coupons.

#include "calculator/core/financial/outcome.h"

namespace finova::fin {

struct CouponSchedule {
  int coupons = 0;             // N: coupon dates after settlement up to maturity
  double daysSinceCoupon = 0;  // A: last coupon date on or before settlement to settlement
  double daysInPeriod = 0;     // E: that coupon date to the next one
  int error = error::kNone;
};

CouponSchedule couponSchedule(double settlement, double maturity, bool monthFirst);

// The yield used for a price when i is 0 (PRICE also leaves it in i).
inline constexpr double kZeroYield = 0.000001;

struct BondInputs {
  double settlement = 0.0;  // a date number (Y)
  double maturity = 0.0;    // a date number (x)
  double yield = 0.0;       // annual yield in percent (i); 0 counts as 0.000001
  double coupon = 0.0;      // annual coupon rate in percent (PMT)
  bool monthFirst = true;
};

struct PriceOutcome {
  double price = 0.0;    // per 100 of face value, without accrued interest
  double accrued = 0.0;  // accrued interest per 100
  int error = error::kNone;
};

// Error 1 when the coupon period has no days; date errors from the schedule.
PriceOutcome bondPrice(const BondInputs& in);

struct YieldOutcome {
  Outcome result;          // the yield in percent
  double lastTrial = 0.0;  // the last yield priced (left in i)
};
// Walks the yield from 0.01 % in steps of 2 % and, once the price falls to
// the target, back with the step quartered, 31 prices in all. Error 9 when
// the target is not below the price at 0.01 % or a price fails.
YieldOutcome bondYield(BondInputs in, double targetPrice);

}  // namespace finova::fin
