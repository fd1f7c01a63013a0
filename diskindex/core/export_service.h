#pragma once
// ExportService: the export workflows of a catalogue session: volume
// information as delimited lines, and the open volume's directory tree to a
// file, the printout or the clipboard. Each remembers its options (and a
// file's target, EXPT_PATH) in the settings. Asking before overwriting a
// file is the caller's.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "diskindex/core/export/export_file.h"
#include "diskindex/core/export/export_options.h"
#include "diskindex/core/session_data.h"

namespace diskindex {

class ExportService {
 public:
  explicit ExportService(SessionData& data) : m_data(data) {}

  // The volumes an information export covers, as list positions in list
  // order: all of them, or those that pass the options' category filter.
  std::vector<std::size_t> infoVolumes(const exporting::InfoExportOptions& options) const;
  // One line per volume (no line ends), fields as the options choose.
  std::vector<std::string> infoLines(const exporting::InfoExportOptions& options) const;
  // Remembers the options and the target (as a full path), then writes the
  // lines to a file created anew.
  exporting::ExportResult exportInfo(const exporting::InfoExportOptions& options,
                                     const std::filesystem::path& file);
  // The open volume's tree lines from the root or, with selectedDirectory,
  // from selectedDir (none selected: no lines). None when no volume is open.
  // Control characters in names are shown as "?" (export, print, clipboard).
  std::vector<std::string> treeLines(const exporting::TreeExportOptions& options,
                                     std::optional<std::size_t> selectedDir) const;
  // Remembers the options and the target, then writes heading and tree
  // lines by the append rules (exporting::treeExportLines).
  exporting::ExportResult exportTree(const exporting::TreeExportOptions& options,
                                     std::optional<std::size_t> selectedDir,
                                     const std::filesystem::path& file);
  // Remembers the options (the export's append choice stays); the lines of
  // the printout (heading first) and the clipboard's text (the tree lines
  // alone, each with CR LF).
  std::vector<std::string> treePrintLines(const exporting::TreeExportOptions& options,
                                          std::optional<std::size_t> selectedDir);
  // The clipboard text: control characters in names shown as "?".
  std::string treeClipboardText(const exporting::TreeExportOptions& options,
                                std::optional<std::size_t> selectedDir);
  // The target as a full path, as it is kept in EXPT_PATH.
  static std::filesystem::path target(const std::filesystem::path& file);

 private:
  // Keeps the options in the settings except the append choice.
  void rememberForPrinting(const exporting::TreeExportOptions& options);

  SessionData& m_data;
};

}  // namespace diskindex
