#include "calculator/core/financial/depreciation.h"

#include <cmath>

namespace finova::fin {
namespace {

DepreciationOutcome refused() {
  DepreciationOutcome out;
  out.error = error::kFinancial;
  return out;
}

bool yearRefused(const AssetInputs& in, double year) {
  return !isWhole(year) || year < 0 || in.life == 0 || std::isnan(in.life);
}

bool pastLife(const AssetInputs& in, double year) {
  return year >= in.life + 1;
}

DepreciationOutcome finished(DepreciationOutcome out) {
  if (std::isnan(out.depreciation) || std::isnan(out.remaining)) return refused();
  return out;
}

}  // namespace

DepreciationOutcome straightLine(const AssetInputs& in, double year) {
  if (yearRefused(in, year)) return refused();
  DepreciationOutcome out;
  if (pastLife(in, year)) return out;
  const double base = in.cost - in.salvage;
  out.depreciation = base / in.life;
  out.remaining = base - out.depreciation * year;
  if (out.remaining < 0) {
    out.depreciation += out.remaining;
    out.remaining = 0;
  }
  return finished(out);
}

DepreciationOutcome sumOfYearsDigits(const AssetInputs& in, double year) {
  if (yearRefused(in, year) || year > kMaxDepreciationYear) return refused();
  DepreciationOutcome out;
  if (pastLife(in, year)) return out;
  const double whole = std::trunc(in.life);
  const double fraction = in.life - whole;
  const double digitSum = (1.0 + whole) * (2.0 * fraction + whole) / 2.0;
  const double base = in.cost - in.salvage;
  out.remaining = base;
  const int years = static_cast<int>(year);
  for (int y = 1; y <= years; ++y) {
    out.depreciation = base * (in.life - y + 1) / digitSum;
    out.remaining -= out.depreciation;
    if (out.remaining < 1) {
      out.depreciation += out.remaining;
      out.remaining = 0;
    }
  }
  return finished(out);
}

DepreciationOutcome decliningBalance(const AssetInputs& in, double year) {
  if (yearRefused(in, year) || !(in.life > 0) || year > kMaxDepreciationYear) return refused();
  DepreciationOutcome out;
  if (pastLife(in, year)) return out;
  double book = in.cost;
  const int years = static_cast<int>(year);
  for (int y = 1; y <= years; ++y) {
    out.depreciation = in.factor * book / (in.life * 100.0);
    book -= out.depreciation;
    if (book - in.salvage < 0) {
      out.depreciation = book + out.depreciation - in.salvage;
      book = in.salvage;
    }
  }
  out.remaining = book - in.salvage;
  if (year >= in.life) {
    out.depreciation += out.remaining;
    out.remaining = 0;
  }
  return finished(out);
}

}  // namespace finova::fin
