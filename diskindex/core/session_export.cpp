// The export workflows of a catalogue session: volume information as
// delimited lines, and the open volume's directory tree to a file, the
// printout or the clipboard. Each remembers its options in the settings.

#include <ctime>
#include <system_error>

#include "diskindex/core/catalogue_session.h"
#include "platform/dates.h"

namespace diskindex {

std::vector<std::size_t> CatalogueSession::infoExportVolumes(
    const exporting::InfoExportOptions& options) const {
  std::vector<std::size_t> indices;
  const VolumeList& list = m_state.catalogue.volumes();
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (options.allVolumes || exporting::passesCategoryFilter(list[i], options.categoryFilter)) {
      indices.push_back(i);
    }
  }
  return indices;
}

std::vector<std::string> CatalogueSession::infoExportLines(
    const exporting::InfoExportOptions& options) const {
  const double today = platform::dayCountFromUnixTime(std::time(nullptr));
  std::vector<std::string> lines;
  for (std::size_t index : infoExportVolumes(options)) {
    lines.push_back(exporting::infoLine(m_state.catalogue.volumes()[index], options.fields,
                                        options.separator, today));
  }
  return lines;
}

std::filesystem::path CatalogueSession::exportTarget(const std::filesystem::path& file) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(file, error);
  return error ? file : full.lexically_normal();
}

exporting::ExportResult CatalogueSession::exportInfo(const exporting::InfoExportOptions& options,
                                                     const std::filesystem::path& file) {
  const std::filesystem::path target = exportTarget(file);
  exporting::infoOptionsToSettings(options, m_state.settings);
  m_state.settings.exptPath = target.string();
  return exporting::writeLines(target, infoExportLines(options), exporting::WriteMode::Replace);
}

std::vector<std::string> CatalogueSession::treeLines(const exporting::TreeExportOptions& options,
                                                     std::optional<std::size_t> selectedDir) const {
  if (!m_state.opened) return {};
  std::size_t start = 0;
  if (options.selectedDirectory) {
    if (!selectedDir) return {};
    start = *selectedDir;
  }
  return exporting::treeLines(m_state.opened->directories, start,
                              m_state.opened->record.driveLetter, options.lines);
}

exporting::ExportResult CatalogueSession::exportTree(const exporting::TreeExportOptions& options,
                                                     std::optional<std::size_t> selectedDir,
                                                     const std::filesystem::path& file) {
  const std::filesystem::path target = exportTarget(file);
  exporting::treeOptionsToSettings(options, m_state.settings);
  m_state.settings.exptPath = target.string();
  const std::vector<std::string> lines =
      exporting::treeExportLines(treeLines(options, selectedDir), options.heading, options.append);
  if (lines.empty()) return exporting::ExportResult::NothingToWrite;
  return exporting::writeLines(
      target, lines, options.append ? exporting::WriteMode::Append : exporting::WriteMode::Replace);
}

std::vector<std::string> CatalogueSession::treePrintLines(
    const exporting::TreeExportOptions& options, std::optional<std::size_t> selectedDir) {
  exporting::TreeExportOptions kept = options;
  kept.append = m_state.settings.expApnd == 1;  // printing leaves the export's choice alone
  exporting::treeOptionsToSettings(kept, m_state.settings);
  const std::vector<std::string> tree = treeLines(options, selectedDir);
  if (tree.empty()) return {};
  return exporting::treePrintLines(tree, options.heading);
}

std::string CatalogueSession::treeClipboardText(const exporting::TreeExportOptions& options,
                                                std::optional<std::size_t> selectedDir) {
  exporting::TreeExportOptions kept = options;
  kept.append = m_state.settings.expApnd == 1;
  exporting::treeOptionsToSettings(kept, m_state.settings);
  return exporting::joinLines(treeLines(options, selectedDir));
}

}  // namespace diskindex
