#include "calculator/core/financial/tvm.h"

#include <cmath>
#include <limits>

namespace finova::fin {
namespace {

constexpr int kRateEvaluations = 50;
constexpr double kHighestRate = 400.0;  // percent per period
constexpr double kWholePeriodSlack = 0.005;

double rateOf(const TvmInputs& in) {
  return in.i / 100.0;
}
double wholePart(double n) {
  return std::trunc(n);
}
double oddPart(double n) {
  return n - std::trunc(n);
}
Outcome financialError() {
  return failure(error::kFinancial);
}

// Where the rate search starts and which way it walks, from the residual
// just above zero (F1 at 0.0001 %, F2 at 0.0002 %).
struct SearchStart {
  double rate;
  double step;
};
SearchStart searchStart(double f1, double f2) {
  if (f1 < 0 && f2 < 0) return f1 <= f2 ? SearchStart{0.1, 10.0} : SearchStart{-0.1, -10.0};
  if (f1 <= 0 || f2 <= 0) return {0.1, 1.0};
  return f1 <= f2 ? SearchStart{-0.1, -10.0} : SearchStart{0.1, 10.0};
}

double residualAt(TvmInputs in, double rate) {
  in.i = rate;
  const Outcome f = residual(in);
  return f.ok() ? f.value : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

Outcome paymentTerm(const TvmInputs& in) {
  if (in.i == 0) return financialError();
  const double r = rateOf(in);
  const double s = in.begin ? 1.0 : 0.0;
  const double k = wholePart(in.n);
  return checked(in.pmt * (1.0 - std::pow(1.0 + r, -k)) / r * (1.0 + r * s), error::kFinancial);
}

Outcome futureValueTerm(const TvmInputs& in) {
  return checked(in.fv * std::pow(1.0 + rateOf(in), -wholePart(in.n)), error::kFinancial);
}

Outcome presentValueTerm(const TvmInputs& in) {
  const double f = oddPart(in.n);
  if (f == 0) return checked(in.pv, error::kFinancial);
  const double r = rateOf(in);
  const double growth = in.compoundOdd ? std::pow(1.0 + r, f) : 1.0 + r * f;
  return checked(in.pv * growth, error::kFinancial);
}

Outcome residual(const TvmInputs& in) {
  const Outcome pvTerm = presentValueTerm(in);
  const Outcome pmtTerm = paymentTerm(in);
  const Outcome fvTerm = futureValueTerm(in);
  if (!pvTerm.ok() || !pmtTerm.ok() || !fvTerm.ok()) return financialError();
  return checked(pvTerm.value + pmtTerm.value + fvTerm.value, error::kFinancial);
}

Outcome solvePV(const TvmInputs& in) {
  if (!(in.i > -100.0)) return financialError();
  const Outcome pmtTerm = paymentTerm(in);
  const Outcome fvTerm = futureValueTerm(in);
  if (!pmtTerm.ok() || !fvTerm.ok()) return financialError();
  double x = -pmtTerm.value - fvTerm.value;
  const double f = oddPart(in.n);
  if (f != 0) {
    const double r = rateOf(in);
    const double divisor = in.compoundOdd ? std::pow(1.0 + r, f) : 1.0 + r * f;
    if (divisor == 0) return financialError();
    x /= divisor;
  }
  return checked(x, error::kFinancial);
}

Outcome solveFV(const TvmInputs& in) {
  if (!(in.i > -100.0)) return financialError();
  const Outcome pvTerm = presentValueTerm(in);
  const Outcome pmtTerm = paymentTerm(in);
  if (!pvTerm.ok() || !pmtTerm.ok()) return financialError();
  const double d = std::pow(1.0 + rateOf(in), -wholePart(in.n));
  if (d == 0) return financialError();
  return checked(-(pvTerm.value + pmtTerm.value) / d, error::kFinancial);
}

Outcome solvePMT(const TvmInputs& in) {
  if (in.i == 0 || in.n == 0 || in.i < -100.0) return financialError();
  const Outcome pvTerm = presentValueTerm(in);
  const Outcome fvTerm = futureValueTerm(in);
  TvmInputs unit = in;
  unit.pmt = 1.0;
  const Outcome perPayment = paymentTerm(unit);
  if (!pvTerm.ok() || !fvTerm.ok() || !perPayment.ok()) return financialError();
  // Less than one whole period leaves no payment to solve for.
  if (perPayment.value == 0) return financialError();
  return checked(-(pvTerm.value + fvTerm.value) / perPayment.value, error::kFinancial);
}

Outcome solveN(const TvmInputs& in) {
  if (in.i == 0 || !(in.i > -100.0)) return financialError();
  const double r = rateOf(in);
  double c = in.pmt / r;
  if (in.begin) c *= 1.0 + r;
  const double d = in.fv - c;
  if (d == 0) return financialError();
  const double q = (-in.pv - c) / d;
  if (!(q > 0)) return financialError();
  const double logGrowth = std::log(1.0 + r);
  if (logGrowth == 0 || !std::isfinite(logGrowth)) return financialError();
  const double n = -std::log(q) / logGrowth;
  if (!std::isfinite(n)) return financialError();
  double whole = std::trunc(n);
  if (n - whole > kWholePeriodSlack) whole += 1.0;
  return Outcome{whole, error::kNone};
}

RateOutcome solveI(const TvmInputs& in) {
  RateOutcome out{financialError(), std::numeric_limits<double>::quiet_NaN()};
  if (in.pmt == 0 && in.n < 0) return out;
  const bool sameSign =
      (in.pv > 0 && in.fv > 0) || (in.pv < 0 && in.fv < 0) || (in.pv == 0 && in.fv == 0);
  if (sameSign || std::isnan(in.pv) || std::isnan(in.fv)) return out;
  auto [rate, step] = searchStart(residualAt(in, 0.0001), residualAt(in, 0.0002));
  double previous = 0.0;
  for (int evaluation = 0; evaluation < kRateEvaluations; ++evaluation) {
    const double f = residualAt(in, rate);
    if (std::isnan(f)) return out;
    if (f == 0) break;
    if (previous == 0) {
      rate += step;
      previous = f;
    } else if ((previous > 0 && f < 0) || (previous < 0 && f > 0)) {
      rate -= step;
      step /= 10.0;
    } else {
      rate += step;
      previous = f;
    }
  }
  out.lastTrial = rate;
  if (rate > kHighestRate) return out;
  out.result = Outcome{rate, error::kNone};
  return out;
}

double singlePaymentPresentValue(double n, double i) {
  return std::pow(1.0 + i / 100.0, -n);
}

double singlePaymentFutureValue(double n, double i) {
  return std::pow(1.0 + i / 100.0, n);
}

double uniformSeriesPresentValue(double n, double i) {
  if (i == 0) return n;
  const double r = i / 100.0;
  return (1.0 - std::pow(1.0 + r, -n)) / r;
}

double uniformSeriesFutureValue(double n, double i) {
  if (i == 0) return n;
  const double r = i / 100.0;
  return (std::pow(1.0 + r, n) - 1.0) / r;
}

Outcome advancePayment(const TvmInputs& in, double advance) {
  if (!isWhole(advance) || in.i == 0 || in.n == 0 || in.i < -100.0) return financialError();
  const double r = rateOf(in);
  const double divisor = advance + (1.0 - std::pow(1.0 + r, -(in.n - advance))) / r;
  if (divisor == 0) return financialError();
  return checked((-in.pv - in.fv * std::pow(1.0 + r, -in.n)) / divisor, error::kFinancial);
}

}  // namespace finova::fin
