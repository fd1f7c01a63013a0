#pragma once
// The command-line companion: runs calculator keys given as arguments or on
// standard input and prints the X display. Kept apart from main() so that
// tests can run it in-process with their own streams.
//
//   finova-cli [options] [KEY ...]
//   --decimals N  --european  --dmy  --begin  --trace  --tape
//   --load FILE.pgm  --state FILE  --max-keys N
//
// Exit codes: 0 done, 1 a file could not be read or written, 2 bad usage or
// an unknown key, 3 a program still running after --max-keys keys.

#include <iosfwd>
#include <string>
#include <vector>

#include "calculator/core/finance_routines.h"

namespace finova {

int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, FinanceRoutines* routines);

}  // namespace finova
