#pragma once
// Export prompts for the window tests: the two export dialogs are run by
// scripts instead of exec(), and the file choosers answer from queues.

#include <QString>
#include <deque>
#include <functional>
#include <optional>

#include "diskindex/ui/dlg_info_export.h"
#include "diskindex/ui/dlg_tree_export.h"
#include "diskindex/ui/export_prompts.h"

namespace diskindex::ui::testing {

class FakeExportPrompts : public ExportPrompts {
 public:
  bool runInfoExportDialog(TDlgInfoExport& dialog) override {
    ++dialogsRun;
    return infoScript ? infoScript(dialog) : false;
  }
  bool runTreeExportDialog(TDlgTreeExport& dialog) override {
    ++dialogsRun;
    treeCaption = dialog.windowTitle();
    return treeScript ? treeScript(dialog) : false;
  }
  std::optional<QString> chooseTargetFile(const QString& start) override {
    targetStarts.push_back(start);
    return next(targetFiles);
  }
  std::optional<QString> choosePdfFile(const QString&) override { return next(pdfFiles); }
  bool setupPrinter(QPrinter&, QWidget*) override { return false; }

  std::function<bool(TDlgInfoExport&)> infoScript;
  std::function<bool(TDlgTreeExport&)> treeScript;
  int dialogsRun = 0;
  QString treeCaption;
  std::vector<QString> targetStarts;
  std::deque<std::optional<QString>> targetFiles;
  std::deque<std::optional<QString>> pdfFiles;

 private:
  // Takes the next answer; a queued nullopt answers "cancelled".
  static std::optional<QString> next(std::deque<std::optional<QString>>& queue) {
    if (queue.empty()) return std::nullopt;
    const bool chosen = queue.front().has_value();
    const QString value = chosen ? *queue.front() : QString();
    queue.pop_front();
    if (!chosen) return std::nullopt;
    return value;
  }
};

}  // namespace diskindex::ui::testing
