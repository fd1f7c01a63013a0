#include "calculator/core/finance_routines.h"

namespace finova {

int UnavailableRoutines::run(KeyCode, EngineRegisters&, RoutineOutput&) {
  return error::kMath;
}

}  // namespace finova
