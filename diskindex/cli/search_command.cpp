#include "diskindex/cli/search_command.h"

#include <algorithm>
#include <cstdio>

#include "diskindex/cli/command_table.h"
#include "diskindex/cli/table_options.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/display_format.h"
#include "diskindex/core/search/modern_pattern.h"
#include "diskindex/core/search/result_tables.h"

namespace diskindex::cli {
namespace {

constexpr int kFound = 0;
constexpr int kNotFound = 1;
constexpr int kUsage = 2;

void choose(search::SearchParams& p, bool dirs, bool files, bool remarks) {
  p.dirNames = dirs;
  p.fileNames = files;
  p.remarks = remarks;
}

// Prints the text form as the hits come, or keeps them for a table.
class RowSink : public search::MultiSearchObserver {
 public:
  RowSink(std::ostream& out, bool keep) : m_out(out), m_keep(keep) {}
  void row(const search::ResultRow& r) override {
    ++m_count;
    if (m_keep) {
      m_rows.push_back(r);
      return;
    }
    const ClockTime t = dosClockTime(r.dosDateTime);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    m_out << exporting::exportName(r.volumeName) << '\t' << exporting::exportName(r.path) << '\t'
          << search::sizeCell(r) << '\t' << search::dateCell(r, time) << '\n';
  }
  const std::vector<search::ResultRow>& rows() const { return m_rows; }
  std::size_t count() const { return m_count; }

 private:
  std::ostream& m_out;
  bool m_keep;
  std::size_t m_count = 0;
  std::vector<search::ResultRow> m_rows;
};

// The filter options; false when the value was refused (problem says why)
// or a is none of them (problem empty).
bool parseFilterOption(const std::string& a, const std::string& value,
                       search::SearchFilters& filters, std::string& problem) {
  if (a == "--min-size" || a == "--max-size") {
    const auto size = search::parseSize(value);
    if (!size) {
      problem = search::badSizeMessage(value);
      return false;
    }
    (a == "--min-size" ? filters.minSize : filters.maxSize) = *size;
  } else if (a == "--after" || a == "--before") {
    const auto day = search::parseDay(value);
    if (!day) {
      problem = search::badDayMessage(value);
      return false;
    }
    (a == "--after" ? filters.after : filters.before) = *day;
  } else if (a == "--type" && (value == "f" || value == "d")) {
    filters.kind = value == "f" ? search::EntryKind::FilesOnly : search::EntryKind::DirectoriesOnly;
  } else {
    return false;
  }
  return true;
}

bool parseValueOption(const std::string& a, const std::string& value, SearchArgs& result,
                      TableOptionState& table, std::string& problem) {
  if (a == "--volume") {
    result.volumes.push_back(value);
  } else if (a == "--mode") {
    const auto mode = search::searchModeFromName(value);
    if (!mode) return false;
    result.params.mode = *mode;
  } else if (parseTableOption(a, value, table)) {
    return true;
  } else {
    return parseFilterOption(a, value, result.params.filters, problem);
  }
  return true;
}

bool parseFlag(const std::string& a, search::SearchParams& p) {
  if (a == "--names") {
    choose(p, false, true, false);
  } else if (a == "--dirs") {
    choose(p, true, false, false);
  } else if (a == "--both") {
    choose(p, true, true, false);
  } else if (a == "--remarks") {
    choose(p, false, false, true);
  } else if (a == "--word") {
    p.wholeWord = true;
  } else if (a == "--case") {
    p.caseSensitive = true;
  } else {
    return false;
  }
  return true;
}

// The search as a whole: a text the mode cannot read, a filter range that
// is empty, a CSV separator without CSV.
bool checkWhole(SearchArgs& result, const TableOptionState& table, std::string& problem) {
  if (!finishTableOptions(table, result.format, result.csv, true)) return false;
  if (const auto error = search::checkSearchText(result.params.text, result.params.mode)) {
    problem = error->message;
    return false;
  }
  if (const auto filters = search::filterProblem(result.params.filters)) {
    problem = *filters;
    return false;
  }
  return true;
}

}  // namespace

std::optional<SearchArgs> parseSearchArgs(std::span<const std::string> args, std::string& problem) {
  SearchArgs result;
  choose(result.params, false, true, false);
  TableOptionState table;
  bool haveText = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (parseFlag(a, result.params)) continue;
    if (a.starts_with("--")) {
      if (i + 1 >= args.size() || !parseValueOption(a, args[i + 1], result, table, problem)) {
        return std::nullopt;
      }
      ++i;
    } else if (haveText || a.empty()) {
      return std::nullopt;
    } else {
      result.params.text = a;
      haveText = true;
    }
  }
  if (!haveText || !checkWhole(result, table, problem)) return std::nullopt;
  return result;
}

int searchCommand(CommandContext& context, const SearchArgs& args) {
  const CatalogueSession& session = context.session;
  std::ostream& out = context.streams.out;
  std::ostream& err = context.streams.err;
  const VolumeList& volumes = session.volumes();
  std::vector<std::size_t> indices;
  for (const std::string& name : args.volumes) {
    const auto index = volumes.findByName(name);
    if (!index) {
      err << "Datenträger \"" << name << "\" ist nicht erfaßt.\n";
      return kUsage;
    }
    indices.push_back(*index);
  }
  if (args.volumes.empty()) {
    for (std::size_t i = 0; i < volumes.size(); ++i) indices.push_back(i);
  }
  // Volumes in list order, each once.
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  const bool table = args.format != exporting::ExportFormat::Text;
  RowSink sink(out, table);
  session.searchService().searchVolumes(args.params, indices, sink);
  if (table) {
    out << exporting::tableDocument(search::searchResultTable(sink.rows(), args.params.text),
                                    args.format, args.csv);
  }
  return sink.count() > 0 ? kFound : kNotFound;
}

}  // namespace diskindex::cli
