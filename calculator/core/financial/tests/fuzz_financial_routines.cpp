// Arbitrary register contents (any bit patterns: NaN, infinities, denormals,
// huge repeat counts) followed by arbitrary keys: the routines must never
// crash, read outside their registers or run without bound, whether called
// directly or through the engine's PressKey.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "calculator/core/calc_engine.h"
#include "calculator/core/financial/financial_routines.h"

namespace {

// Copies the next bytes of the input into `value` (as far as they reach).
template <typename T>
void take(const std::uint8_t*& data, std::size_t& size, T& value) {
  const std::size_t n = size < sizeof(T) ? size : sizeof(T);
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  finova::EngineRegisters regs;
  std::uint8_t flags = 0;
  take(data, size, flags);
  regs.endMode = flags & 1;
  regs.dateOrderMDY = flags & 2;
  regs.compoundOddPeriod = flags & 4;
  for (double& r : regs.R) take(data, size, r);
  for (auto& count : regs.Nj) take(data, size, count);
  take(data, size, regs.working);
  regs.X = regs.working;
  take(data, size, regs.Y);

  finova::FinancialRoutines routines;
  for (finova::KeyCode code = 0; code <= finova::key::kNoKey; ++code) {
    finova::EngineRegisters copy = regs;
    finova::RoutineOutput out;
    finova::RoutineRegisters view(copy);
    const int e = routines.run(code, view, out);
    if (e < 0 || e > 9) std::abort();
  }

  finova::CalcEngine engine(&routines);
  engine.registers() = regs;
  engine.setKeyBudget(2000);
  for (std::size_t k = 0; k < size && k < 2048; ++k) {
    engine.PressKey(data[k] % 107);
    if (engine.display().xLine.empty()) std::abort();
  }
  return 0;
}
