// Exporting and printing from the window, each one ExportService call.

#include "diskindex/ui/export_controller.h"

#include <QApplication>
#include <QClipboard>
#include <QPageLayout>
#include <QPrinter>
#include <filesystem>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/export/export_messages.h"
#include "diskindex/ui/dlg_info_export.h"
#include "diskindex/ui/dlg_print_results.h"
#include "diskindex/ui/dlg_tree_export.h"
#include "diskindex/ui/font_setting.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

namespace msg = exporting::messages;

}  // namespace

ExportController::ExportController(CatalogueSession& session, FormPrompts& prompts, FormView& view)
    : m_session(session),
      m_prompts(prompts),
      m_view(view),
      m_exportPrompts(std::make_unique<QtExportPrompts>(view.dialogParent())) {}

ExportController::~ExportController() = default;

void ExportController::setPrompts(std::unique_ptr<ExportPrompts> prompts) {
  m_exportPrompts = std::move(prompts);
}

void ExportController::exportInfo() {
  if (m_view.showsContents()) {
    exportTree();
  } else {
    exportVolumeInfo();
  }
}

// Asks before an existing file is replaced; true to go on.
bool ExportController::mayOverwrite(const std::filesystem::path& target, std::string_view caption) {
  std::error_code error;
  if (!std::filesystem::exists(target, error)) return true;
  return m_prompts.question(qUtf8(caption), boxText(msg::overwriteQuestion(target.string())));
}

void ExportController::showResult(exporting::ExportResult result,
                                  const std::filesystem::path& target, std::string_view caption) {
  if (result == exporting::ExportResult::CannotCreate) {
    m_prompts.error(qUtf8(caption), boxText(msg::createFailed(target.string())));
  } else if (result == exporting::ExportResult::CannotWrite) {
    m_prompts.error(qUtf8(caption), boxText(msg::writeFailed(target.string())));
  }
}

void ExportController::exportVolumeInfo() {
  const DiskIndexSettings& settings = m_session.state().settings;
  TDlgInfoExport dialog(exporting::infoOptionsFromSettings(settings, m_view.categoryFilter()),
                        QString::fromStdString(settings.exptPath), *m_exportPrompts,
                        m_view.dialogParent());
  if (!m_exportPrompts->runInfoExportDialog(dialog)) return;
  exporting::InfoExportOptions options = dialog.options();
  options.categoryFilter = m_view.categoryFilter();
  const std::filesystem::path target = ExportService::target(dialog.target().toStdString());
  if (!mayOverwrite(target, msg::kInfoExportCaption)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const exporting::ExportResult result = m_session.exportService().exportInfo(options, target);
  QApplication::restoreOverrideCursor();
  showResult(result, target, msg::kInfoExportCaption);
}

std::optional<exporting::TreeExportOptions> ExportController::runTreeDialog(
    TDlgTreeExport::Mode mode, QPrinter* printer, std::filesystem::path* target) {
  if (!m_session.state().opened) return std::nullopt;
  const CatalogueState& state = m_session.state();
  TDlgTreeExport dialog(mode, exporting::treeOptionsFromSettings(state.settings),
                        QString::fromStdString(state.opened->record.name),
                        QString::fromStdString(state.settings.exptPath), *m_exportPrompts, printer,
                        m_view.dialogParent());
  if (!m_exportPrompts->runTreeExportDialog(dialog)) return std::nullopt;
  if (target) *target = ExportService::target(dialog.target().toStdString());
  if (printer && dialog.toPdf()) {
    const std::optional<QString> pdf = m_exportPrompts->choosePdfFile(QString());
    if (!pdf) return std::nullopt;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdfFileName(*pdf));
  }
  return dialog.options();
}

void ExportController::exportTree() {
  std::filesystem::path target;
  const auto options = runTreeDialog(TDlgTreeExport::Mode::Export, nullptr, &target);
  if (!options) return;
  if (!options->append && !mayOverwrite(target, msg::kTreeExportCaption)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const exporting::ExportResult result =
      m_session.exportService().exportTree(*options, m_view.selectedDirectory(), target);
  QApplication::restoreOverrideCursor();
  showResult(result, target, msg::kTreeExportCaption);
}

void ExportController::print() {
  if (!m_view.showsContents()) return;
  QPrinter printer;
  const auto options = runTreeDialog(TDlgTreeExport::Mode::Print, &printer, nullptr);
  if (!options) return;
  const std::vector<std::string> lines =
      m_session.exportService().treePrintLines(*options, m_view.selectedDirectory());
  if (lines.empty()) return;
  const QString volumeName = QString::fromStdString(m_session.state().opened->record.name);
  printer.setDocName(volumeName);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool printed =
      printResultLines(printer, lines, volumeName, toFont(m_session.state().settings.fontP));
  QApplication::restoreOverrideCursor();
  if (!printed) {
    m_prompts.error(QString::fromStdString(msg::treeDialogCaption(TDlgTreeExport::Mode::Print)),
                    QStringLiteral("Der Druck konnte nicht gestartet werden."));
  }
}

void ExportController::copyTree() {
  if (!m_view.showsContents()) return;
  const auto options = runTreeDialog(TDlgTreeExport::Mode::Copy, nullptr, nullptr);
  if (!options) return;
  const std::string text =
      m_session.exportService().treeClipboardText(*options, m_view.selectedDirectory());
  if (!text.empty()) QApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace diskindex::ui
