#pragma once
// The commands of diskindx-cli, written against streams so that tests can
// run them: "list" prints the volume list, "tree NAME" one volume's directory
// tree. Exit status 0 on success, 1 when the volume is not found, 2 on a
// catalogue error (the German message goes to the error stream).

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace diskindex::cli {

// Runs the command line (without the program name). Unknown commands print
// the usage and give 2.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The data directory when none is given: DATA_PATH of the program's
// settings file, else $XDG_DATA_HOME/diskindx/.
std::filesystem::path defaultDataDirectory();

}  // namespace diskindex::cli
