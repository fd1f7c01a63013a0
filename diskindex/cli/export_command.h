#pragma once
// diskindx-cli export: volume information and directory trees as text.
//
//   export info --fields N[,N]... [--sep C] [--category NAME] --to FILE|-
//   export tree NAME [--from PATH] [--paths] [--dirs-only|--files-only]
//               [--heading TEXT] [--append] --to FILE|-
//
// "info" writes one line per volume in list order (or the volumes of one
// category, "<keine Zuordnung>" for those without), the fields by number as
// the window's export dialog numbers them, separated by C (default TAB); an
// existing file is replaced. "tree" writes the directory tree of one volume
// (or of the directory PATH, components separated by "\" or "/", any letter
// case) in tree form or as full path names, with the append rules of the
// window's export. "-" is standard output; lines end with CR LF as in the
// file. Exit 0 done, 1 volume, directory or category not found, 2 bad usage,
// 3 the file could not be written (its German message on the error stream).
//
// --format csv|html|json writes the same volumes or entries as a table
// instead (info: the chosen fields as columns; tree: one row per directory
// and file with path, kind, size, date and remark); with CSV, --sep is the
// separator (one byte, "," unless given). --paths, --heading and --append
// belong to the text form and are refused with a table format. A table file
// is always replaced.

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "diskindex/core/export/export_options.h"
#include "diskindex/core/export/table_export.h"

namespace diskindex::cli {

struct CommandContext;

struct ExportArgs {
  bool tree = false;
  std::string target;  // "-" for standard output
  exporting::InfoExportOptions info;
  std::optional<std::string> category;  // info: absent exports every volume
  std::string volume;                   // tree
  std::string from;                     // tree: empty is the root
  exporting::TreeExportOptions treeOptions;
  exporting::ExportFormat format = exporting::ExportFormat::Text;
  exporting::CsvOptions csv;
};

// The arguments after "export"; nothing on bad usage.
std::optional<ExportArgs> parseExportArgs(std::span<const std::string> args);
int exportCommand(CommandContext& context, const ExportArgs& args);

}  // namespace diskindex::cli
