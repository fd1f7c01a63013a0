// The main window's commands that are not tied to one view: the enabled
// states, the Edit menu and its clipboard commands, fonts, help and the
// program information, and the slots of the commands whose dialogs come
// with other parts of the program.

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTreeView>
#include <algorithm>

#include "diskindex/core/export/table_export.h"
#include "diskindex/ui/dir_tree_model.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/file_grid.h"
#include "diskindex/ui/file_list_model.h"
#include "diskindex/ui/font_setting.h"
#include "diskindex/ui/help_window.h"
#include "diskindex/ui/later_commands.h"
#include "diskindex/ui/remark_edit.h"
#include "diskindex/ui/version_info.h"

namespace diskindex::ui {

RemarkEdit* TDiskIndexForm::focusedRemark() const {
  for (RemarkEdit* edit : {m_dirRemark, m_fileRemark}) {
    if (edit->hasFocus() && edit->isVisible() && edit->isEnabled()) return edit;
  }
  return nullptr;
}

void TDiskIndexForm::updateCommandStates() {
  const MainActions& a = m_actions;
  const bool overview = m_view == View::Overview;
  const bool volume = overview && selectedVolume().has_value();
  const bool file = !overview && currentFilePosition() >= 0;
  a.overview->setEnabled(!overview);
  a.contents->setEnabled(volume);
  a.addVolume->setEnabled(overview && LaterCommands::addVolume);
  a.removeVolume->setEnabled(volume);
  a.changeVolume->setEnabled(volume && LaterCommands::changeVolume);
  a.rescanVolume->setEnabled(volume || (!overview && m_session.state().opened));
  a.categories->setEnabled(overview && LaterCommands::categories);
  a.print->setEnabled(!overview && LaterCommands::print);
  a.exportInfo->setEnabled((!overview || !m_session.volumes().empty()) &&
                           LaterCommands::exportInfo);
  a.copyFiles->setEnabled(!overview && LaterCommands::copyFiles);
  a.editFile->setEnabled(file && LaterCommands::editFile);
  a.runFile->setEnabled(file && LaterCommands::runFile);
  a.searchCurrent->setEnabled(!overview && LaterCommands::search);
  a.searchNext->setEnabled(!overview && LaterCommands::search);
  a.searchMulti->setEnabled(LaterCommands::search);
  a.findDuplicates->setEnabled(LaterCommands::search);
  a.copyTree->setEnabled(!overview && LaterCommands::copyTree);
  a.chooseEditor->setEnabled(LaterCommands::chooseEditor);
  a.copyPath->setEnabled(file);
  const bool remark = focusedRemark() != nullptr;
  const QWidget* focus = QApplication::focusWidget();
  const bool list = focus == m_tree || (focus == m_files && !overview);
  for (QAction* edit : {a.undo, a.cut, a.paste, a.erase}) edit->setEnabled(remark);
  a.copy->setEnabled(remark || list);
  a.selectAll->setEnabled(remark || (focus == m_files && !overview));
  for (QAction* sort : a.sortGroup->actions()) sort->setEnabled(!overview);
  a.sortReverse->setEnabled(!overview);
}

void TDiskIndexForm::onCopy() {
  if (RemarkEdit* remark = focusedRemark()) {
    remark->copy();
    return;
  }
  const QWidget* focus = QApplication::focusWidget();
  if (focus == m_tree && m_tree->currentIndex().isValid()) {
    QApplication::clipboard()->setText(QString::fromStdString(
        exporting::exportName(m_tree->currentIndex().data().toString().toStdString())));
  } else if (focus == m_files && m_view == View::Contents) {
    QList<int> rows;
    for (const QModelIndex& index : m_files->selectionModel()->selectedRows()) {
      rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    QApplication::clipboard()->setText(m_fileModel->rowsText(rows, kMaxClipboardBytes));
  }
}

void TDiskIndexForm::onEditCommand(QAction* action) {
  const MainActions& a = m_actions;
  if (action == a.selectAll && QApplication::focusWidget() == m_files) {
    m_files->selectAll();
    return;
  }
  RemarkEdit* remark = focusedRemark();
  if (!remark) return;
  if (action == a.undo) remark->undo();
  if (action == a.cut) remark->cut();
  if (action == a.paste) remark->paste();
  if (action == a.selectAll) remark->selectAll();
  if (action == a.erase) {
    QTextCursor cursor = remark->textCursor();
    if (cursor.hasSelection()) {
      cursor.removeSelectedText();
    } else {
      cursor.deleteChar();
    }
    remark->setTextCursor(cursor);
  }
}

void TDiskIndexForm::onCopyPath() {
  const std::optional<std::uint32_t> dir = selectedDirectory();
  const int position = currentFilePosition();
  if (!dir || position < 0 || !m_session.state().opened) return;
  const OpenedVolume& opened = *m_session.state().opened;
  const FileItem& file = opened.directories.files(*dir)[static_cast<std::size_t>(position)];
  const std::string path = fullPath(opened.directories, m_dirModel->treeIndex(), *dir,
                                    rootOf(opened.record), opened.directories.name(file));
  // The stored name stays as it is; the clipboard shows control characters as "?".
  QApplication::clipboard()->setText(QString::fromStdString(exporting::exportName(path)));
}

void TDiskIndexForm::chooseFont(FontSetting& setting, const QString& title, FontLimit limit) {
  const std::optional<QFont> font = m_prompts->chooseFont(toFont(setting), title);
  if (!font) return;
  FontSetting chosen = fontSetting(*font);
  // A window font outside the sizes the settings keep would be shown now
  // and replaced by the default at the next start; it is brought into range
  // at once, and the user told so.
  if (limit == FontLimit::WindowSizes &&
      (chosen.size < kSmallestWindowFont || chosen.size > kLargestWindowFont)) {
    const int requested = chosen.size;
    chosen.size = std::clamp(chosen.size, kSmallestWindowFont, kLargestWindowFont);
    m_prompts->information(title,
                           QStringLiteral("Die Schriftgröße %1 ist hier nicht möglich.\n"
                                          "Erlaubt sind %2 bis %3 Punkt; es wird %4 verwendet.")
                               .arg(requested)
                               .arg(kSmallestWindowFont)
                               .arg(kLargestWindowFont)
                               .arg(chosen.size));
  }
  setting = chosen;
  applyFonts();
}

void TDiskIndexForm::onHelp() {
  showHelp(QString::fromLatin1(help::kContents));
}

void TDiskIndexForm::showHelp(const QString& page) {
  showHelpPage(page, m_help, this);
}

void TDiskIndexForm::onAbout() {
  const VersionInfo info = versionInfo();
  m_prompts->information(QStringLiteral("Info"), info.productName + QStringLiteral("\n\nVersion ") +
                                                     info.productVersion + QStringLiteral("\n\n") +
                                                     info.legalCopyright);
}

}  // namespace diskindex::ui
