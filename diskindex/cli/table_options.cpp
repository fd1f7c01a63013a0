#include "diskindex/cli/table_options.h"

namespace diskindex::cli {

std::optional<char> csvSeparator(const std::string& value) {
  if (value.size() != 1 || value[0] == '"' || value[0] == '\r' || value[0] == '\n') {
    return std::nullopt;
  }
  return value[0];
}

bool parseTableOption(const std::string& a, const std::string& value, TableOptionState& state) {
  if (a == "--format") {
    state.format = exporting::exportFormatFromName(value);
    return state.format.has_value();
  }
  if (a == "--sep") {
    state.separator = csvSeparator(value);
    return state.separator.has_value();
  }
  return false;
}

bool finishTableOptions(const TableOptionState& state, exporting::ExportFormat& format,
                        exporting::CsvOptions& csv, bool htmlAllowed) {
  format = state.format.value_or(exporting::ExportFormat::Text);
  if (format == exporting::ExportFormat::Html && !htmlAllowed) return false;
  if (state.separator) {
    if (format != exporting::ExportFormat::Csv) return false;
    csv.separator = *state.separator;
  }
  return true;
}

}  // namespace diskindex::cli
