#pragma once
// diskindx-cli search TEXT [--names|--dirs|--both|--remarks] [--word] [--case]
// [--volume NAME]...: the multi-volume search over the named volumes (all
// when none is named), file names by default. One line per hit in the order
// the results window shows them: volume name, TAB, full path, TAB, size,
// TAB, date and time (size and date empty for directories). Exit 0 with
// hits, 1 without, 2 on bad usage (an unknown volume name included).

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "diskindex/core/search/search_params.h"

namespace diskindex::cli {

struct CommandContext;

struct SearchArgs {
  search::SearchParams params;
  std::vector<std::string> volumes;  // as typed; empty: all
};

// The arguments after "search"; nothing on bad usage.
std::optional<SearchArgs> parseSearchArgs(std::span<const std::string> args);
int searchCommand(CommandContext& context, const SearchArgs& args);

}  // namespace diskindex::cli
