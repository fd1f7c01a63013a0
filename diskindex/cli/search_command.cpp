#include "diskindex/cli/search_command.h"

#include <algorithm>
#include <cstdio>

#include "diskindex/cli/command_table.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/display_format.h"

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

class LinePrinter : public search::MultiSearchObserver {
 public:
  explicit LinePrinter(std::ostream& out) : m_out(out) {}
  void row(const search::ResultRow& r) override {
    const ClockTime t = dosClockTime(r.dosDateTime);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    m_out << r.volumeName << '\t' << r.path << '\t' << search::sizeCell(r) << '\t'
          << search::dateCell(r, time) << '\n';
  }

 private:
  std::ostream& m_out;
};

}  // namespace

std::optional<SearchArgs> parseSearchArgs(std::span<const std::string> args) {
  SearchArgs result;
  choose(result.params, false, true, false);
  bool haveText = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--names") {
      choose(result.params, false, true, false);
    } else if (a == "--dirs") {
      choose(result.params, true, false, false);
    } else if (a == "--both") {
      choose(result.params, true, true, false);
    } else if (a == "--remarks") {
      choose(result.params, false, false, true);
    } else if (a == "--word") {
      result.params.wholeWord = true;
    } else if (a == "--case") {
      result.params.caseSensitive = true;
    } else if (a == "--volume" && i + 1 < args.size()) {
      result.volumes.push_back(args[++i]);
    } else if (a.starts_with("--") || haveText || a.empty()) {
      return std::nullopt;
    } else {
      result.params.text = a;
      haveText = true;
    }
  }
  if (!haveText) return std::nullopt;
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
  LinePrinter printer(out);
  const search::MultiSearchSummary summary =
      session.searchService().searchVolumes(args.params, indices, printer);
  return summary.rows > 0 ? kFound : kNotFound;
}

}  // namespace diskindex::cli
