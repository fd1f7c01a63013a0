// diskindx-cli: the disk catalogue's command-line companion.

#include <iostream>
#include <string>
#include <vector>

#include "diskindex/cli/commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return diskindex::cli::run(args, std::cout, std::cerr);
}
