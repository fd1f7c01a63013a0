#pragma once
// The description of finova-cli's options: printed by --help and, at build
// time, turned into the finova-cli(1) manual page.

#include "tools/cli_manual/cli_manual.h"

namespace finova {

const climanual::Manual& cliManual();

}  // namespace finova
