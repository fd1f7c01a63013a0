#pragma once
// Tables that leave the catalogue as CSV, HTML or JSON: volume information,
// directory trees and search or duplicate results are first put into one
// ExportTable (named columns, text cells), which the three writers turn
// into a document.
//
//  CSV:  RFC 4180: a header row of the column names, fields holding the
//        separator, a double quote, CR or LF are quoted with quotes doubled,
//        every row ends with CR LF; "," unless another separator is chosen;
//        optionally a UTF-8 byte order mark for spreadsheet programs.
//  HTML: one self-contained page (no external files) with the table; a
//        click on a column heading sorts by it (numbers and dates by value).
//        Every cell is escaped.
//  JSON: an array with one object per row, the column names as keys, number
//        columns as numbers (an empty cell as null).
//
// Names and paths are put into tables with every control character shown
// as "?" (exportName), so no name can forge rows or lines. The original
// text formats (tree lines, information lines) are not made here.
//
// Writing the document is writeExportFile: a temporary file beside the
// target, flushed, then renamed over it, so a failed export never leaves a
// cut-off file or destroys the one that was there.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/export/export_file.h"

namespace diskindex::exporting {

enum class ExportFormat : std::uint8_t { Text, Csv, Html, Json };
// "text", "csv", "html", "json" (the command-line names) and back.
std::string_view exportFormatName(ExportFormat format);
std::optional<ExportFormat> exportFormatFromName(std::string_view name);

enum class CellKind : std::uint8_t {
  Text,
  Number,    // decimal digits (or empty): sorted by value, a JSON number
  DateTime,  // ISO 8601 ("2024-03-10T12:00:00" or a date alone): sorts as text
};

struct ExportColumn {
  std::string name;  // German, as the header row shows it
  CellKind kind = CellKind::Text;
};

struct ExportTable {
  std::string title;  // the HTML page's title and heading
  std::vector<ExportColumn> columns;
  std::vector<std::vector<std::string>> rows;  // each as many cells as columns
};

struct CsvOptions {
  char separator = ',';
  bool byteOrderMark = false;
};

std::string csvDocument(const ExportTable& table, const CsvOptions& options);
std::string htmlDocument(const ExportTable& table);
std::string jsonDocument(const ExportTable& table);
// One of the three by format (Text is not a table format: empty).
std::string tableDocument(const ExportTable& table, ExportFormat format, const CsvOptions& csv);

// One CSV field, quoted when needed.
std::string csvField(std::string_view text, char separator);
// Text with & < > " ' escaped for HTML.
std::string htmlEscape(std::string_view text);
// A name or path with every control character (C0, DEL, C1) as "?".
std::string exportName(std::string_view utf8);
// A remark: CR LF and CR become LF, other control characters "?".
std::string exportRemark(std::string_view utf8);
// "2024-03-10T12:00:00" from a packed DOS date/time; empty for 0.
std::string isoDateTime(std::uint32_t dosDateTime);

// Replaces the file with content (temporary file, flush, rename).
// CannotCreate when the temporary file cannot be made, CannotWrite when
// writing, flushing or renaming fails (nothing partial is left).
ExportResult writeExportFile(const std::filesystem::path& file, std::string_view content);

}  // namespace diskindex::exporting
