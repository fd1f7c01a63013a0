#include "calculator/core/operation_table.h"

#include <cmath>
#include <cstdlib>

#include "calculator/core/number_format.h"

namespace finova {
namespace {

bool setsLastXFirst(KeyCode code) {
  return code == key::kEstX || code == key::kEstY || code == key::kDdys || code == key::kDate;
}

bool keepsStackLift(KeyCode code) {
  return code == key::kInt || (code >= key::kSPPV && code <= key::kUSFV);
}

}  // namespace

void OperationTable::setResult(double value, bool saveLastX) {
  if (std::isnan(value)) {
    m_error = error::kMath;
    return;
  }
  if (saveLastX) m_regs.LSTX = m_regs.working;
  m_regs.X = value;
  m_regs.stackLift = true;
}

int OperationTable::run(KeyCode code, int decimals, KeyCode lastKey, RoutineOutput& out) {
  m_decimals = decimals;
  m_lastKey = lastKey;
  m_error = error::kNone;
  if (runArithmetic(code) || runFunction(code) || runStackOrClear(code) || runStatistics(code)) {
    return m_error;
  }
  switch (code) {
    case key::kMem:
    case key::kUnused66:
    case key::kUnused67:
    case key::kUnused103:
      break;
    case key::kDMY:
    case key::kMDY:
      m_regs.dateOrderMDY = code == key::kMDY;
      break;
    default:
      runRoutine(code, out);
      break;
  }
  return m_error;
}

// + - * / and Y^X: x = Y op x, drop, X = x. Y^X gives Y^0 = 1 and 0^x = 0
// for x > 0; 0 to a negative power and a negative Y with a fractional x have
// no real value: error 1, as any result that is not a number.
bool OperationTable::runArithmetic(KeyCode code) {
  EngineRegisters& r = m_regs;
  const double x = r.working;
  const double y = r.Y;
  bool valid = true;
  double result = 0.0;
  switch (code) {
    case key::kPlus:
      result = y + x;
      break;
    case key::kMinus:
      result = y - x;
      break;
    case key::kTimes:
      result = y * x;
      break;
    case key::kDivide:
      valid = x != 0.0;
      result = valid ? y / x : 0.0;
      break;
    case key::kPower:
      valid = !(y == 0.0 && x < 0.0) && !(y < 0.0 && x != std::trunc(x));
      result = valid ? std::pow(y, x) : 0.0;
      break;
    default:
      return false;
  }
  if (!valid || std::isnan(result)) {
    m_error = error::kMath;
    return true;
  }
  r.LSTX = x;
  r.working = result;
  r.drop();
  r.X = result;
  r.stackLift = true;
  return true;
}

void OperationTable::setChecked(bool valid, double value) {
  if (!valid) {
    m_error = error::kMath;
    return;
  }
  setResult(value, true);
}

bool OperationTable::runFunction(KeyCode code) {
  const double x = m_regs.working;
  const double y = m_regs.Y;
  switch (code) {
    case key::kExp:
      setResult(std::exp(x), true);
      break;
    case key::kSqrt:
      setChecked(x >= 0.0, x >= 0.0 ? std::sqrt(x) : 0.0);
      break;
    case key::kSquare:
      setResult(x * x, true);
      break;
    case key::kLn:
      setChecked(x > 0.0, x > 0.0 ? std::log(x) : 0.0);
      break;
    case key::kLog:
      setChecked(x > 0.0, x > 0.0 ? std::log10(x) : 0.0);
      break;
    case key::kTenPower:
      setResult(std::pow(10.0, x), true);
      break;
    case key::kFrac:
      setResult(x - std::trunc(x), true);
      break;
    case key::kIntg:
      setResult(std::trunc(x), true);
      break;
    case key::kReciprocal: {
      const bool lift = m_regs.stackLift;  // 1/X leaves the stack lift as it was
      setChecked(x != 0.0, x != 0.0 ? 1.0 / x : 0.0);
      m_regs.stackLift = lift;
      break;
    }
    case key::kFactorial:
      runFactorial();
      break;
    case key::kPercent:
      setResult(y * x / 100.0, true);
      break;
    case key::kPercentDiff:
      setChecked(y != 0.0, y != 0.0 ? (x - y) / y * 100.0 : 0.0);
      break;
    case key::kPercentTotal:
      runPercentTotal();
      break;
    case key::kRnd:
      setResult(std::strtod(formatUngrouped(x, m_decimals).c_str(), nullptr), false);
      break;
    default:
      return false;
  }
  return true;
}

// N!: whole numbers 0..69 only; a negative whole number is refused too.
void OperationTable::runFactorial() {
  const double x = m_regs.working;
  if (x != std::trunc(x) || x > 69.0 || x < 0.0) {
    m_error = error::kMath;
    return;
  }
  double product = 1.0;
  for (int k = 2; k <= static_cast<int>(x); ++k) product *= k;
  setResult(product, true);
}

// %TOT right after CLX divides by the total of the previous %TOT.
void OperationTable::runPercentTotal() {
  EngineRegisters& r = m_regs;
  const double x = r.working;
  if (!r.stackLift && m_lastKey == key::kClx) {
    if (r.PercentTotal == 0.0) {
      m_error = error::kMath;
      return;
    }
    setResult(x / r.PercentTotal * 100.0, true);
    return;
  }
  if (r.Y == 0.0) {
    m_error = error::kMath;
    return;
  }
  const double total = r.Y;
  setResult(x / total * 100.0, true);
  if (m_error == error::kNone) r.PercentTotal = total;
}

bool OperationTable::runStackOrClear(KeyCode code) {
  EngineRegisters& r = m_regs;
  const double x = r.working;
  switch (code) {
    case key::kClx:
      r.X = 0.0;
      r.stackLift = false;
      return true;
    case key::kEnter:
      r.X = x;
      r.push();
      r.stackLift = false;
      return true;
    case key::kSwap:
      r.X = r.Y;
      r.Y = x;
      r.stackLift = true;
      return true;
    case key::kRollDown:
      r.X = r.Y;
      r.Y = r.Z;
      r.Z = r.T;
      r.T = x;
      r.stackLift = true;
      return true;
    case key::kRandom:
    case key::kPi:
    case key::kLastX:
      pushConstant(code);
      return true;
    default:
      return runClear(code);
  }
}

// RAN#, PI and LSTX: X = x, push when the lift is on, then the new value.
void OperationTable::pushConstant(KeyCode code) {
  EngineRegisters& r = m_regs;
  double value = r.LSTX;
  if (code == key::kPi) {
    r.LSTX = r.working;
    value = 3.141592653589793;
  } else if (code == key::kRandom) {
    m_seed = m_seed * 214013u + 2531011u;
    const double raw = static_cast<double>((m_seed >> 16) & 32767u);
    double scale = 1.0;
    while (raw / scale > 1.0) scale *= 10.0;
    value = raw / scale;
  }
  r.X = r.working;
  if (r.stackLift) r.push();
  r.X = value;
  r.stackLift = true;
}

bool OperationTable::runClear(KeyCode code) {
  EngineRegisters& r = m_regs;
  switch (code) {
    case key::kClearSum:
      for (int k = reg::kStatN; k <= reg::kSumXY; ++k) r.R[static_cast<std::size_t>(k)] = 0.0;
      r.X = r.Y = r.Z = 0.0;
      r.working = 0.0;
      return true;
    case key::kClearFin:
      for (int k = reg::kPV; k < reg::kCount; ++k) r.R[static_cast<std::size_t>(k)] = 0.0;
      r.stackLift = true;
      return true;
    case key::kClearReg: {
      // All numbers back to their state at start; the flags stay.
      EngineRegisters cleared;
      cleared.stackLift = r.stackLift;
      cleared.endMode = r.endMode;
      cleared.dateOrderMDY = r.dateOrderMDY;
      cleared.compoundOddPeriod = r.compoundOddPeriod;
      r = cleared;
      return true;
    }
    default:
      return false;
  }
}

bool OperationTable::runStatistics(KeyCode code) {
  EngineRegisters& r = m_regs;
  const double x = r.working;
  auto R = [&r](int index) -> double& { return r.R[static_cast<std::size_t>(index)]; };
  switch (code) {
    case key::kSumPlus:
    case key::kSumMinus: {
      const double sign = code == key::kSumPlus ? 1.0 : -1.0;
      r.LSTX = x;
      R(reg::kStatN) += sign;
      R(reg::kSumX) += sign * x;
      R(reg::kSumX2) += sign * x * x;
      R(reg::kSumY) += sign * r.Y;
      R(reg::kSumY2) += sign * r.Y * r.Y;
      R(reg::kSumXY) += sign * r.Y * x;
      r.X = R(reg::kStatN);
      r.stackLift = false;
      return true;
    }
    case key::kMean:
      if (R(reg::kStatN) == 0.0) {
        m_error = error::kStatistics;
        return true;
      }
      r.X = R(reg::kSumX) / R(reg::kStatN);
      r.Y = R(reg::kSumY) / R(reg::kStatN);
      r.stackLift = true;
      return true;
    default:
      return false;
  }
}

void OperationTable::runRoutine(KeyCode code, RoutineOutput& out) {
  EngineRegisters& r = m_regs;
  const double x = r.working;
  const double lastX = r.LSTX;
  if (setsLastXFirst(code)) r.LSTX = x;
  RoutineRegisters view(r);
  const int failure = m_routines->run(code, view, out);
  if (failure != error::kNone) {
    r.LSTX = lastX;
    m_error = failure;
    return;
  }
  if (code == key::kAdvp) r.LSTX = x;
  if (!keepsStackLift(code)) r.stackLift = true;
}

}  // namespace finova
