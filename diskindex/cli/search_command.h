#pragma once
// diskindx-cli search TEXT [--names|--dirs|--both|--remarks] [--word] [--case]
// [--mode dos|any|regex] [--min-size N] [--max-size N] [--after DAY]
// [--before DAY] [--type f|d] [--format text|csv|html|json] [--sep C]
// [--volume NAME]...: the multi-volume search over the named volumes (all
// when none is named), file names by default. The text form is one line per
// hit in the order the results window shows them: volume name, TAB, full
// path, TAB, size, TAB, date and time (size and date empty for directories);
// a control character in a name shows as "?". The other formats are the
// export tables of the results (CSV with "," unless --sep names another).
// A search text that is not valid in its mode, a bad size, day or filter
// range is said in German and, like any bad usage (an unknown volume name
// included), gives exit 2. Otherwise exit 0 with hits, 1 without.

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "diskindex/core/export/table_export.h"
#include "diskindex/core/search/search_params.h"

namespace diskindex::cli {

struct CommandContext;

struct SearchArgs {
  search::SearchParams params;
  std::vector<std::string> volumes;  // as typed; empty: all
  exporting::ExportFormat format = exporting::ExportFormat::Text;
  exporting::CsvOptions csv;
};

// The arguments after "search"; nothing on bad usage, with the German
// message in problem when a value was refused.
std::optional<SearchArgs> parseSearchArgs(std::span<const std::string> args, std::string& problem);
int searchCommand(CommandContext& context, const SearchArgs& args);

}  // namespace diskindex::cli
