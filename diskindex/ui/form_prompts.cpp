#include "diskindex/ui/form_prompts.h"

#include <QApplication>
#include <QFontDialog>
#include <QMessageBox>

#include "diskindex/ui/data_dir_dialog.h"

namespace diskindex::ui {

QString boxText(std::string_view programText) {
  QString text = QString::fromUtf8(programText.data(), static_cast<qsizetype>(programText.size()));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

void QtFormPrompts::error(const QString& caption, const QString& text) {
  QMessageBox::critical(m_parent, caption, text);
}

void QtFormPrompts::information(const QString& caption, const QString& text) {
  QMessageBox::information(m_parent, caption, text);
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
  DataDirDialog dialog(current, m_parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.newDirectory();
}

void QtFormPrompts::beep() {
  QApplication::beep();
}

}  // namespace diskindex::ui
