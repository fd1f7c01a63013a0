#include "diskindex/cli/find_commands.h"

#include <charconv>
#include <filesystem>
#include <limits>
#include <ostream>

#include "diskindex/cli/command_table.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/export/table_export.h"

namespace diskindex::cli {
namespace {

constexpr int kNotFound = 1;
constexpr int kError = 2;

int unitShift(char unit) {
  switch (unit) {
    case 'K':
    case 'k':
      return 10;
    case 'M':
    case 'm':
      return 20;
    case 'G':
    case 'g':
      return 30;
    case 'T':
    case 't':
      return 40;
    default:
      return -1;
  }
}

}  // namespace

std::optional<std::int64_t> parseByteAmount(std::string_view text) {
  int shift = 0;
  if (!text.empty() && (text.back() < '0' || text.back() > '9')) {
    shift = unitShift(text.back());
    if (shift < 0) return std::nullopt;
    text.remove_suffix(1);
  }
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0) {
    return std::nullopt;
  }
  if (value > (std::numeric_limits<std::int64_t>::max() >> shift)) return std::nullopt;
  return value << shift;
}

std::optional<IdentifyArgs> parseIdentifyArgs(std::span<const std::string> args) {
  if (args.size() != 1) return std::nullopt;
  return IdentifyArgs{args[0]};
}

int identifyCommand(CommandContext& context, const IdentifyArgs& args) {
  const CatalogueSession& session = context.session;
  const std::string& path = args.path;
  std::ostream& out = context.streams.out;
  std::ostream& err = context.streams.err;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    err << "Der Pfad \"" << path << "\" existiert nicht.\n";
    return kError;
  }
  const std::vector<std::size_t> found =
      session.volumeService().onFileSystemOf(path, session.volumeService().driveTable());
  if (found.empty()) {
    err << "Der Datenträger unter \"" << path << "\" ist nicht erfaßt"
        << " (kein erfaßter Datenträger hat dieses Dateisystem).\n";
    return kNotFound;
  }
  for (std::size_t index : found) {
    out << exporting::exportName(session.volumes()[index].name) << '\n';
  }
  return 0;
}

}  // namespace diskindex::cli
