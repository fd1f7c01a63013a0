#include "diskindex/ui/copy_prompts.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "diskindex/core/files/file_messages.h"
#include "diskindex/ui/box_owner.h"
#include "diskindex/ui/dlg_choose_editor.h"
#include "diskindex/ui/dlg_other_volume.h"
#include "diskindex/ui/dlg_select_dir.h"
#include "diskindex/ui/ok_cancel_box.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {

bool QtCopyPrompts::runSelectDir(TDlgSelectDir& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

files::OtherVolumeAnswer QtCopyPrompts::askOtherVolume(const files::OtherVolumeQuestion& question) {
  TDlgOtherVolume dialog(question, boxOwner(m_parent));
  dialog.exec();
  return dialog.answer();
}

files::OverwriteAnswer QtCopyPrompts::askOverwrite(const QString& text) {
  QMessageBox box(QMessageBox::Question, qUtf8(files::kCopyCaption), text, QMessageBox::NoButton,
                  boxOwner(m_parent));
  QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Abbruch"), QMessageBox::RejectRole);
  QPushButton* all = box.addButton(QStringLiteral("&Alle überschreiben"), QMessageBox::AcceptRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return files::OverwriteAnswer::Yes;
  if (box.clickedButton() == no) return files::OverwriteAnswer::No;
  if (box.clickedButton() == all) return files::OverwriteAnswer::All;
  return files::OverwriteAnswer::Cancel;
}

files::InsertVolumeAnswer QtCopyPrompts::askInsertVolume(const QString& text) {
  QMessageBox box(QMessageBox::Information, qUtf8(files::kCopyCaption), text, QMessageBox::NoButton,
                  boxOwner(m_parent));
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Abbruch"), QMessageBox::RejectRole);
  QPushButton* skip =
      box.addButton(QStringLiteral("&Datenträger überspringen"), QMessageBox::ActionRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == ok) return files::InsertVolumeAnswer::Ok;
  if (box.clickedButton() == skip) return files::InsertVolumeAnswer::SkipVolume;
  return files::InsertVolumeAnswer::Cancel;
}

std::optional<QString> QtCopyPrompts::newFolderName(const QString& current) {
  QDialog dialog(m_parent);
  dialog.setObjectName(QStringLiteral("DlgNewFolder"));
  dialog.setWindowTitle(QStringLiteral("Unterverzeichnis erzeugen"));
  auto* form = new QFormLayout(&dialog);
  form->addRow(QStringLiteral("Aktuelles Verzeichnis:"), new QLabel(current));
  auto* name = new QLineEdit;
  name->setObjectName(QStringLiteral("EditNewFolder"));
  form->addRow(QStringLiteral("Neues Unterverzeichnis:"), name);
  form->addRow(makeOkCancelBox(&dialog, OkText::OK, OkDefault::No).box);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return name->text();
}

bool QtCopyPrompts::runChooseEditor(TDlgChooseEditor& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtCopyPrompts::findEditor(const QString& start) {
  const QString file =
      QFileDialog::getOpenFileName(m_parent, QStringLiteral("Datei-Editor auswählen"), start,
                                   QStringLiteral("Programm-Dateien (*)"));
  if (file.isEmpty()) return std::nullopt;
  return file;
}

}  // namespace diskindex::ui
