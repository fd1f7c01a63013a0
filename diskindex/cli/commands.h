#pragma once
// diskindx-cli's command line run against streams, so that tests can run
// it: the command table (command_table.h) with a standard input that is no
// terminal. Exit status as each command documents; 2 on bad usage.

#include <ostream>
#include <string>
#include <vector>

#include "diskindex/core/session_environment.h"

namespace diskindex::cli {

// Runs the command line (without the program name) in this environment:
// the catalogue session's start-up, so DISKINDX.INI and the data folder are
// found as the window finds them; "--data" replaces DATA_PATH. Unknown
// commands and options print the usage and give 2.
int run(const std::vector<std::string>& args, SessionEnvironment environment, std::ostream& out,
        std::ostream& err);
// The same in the running process's environment.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace diskindex::cli
