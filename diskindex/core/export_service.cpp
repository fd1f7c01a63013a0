// The export workflows of a catalogue session.

#include "diskindex/core/export_service.h"

#include <ctime>
#include <system_error>

#include "diskindex/core/export/table_export.h"
#include "platform/dates.h"

namespace diskindex {

std::vector<std::size_t> ExportService::infoVolumes(
    const exporting::InfoExportOptions& options) const {
  std::vector<std::size_t> indices;
  const VolumeList& list = m_data.state.catalogue.volumes();
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (options.allVolumes || exporting::passesCategoryFilter(list[i], options.categoryFilter)) {
      indices.push_back(i);
    }
  }
  return indices;
}

std::vector<std::string> ExportService::infoLines(
    const exporting::InfoExportOptions& options) const {
  const double today = platform::dayCountFromUnixTime(std::time(nullptr));
  std::vector<std::string> lines;
  for (std::size_t index : infoVolumes(options)) {
    lines.push_back(exporting::infoLine(m_data.state.catalogue.volumes()[index], options.fields,
                                        options.separator, today));
  }
  return lines;
}

std::filesystem::path ExportService::target(const std::filesystem::path& file) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(file, error);
  return error ? file : full.lexically_normal();
}

exporting::ExportResult ExportService::exportInfo(const exporting::InfoExportOptions& options,
                                                  const std::filesystem::path& file) {
  const std::filesystem::path full = target(file);
  exporting::infoOptionsToSettings(options, m_data.state.settings);
  m_data.state.settings.exptPath = full.string();
  return exporting::writeLines(full, infoLines(options), exporting::WriteMode::Replace);
}

std::vector<std::string> ExportService::treeLines(const exporting::TreeExportOptions& options,
                                                  std::optional<std::size_t> selectedDir) const {
  const std::optional<OpenedVolume>& opened = m_data.state.opened;
  if (!opened) return {};
  std::size_t start = 0;
  if (options.selectedDirectory) {
    if (!selectedDir) return {};
    start = *selectedDir;
  }
  std::vector<std::string> lines =
      exporting::treeLines(opened->directories, start, rootOf(opened->record), options.lines);
  // Control characters in names become "?" (the indenting TABs stay), so a
  // name cannot forge lines in an export, a printout or on the clipboard.
  for (std::string& line : lines) {
    const std::size_t indent = line.find_first_not_of('\t');
    if (indent == std::string::npos) continue;
    line = line.substr(0, indent) + exporting::exportName(std::string_view(line).substr(indent));
  }
  return lines;
}

exporting::ExportResult ExportService::exportTree(const exporting::TreeExportOptions& options,
                                                  std::optional<std::size_t> selectedDir,
                                                  const std::filesystem::path& file) {
  const std::filesystem::path full = target(file);
  exporting::treeOptionsToSettings(options, m_data.state.settings);
  m_data.state.settings.exptPath = full.string();
  const std::vector<std::string> lines =
      exporting::treeExportLines(treeLines(options, selectedDir), options.heading, options.append);
  if (lines.empty()) return exporting::ExportResult::NothingToWrite;
  return exporting::writeLines(
      full, lines, options.append ? exporting::WriteMode::Append : exporting::WriteMode::Replace);
}

void ExportService::rememberForPrinting(const exporting::TreeExportOptions& options) {
  exporting::TreeExportOptions kept = options;
  kept.append = m_data.state.settings.expApnd == 1;  // printing leaves the export's choice alone
  exporting::treeOptionsToSettings(kept, m_data.state.settings);
}

std::vector<std::string> ExportService::treePrintLines(const exporting::TreeExportOptions& options,
                                                       std::optional<std::size_t> selectedDir) {
  rememberForPrinting(options);
  const std::vector<std::string> tree = treeLines(options, selectedDir);
  if (tree.empty()) return {};
  return exporting::treePrintLines(tree, options.heading);
}

std::string ExportService::treeClipboardText(const exporting::TreeExportOptions& options,
                                             std::optional<std::size_t> selectedDir) {
  rememberForPrinting(options);
  return exporting::joinLines(treeLines(options, selectedDir));
}

}  // namespace diskindex
