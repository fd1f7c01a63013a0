#include "diskindex/cli/list_commands.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include "diskindex/cli/command_table.h"
#include "diskindex/cli/find_commands.h"
#include "diskindex/cli/terminal_scan.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/export/table_export.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/volume_file.h"
#include "platform/dates.h"

namespace diskindex::cli {
namespace {

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

// Names, categories and labels are printed with control characters as "?",
// so no stored name can break a line or forge another.

// Every volume, or with minFree only those known to have that much room.
int listVolumes(const Catalogue& catalogue, std::optional<std::int64_t> minFree,
                std::ostream& out) {
  for (const VolumeRecord& v : catalogue.volumes().records()) {
    if (minFree && !hasFreeSpace(v, *minFree)) continue;
    out << exporting::exportName(v.name) << '\t' << exporting::exportName(v.category.value_or(""))
        << '\t' << exporting::exportName(v.label) << '\t' << driveTypeWord(v.driveType) << '\t'
        << v.fileCount << '\t' << v.directoryCount << '\t' << captureDate(v.captureDate) << '\n';
  }
  return 0;
}

void printTree(const TOutlineDirList& dirs, const std::string& volumeName, std::ostream& out) {
  for (std::size_t d = 0; d < dirs.directoryCount(); ++d) {
    const std::size_t level = dirs.level(d);
    out << std::string(level, '\t')
        << exporting::exportName(d == 0 ? volumeName : std::string(dirs.directoryName(d))) << "/\n";
    const std::string indent(level + 1, '\t');
    for (const FileItem& file : dirs.files(d)) {
      out << indent << exporting::exportName(dirs.name(file)) << '\t' << file.size << '\t'
          << dosDateTime(file.dosDateTime) << '\n';
    }
  }
}

}  // namespace

std::optional<ListArgs> parseListArgs(std::span<const std::string> args) {
  if (args.empty()) return ListArgs{};
  if (args.size() != 2 || args[0] != "--free-at-least") return std::nullopt;
  const std::optional<std::int64_t> amount = parseByteAmount(args[1]);
  if (!amount) return std::nullopt;
  return ListArgs{amount};
}

std::optional<TreeArgs> parseTreeArgs(std::span<const std::string> args) {
  if (args.size() != 1) return std::nullopt;
  return TreeArgs{args[0]};
}

int listCommand(CommandContext& context, const ListArgs& args) {
  return listVolumes(context.session.state().catalogue, args.minFree, context.streams.out);
}

int treeCommand(CommandContext& context, const TreeArgs& /*args*/) {
  const VolumeRecord& volume = context.session.volumes()[*context.volume];
  TOutlineDirList dirs;
  const ResultCode code = loadVolumeContents(volume.dataFile, dirs);
  if (code != ResultCode::Ok) {
    printMessage(context.streams.err,
                 errorMessage(code, OperationTitle::ReadContents, volume.dataFile.string()));
    return kError;
  }
  printTree(dirs, volume.name, context.streams.out);
  return 0;
}

}  // namespace diskindex::cli
