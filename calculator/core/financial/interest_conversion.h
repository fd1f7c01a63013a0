#pragma once
// Conversion between a nominal annual rate (NOM%) and the effective annual
// rate (EFF%) for P compounding periods a year; P = 0 means continuous
// compounding. Example: 12 % nominal compounded monthly is 12.6825 %
// effective.

#include "calculator/core/financial/outcome.h"

namespace finova::fin {

Outcome effectiveRate(double nominal, double periods);

// For P > 0 the rate is found by the rate search of the time-value relation
// (n = P, PV = 100, PMT = 0, FV = -(100 + EFF%)), so it carries that search's
// precision; the search's failure is the financial error (6).
Outcome nominalRate(double effective, double periods, bool begin, bool compoundOdd);

}  // namespace finova::fin
