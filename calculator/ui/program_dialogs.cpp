#include "calculator/ui/program_dialogs.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "calculator/core/program_memory.h"

namespace finova::ui {
namespace {

// The comment holds CR LF between lines; the edit field holds LF.
QString toEditText(const QString& comment) {
  QString text = comment;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

}  // namespace

SaveProgramDialog::SaveProgramDialog(const QString& comment, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SaveProgram"));
  setWindowTitle(QStringLiteral("Save Program"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Add comments to your program."), this));
  m_edit = new QPlainTextEdit(this);
  m_edit->setObjectName(QStringLiteral("EditComment"));
  m_edit->setPlainText(toEditText(comment));
  m_edit->setMinimumSize(360, 160);
  layout->addWidget(m_edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_edit, &QPlainTextEdit::textChanged, this, &SaveProgramDialog::limitLength);
}

void SaveProgramDialog::limitLength() {
  // The limit counts the CR LF line ends the file will hold.
  if (comment().size() <= static_cast<int>(ProgramMemory::kMaxComment)) return;
  QString text = m_edit->toPlainText();
  while (!text.isEmpty() &&
         QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).size() >
             static_cast<int>(ProgramMemory::kMaxComment)) {
    text.chop(1);
  }
  const QSignalBlocker block(m_edit);
  m_edit->setPlainText(text);
  m_edit->moveCursor(QTextCursor::End);
}

QString SaveProgramDialog::comment() const {
  QString text = m_edit->toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

ProgramCommentsWindow::ProgramCommentsWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ProgramComments"));
  setWindowTitle(QStringLiteral("Program Comments"));
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* layout = new QVBoxLayout(this);
  m_text = new QPlainTextEdit(this);
  m_text->setObjectName(QStringLiteral("CommentText"));
  m_text->setReadOnly(true);
  m_text->setMinimumSize(360, 160);
  layout->addWidget(m_text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
}

void ProgramCommentsWindow::showComment(const QString& comment) {
  m_text->setPlainText(toEditText(comment));
  show();
  raise();
}

QString ProgramCommentsWindow::text() const {
  return m_text->toPlainText();
}

}  // namespace finova::ui
