#pragma once
// The description of diskindx-cli's commands and options (German, as the
// program speaks): printed by --help, shortened to its usage lines after a
// usage error, and turned into the diskindx-cli(1) manual page at build time.

#include "tools/cli_manual/cli_manual.h"

namespace diskindex::cli {

const climanual::Manual& cliManual();

}  // namespace diskindex::cli
