#include "diskindex/cli/commands.h"

#include <cmath>
#include <cstdio>

#include "diskindex/cli/cli_manual.h"
#include "diskindex/cli/copy_command.h"
#include "diskindex/cli/export_command.h"
#include "diskindex/cli/find_commands.h"
#include "diskindex/cli/search_command.h"
#include "diskindex/cli/terminal_scan.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/volume_file.h"
#include "platform/dates.h"

namespace diskindex::cli {
namespace {

constexpr int kNotFound = 1;
constexpr int kError = 2;

std::string formatDate(const platform::CivilTime& c) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", c.day, c.month, c.year);
  return text;
}

// A stored date after today counts from 1 January of the year 1 (a file of
// an old version): it is shown 693,594 days earlier.
std::string captureDate(double dayCount) {
  const platform::CivilTime today = platform::localCivilNow();
  if (std::isfinite(dayCount) &&
      dayCount >= platform::daysSince18991230(today.year, today.month, today.day) + 1) {
    dayCount -= 693594.0;
  }
  return formatDate(platform::civilFromDayCount(dayCount));
}

std::string dosDateTime(std::uint32_t packed) {
  const platform::CivilTime c = platform::unpackDos(platform::DosDateTime{
      static_cast<std::uint16_t>(packed >> 16), static_cast<std::uint16_t>(packed)});
  char time[16];
  std::snprintf(time, sizeof time, " %02d:%02d:%02d", c.hour, c.minute, c.second);
  return formatDate(c) + time;
}

class ErrorPrinter : public SessionObserver {
 public:
  explicit ErrorPrinter(std::ostream& err) : m_err(err) {}
  void fileFailed(ResultCode code, const std::filesystem::path& file) override {
    printMessage(m_err, listLoadMessage(code, file.string()));
  }
  void dataDirectoryFailed(ResultCode code, const std::filesystem::path& folder) override {
    printMessage(m_err, errorMessage(code, messages::kListLoadCaption, folder.string()));
  }

 private:
  std::ostream& m_err;
};

// Every volume, or with minFree only those known to have that much room.
int listCommand(const Catalogue& catalogue, std::optional<std::int64_t> minFree,
                std::ostream& out) {
  for (const VolumeRecord& v : catalogue.volumes().records()) {
    if (minFree && !hasFreeSpace(v, *minFree)) continue;
    out << v.name << '\t' << v.category.value_or("") << '\t' << v.label << '\t'
        << driveTypeWord(v.driveType) << '\t' << v.fileCount << '\t' << v.directoryCount << '\t'
        << captureDate(v.captureDate) << '\n';
  }
  return 0;
}

void printTree(const TOutlineDirList& dirs, const std::string& volumeName, std::ostream& out) {
  for (std::size_t d = 0; d < dirs.directoryCount(); ++d) {
    const std::size_t level = dirs.level(d);
    out << std::string(level, '\t') << (d == 0 ? volumeName : std::string(dirs.directoryName(d)))
        << "/\n";
    const std::string indent(level + 1, '\t');
    for (const FileItem& file : dirs.files(d)) {
      out << indent << dirs.name(file) << '\t' << file.size << '\t' << dosDateTime(file.dosDateTime)
          << '\n';
    }
  }
}

int treeCommand(const Catalogue& catalogue, const std::string& name, std::ostream& out,
                std::ostream& err) {
  const auto index = catalogue.volumes().findByName(name);
  if (!index) {
    err << "Datenträger \"" << name << "\" ist nicht erfaßt.\n";
    return kNotFound;
  }
  const VolumeRecord& volume = catalogue.volumes()[*index];
  TOutlineDirList dirs;
  const ResultCode code = loadVolumeContents(volume.dataFile, dirs);
  if (code != ResultCode::Ok) {
    printMessage(err, errorMessage(code, OperationTitle::ReadContents, volume.dataFile.string()));
    return kError;
  }
  printTree(dirs, volume.name, out);
  return 0;
}

}  // namespace

int run(const std::vector<std::string>& args, SessionEnvironment environment, std::ostream& out,
        std::ostream& err) {
  std::size_t i = 0;
  if (args.size() >= 2 && args[0] == "--data") {
    environment.dataDirectory = args[1];
    i = 2;
  }
  std::optional<std::int64_t> minFree;
  if (args.size() == i + 3 && args[i] == "list" && args[i + 1] == "--free-at-least") {
    minFree = parseByteAmount(args[i + 2]);
  }
  const bool list = (args.size() == i + 1 && args[i] == "list") || minFree;
  const bool identify = args.size() == i + 2 && args[i] == "identify";
  const bool tree = args.size() == i + 2 && args[i] == "tree";
  const bool searching = args.size() > i && args[i] == "search";
  std::optional<SearchArgs> searchArgs;
  if (searching) {
    searchArgs = parseSearchArgs(std::span(args).subspan(i + 1));
  }
  std::optional<CopyArgs> copyArgs;
  if (args.size() > i && args[i] == "copy") {
    copyArgs = parseCopyArgs(std::span(args).subspan(i + 1));
  }
  std::optional<ExportArgs> exportArgs;
  if (args.size() > i && args[i] == "export") {
    exportArgs = parseExportArgs(std::span(args).subspan(i + 1));
  }
  if (!list && !tree && !identify && !searchArgs && !copyArgs && !exportArgs) {
    err << climanual::usageText(cliManual());
    return kError;
  }
  CatalogueSession session(std::move(environment));
  ErrorPrinter printer(err);
  if (session.start(printer) != ResultCode::Ok) {
    printMessage(err, errorMessage(ResultCode::CannotOpen, messages::kListLoadCaption,
                                   session.state().catalogue.dataDirectory().string()));
    return kError;
  }
  for (const std::filesystem::path& file : session.state().catalogue.oldFormatFiles()) {
    err << file.string() << ": Format einer älteren Version, im Programm konvertieren\n";
  }
  if (searchArgs) return searchCommand(session, *searchArgs, out, err);
  if (copyArgs) return copyCommand(session, *copyArgs, out, err);
  if (exportArgs) return exportCommand(session, *exportArgs, out, err);
  if (identify) return identifyCommand(session, args[i + 1], out, err);
  const Catalogue& catalogue = session.state().catalogue;
  return list ? listCommand(catalogue, minFree, out)
              : treeCommand(catalogue, args[i + 1], out, err);
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return run(args, SessionEnvironment::fromSystem(ScreenSize{}), out, err);
}

}  // namespace diskindex::cli
