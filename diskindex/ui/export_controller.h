#pragma once
// ExportController: "Infos e&xportieren ..." (the volume information in
// the overview, the directory tree in the contents view), "&Drucken ..."
// and "&Verzeichnisbaum kopieren ...". It owns the export dialogs' prompts;
// each command runs its dialog, asks before a file is overwritten, makes
// one ExportService call and shows the result's message.

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "diskindex/core/export/export_file.h"
#include "diskindex/core/export/export_options.h"
#include "diskindex/ui/dlg_tree_export.h"
#include "diskindex/ui/export_prompts.h"
#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/form_view.h"

class QPrinter;

namespace diskindex {
class CatalogueSession;
}

namespace diskindex::ui {

class ExportController {
 public:
  ExportController(CatalogueSession& session, FormPrompts& prompts, FormView& view);
  ~ExportController();

  void setPrompts(std::unique_ptr<ExportPrompts> prompts);
  // The information of the overview's volumes, or the open volume's tree.
  void exportInfo();
  void print();
  void copyTree();

 private:
  void exportVolumeInfo();
  void exportTree();
  std::optional<exporting::TreeExportOptions> runTreeDialog(TDlgTreeExport::Mode mode,
                                                            QPrinter* printer,
                                                            std::filesystem::path* target);
  bool mayOverwrite(const std::filesystem::path& target, std::string_view caption);
  void showResult(exporting::ExportResult result, const std::filesystem::path& target,
                  std::string_view caption);

  CatalogueSession& m_session;
  FormPrompts& m_prompts;
  FormView& m_view;
  std::unique_ptr<ExportPrompts> m_exportPrompts;
};

}  // namespace diskindex::ui
