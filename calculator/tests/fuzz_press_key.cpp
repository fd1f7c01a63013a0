// Random key sequences (every code 0..106, pause ticks included, with the
// financial routines) never crash the engine, never hang it, and leave it in
// a displayable state.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "calculator/core/calc_engine.h"
#include "calculator/core/tape.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto routines = finova::makeFinanceRoutines();
  finova::CalcEngine engine(routines.get());
  finova::Tape tape;
  engine.setTape(&tape);
  engine.setKeyBudget(2000);
  engine.setDecimals(size > 0 ? data[0] % 10 : 2);
  for (std::size_t k = 0; k < size && k < 4096; ++k) {
    engine.PressKey(data[k] % 107);
    if (engine.display().xLine.empty()) std::abort();
  }
  (void)engine.xDisplayText();
  return 0;
}
