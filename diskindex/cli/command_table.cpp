#include "diskindex/cli/command_table.h"

#include <ostream>

#include "diskindex/cli/cli_manual.h"
#include "diskindex/cli/copy_command.h"
#include "diskindex/cli/duplicates_command.h"
#include "diskindex/cli/export_command.h"
#include "diskindex/cli/find_commands.h"
#include "diskindex/cli/list_commands.h"
#include "diskindex/cli/rescan_command.h"
#include "diskindex/cli/scan_command.h"
#include "diskindex/cli/search_command.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/scan/rescan_messages.h"

namespace diskindex::cli {
namespace {

constexpr int kUsageError = 2;

// A row over typed options: parse gives Args (or nothing, or a problem),
// run takes them.
template <class Args>
CommandRow makeRow(
    std::string_view name, Preamble preamble,
    std::function<std::optional<Args>(std::span<const std::string>, std::string& problem)> parse,
    std::function<int(CommandContext&, const Args&)> run, const char* usage = nullptr) {
  CommandRow row;
  row.name = name;
  row.preamble = preamble;
  row.parse = [parse](std::span<const std::string> args,
                      std::string& problem) -> std::optional<std::any> {
    std::optional<Args> parsed = parse(args, problem);
    if (!parsed) return std::nullopt;
    return std::any(std::move(*parsed));
  };
  row.volumeName = [](const std::any& args) -> std::string {
    if constexpr (requires(const Args& a) { a.volume; }) {
      return std::any_cast<const Args&>(args).volume;
    } else {
      return {};
    }
  };
  row.run = [run](CommandContext& context, const std::any& args) {
    return run(context, std::any_cast<const Args&>(args));
  };
  row.usage = usage;
  return row;
}

// A parser that only says yes or no (the manual's usage tells the rest).
template <class Args>
std::function<std::optional<Args>(std::span<const std::string>, std::string&)> quiet(
    std::optional<Args> (*parse)(std::span<const std::string>)) {
  return [parse](std::span<const std::string> args, std::string&) { return parse(args); };
}

std::vector<CommandRow> buildTable() {
  const Preamble catalogue;
  Preamble named = catalogue;
  named.volumeMissingExit = 1;
  Preamble copying = catalogue;
  copying.volumeMissingExit = 2;
  Preamble reading{StartReport::DataFolderOnly, CaptionStyle::Space, false, std::nullopt,
                   messages::kAddVolumeTitle};
  Preamble rereading{StartReport::FailureOnly, CaptionStyle::Space, false, 1,
                     scan::messages::kRescanCaption};
  std::vector<CommandRow> rows;
  rows.push_back(makeRow<ListArgs>("list", catalogue, quiet(&parseListArgs), &listCommand));
  rows.push_back(
      makeRow<IdentifyArgs>("identify", catalogue, quiet(&parseIdentifyArgs), &identifyCommand));
  rows.push_back(makeRow<TreeArgs>("tree", named, quiet(&parseTreeArgs), &treeCommand));
  rows.push_back(makeRow<ScanArgs>("scan", reading, &parseScanArgs, &runScan, kScanUsage));
  rows.push_back(
      makeRow<RescanArgs>("rescan", rereading, &parseRescanArgs, &runRescan, kRescanUsage));
  rows.push_back(makeRow<SearchArgs>("search", catalogue, &parseSearchArgs, &searchCommand));
  rows.push_back(
      makeRow<DuplicatesArgs>("duplicates", catalogue, &parseDuplicatesArgs, &duplicatesCommand));
  rows.push_back(makeRow<CopyArgs>("copy", copying, quiet(&parseCopyArgs), &copyCommand));
  rows.push_back(makeRow<ExportArgs>("export", catalogue, quiet(&parseExportArgs), &exportCommand));
  return rows;
}

void printCaptioned(std::ostream& err, const ErrorMessage& message, CaptionStyle style) {
  if (style == CaptionStyle::Colon) {
    printMessage(err, message);
  } else {
    err << message.caption << " " << plainLines(message.text) << "\n";
  }
}

// What start-up reports, as the row asks.
class StartPrinter : public SessionObserver {
 public:
  StartPrinter(std::ostream& err, const Preamble& preamble) : m_err(err), m_preamble(preamble) {}
  void fileFailed(ResultCode code, const std::filesystem::path& file) override {
    if (m_preamble.report != StartReport::Everything) return;
    printMessage(m_err, listLoadMessage(code, file.string()));
  }
  void dataDirectoryFailed(ResultCode code, const std::filesystem::path& folder) override {
    if (m_preamble.report == StartReport::FailureOnly) return;
    printCaptioned(m_err, errorMessage(code, messages::kListLoadCaption, folder.string()),
                   m_preamble.style);
  }
  // Always said: the settings used are not all the file's.
  void settingsDamaged(const std::filesystem::path& file) override {
    m_err << plainLines(messages::damagedSettingsFile(file.string())) << "\n";
  }

 private:
  std::ostream& m_err;
  const Preamble& m_preamble;
};

}  // namespace

const std::vector<CommandRow>& commandTable() {
  static const std::vector<CommandRow> table = buildTable();
  return table;
}

const CommandRow* findCommand(std::string_view name) {
  for (const CommandRow& row : commandTable()) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

std::optional<int> startCatalogue(CatalogueSession& session, const Preamble& preamble,
                                  const std::string& volumeName, CommandContext& context) {
  std::ostream& err = context.streams.err;
  StartPrinter printer(err, preamble);
  if (session.start(printer) != ResultCode::Ok) {
    const std::string folder = session.state().catalogue.dataDirectory().string();
    // A folder that is not there (an unplugged disk) is said as such, never
    // shown as an empty catalogue.
    printCaptioned(err,
                   session.volumeService().dataDirectoryMissing()
                       ? ErrorMessage{std::string(messages::kListLoadCaption) + " - Fehler:",
                                      messages::missingDataDirectory(folder)}
                       : errorMessage(ResultCode::CannotOpen, messages::kListLoadCaption, folder),
                   preamble.style);
    return kUsageError;
  }
  if (preamble.oldFormatNotice) {
    for (const std::filesystem::path& file : session.state().catalogue.oldFormatFiles()) {
      err << file.string() << ": Format einer älteren Version, im Programm konvertieren\n";
    }
  }
  if (preamble.volumeMissingExit) {
    context.volume = session.volumes().findByName(volumeName);
    if (!context.volume) {
      err << "Datenträger \"" << volumeName << "\" ist nicht erfaßt.\n";
      return *preamble.volumeMissingExit;
    }
  }
  if (!preamble.writableCaption.empty()) {
    if (const auto refusal = session.volumeService().writeRefusal()) {
      err << preamble.writableCaption << ": " << plainLines(*refusal) << "\n";
      return kUsageError;
    }
  }
  return std::nullopt;
}

int runCommandLine(const std::vector<std::string>& args, SessionEnvironment environment,
                   ScanStreams streams) {
  const std::string usage = climanual::usageText(cliManual());
  // The global options, before the command name.
  std::size_t i = 0;
  while (i < args.size() && args[i].rfind("--", 0) == 0) {
    if (args[i] != "--data" || i + 1 >= args.size()) {
      streams.err << usage;
      return kUsageError;
    }
    environment.dataDirectory = args[i + 1];
    i += 2;
  }
  const CommandRow* row = i < args.size() ? findCommand(args[i]) : nullptr;
  if (row == nullptr) {
    streams.err << usage;
    return kUsageError;
  }
  std::string problem;
  const std::optional<std::any> options = row->parse(std::span(args).subspan(i + 1), problem);
  if (!options) {
    if (!problem.empty()) streams.err << problem << "\n";
    streams.err << (row->usage != nullptr ? std::string(row->usage) : usage);
    return kUsageError;
  }
  CatalogueSession session(std::move(environment));
  CommandContext context{session, streams, std::nullopt};
  if (const auto failed =
          startCatalogue(session, row->preamble, row->volumeName(*options), context)) {
    return *failed;
  }
  return row->run(context, *options);
}

}  // namespace diskindex::cli
