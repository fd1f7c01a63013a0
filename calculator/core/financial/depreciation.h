#pragma once
// Depreciation of an asset of cost PV, salvage value FV and a life of n
// years, for the year j: straight line, sum of the years' digits and
// declining balance (i is the declining factor in percent, 200 for double
// declining). Each gives the year's depreciation and the depreciable value
// that remains after it; for j >= n + 1 both are 0.
//
// j must be a whole number of at least 0 and n non-zero (error 6). The
// year-by-year methods walk at most kMaxDepreciationYear years; a later year
// is refused with error 6 rather than stalling the calculator.

#include "calculator/core/financial/outcome.h"

namespace finova::fin {

struct AssetInputs {
  double cost = 0.0;     // PV
  double salvage = 0.0;  // FV
  double life = 0.0;     // n, years
  double factor = 0.0;   // i, declining-balance factor in percent
};

struct DepreciationOutcome {
  double depreciation = 0.0;
  double remaining = 0.0;
  int error = error::kNone;
};

inline constexpr double kMaxDepreciationYear = 1000000;

DepreciationOutcome straightLine(const AssetInputs& in, double year);
// Stops as soon as the remaining value drops below 1 (not 0): that year takes
// the rest.
DepreciationOutcome sumOfYearsDigits(const AssetInputs& in, double year);
DepreciationOutcome decliningBalance(const AssetInputs& in, double year);

}  // namespace finova::fin
