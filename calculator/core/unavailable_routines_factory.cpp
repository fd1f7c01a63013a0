// Used only while the routine library is not part of the build.
#include "calculator/core/finance_routines.h"

namespace finova {

std::unique_ptr<FinanceRoutines> makeFinanceRoutines() {
  return std::make_unique<UnavailableRoutines>();
}

}  // namespace finova
