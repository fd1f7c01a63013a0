#pragma once
// Bonds with semiannual coupons and actual-day counting: the coupon schedule
// between settlement and maturity, the price for a yield and the yield for a
// price. Dates are date numbers in the current date order (calendar.h).
//
// Coupon dates step back from maturity six months at a time, keeping the
// day where the month has it and using the month's last day where it does
// not; a bond maturing on a month's last day pays on the last day of each
// coupon month (end-of-month rule). A settlement on or after maturity or a
// schedule of more than 1000 coupons is a date error.

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
// The yield whose price is the target, to full double precision, negative
// yields included (down to -200 %, where the price grows without bound).
// Error 9 when a price fails or no yield gives the target (a target at or
// below minus the accrued interest, which only infinite yields approach).
YieldOutcome bondYield(BondInputs in, double targetPrice);

}  // namespace finova::fin
