#pragma once
// The register keys and the operand of STO and RCL. A first press of PV, FV,
// N, PMT, I, 12*, 12/, NOM%, EFF%, P, CST, PRC or a markup key stores x in
// its register, CF0, CFJ and NJ build the cash-flow list; a repeated press
// solves (through the routine library), converts or computes the markup
// value. STO and RCL take a digit, "." and a digit, an operator for register
// arithmetic or a register key as their operand. It keeps the pending
// STO/RCL prefix between keys; it does not decide which state runs, except
// that an operand ends or keeps the prefix.

#include "calculator/core/engine_registers.h"
#include "calculator/core/finance_routines.h"
#include "calculator/core/key_codes.h"
#include "calculator/core/key_press.h"

namespace finova {

class RegisterKeys {
 public:
  RegisterKeys(EngineRegisters& registers, FinanceRoutines& routines)
      : m_regs(registers), m_routines(&routines) {}
  RegisterKeys(const RegisterKeys&) = delete;
  RegisterKeys& operator=(const RegisterKeys&) = delete;

  void setRoutines(FinanceRoutines& routines) { m_routines = &routines; }

  // Both return 0 or an error code.
  int firstPress(KeyCode code);
  int repeatPress(KeyCode code);

  // STO or RCL pressed (state StoRclStart): the prefix waits for its operand.
  void startStoRcl(KeyCode code);
  // The operand (state StoRclOperand); returns "done" as the state handlers do.
  bool operand(KeyKind kind, KeyCode code, KeyPress& press);

 private:
  double* firstPressTarget(KeyCode code);
  void storeMarkup(KeyCode code);
  void storeCashFlow(KeyCode code);
  void solveMarkup(KeyCode code);
  int operandRegister(KeyCode code, double& scale) const;
  void storeOrRecall(int index, double scale);

  EngineRegisters& m_regs;
  FinanceRoutines* m_routines;
  KeyCode m_stoRclKey = key::kSto;
  KeyCode m_stoRclOp = key::kNoKey;  // + - * / for register arithmetic
  bool m_stoRclDot = false;
  int m_error = 0;  // the outcome of the press being handled
};

}  // namespace finova
