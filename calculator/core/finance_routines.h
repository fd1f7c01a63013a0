#pragma once
// The one door through which the engine reaches the financial, statistical
// and date routines. The engine calls run() for these keys only:
//   operations (state Operate): NPV, IRR, MIRR, NFV, ADVP, AMRT, SL, SOYD, DB,
//     PRICE, YTM, STDEV, EST_X, EST_Y, WMEAN, DDYS, DATE, INT, SPPV, SPFV,
//     USPV, USFV;
//   repeated register keys (state RegisterSolve): PV, FV, N, PMT, I (solve)
//     and NOM%, EFF% (convert).
// The engine handles, around the call, what its operation table says for
// every key alike: LSTX = x before EST_X, EST_Y, DDYS, DATE and the NOM%
// conversion, LSTX = x after a successful ADVP, and the new stack lift. A
// routine does everything else through RoutineRegisters, the part of the
// registers it may touch: it reads x, Y, the register file, the repeat
// counts and the flags, writes X, Y, Z and the register file, lifts the
// stack, stores a solved value in its register and in X, and returns 0 or
// an error code of key_codes.h. On an error it leaves
// the registers it would have written unchanged (except where its own rules
// say otherwise) and the engine shows the error. DATE puts its result text
// into RoutineOutput::text (English form, e.g. "12,25,1996  3") and sets
// showText; the engine shows that text in the X line.
//
// It knows nothing of the display, the tape or program memory.

#include <memory>
#include <string>

#include "calculator/core/engine_registers.h"
#include "calculator/core/key_codes.h"

namespace finova {

// The routines' view of the registers. It cannot change x, T, LSTX, the
// value registers of the markup keys, the repeat counts, the flags or the
// stack lift: those belong to the engine.
class RoutineRegisters {
 public:
  explicit RoutineRegisters(EngineRegisters& registers) : m_regs(registers) {}

  double working() const { return m_regs.working; }  // x
  double y() const { return m_regs.Y; }
  double reg(int index) const { return m_regs.R[static_cast<std::size_t>(index)]; }
  double PV() const { return m_regs.PV(); }
  double FV() const { return m_regs.FV(); }
  double i() const { return m_regs.i(); }
  double n() const { return m_regs.n(); }
  double PMT() const { return m_regs.PMT(); }
  const std::array<std::int32_t, reg::kCashFlowCount>& repeatCounts() const { return m_regs.Nj; }
  bool endMode() const { return m_regs.endMode; }
  bool dateOrderMDY() const { return m_regs.dateOrderMDY; }
  bool compoundOddPeriod() const { return m_regs.compoundOddPeriod; }
  const AmortizationMark& amortizationMark() const { return m_regs.amortized; }

  void setReg(int index, double value) { m_regs.R[static_cast<std::size_t>(index)] = value; }
  void setX(double value) { m_regs.X = value; }
  void setY(double value) { m_regs.Y = value; }
  void setZ(double value) { m_regs.Z = value; }
  void setAmortizationMark(const AmortizationMark& mark) { m_regs.amortized = mark; }
  // T = Z, Z = Y, Y = X.
  void push() { m_regs.push(); }

 private:
  EngineRegisters& m_regs;
};

struct RoutineOutput {
  bool showText = false;  // display mode "text left by the operation"
  std::string text;
};

class FinanceRoutines {
 public:
  virtual ~FinanceRoutines() = default;
  // Runs the routine of `code` (one of the keys listed above). Returns 0 or
  // an error code.
  virtual int run(KeyCode code, RoutineRegisters& regs, RoutineOutput& out) = 0;
};

// The routine library (core/financial, target calculator_financial, which
// calculator_core links); the engine uses it unless given other routines.
std::unique_ptr<FinanceRoutines> makeFinanceRoutines();

}  // namespace finova
