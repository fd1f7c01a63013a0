#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>

#include "calculator/core/tape.h"
#include "calculator/core/window_texts.h"
#include "calculator/ui/tape_window.h"

namespace finova::ui {

TapeView::TapeView(const Tape& tape, QWidget* parent) : QAbstractScrollArea(parent), m_tape(tape) {
  setObjectName(QStringLiteral("TapeView"));
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(10);
  setFont(font);
  setFocusPolicy(Qt::NoFocus);
  viewport()->setAutoFillBackground(true);
  QPalette paper = viewport()->palette();
  paper.setColor(QPalette::Window, QColor(0xFF, 0xFE, 0xF6));
  viewport()->setPalette(paper);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TapeView::setSeparatorStyle(SeparatorStyle style) {
  if (m_style == style) return;
  m_style = style;
  viewport()->update();
}

int TapeView::lineHeight() const {
  return fontMetrics().lineSpacing();
}

void TapeView::updateRange() {
  const int visible = viewport()->height() / lineHeight();
  const int lines = static_cast<int>(m_tape.size());
  verticalScrollBar()->setRange(0, std::max(0, lines - visible));
  verticalScrollBar()->setPageStep(std::max(1, visible));
  verticalScrollBar()->setSingleStep(1);
}

void TapeView::refresh() {
  updateRange();
  if (m_tape.size() != m_shownLines) {
    m_shownLines = m_tape.size();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  }
  viewport()->update();
}

void TapeView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateRange();
}

QString TapeView::numberText(int line) const {
  return QString::fromStdString(
      tapeLineLook(m_tape.lines().at(static_cast<std::size_t>(line)), m_style).number);
}

QString TapeView::mnemonicText(int line) const {
  return QString::fromStdString(m_tape.lines().at(static_cast<std::size_t>(line)).mnemonic);
}

bool TapeView::lineIsRed(int line) const {
  return tapeLineLook(m_tape.lines().at(static_cast<std::size_t>(line)), m_style).negative;
}

void TapeView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QFontMetrics metrics(font());
  const int charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
  const int height = lineHeight();
  const int first = verticalScrollBar()->value();
  const int lines = static_cast<int>(m_tape.size());
  const int numberEnd = charWidth * (kTapeNumberEnd + 1);  // one column of margin
  const int mnemonicEnd = charWidth * (kTapeMnemonicColumn + kTapeMnemonicWidth + 1);
  for (int k = first, y = 0; k < lines && y < viewport()->height(); ++k, y += height) {
    const QString number = numberText(k);
    painter.setPen(lineIsRed(k) ? QColor(0xC0, 0x10, 0x10) : QColor(0x20, 0x20, 0x20));
    painter.drawText(numberEnd - metrics.horizontalAdvance(number), y + metrics.ascent(), number);
    const QString mnemonic = mnemonicText(k);
    painter.setPen(QColor(0x10, 0x30, 0xC0));
    painter.drawText(mnemonicEnd - metrics.horizontalAdvance(mnemonic), y + metrics.ascent(),
                     mnemonic);
  }
}

}  // namespace finova::ui
