#include "diskindex/cli/commands.h"

#include <sstream>

#include "diskindex/cli/command_table.h"

namespace diskindex::cli {

int run(const std::vector<std::string>& args, SessionEnvironment environment, std::ostream& out,
        std::ostream& err) {
  // Without a terminal nothing is asked, so nothing is read.
  static std::istringstream noInput;
  return runCommandLine(args, std::move(environment), ScanStreams{noInput, out, err, false, false});
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return run(args, SessionEnvironment::fromSystem(ScreenSize{}), out, err);
}

}  // namespace diskindex::cli
