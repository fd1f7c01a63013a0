// diskindx-cli: the disk catalogue's command-line companion.

#include <iostream>
#include <string>
#include <vector>

#include "diskindex/cli/cli_manual.h"
#include "diskindex/cli/commands.h"
#include "diskindex/cli/rescan_command.h"
#include "diskindex/cli/scan_command.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "--manpage")) {
    const climanual::Manual& manual = diskindex::cli::cliManual();
    std::cout << (args[0] == "--help" ? climanual::helpText(manual) : climanual::manPage(manual));
    return 0;
  }
  const std::size_t first = args.size() >= 2 && args[0] == "--data" ? 2 : 0;
  if (args.size() > first && args[first] == "scan") {
    const std::filesystem::path dataDir = first == 2 ? std::filesystem::path(args[1]) : "";
    return diskindex::cli::scanCommand(
        dataDir, std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(first) + 1,
                                          args.end()));
  }
  if (args.size() > first && args[first] == "rescan") {
    const std::filesystem::path dataDir = first == 2 ? std::filesystem::path(args[1]) : "";
    return diskindex::cli::rescanCommand(
        dataDir, std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(first) + 1,
                                          args.end()));
  }
  return diskindex::cli::run(args, std::cout, std::cerr);
}
