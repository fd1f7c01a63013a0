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

#include "diskindex/core/page_model.h"
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

bool printResultLines(QPrinter& printer, const std::vector<std::string>& lines,
                      const QString& title, const QFont& font) {
  // The page model keeps the margins, so the painter works on the whole sheet.
  printer.setFullPage(true);
  // A PDF named in the system's printer set-up gets the suffix as well as one
  // chosen after "Ok" does.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    printer.setOutputFileName(pdfFileName(printer.outputFileName()));
  }
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setFont(font);
  const QFontMetrics metrics(font, &printer);
  printing::PageSpec spec;
  spec.pageWidth = painter.viewport().width();
  spec.pageHeight = painter.viewport().height();
  spec.margins = printing::marginsAt(printer.resolution());
  spec.lineHeight = std::max(1, metrics.lineSpacing());
  const printing::MeasureText measure = [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  };
  const printing::PageLayout layout =
      printing::layoutPages(lines, title.toStdString(), spec, measure);
  auto draw = [&painter, &metrics](const printing::PlacedLine& line) {
    painter.drawText(QPoint(line.x, line.y + metrics.ascent()), QString::fromStdString(line.text));
  };
  for (std::size_t i = 0; i < layout.pages.size(); ++i) {
    if (i > 0) printer.newPage();
    const printing::Page& page = layout.pages[i];
    for (const printing::PlacedLine& line : page.lines) draw(line);
    draw(page.footerLeft);
    draw(page.footerRight);
  }
  return painter.end();
}

QString pdfFileName(const QString& chosen) {
  return QString::fromStdString(printing::withPdfSuffix(chosen.toStdString()));
}

}  // namespace diskindex::ui
