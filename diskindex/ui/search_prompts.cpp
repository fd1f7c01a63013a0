#include "diskindex/ui/search_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "diskindex/core/search/search_messages.h"
#include "diskindex/ui/dlg_print_results.h"
#include "diskindex/ui/dlg_search_cds.h"

namespace diskindex::ui {

bool QtSearchPrompts::runSearchDialog(TDlgSearchCDs& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

bool QtSearchPrompts::runPrintDialog(TDlgPrintResults& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

void QtSearchPrompts::warning(const QString& caption, const QString& text) {
  QMessageBox::warning(m_parent, caption, text);
}

std::optional<QString> QtSearchPrompts::chooseSaveFile(const QString& start) {
  const QString file =
      QFileDialog::getSaveFileName(m_parent, qUtf8(search::messages::kSaveDialogCaption), start,
                                   QStringLiteral("Alle Dateien (*.*)"));
  if (file.isEmpty()) return std::nullopt;
  return file;
}

std::optional<QString> QtSearchPrompts::choosePdfFile(const QString& start) {
  const QString file = QFileDialog::getSaveFileName(m_parent, QStringLiteral("PDF-Datei wählen"),
                                                    start, QStringLiteral("PDF-Dateien (*.pdf)"));
  if (file.isEmpty()) return std::nullopt;
  return file;
}

bool QtSearchPrompts::setupPrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace diskindex::ui
