// finova-cli: runs calculator keys from the command line or standard input.
#include <iostream>

#include "calculator/cli/finova_cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const auto routines = finova::makeFinanceRoutines();
  return finova::runCli(args, std::cin, std::cout, std::cerr, routines.get());
}
