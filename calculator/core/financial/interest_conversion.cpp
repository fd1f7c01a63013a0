#include "calculator/core/financial/interest_conversion.h"

#include <cmath>

#include "calculator/core/financial/tvm.h"

namespace finova::fin {

Outcome effectiveRate(double nominal, double periods) {
  if (periods == 0) return checked((std::exp(nominal / 100.0) - 1.0) * 100.0, error::kFinancial);
  const double growth = std::pow(1.0 + nominal / (100.0 * periods), periods);
  return checked((growth - 1.0) * 100.0, error::kFinancial);
}

Outcome nominalRate(double effective, double periods, bool begin, bool compoundOdd) {
  if (periods == 0) {
    if (!(effective > -100.0)) return failure(error::kFinancial);
    return checked(std::log(1.0 + effective / 100.0) * 100.0, error::kFinancial);
  }
  TvmInputs in;
  in.n = periods;
  in.pv = 100.0;
  in.pmt = 0.0;
  in.fv = -(100.0 + effective);
  in.begin = begin;
  in.compoundOdd = compoundOdd;
  const RateOutcome rate = solveI(in);
  if (!rate.result.ok()) return rate.result;
  return checked(periods * rate.result.value, error::kFinancial);
}

}  // namespace finova::fin
