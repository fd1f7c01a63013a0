#include "diskindex/ui/search_prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>
#include <algorithm>

#include "diskindex/core/search/search_messages.h"
#include "diskindex/ui/dlg_duplicate_options.h"
#include "diskindex/ui/dlg_print_results.h"
#include "diskindex/ui/dlg_search_cds.h"

namespace diskindex::ui {

bool QtSearchPrompts::runSearchDialog(TDlgSearchCDs& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

bool QtSearchPrompts::runDuplicateDialog(TDlgDuplicateOptions& dialog) {
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

std::optional<ExportTarget> QtSearchPrompts::chooseExportFile(const QString& start) {
  using exporting::ExportFormat;
  struct Type {
    const char* filter;
    ExportFormat format;
    bool bom;
    const char* suffix;
  };
  static constexpr Type kTypes[] = {
      {"CSV-Datei (*.csv)", ExportFormat::Csv, false, "csv"},
      {"CSV-Datei für Tabellenkalkulationen, mit BOM (*.csv)", ExportFormat::Csv, true, "csv"},
      {"HTML-Seite (*.html *.htm)", ExportFormat::Html, false, "html"},
      {"JSON-Datei (*.json)", ExportFormat::Json, false, "json"},
      {"Textliste (*.txt *.lst)", ExportFormat::Text, false, "txt"}};
  QStringList filters;
  for (const Type& type : kTypes) filters << QString::fromUtf8(type.filter);
  QString chosen;
  const QString file =
      QFileDialog::getSaveFileName(m_parent, QStringLiteral("Liste exportieren"), start,
                                   filters.join(QStringLiteral(";;")), &chosen);
  if (file.isEmpty()) return std::nullopt;
  const qsizetype index = std::max<qsizetype>(0, filters.indexOf(chosen));
  const Type& type = kTypes[index];
  ExportTarget target{file, type.format, type.bom};
  if (QFileInfo(file).suffix().isEmpty())
    target.file += QStringLiteral(".") + QLatin1String(type.suffix);
  return target;
}

bool QtSearchPrompts::setupPrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace diskindex::ui
