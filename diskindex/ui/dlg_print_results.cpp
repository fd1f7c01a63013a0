#include "diskindex/ui/dlg_print_results.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <algorithm>

#include "diskindex/core/search/search_messages.h"
#include "diskindex/ui/ok_cancel_box.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {

bool printerInstalled() {
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

TDlgPrintResults::TDlgPrintResults(QPrinter& printer, SearchPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_printer(printer), m_prompts(prompts), m_pdf(!printerInstalled()) {
  setObjectName(QStringLiteral("TDlgPrintResults"));
  setWindowTitle(qUtf8(search::messages::kPrintCaption));
  if (m_pdf) m_printer.setOutputFormat(QPrinter::PdfFormat);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Aktueller Drucker:")), 0, 0);
  m_name = new QLabel;
  m_name->setObjectName(QStringLiteral("LabelPrinter"));
  grid->addWidget(m_name, 0, 1);
  auto* setup = new QPushButton(QStringLiteral("&Drucker ..."));
  setup->setObjectName(QStringLiteral("ButtonPrinter"));
  setup->setAutoDefault(false);
  setup->setEnabled(!m_pdf);
  grid->addWidget(setup, 1, 0);
  grid->addWidget(makeOkCancelBox(this, OkText::Ok, OkDefault::Yes).box, 2, 0, 1, 2);
  connect(setup, &QPushButton::clicked, this, &TDlgPrintResults::setupPrinter);
  showPrinter();
}

void TDlgPrintResults::setupPrinter() {
  if (m_prompts.setupPrinter(m_printer, this)) showPrinter();
}

void TDlgPrintResults::showPrinter() {
  m_name->setText(m_pdf ? QStringLiteral("(kein Drucker installiert: Ausgabe als PDF-Datei)")
                        : m_printer.printerName());
}

bool printResultLines(QPrinter& printer, const QStringList& lines, const QFont& font) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setFont(font);
  const QFontMetrics metrics(font, &printer);
  const int lineHeight = std::max(1, metrics.lineSpacing());
  const QRect page = painter.viewport();
  int y = 0;
  for (const QString& line : lines) {
    if (y + lineHeight > page.height() && y > 0) {
      printer.newPage();
      y = 0;
    }
    painter.drawText(QRect(0, y, page.width(), lineHeight),
                     Qt::AlignLeft | Qt::TextSingleLine | Qt::TextExpandTabs, line);
    y += lineHeight;
  }
  return painter.end();
}

}  // namespace diskindex::ui
