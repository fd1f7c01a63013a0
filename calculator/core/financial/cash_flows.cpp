#include "calculator/core/financial/cash_flows.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace finova::fin {
namespace {

int lastFlow(const CashFlowInputs& in) {
  return static_cast<int>(in.n);
}

bool selected(double flow, FlowFilter filter) {
  switch (filter) {
    case FlowFilter::Positive:
      return flow > 0;
    case FlowFilter::Negative:
      return flow < 0;
    case FlowFilter::All:
      break;
  }
  return true;
}

}  // namespace

int checkCashFlows(const CashFlowInputs& in) {
  if (!(in.i > -100.0)) return error::kFinancial;
  if (!isWhole(in.n) || in.n < 0 || in.n > kMaxFlows - 1) return error::kCashFlow;
  for (int j = 0; j <= lastFlow(in); ++j) {
    if (in.counts[static_cast<std::size_t>(j)] > kMaxRepeat) return error::kCashFlow;
  }
  return error::kNone;
}

double discountedSum(const CashFlowInputs& in, double rate, FlowFilter filter) {
  double sum = 0.0;
  int t = 0;
  for (int j = 0; j <= lastFlow(in); ++j) {
    const double flow = in.flows[static_cast<std::size_t>(j)];
    const int count = in.counts[static_cast<std::size_t>(j)];
    for (int repeat = 0; repeat < count; ++repeat, ++t) {
      if (!selected(flow, filter)) continue;
      sum += t == 0 ? flow : flow / std::pow(1.0 + rate, t);
    }
  }
  return sum;
}

Outcome netPresentValue(const CashFlowInputs& in) {
  if (const int e = checkCashFlows(in)) return failure(e);
  return checked(discountedSum(in, in.i / 100.0, FlowFilter::All), error::kFinancial);
}

Outcome netFutureValue(const CashFlowInputs& in) {
  const Outcome npv = netPresentValue(in);
  if (!npv.ok()) return npv;
  return checked(npv.value * std::pow(1.0 + in.i / 100.0, in.n), error::kFinancial);
}

MirrOutcome modifiedInternalRate(const CashFlowInputs& in) {
  MirrOutcome out{failure(error::kFinancial), 0.0};
  if (const int e = checkCashFlows(in)) {
    out.result = failure(e);
    return out;
  }
  const double r = in.i / 100.0;
  const double a = discountedSum(in, r, FlowFilter::Negative);
  out.positivePresent = discountedSum(in, r, FlowFilter::Positive);
  // Without a negative flow or a period to grow over there is no rate.
  if (a == 0 || in.n == 0) return out;
  const double b = out.positivePresent * std::pow(1.0 + r, in.n);
  out.result = checked((std::pow(-b / a, 1.0 / in.n) - 1.0) * 100.0, error::kFinancial);
  return out;
}

namespace {

// The flows as one coefficient per occurrence: c[t] is the flow at period t.
struct Occurrences {
  std::array<double, kMaxFlows * kMaxRepeat + 1> c{};
  int count = 0;
};

Occurrences occurrencesOf(const CashFlowInputs& in) {
  Occurrences out;
  for (int j = 0; j <= lastFlow(in); ++j) {
    const int count = in.counts[static_cast<std::size_t>(j)];
    for (int repeat = 0; repeat < count; ++repeat) {
      out.c[static_cast<std::size_t>(out.count++)] = in.flows[static_cast<std::size_t>(j)];
    }
  }
  return out;
}

// One side of the rate axis, mapped onto u in (0, 1] so that the whole side
// is a finite interval and the present value a polynomial in u with the sign
// of the net present value:
//   rates from 0 up to infinity:  u = 1/(1+rate), NPV = sum c[t] u^t;
//   rates from 0 down to -100 %:  u = 1 + rate,   NPV * u^T = sum c[t] u^(T-t).
enum class Side { Above, Below };

double sideValue(const Occurrences& o, Side side, double u) {
  double sum = 0.0;
  if (side == Side::Above) {
    for (int t = o.count - 1; t >= 0; --t) sum = sum * u + o.c[static_cast<std::size_t>(t)];
  } else {
    for (int t = 0; t < o.count; ++t) sum = sum * u + o.c[static_cast<std::size_t>(t)];
  }
  return sum;
}

double rateAt(Side side, double u) {
  return side == Side::Above ? 1.0 / u - 1.0 : u - 1.0;
}

// The sign of the polynomial as u tends to 0: that of its lowest nonzero
// coefficient.
double limitSign(const Occurrences& o, Side side) {
  for (int k = 0; k < o.count; ++k) {
    const double c = o.c[static_cast<std::size_t>(side == Side::Above ? k : o.count - 1 - k)];
    if (c != 0) return c;
  }
  return 0.0;
}

bool opposite(double a, double b) {
  return (a < 0 && b > 0) || (a > 0 && b < 0);
}

// Halves [low, high] (values of opposite signs at the ends) down to adjacent
// doubles; the end with the smaller residual is the root.
double bisect(const Occurrences& o, Side side, double low, double high, double fLow) {
  double fHigh = -fLow;
  for (;;) {
    const double mid = low + (high - low) / 2;
    if (mid <= low || mid >= high) break;
    const double f = sideValue(o, side, mid);
    if (f == 0) return mid;
    if (opposite(f, fLow)) {
      high = mid;
      fHigh = f;
    } else {
      low = mid;
      fLow = f;
    }
  }
  return std::fabs(fLow) <= std::fabs(fHigh) ? low : high;
}

// Cells of the scan on each side. Two roots closer together than a cell
// (a quarter of a percent near 0) cancel each other out and are not seen.
constexpr int kScanCells = 400;

// The root of one side nearest to a rate of 0, if the side has one.
std::optional<double> nearestRoot(const Occurrences& o, Side side, double atZero) {
  double previousU = 1.0;
  double previous = atZero;
  for (int k = 1; k <= kScanCells; ++k) {
    const double u = 1.0 - static_cast<double>(k) / kScanCells;
    const double value = k == kScanCells ? limitSign(o, side) : sideValue(o, side, u);
    if (value == 0 && k < kScanCells) return rateAt(side, u);
    if (opposite(value, previous)) {
      const double root = bisect(o, side, std::max(u, 0.0), previousU, value);
      // A root at u = 0 would be an infinite rate (only reachable when the
      // last cell holds it and no double separates it from 0).
      if (root > 0) return rateAt(side, root);
      return std::nullopt;
    }
    previousU = u;
    previous = value;
  }
  return std::nullopt;
}

}  // namespace

Outcome internalRate(const CashFlowInputs& in) {
  if (const int e = checkCashFlows(in)) return failure(e);
  const Occurrences o = occurrencesOf(in);
  bool positive = false;
  bool negative = false;
  for (int t = 0; t < o.count; ++t) {
    const double c = o.c[static_cast<std::size_t>(t)];
    if (!std::isfinite(c)) return failure(error::kFinancial);
    positive = positive || c > 0;
    negative = negative || c < 0;
  }
  // Without a change of sign the present value never reaches 0.
  if (!positive || !negative) return failure(error::kFinancial);
  const double atZero = sideValue(o, Side::Above, 1.0);
  if (atZero == 0) return Outcome{0.0, error::kNone};
  // As the walk of the original: upwards from 0 while the sum is positive,
  // downwards while it is negative; then the other side.
  const Side first = atZero > 0 ? Side::Above : Side::Below;
  const Side second = first == Side::Above ? Side::Below : Side::Above;
  std::optional<double> rate = nearestRoot(o, first, atZero);
  if (!rate) rate = nearestRoot(o, second, atZero);
  if (!rate) return failure(error::kFinancial);
  return Outcome{*rate * 100.0, error::kNone};
}

}  // namespace finova::fin
