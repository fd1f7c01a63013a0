#include "diskindex/ui/export_prompts.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "diskindex/core/export/export_messages.h"
#include "diskindex/ui/dlg_info_export.h"
#include "diskindex/ui/dlg_tree_export.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {

bool QtExportPrompts::runInfoExportDialog(TDlgInfoExport& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

bool QtExportPrompts::runTreeExportDialog(TDlgTreeExport& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtExportPrompts::chooseTargetFile(const QString& start) {
  // The file may exist: the window asks before it overwrites.
  const QString file = QFileDialog::getSaveFileName(
      m_parent, qUtf8(exporting::messages::kChooseTargetCaption), start,
      QStringLiteral("Alle Dateien (*.*)"), nullptr, QFileDialog::DontConfirmOverwrite);
  if (file.isEmpty()) return std::nullopt;
  return file;
}

std::optional<QString> QtExportPrompts::choosePdfFile(const QString& start) {
  const QString file = QFileDialog::getSaveFileName(m_parent, QStringLiteral("PDF-Datei wählen"),
                                                    start, QStringLiteral("PDF-Dateien (*.pdf)"));
  if (file.isEmpty()) return std::nullopt;
  return file;
}

bool QtExportPrompts::setupPrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace diskindex::ui
