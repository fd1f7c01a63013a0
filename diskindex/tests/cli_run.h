#pragma once
// What one diskindx-cli invocation gave back in the tests: its exit status
// and what it printed on each stream. runCli runs the command line in-process
// with the default environment; runCliIn runs it on a data folder of its own
// whose settings and data home lie inside that folder, so nothing the user
// has is read or written. Tests that need standard input fill a CliRun
// themselves.

#include <filesystem>
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

inline CliRun runCliIn(const std::filesystem::path& folder, std::vector<std::string> args) {
  args.insert(args.begin(), {"--data", folder.string()});
  std::ostringstream out;
  std::ostringstream err;
  SessionEnvironment env;
  env.settingsFile = folder / "cfg" / "DISKINDX.INI";
  env.settings.dataHome = folder / "home";
  env.settings.tempDir = folder;
  const int status = cli::run(args, env, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace diskindex::test
