#include "diskindex/cli/export_command.h"

#include <algorithm>
#include <ctime>

#include "diskindex/cli/command_table.h"
#include "diskindex/cli/table_options.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/export/catalogue_tables.h"
#include "diskindex/core/export/export_messages.h"
#include "diskindex/core/messages.h"
#include "platform/dates.h"

namespace diskindex::cli {
namespace {

constexpr int kDone = 0;
constexpr int kNotFound = 1;
constexpr int kUsage = 2;
constexpr int kWriteError = 3;

// "4,11" strictly: every item a field number, none twice.
std::optional<std::vector<exporting::InfoField>> parseFields(const std::string& text) {
  std::vector<exporting::InfoField> fields;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find(',', pos);
    if (end == std::string::npos) end = text.size();
    const std::string item = text.substr(pos, end - pos);
    pos = end + 1;
    const bool digits =
        !item.empty() && item.size() <= 2 &&
        std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
    const std::optional<exporting::InfoField> field =
        digits ? exporting::infoFieldFromNumber(std::stoi(item)) : std::nullopt;
    if (!field || std::find(fields.begin(), fields.end(), *field) != fields.end())
      return std::nullopt;
    fields.push_back(*field);
  }
  return fields;
}

// One character: one byte, or one UTF-8 sequence.
bool oneCharacter(const std::string& text) {
  if (text.empty()) return false;
  std::size_t starts = 0;
  for (unsigned char c : text) starts += (c & 0xC0) != 0x80 ? 1 : 0;
  return starts == 1;
}

bool parseInfoOption(std::span<const std::string> args, std::size_t& i, ExportArgs& result,
                     bool& haveFields) {
  const std::string& a = args[i];
  if (i + 1 >= args.size()) return false;
  if (a == "--fields") {
    const auto fields = parseFields(args[++i]);
    if (!fields) return false;
    result.info.fields = *fields;
    haveFields = true;
  } else if (a == "--sep" && oneCharacter(args[i + 1])) {
    result.info.separator = args[++i];
  } else if (a == "--category" && !args[i + 1].empty()) {
    result.category = args[++i];
  } else {
    return false;
  }
  return true;
}

bool parseTreeOption(std::span<const std::string> args, std::size_t& i, ExportArgs& result,
                     bool& haveContent) {
  const std::string& a = args[i];
  exporting::TreeExportOptions& o = result.treeOptions;
  if (a == "--paths") {
    o.lines.paths = true;
  } else if (a == "--append") {
    o.append = true;
  } else if (a == "--dirs-only" || a == "--files-only") {
    if (haveContent) return false;
    haveContent = true;
    o.lines.content = a == "--dirs-only" ? exporting::TreeContent::DirectoriesOnly
                                         : exporting::TreeContent::FilesOnly;
  } else if ((a == "--from" || a == "--heading") && i + 1 < args.size()) {
    (a == "--from" ? result.from : o.heading) = args[++i];
    o.selectedDirectory = o.selectedDirectory || a == "--from";
  } else if (!a.starts_with("--") && !a.empty() && result.volume.empty()) {
    result.volume = a;
  } else {
    return false;
  }
  return true;
}

void printWriteError(exporting::ExportResult result, std::string_view caption,
                     const std::string& file, std::ostream& err) {
  std::string text = result == exporting::ExportResult::CannotCreate
                         ? exporting::messages::createFailed(file)
                         : exporting::messages::writeFailed(file);
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  err << caption << ": " << text << "\n";
}

int finish(exporting::ExportResult result, std::string_view caption, const std::string& target,
           std::ostream& err) {
  if (result == exporting::ExportResult::Ok || result == exporting::ExportResult::NothingToWrite) {
    return kDone;
  }
  printWriteError(result, caption, ExportService::target(target).string(), err);
  return kWriteError;
}

// A table format: the document to standard output or over the file.
int writeTable(const exporting::ExportTable& table, const ExportArgs& args,
               std::string_view caption, std::ostream& out, std::ostream& err) {
  const std::string document = exporting::tableDocument(table, args.format, args.csv);
  if (args.target == "-") {
    out << document;
    return kDone;
  }
  return finish(exporting::writeExportFile(ExportService::target(args.target), document), caption,
                args.target, err);
}

// --format after the loop: the CSV separator from --sep, and the text-only
// tree options refused with a table.
bool finishFormat(ExportArgs& result, bool haveSep) {
  if (result.format == exporting::ExportFormat::Text) return true;
  if (haveSep) {
    const auto separator = result.format == exporting::ExportFormat::Csv
                               ? csvSeparator(result.info.separator)
                               : std::nullopt;
    if (!separator) return false;
    result.csv.separator = *separator;
  }
  const exporting::TreeExportOptions& o = result.treeOptions;
  return !result.tree || (!o.lines.paths && !o.append && o.heading.empty());
}

int exportInfo(CatalogueSession& session, const ExportArgs& args, std::ostream& out,
               std::ostream& err) {
  exporting::InfoExportOptions options = args.info;
  options.allVolumes = !args.category;
  options.categoryFilter = args.category.value_or(std::string(messages::kAllCategories));
  if (args.category && !CategoryList::isPseudoEntry(*args.category) &&
      !session.state().categories.contains(*args.category)) {
    err << "Kategorie \"" << *args.category << "\" ist nicht bekannt.\n";
    return kNotFound;
  }
  if (args.format != exporting::ExportFormat::Text) {
    std::vector<VolumeRecord> chosen;
    for (const VolumeRecord& v : session.volumes().records()) {
      if (options.allVolumes || exporting::passesCategoryFilter(v, options.categoryFilter)) {
        chosen.push_back(v);
      }
    }
    const double today = platform::dayCountFromUnixTime(std::time(nullptr));
    return writeTable(exporting::volumeInfoTable(chosen, options.fields, today), args,
                      exporting::messages::kInfoExportCaption, out, err);
  }
  if (args.target == "-") {
    out << exporting::joinLines(session.exportService().infoLines(options));
    return kDone;
  }
  return finish(session.exportService().exportInfo(options, args.target),
                exporting::messages::kInfoExportCaption, args.target, err);
}

int exportTree(CatalogueSession& session, const ExportArgs& args, std::ostream& out,
               std::ostream& err) {
  const auto index = session.volumes().findByName(args.volume);
  if (!index) {
    err << "Datenträger \"" << args.volume << "\" ist nicht erfaßt.\n";
    return kNotFound;
  }
  const OpenResult opened = session.volumeService().open(*index);
  if (opened.contents != ResultCode::Ok) {
    const ErrorMessage message = errorMessage(opened.contents, OperationTitle::ReadContents,
                                              session.volumes()[*index].dataFile.string());
    err << message.caption << " " << message.text << "\n";
    return kWriteError;
  }
  const std::optional<std::size_t> start =
      exporting::findDirectory(session.state().opened->directories,
                               pathFromRoot(rootOf(session.state().opened->record), args.from));
  if (!start) {
    err << "Verzeichnis \"" << args.from << "\" gibt es auf \"" << args.volume << "\" nicht.\n";
    return kNotFound;
  }
  if (args.format != exporting::ExportFormat::Text) {
    const OpenedVolume& volume = *session.state().opened;
    return writeTable(exporting::treeTable(volume.directories, *start, rootOf(volume.record),
                                           volume.remarks, args.treeOptions.lines.content),
                      args, exporting::messages::kTreeExportCaption, out, err);
  }
  if (args.target == "-") {
    const exporting::TreeExportOptions& o = args.treeOptions;
    out << exporting::joinLines(exporting::treeExportLines(
        session.exportService().treeLines(o, start), o.heading, o.append));
    return kDone;
  }
  return finish(session.exportService().exportTree(args.treeOptions, start, args.target),
                exporting::messages::kTreeExportCaption, args.target, err);
}

}  // namespace

std::optional<ExportArgs> parseExportArgs(std::span<const std::string> args) {
  if (args.empty() || (args[0] != "info" && args[0] != "tree")) return std::nullopt;
  ExportArgs result;
  result.tree = args[0] == "tree";
  bool haveFields = false;
  bool haveContent = false;
  bool haveSep = false;
  bool haveFormat = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--to" && i + 1 < args.size() && !args[i + 1].empty()) {
      result.target = args[++i];
      continue;
    }
    if (args[i] == "--format" && i + 1 < args.size() && !haveFormat) {
      const auto format = exporting::exportFormatFromName(args[++i]);
      if (!format) return std::nullopt;
      result.format = *format;
      haveFormat = true;
      continue;
    }
    haveSep = haveSep || args[i] == "--sep";
    const bool ok = result.tree ? parseTreeOption(args, i, result, haveContent)
                                : parseInfoOption(args, i, result, haveFields);
    if (!ok) return std::nullopt;
  }
  if (result.target.empty()) return std::nullopt;
  if (result.tree ? result.volume.empty() : !haveFields) return std::nullopt;
  if (!finishFormat(result, haveSep)) return std::nullopt;
  return result;
}

int exportCommand(CommandContext& context, const ExportArgs& args) {
  CatalogueSession& session = context.session;
  std::ostream& out = context.streams.out;
  std::ostream& err = context.streams.err;
  return args.tree ? exportTree(session, args, out, err) : exportInfo(session, args, out, err);
}

}  // namespace diskindex::cli
