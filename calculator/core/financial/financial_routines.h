#pragma once
// The routine table of the calculator: for each financial, statistical and
// date key it reads the engine's registers and stack through
// RoutineRegisters, runs the computation of the matching unit (tvm,
// cash_flows, amortization, depreciation, bonds, interest_conversion,
// statistics, calendar) and writes the results back, the stack movements
// included. A failing routine writes nothing (the rate
// solver's last trial above 400 % excepted, which stays in i) and returns
// its error code. The engine's own bookkeeping around the call (last x,
// stack lift, showing errors and texts) is not done here.

#include "calculator/core/finance_routines.h"
#include "calculator/core/financial/amortization.h"

namespace finova {

class FinancialRoutines final : public FinanceRoutines {
 public:
  int run(KeyCode code, RoutineRegisters& regs, RoutineOutput& out) override;
};

namespace fin {
// The same table as a plain function, for callers without the interface.
int runRoutine(KeyCode code, RoutineRegisters& regs, RoutineOutput& out);
// The loan in the registers (PV, n, i, PMT, payment timing), as AMRT and the
// amortization schedule read it.
LoanState loanOf(const EngineRegisters& regs);
}  // namespace fin

}  // namespace finova
