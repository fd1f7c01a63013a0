#include "diskindex/cli/duplicates_command.h"

#include <algorithm>
#include <ostream>

#include "diskindex/cli/command_table.h"
#include "diskindex/cli/table_options.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/category_list.h"
#include "diskindex/core/export/export_options.h"
#include "diskindex/core/search/result_tables.h"
#include "diskindex/core/search/search_filters.h"

namespace diskindex::cli {
namespace {

constexpr int kFound = 0;
constexpr int kNone = 1;
constexpr int kUsage = 2;

bool parseValue(const std::string& a, const std::string& value, DuplicatesArgs& result,
                TableOptionState& table, std::string& problem) {
  if (a == "--volume" && !value.empty()) {
    result.volumes.push_back(value);
  } else if (a == "--category" && !value.empty() && !result.category) {
    result.category = value;
  } else if (a == "--min-size") {
    const auto size = search::parseSize(value);
    if (!size) {
      problem = search::badSizeMessage(value);
      return false;
    }
    result.options.minSize = *size;
  } else {
    return parseTableOption(a, value, table);
  }
  return true;
}

// The list positions searched, in list order; nothing when a named volume
// or the category is unknown (said on err, status in status).
std::optional<std::vector<std::size_t>> chosenVolumes(const CatalogueSession& session,
                                                      const DuplicatesArgs& args, std::ostream& err,
                                                      int& status) {
  const VolumeList& volumes = session.volumes();
  std::vector<std::size_t> indices;
  for (const std::string& name : args.volumes) {
    const auto index = volumes.findByName(name);
    if (!index) {
      err << "Datenträger \"" << name << "\" ist nicht erfaßt.\n";
      status = kUsage;
      return std::nullopt;
    }
    indices.push_back(*index);
  }
  if (args.category && !CategoryList::isPseudoEntry(*args.category) &&
      !session.state().categories.contains(*args.category)) {
    err << "Kategorie \"" << *args.category << "\" ist nicht bekannt.\n";
    status = kNone;
    return std::nullopt;
  }
  if (args.volumes.empty()) {
    for (std::size_t i = 0; i < volumes.size(); ++i) {
      if (!args.category || exporting::passesCategoryFilter(volumes[i], *args.category)) {
        indices.push_back(i);
      }
    }
  }
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  return indices;
}

}  // namespace

std::optional<DuplicatesArgs> parseDuplicatesArgs(std::span<const std::string> args,
                                                  std::string& problem) {
  DuplicatesArgs result;
  TableOptionState table;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--ignore-name") {
      result.options.ignoreName = true;
    } else if (a == "--same-date") {
      result.options.sameDate = true;
    } else if (i + 1 < args.size() && parseValue(a, args[i + 1], result, table, problem)) {
      ++i;
    } else {
      return std::nullopt;
    }
  }
  // Named volumes and a category would contradict each other.
  if (result.category && !result.volumes.empty()) return std::nullopt;
  if (!finishTableOptions(table, result.format, result.csv, false)) return std::nullopt;
  return result;
}

int duplicatesCommand(CommandContext& context, const DuplicatesArgs& args) {
  std::ostream& out = context.streams.out;
  std::ostream& err = context.streams.err;
  int status = kUsage;
  const auto indices = chosenVolumes(context.session, args, err, status);
  if (!indices) return status;
  std::vector<VolumeRecord> records;
  for (std::size_t i : *indices) records.push_back(context.session.volumes()[i]);
  search::DuplicateObserver quiet;
  const search::DuplicateResult result = search::findDuplicates(records, args.options, quiet);
  if (result.skippedVolumes > 0) {
    err << result.skippedVolumes << " Volume-Datei(en) konnten nicht gelesen werden.\n";
  }
  if (args.format == exporting::ExportFormat::Text) {
    for (const std::string& line : search::duplicateTextLines(result)) out << line << '\n';
  } else {
    out << exporting::tableDocument(search::duplicateTable(result), args.format, args.csv);
  }
  return result.groups.empty() ? kNone : kFound;
}

}  // namespace diskindex::cli
