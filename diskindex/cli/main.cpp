// diskindx-cli: the disk catalogue's command-line companion.

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "diskindex/cli/cli_manual.h"
#include "diskindex/cli/command_table.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "--manpage")) {
    const climanual::Manual& manual = diskindex::cli::cliManual();
    std::cout << (args[0] == "--help" ? climanual::helpText(manual) : climanual::manPage(manual));
    return 0;
  }
  const bool terminal = isatty(STDERR_FILENO) != 0;
  return diskindex::cli::runCommandLine(
      args, diskindex::SessionEnvironment::fromSystem(diskindex::ScreenSize{}),
      diskindex::cli::ScanStreams{std::cin, std::cout, std::cerr,
                                  terminal && isatty(STDIN_FILENO) != 0, terminal});
}
