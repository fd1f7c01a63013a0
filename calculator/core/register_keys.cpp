#include "calculator/core/register_keys.h"

#include <cmath>

namespace finova {
namespace {

bool isWhole(double value) {
  return value == std::trunc(value);
}

}  // namespace

// First press: store x (12* and 12/ convert it first); X shows the value.
int RegisterKeys::firstPress(KeyCode code) {
  m_error = error::kNone;
  EngineRegisters& r = m_regs;
  r.X = r.working;
  r.stackLift = false;
  double value = r.working;
  if (code == key::kTimes12) value *= 12.0;
  if (code == key::kDiv12) {
    if (value == 0.0) return error::kMath;
    value /= 12.0;
  }
  if (double* target = firstPressTarget(code)) {
    *target = value;
  } else if (code == key::kMarkupCost || code == key::kMarkupPrice) {
    storeMarkup(code);
  } else {
    storeCashFlow(code);
  }
  if (m_error != error::kNone) return m_error;
  r.working = value;
  r.X = value;
  return error::kNone;
}

// The register a first press stores into; null for markup and cash flows.
double* RegisterKeys::firstPressTarget(KeyCode code) {
  EngineRegisters& r = m_regs;
  switch (code) {
    case key::kPV:
      return &r.PV();
    case key::kFV:
      return &r.FV();
    case key::kN:
    case key::kTimes12:
      return &r.n();
    case key::kPMT:
      return &r.PMT();
    case key::kI:
    case key::kDiv12:
      return &r.i();
    case key::kNom:
      return &r.R[reg::kNom];
    case key::kEff:
      return &r.R[reg::kEff];
    case key::kPeriods:
      return &r.R[reg::kP];
    case key::kCost:
      return &r.CST;
    case key::kPriceReg:
      return &r.PRC;
    default:
      return nullptr;
  }
}

void RegisterKeys::storeMarkup(KeyCode code) {
  const bool onCost = code == key::kMarkupCost;
  (onCost ? m_regs.MUC : m_regs.MUP) = m_regs.working;
  (onCost ? m_regs.MUP : m_regs.MUC) = 0.0;
}

// CF0 starts a cash-flow list, CFJ appends a flow, NJ sets the repeat count
// of the last flow. n must index a flow slot (0..19); anything else, or a
// count that is not a whole number in 0..99, is error 7.
void RegisterKeys::storeCashFlow(KeyCode code) {
  EngineRegisters& r = m_regs;
  const double x = r.working;
  if (code == key::kCF0) {
    r.R[reg::kCF0] = x;
    r.n() = 0.0;
    r.Nj.fill(1);
  } else if (code == key::kCFj) {
    if (!(r.n() >= 0.0 && r.n() <= 18.0)) {
      m_error = error::kCashFlow;
      return;
    }
    r.n() += 1.0;
    r.R[static_cast<std::size_t>(std::trunc(r.n()))] = x;
  } else if (code == key::kNj) {
    const double slot = std::trunc(r.n());
    if (!isWhole(x) || x >= 100.0 || x < 0.0 || !(slot >= 0.0 && slot < 20.0)) {
      m_error = error::kCashFlow;
      return;
    }
    r.Nj[static_cast<std::size_t>(slot)] = static_cast<std::int32_t>(x);
  }
}

// Repeated press: solve, convert or compute from the other markup values.
int RegisterKeys::repeatPress(KeyCode code) {
  m_error = error::kNone;
  EngineRegisters& r = m_regs;
  r.stackLift = true;
  switch (code) {
    case key::kPV:
    case key::kFV:
    case key::kN:
    case key::kPMT:
    case key::kI:
    case key::kEff:
    case key::kNom: {
      const double lastX = r.LSTX;
      if (code == key::kNom) r.LSTX = r.working;
      RoutineRegisters view(r);
      RoutineOutput out;
      m_error = m_routines->run(code, view, out);
      if (m_error != error::kNone) r.LSTX = lastX;
      return m_error;
    }
    case key::kTimes12:
    case key::kDiv12:
      return firstPress(code);
    case key::kMarkupCost:
    case key::kMarkupPrice:
    case key::kCost:
    case key::kPriceReg:
      solveMarkup(code);
      return m_error;
    default:
      return error::kNone;  // CF0, CFJ, NJ, P
  }
}

void RegisterKeys::solveMarkup(KeyCode code) {
  EngineRegisters& r = m_regs;
  double value = 0.0;
  double divisor = 1.0;
  double* target = nullptr;
  switch (code) {
    case key::kMarkupCost:
      divisor = r.CST;
      value = (r.PRC - r.CST) / divisor * 100.0;
      target = &r.MUC;
      break;
    case key::kMarkupPrice:
      divisor = r.PRC;
      value = (r.PRC - r.CST) / divisor * 100.0;
      target = &r.MUP;
      break;
    case key::kCost:
      target = &r.CST;
      if (r.MUC == 0.0) {
        value = (1.0 - r.MUP / 100.0) * r.PRC;
      } else if (r.MUP == 0.0) {
        divisor = 1.0 + r.MUC / 100.0;
        value = r.PRC / divisor;
      } else {
        divisor = 0.0;
      }
      break;
    default:
      target = &r.PRC;
      if (r.MUP == 0.0) {
        value = (r.MUC / 100.0 + 1.0) * r.CST;
      } else if (r.MUC == 0.0) {
        divisor = 1.0 - r.MUP / 100.0;
        value = r.CST / divisor;
      } else {
        divisor = 0.0;
      }
      break;
  }
  if (divisor == 0.0 || std::isnan(value)) {
    m_error = error::kMath;
    return;
  }
  *target = value;
  r.working = value;
  r.X = value;
}

// The register a STO/RCL operand names, or -1 for register keys that name
// none; `scale` converts a recalled value (12* recalls n/12, 12/ recalls i*12).
int RegisterKeys::operandRegister(KeyCode code, double& scale) const {
  scale = 1.0;
  switch (code) {
    case key::kPV:
      return reg::kPV;
    case key::kFV:
      return reg::kFV;
    case key::kN:
      return reg::kN;
    case key::kPMT:
      return reg::kPMT;
    case key::kI:
      return reg::kI;
    case key::kTimes12:
      scale = 1.0 / 12.0;
      return reg::kN;
    case key::kDiv12:
      scale = 12.0;
      return reg::kI;
    case key::kNom:
      return reg::kNom;
    case key::kEff:
      return reg::kEff;
    case key::kPeriods:
      return reg::kP;
    default:
      return -1;
  }
}

void RegisterKeys::storeOrRecall(int index, double scale) {
  EngineRegisters& r = m_regs;
  double& slot = r.R[static_cast<std::size_t>(index)];
  if (m_stoRclKey == key::kSto) {
    switch (m_stoRclOp) {
      case key::kPlus:
        slot += r.X;
        break;
      case key::kMinus:
        slot -= r.X;
        break;
      case key::kTimes:
        slot *= r.X;
        break;
      case key::kDivide:
        slot /= r.X;
        break;  // division by zero is not trapped
      default:
        slot = r.X;
        break;
    }
    return;
  }
  if (r.stackLift) r.push();
  r.stackLift = true;
  r.working = slot * scale;
  r.X = r.working;
}

void RegisterKeys::startStoRcl(KeyCode code) {
  m_stoRclKey = code;
  m_stoRclOp = key::kNoKey;
  m_stoRclDot = false;
}

bool RegisterKeys::operand(KeyKind kind, KeyCode code, KeyPress& press) {
  // The operand completes unless said otherwise: back to state Entering.
  press.show(DisplayMode::Number);
  press.state = EngineState::Entering;
  auto stayPending = [&press] {
    press.show(DisplayMode::Hold);
    press.state = EngineState::StoRclOperand;
    return true;
  };
  switch (kind) {
    case KeyKind::Entry:
      if (code >= key::kDigit0 && code <= key::kDigit9) {
        storeOrRecall(code + (m_stoRclDot ? 10 : 0), 1.0);
      } else if (code == key::kPoint) {
        m_stoRclDot = true;
        return stayPending();
      } else if (code == key::kEex) {
        m_regs.compoundOddPeriod = !m_regs.compoundOddPeriod;
      }
      return true;
    case KeyKind::Operation:
      if (m_stoRclKey == key::kSto && code >= key::kPlus && code <= key::kDivide) {
        m_stoRclOp = code;
        return stayPending();
      }
      press.state = EngineState::Operate;
      return false;
    case KeyKind::RegisterAccess:
      return stayPending();
    case KeyKind::RegisterKey: {
      double scale = 1.0;
      const int index = operandRegister(code, scale);
      if (index < 0) {
        m_regs.working = 0.0;
        m_regs.X = 0.0;
      } else {
        storeOrRecall(index, scale);
      }
      return true;
    }
    default:
      return true;  // program control keys are consumed
  }
}

}  // namespace finova
