#pragma once
// The commands of diskindx-cli, written against streams so that tests can
// run them: "list" prints the volume list, "tree NAME" one volume's directory
// tree. Exit status 0 on success, 1 when the volume is not found, 2 on a
// catalogue error (the German message goes to the error stream).

#include <ostream>
#include <string>
#include <vector>

#include "diskindex/core/session_environment.h"

namespace diskindex::cli {

// Runs the command line (without the program name) in this environment:
// the catalogue session's start-up, so DISKINDX.INI and the data folder are
// found as the window finds them; "--data" replaces DATA_PATH. Unknown
// commands print the usage and give 2.
int run(const std::vector<std::string>& args, SessionEnvironment environment, std::ostream& out,
        std::ostream& err);
// The same in the running process's environment.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace diskindex::cli
