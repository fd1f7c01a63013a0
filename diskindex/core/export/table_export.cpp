#include "diskindex/core/export/table_export.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "diskindex/core/file_io.h"
#include "platform/dates.h"

namespace diskindex::exporting {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Sorting by a click on a heading: numbers by value, everything else as
// text in German collation; a second click reverses.
constexpr std::string_view kSortScript = R"(<script>
document.querySelectorAll('th').forEach(function (th, column) {
  th.addEventListener('click', function () {
    var body = th.closest('table').tBodies[0];
    var rows = Array.prototype.slice.call(body.rows);
    var number = th.dataset.kind === 'number';
    var down = th.dataset.order !== 'asc';
    th.dataset.order = down ? 'asc' : 'desc';
    rows.sort(function (a, b) {
      var x = a.cells[column].textContent, y = b.cells[column].textContent;
      var r = number ? (x === '' ? -1 : Number(x)) - (y === '' ? -1 : Number(y))
                     : x.localeCompare(y, 'de');
      return down ? r : -r;
    });
    rows.forEach(function (row) { body.appendChild(row); });
  });
});
</script>
)";

constexpr std::string_view kStyle = R"(<style>
body { font-family: sans-serif; margin: 1em; }
table { border-collapse: collapse; }
th, td { border: 1px solid #bbb; padding: 2px 6px; text-align: left; white-space: pre-wrap; }
th { background: #e8e8e8; cursor: pointer; }
td.number { text-align: right; }
</style>
)";

std::string_view kindName(CellKind kind) {
  switch (kind) {
    case CellKind::Number:
      return "number";
    case CellKind::DateTime:
      return "date";
    case CellKind::Text:
      break;
  }
  return "text";
}

// Control characters of UTF-8 text: C0, DEL and the two-byte C1 range.
template <class Keep>
std::string replaceControls(std::string_view utf8, Keep keep) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
        static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      out.push_back('?');
      ++i;
    } else if ((c < 0x20 || c == 0x7F) && !keep(c)) {
      out.push_back('?');
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

}  // namespace

std::string_view exportFormatName(ExportFormat format) {
  switch (format) {
    case ExportFormat::Text:
      return "text";
    case ExportFormat::Csv:
      return "csv";
    case ExportFormat::Html:
      return "html";
    case ExportFormat::Json:
      return "json";
  }
  return "text";
}

std::optional<ExportFormat> exportFormatFromName(std::string_view name) {
  for (ExportFormat f : {ExportFormat::Text, ExportFormat::Csv, ExportFormat::Html, ExportFormat::Json}) {
    if (exportFormatName(f) == name) return f;
  }
  return std::nullopt;
}

std::string csvField(std::string_view text, char separator) {
  if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string_view::npos) {
    return std::string(text);
  }
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string csvDocument(const ExportTable& table, const CsvOptions& options) {
  std::string out(options.byteOrderMark ? kByteOrderMark : std::string_view());
  const auto row = [&](const auto& cells, auto cellText) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i != 0) out.push_back(options.separator);
      out += csvField(cellText(cells[i]), options.separator);
    }
    out += "\r\n";
  };
  row(table.columns, [](const ExportColumn& c) -> std::string_view { return c.name; });
  for (const auto& cells : table.rows) {
    row(cells, [](const std::string& s) -> std::string_view { return s; });
  }
  return out;
}

std::string htmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

std::string htmlDocument(const ExportTable& table) {
  std::string out = "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
  out += htmlEscape(table.title);
  out += "</title>\n";
  out += kStyle;
  out += "</head>\n<body>\n<h1>" + htmlEscape(table.title) + "</h1>\n<table>\n<thead><tr>";
  for (const ExportColumn& column : table.columns) {
    out += "<th data-kind=\"" + std::string(kindName(column.kind)) + "\">" +
           htmlEscape(column.name) + "</th>";
  }
  out += "</tr></thead>\n<tbody>\n";
  for (const auto& cells : table.rows) {
    out += "<tr>";
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const bool number = i < table.columns.size() && table.columns[i].kind == CellKind::Number;
      out += number ? "<td class=\"number\">" : "<td>";
      out += htmlEscape(cells[i]) + "</td>";
    }
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n";
  out += kSortScript;
  out += "</body>\n</html>\n";
  return out;
}

std::string jsonDocument(const ExportTable& table) {
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  for (const auto& cells : table.rows) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < table.columns.size() && i < cells.size(); ++i) {
      const ExportColumn& column = table.columns[i];
      if (column.kind != CellKind::Number) {
        object[column.name] = cells[i];
        continue;
      }
      std::uint64_t value = 0;
      const bool number = !cells[i].empty() && std::sscanf(cells[i].c_str(), "%lu", &value) == 1;
      object[column.name] = number ? nlohmann::ordered_json(value) : nlohmann::ordered_json();
    }
    rows.push_back(std::move(object));
  }
  // Invalid UTF-8 (a damaged name) is replaced rather than refused.
  return rows.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string tableDocument(const ExportTable& table, ExportFormat format, const CsvOptions& csv) {
  switch (format) {
    case ExportFormat::Csv:
      return csvDocument(table, csv);
    case ExportFormat::Html:
      return htmlDocument(table);
    case ExportFormat::Json:
      return jsonDocument(table);
    case ExportFormat::Text:
      break;
  }
  return {};
}

std::string exportName(std::string_view utf8) {
  return replaceControls(utf8, [](unsigned char) { return false; });
}

std::string exportRemark(std::string_view utf8) {
  std::string lines;
  lines.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      lines.push_back('\n');
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      lines.push_back(utf8[i]);
    }
  }
  return replaceControls(lines, [](unsigned char c) { return c == '\n'; });
}

std::string isoDateTime(std::uint32_t dosDateTime) {
  if (dosDateTime == 0) return {};
  const platform::CivilTime t = platform::unpackDos(
      {static_cast<std::uint16_t>(dosDateTime >> 16), static_cast<std::uint16_t>(dosDateTime)});
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", t.year % 10000,
                t.month % 100, t.day % 100, t.hour % 100, t.minute % 100, t.second % 100);
  return buffer;
}

ExportResult writeExportFile(const std::filesystem::path& file, std::string_view content) {
  // The catalogue's one safe write: an exclusive temporary file beside the
  // target, fsync, rename, folder fsync.
  const ResultCode code = writeFileAtomically(
      file, {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()});
  if (code == ResultCode::Ok) return ExportResult::Ok;
  return code == ResultCode::CannotCreate ? ExportResult::CannotCreate : ExportResult::CannotWrite;
}

}  // namespace diskindex::exporting
