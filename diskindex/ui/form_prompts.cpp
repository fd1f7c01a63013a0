#include "diskindex/ui/form_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "diskindex/core/messages.h"
#include "diskindex/ui/data_dir_dialog.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {

QString boxText(std::string_view programText) {
  QString text = qUtf8(programText);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

void QtFormPrompts::error(const QString& caption, const QString& text) {
  QMessageBox::critical(m_parent, caption, text);
}

void QtFormPrompts::information(const QString& caption, const QString& text) {
  QMessageBox::information(m_parent, caption, text);
}

void QtFormPrompts::warning(const QString& caption, const QString& text) {
  QMessageBox::warning(m_parent, caption, text);
}

bool QtFormPrompts::question(const QString& caption, const QString& text) {
  return QMessageBox::question(m_parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<QFont> QtFormPrompts::chooseFont(const QFont& current, const QString& title) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, current, m_parent, title);
  if (!ok) return std::nullopt;
  return font;
}

std::optional<QString> QtFormPrompts::chooseDataDirectory(const QString& current) {
  DataDirDialog dialog(current, *this, m_parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.newDirectory();
}

RemarkSaveChoice QtFormPrompts::remarkSaveFailed(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::NoButton, m_parent);
  QPushButton* retry = box.addButton(QStringLiteral("&Wiederholen"), QMessageBox::AcceptRole);
  QPushButton* elsewhere =
      box.addButton(QStringLiteral("&Andere Datei ..."), QMessageBox::ActionRole);
  box.addButton(QStringLiteral("Abbruch"), QMessageBox::RejectRole);
  box.setDefaultButton(retry);
  box.exec();
  if (box.clickedButton() == retry) return RemarkSaveChoice::Retry;
  if (box.clickedButton() == elsewhere) return RemarkSaveChoice::SaveElsewhere;
  return RemarkSaveChoice::Keep;
}

RemarkConflictAnswer QtFormPrompts::remarkConflict(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, m_parent);
  box.setObjectName(QStringLiteral("remarkConflictBox"));
  QPushButton* mine = box.addButton(qUtf8(messages::kKeepMine), QMessageBox::AcceptRole);
  QPushButton* theirs = box.addButton(qUtf8(messages::kKeepTheirs), QMessageBox::ActionRole);
  QPushButton* elsewhere =
      box.addButton(qUtf8(messages::kSaveMineElsewhere), QMessageBox::ActionRole);
  box.setDefaultButton(mine);
  // Escape or closing the box decides neither way: it offers the other file,
  // which loses nothing of either program's text.
  box.setEscapeButton(elsewhere);
  box.exec();
  if (box.clickedButton() == mine) return RemarkConflictAnswer::KeepMine;
  if (box.clickedButton() == theirs) return RemarkConflictAnswer::KeepTheirs;
  return RemarkConflictAnswer::SaveElsewhere;
}

MissingFolderChoice QtFormPrompts::missingDataDirectory(const QString& caption,
                                                        const QString& text) {
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, m_parent);
  box.setObjectName(QStringLiteral("missingDataDirectoryBox"));
  QPushButton* create = box.addButton(qUtf8(messages::kCreateFolder), QMessageBox::AcceptRole);
  QPushButton* other =
      box.addButton(qUtf8(messages::kChooseOtherFolder), QMessageBox::ActionRole);
  QPushButton* without =
      box.addButton(qUtf8(messages::kGoOnWithoutFolder), QMessageBox::RejectRole);
  // Creating the folder could hide an unplugged disk: nothing is default
  // but the harmless way on.
  box.setDefaultButton(without);
  box.setEscapeButton(without);
  box.exec();
  if (box.clickedButton() == create) return MissingFolderChoice::Create;
  if (box.clickedButton() == other) return MissingFolderChoice::ChooseOther;
  return MissingFolderChoice::GoOnWithout;
}

std::optional<QString> QtFormPrompts::chooseRemarkFile(const QString& suggested) {
  const QString file =
      QFileDialog::getSaveFileName(m_parent, QStringLiteral("Bemerkungen speichern"), suggested);
  if (file.isEmpty()) return std::nullopt;
  return file;
}

std::optional<int> QtFormPrompts::chooseItem(const QString& caption, const QString& text,
                                             const QStringList& items) {
  bool ok = false;
  const QString chosen = QInputDialog::getItem(m_parent, caption, text, items, 0, false, &ok);
  if (!ok) return std::nullopt;
  const int index = static_cast<int>(items.indexOf(chosen));
  return index < 0 ? std::nullopt : std::optional<int>(index);
}

void QtFormPrompts::beep() {
  QApplication::beep();
}

}  // namespace diskindex::ui
