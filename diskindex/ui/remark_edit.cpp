#include "diskindex/ui/remark_edit.h"

#include "diskindex/core/remark_list.h"
#include "diskindex/core/text_codec.h"
#include "diskindex/ui/qt_text.h"
#include "platform/codepage.h"

namespace diskindex::ui {

RemarkEdit::RemarkEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QPlainTextEdit::textChanged, this, &RemarkEdit::limitLength);
}

void RemarkEdit::showRemark(std::optional<std::string_view> remark) {
  QString text;
  if (remark && !remark->empty()) {
    text = qUtf8(*remark);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_placeholderShown = false;
  } else {
    text = QString::fromUtf8(kNoRemarks);
    m_placeholderShown = true;
  }
  setPlainText(text);
  document()->setModified(false);
  // A field that has the focus already was "entered": clear it at once.
  if (hasFocus()) clearPlaceholder();
}

void RemarkEdit::showBlank() {
  m_placeholderShown = false;
  setPlainText({});
  document()->setModified(false);
}

bool RemarkEdit::userChanged() const {
  return document()->isModified();
}

std::string RemarkEdit::remarkText() const {
  QString text = toPlainText();
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return text.toStdString();
}

void RemarkEdit::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  clearPlaceholder();
}

void RemarkEdit::clearPlaceholder() {
  if (m_placeholderShown && !isReadOnly() && isEnabled()) {
    m_placeholderShown = false;
    const bool wasModified = document()->isModified();
    clear();
    document()->setModified(wasModified);
  }
}

// Cuts the end off, rather than resetting the text, so that the undo
// history and the changed mark stay.
void RemarkEdit::limitLength() {
  if (m_placeholderShown) return;
  const std::string text = toPlainText().toStdString();
  const bool utf8 = !platform::fitsCp1252(text);
  const std::size_t keep = fittingPrefix(text, kMaxRemarkTextBytes, utf8);
  if (keep == text.size()) return;
  QTextCursor cursor(document());
  cursor.setPosition(
      static_cast<int>(QString::fromUtf8(text.data(), static_cast<qsizetype>(keep)).size()));
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
}

}  // namespace diskindex::ui
