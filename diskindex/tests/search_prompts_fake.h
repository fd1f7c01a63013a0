#pragma once
// Search prompts for the window tests: the search and print dialogs are run
// by a script instead of exec(), warnings are recorded and the file choosers
// answer from queues.

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "diskindex/ui/dlg_duplicate_options.h"
#include "diskindex/ui/dlg_print_results.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui::testing {

class FakeSearchPrompts : public SearchPrompts {
 public:
  bool runSearchDialog(TDlgSearchCDs& dialog) override {
    ++dialogsRun;
    return searchScript ? searchScript(dialog) : false;
  }
  bool runDuplicateDialog(TDlgDuplicateOptions& dialog) override {
    ++dialogsRun;
    return duplicateScript ? duplicateScript(dialog) : false;
  }
  bool runPrintDialog(TDlgPrintResults& dialog) override {
    printDialogPdf = dialog.toPdf();
    return printAnswer;
  }
  void warning(const QString& caption, const QString& text) override {
    warnings.push_back(caption + QStringLiteral(": ") + text);
  }
  std::optional<QString> chooseSaveFile(const QString& start) override {
    saveStarts.push_back(start);
    return next(saveFiles);
  }
  std::optional<QString> choosePdfFile(const QString&) override { return next(pdfFiles); }
  bool setupPrinter(QPrinter&, QWidget*) override { return false; }
  std::optional<ExportTarget> chooseExportFile(const QString&) override {
    if (exportTargets.empty()) return std::nullopt;
    auto value = exportTargets.front();
    exportTargets.pop_front();
    return value;
  }

  std::function<bool(TDlgSearchCDs&)> searchScript;
  std::function<bool(TDlgDuplicateOptions&)> duplicateScript;
  int dialogsRun = 0;
  bool printAnswer = true;
  bool printDialogPdf = false;
  std::vector<QString> warnings;
  std::vector<QString> saveStarts;
  std::deque<std::optional<QString>> saveFiles;
  std::deque<std::optional<QString>> pdfFiles;
  std::deque<ExportTarget> exportTargets;  // cancelled when empty

 private:
  static std::optional<QString> next(std::deque<std::optional<QString>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto value = queue.front();
    queue.pop_front();
    return value;
  }
};

}  // namespace diskindex::ui::testing
