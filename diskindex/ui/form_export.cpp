// Exporting and printing in the main window: "Infos e&xportieren ..." (the
// volume information in the overview, the directory tree in the contents
// view), "&Drucken ..." and "&Verzeichnisbaum kopieren ...". Each runs its
// dialog, asks before a file is overwritten, makes one session call and
// shows the result's message.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPageLayout>
#include <QPrinter>
#include <filesystem>

#include "diskindex/core/export/export_messages.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/dlg_info_export.h"
#include "diskindex/ui/dlg_print_results.h"
#include "diskindex/ui/dlg_tree_export.h"
#include "diskindex/ui/font_setting.h"
#include "diskindex/ui/volume_list_model.h"

namespace diskindex::ui {
namespace {

namespace msg = exporting::messages;

// Printed tabs become four blanks: a printer's tab stops are too narrow
// for the tree's indentation.
QStringList printableLines(const std::vector<std::string>& lines) {
  QStringList printable;
  printable.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) {
    printable << QString::fromStdString(line).replace(QLatin1Char('\t'), QStringLiteral("    "));
  }
  return printable;
}

}  // namespace

void TDiskIndexForm::setExportPrompts(std::unique_ptr<ExportPrompts> prompts) {
  m_exportPrompts = std::move(prompts);
}

void TDiskIndexForm::onExportInfo() {
  if (m_view == View::Contents) {
    exportTree();
  } else {
    exportInfo();
  }
}

// Asks before an existing file is replaced; true to go on.
bool TDiskIndexForm::mayOverwrite(const std::filesystem::path& target, std::string_view caption) {
  std::error_code error;
  if (!std::filesystem::exists(target, error)) return true;
  return m_prompts->question(qUtf8(caption), boxText(msg::overwriteQuestion(target.string())));
}

void TDiskIndexForm::showExportResult(exporting::ExportResult result,
                                      const std::filesystem::path& target,
                                      std::string_view caption) {
  if (result == exporting::ExportResult::CannotCreate) {
    m_prompts->error(qUtf8(caption), boxText(msg::createFailed(target.string())));
  } else if (result == exporting::ExportResult::CannotWrite) {
    m_prompts->error(qUtf8(caption), boxText(msg::writeFailed(target.string())));
  }
}

void TDiskIndexForm::exportInfo() {
  const DiskIndexSettings& settings = m_session.state().settings;
  TDlgInfoExport dialog(exporting::infoOptionsFromSettings(settings, m_volumeModel->filter()),
                        QString::fromStdString(settings.exptPath), *m_exportPrompts, this);
  if (!m_exportPrompts->runInfoExportDialog(dialog)) return;
  exporting::InfoExportOptions options = dialog.options();
  options.categoryFilter = m_volumeModel->filter();
  const std::filesystem::path target =
      ExportService::target(dialog.target().toStdString());
  if (!mayOverwrite(target, msg::kInfoExportCaption)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const exporting::ExportResult result = m_session.exportService().exportInfo(options, target);
  QApplication::restoreOverrideCursor();
  showExportResult(result, target, msg::kInfoExportCaption);
}

std::optional<exporting::TreeExportOptions> TDiskIndexForm::runTreeDialog(
    TDlgTreeExport::Mode mode, QPrinter* printer, std::filesystem::path* target) {
  if (!m_session.state().opened) return std::nullopt;
  const CatalogueState& state = m_session.state();
  TDlgTreeExport dialog(mode, exporting::treeOptionsFromSettings(state.settings),
                        QString::fromStdString(state.opened->record.name),
                        QString::fromStdString(state.settings.exptPath), *m_exportPrompts, printer,
                        this);
  if (!m_exportPrompts->runTreeExportDialog(dialog)) return std::nullopt;
  if (target) *target = ExportService::target(dialog.target().toStdString());
  if (printer && dialog.toPdf()) {
    const std::optional<QString> pdf = m_exportPrompts->choosePdfFile(QString());
    if (!pdf) return std::nullopt;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(*pdf);
  }
  return dialog.options();
}

void TDiskIndexForm::exportTree() {
  std::filesystem::path target;
  const auto options = runTreeDialog(TDlgTreeExport::Mode::Export, nullptr, &target);
  if (!options) return;
  if (!options->append && !mayOverwrite(target, msg::kTreeExportCaption)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const exporting::ExportResult result =
      m_session.exportService().exportTree(*options, selectedDirectory(), target);
  QApplication::restoreOverrideCursor();
  showExportResult(result, target, msg::kTreeExportCaption);
}

void TDiskIndexForm::onPrint() {
  if (m_view != View::Contents) return;
  QPrinter printer;
  const auto options = runTreeDialog(TDlgTreeExport::Mode::Print, &printer, nullptr);
  if (!options) return;
  const std::vector<std::string> lines = m_session.exportService().treePrintLines(*options, selectedDirectory());
  if (lines.empty()) return;
  printer.setDocName(QString::fromStdString(m_session.state().opened->record.name));
  printer.setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool printed =
      printResultLines(printer, printableLines(lines), toFont(m_session.state().settings.fontP));
  QApplication::restoreOverrideCursor();
  if (!printed) {
    m_prompts->error(QString::fromStdString(msg::treeDialogCaption(TDlgTreeExport::Mode::Print)),
                     QStringLiteral("Der Druck konnte nicht gestartet werden."));
  }
}

void TDiskIndexForm::onCopyTree() {
  if (m_view != View::Contents) return;
  const auto options = runTreeDialog(TDlgTreeExport::Mode::Copy, nullptr, nullptr);
  if (!options) return;
  const std::string text = m_session.exportService().treeClipboardText(*options, selectedDirectory());
  if (!text.empty()) QApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace diskindex::ui
