#include "calculator/ui/print_support.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <functional>

#include "calculator/core/window_texts.h"
#include "calculator/ui/prompts.h"

namespace finova::ui {
namespace {

QFont printFont() {
  QFont font(QStringLiteral("Liberation Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(10);
  return font;
}

// Runs `drawLine(painter, index, top, charWidth, lineHeight)` for `count`
// lines over as many pages as they need.
bool printPages(QPrinter& printer, int count, qreal marginChars,
                const std::function<void(QPainter&, int, QPointF, qreal)>& drawLine) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setFont(printFont());
  const QFontMetricsF metrics(painter.font(), &printer);
  const qreal charWidth = metrics.averageCharWidth();
  const qreal lineHeight = metrics.height() + metrics.leading();
  const int pageLines =
      static_cast<int>(printer.pageRect(QPrinter::DevicePixel).height() / lineHeight);
  const int perPage = printLinesPerPage(pageLines);
  for (int k = 0; k < count; ++k) {
    if (k > 0 && k % perPage == 0) printer.newPage();
    const qreal top = (5 + k % perPage) * lineHeight;
    drawLine(painter, k, QPointF(marginChars * charWidth, top + metrics.ascent()), charWidth);
  }
  return painter.end();
}

}  // namespace

int printLinesPerPage(int pageLines) {
  return pageLines - 6 < 1 ? 1 : pageLines - 6;
}

bool choosePrinter(QPrinter& printer, QWidget* parent, Prompts& prompts, const QString& jobName) {
  printer.setDocName(jobName);
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    QString file = prompts.saveFileName(parent, QStringLiteral("Print to PDF File"),
                                        QStringLiteral("PDF Files (*.pdf);;All Files (*)"));
    if (file.isEmpty()) return false;
    if (!file.contains(QLatin1Char('.'))) file += QStringLiteral(".pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
  }
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool printTape(QPrinter& printer, const std::deque<TapeLine>& lines, SeparatorStyle style) {
  return printPages(
      printer, static_cast<int>(lines.size()), 1.0,
      [&](QPainter& painter, int k, QPointF origin, qreal charWidth) {
        const TapeLineLook look = tapeLineLook(lines[static_cast<std::size_t>(k)], style);
        const QFontMetricsF metrics(painter.font(), painter.device());
        const QString number = QString::fromStdString(look.number);
        const qreal numberEnd = origin.x() + kTapeNumberEnd * charWidth;
        painter.setPen(look.negative ? Qt::red : Qt::black);
        painter.drawText(QPointF(numberEnd - metrics.horizontalAdvance(number), origin.y()),
                         number);
        const QString mnemonic = QString::fromStdString(look.mnemonic);
        const qreal mnemonicEnd =
            origin.x() + (kTapeMnemonicColumn + kTapeMnemonicWidth) * charWidth;
        painter.setPen(Qt::blue);
        painter.drawText(QPointF(mnemonicEnd - metrics.horizontalAdvance(mnemonic), origin.y()),
                         mnemonic);
      });
}

bool printPlainPages(QPrinter& printer, const Paginate& paginate) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setFont(printFont());
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(painter.font(), &printer);
  const qreal lineHeight = metrics.height() + metrics.leading();
  const int pageLines =
      static_cast<int>(printer.pageRect(QPrinter::DevicePixel).height() / lineHeight);
  const auto pages = paginate(printLinesPerPage(pageLines));
  const qreal left = 8.0 * metrics.averageCharWidth();
  for (std::size_t page = 0; page < pages.size(); ++page) {
    if (page > 0) printer.newPage();
    for (std::size_t k = 0; k < pages[page].size(); ++k) {
      const qreal top = (5 + static_cast<qreal>(k)) * lineHeight + metrics.ascent();
      painter.drawText(QPointF(left, top), QString::fromStdString(pages[page][k]));
    }
  }
  return painter.end();
}

}  // namespace finova::ui
