#pragma once
// The operations of the state Operate: arithmetic, powers and logarithms,
// percentages, the stack keys, clearing, the statistics sums, the random
// number generator, and the keys whose work the routine library does (with
// the last-x and stack-lift bookkeeping around that call). Each operation
// either succeeds or returns an error code and leaves every register it
// would have written unchanged. It does not decide which key is an
// operation, nor show or journal anything: the state machine calls run()
// for keys of kind Operation only.

#include <cstdint>
#include <string>

#include "calculator/core/engine_registers.h"
#include "calculator/core/finance_routines.h"
#include "calculator/core/key_codes.h"

namespace finova {

class OperationTable {
 public:
  OperationTable(EngineRegisters& registers, FinanceRoutines& routines)
      : m_regs(registers), m_routines(&routines) {}
  OperationTable(const OperationTable&) = delete;
  OperationTable& operator=(const OperationTable&) = delete;

  void setRoutines(FinanceRoutines& routines) { m_routines = &routines; }

  // Runs the operation of `code`. decimals: the display's, for RND; lastKey:
  // the key before this one (%TOT after CLX). A routine's display text (DATE)
  // goes to `out`. Returns 0 or an error code.
  int run(KeyCode code, int decimals, KeyCode lastKey, RoutineOutput& out);

 private:
  bool runArithmetic(KeyCode code);
  bool runFunction(KeyCode code);
  bool runStackOrClear(KeyCode code);
  void pushConstant(KeyCode code);
  bool runClear(KeyCode code);
  void setChecked(bool valid, double value);
  bool runStatistics(KeyCode code);
  void runPercentTotal();
  void runFactorial();
  void runRoutine(KeyCode code, RoutineOutput& out);
  void setResult(double value, bool saveLastX);

  EngineRegisters& m_regs;
  FinanceRoutines* m_routines;
  std::uint32_t m_seed = 1;  // RAN#: never reseeded
  // The inputs and the outcome of the operation being run.
  int m_decimals = 2;
  KeyCode m_lastKey = key::kNoKey;
  int m_error = 0;
};

}  // namespace finova
