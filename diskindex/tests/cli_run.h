#pragma once
// What one diskindx-cli invocation gave back in the tests: its exit status
// and what it printed on each stream. runCli runs the command line in-process
// with the default environment; tests that need their own environment or
// standard input fill a CliRun themselves.

#include <sstream>
#include <string>
#include <vector>

#include "diskindex/cli/commands.h"

namespace diskindex::test {

struct CliRun {
  int status = 0;
  std::string out;
  std::string err;
};

inline CliRun runCli(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::run(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace diskindex::test
