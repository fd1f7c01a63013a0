#pragma once
// The options shared by the commands that can write a table (search,
// duplicates): --format text|csv|html|json and --sep C, the CSV separator.
// The separator is one byte other than a double quote, CR or LF (a quote
// could not be told from the quoting); it is only taken with --format csv.
// Parsing only: the commands make the tables themselves.

#include <optional>
#include <string>

#include "diskindex/core/export/table_export.h"

namespace diskindex::cli {

struct TableOptionState {
  std::optional<exporting::ExportFormat> format;
  std::optional<char> separator;
};

// True when a is --format or --sep with a value it takes.
bool parseTableOption(const std::string& a, const std::string& value, TableOptionState& state);
// The chosen format (text when none) and CSV options; false for a
// separator without CSV, or HTML where htmlAllowed is false.
bool finishTableOptions(const TableOptionState& state, exporting::ExportFormat& format,
                        exporting::CsvOptions& csv, bool htmlAllowed);
// A CSV separator: one byte, not '"', CR or LF.
std::optional<char> csvSeparator(const std::string& value);

}  // namespace diskindex::cli
