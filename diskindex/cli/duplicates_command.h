#pragma once
// diskindx-cli duplicates [--ignore-name] [--same-date] [--min-size N]
// [--volume NAME]... [--category NAME] [--format text|csv|json] [--sep C]:
// the duplicate finder over the named volumes, or the volumes of one
// category ("<keine Zuordnung>" for those without), or every volume. Text:
// per group a heading line and one line per file (volume, TAB, path), an
// empty line between groups; CSV and JSON: the duplicates table. Exit 0 when
// duplicates were found, 1 when none (or the category is not known), 2 on
// bad usage (an unknown volume name included). Volume files that cannot be
// read are skipped and counted on the error stream.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "diskindex/core/export/table_export.h"
#include "diskindex/core/search/duplicate_finder.h"

namespace diskindex::cli {

struct CommandContext;

struct DuplicatesArgs {
  search::DuplicateOptions options;
  std::vector<std::string> volumes;     // as typed; empty: all (or the category's)
  std::optional<std::string> category;  // cannot go with volumes
  exporting::ExportFormat format = exporting::ExportFormat::Text;
  exporting::CsvOptions csv;
};

std::optional<DuplicatesArgs> parseDuplicatesArgs(std::span<const std::string> args,
                                                  std::string& problem);
int duplicatesCommand(CommandContext& context, const DuplicatesArgs& args);

}  // namespace diskindex::cli
