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
// routine does everything else: it reads and writes the registers and the
// stack (x, X..T, R, Nj, flags), stores a solved value in its register and
// in X, and returns 0 or an error code of key_codes.h. On an error it leaves
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

struct RoutineOutput {
  bool showText = false;  // display mode "text left by the operation"
  std::string text;
};

class FinanceRoutines {
 public:
  virtual ~FinanceRoutines() = default;
  // Runs the routine of `code` (one of the keys listed above). Returns 0 or
  // an error code.
  virtual int run(KeyCode code, EngineRegisters& regs, RoutineOutput& out) = 0;
};

// The routine library (core/financial, target calculator_financial, which
// calculator_core links); the engine uses it unless given other routines.
std::unique_ptr<FinanceRoutines> makeFinanceRoutines();

}  // namespace finova
