#pragma once
// The dialog "Suchergebnisse drucken": the current printer's name, "&Drucker
// ..." for the system's printer set-up, "Ok" and "Abbruch". When no printer
// is installed the output goes to a PDF file, which the dialog says; the
// file itself is chosen after "Ok". printResultLines() draws the pages the
// page model lays out (margins, wrapped lines, footers) in the print font.

#include <QDialog>
#include <QFont>
#include <QStringList>
#include <string>
#include <vector>

class QLabel;
class QPrinter;

namespace diskindex::ui {

class SearchPrompts;

// True when the system offers at least one printer.
bool printerInstalled();

class TDlgPrintResults : public QDialog {
  Q_OBJECT
 public:
  TDlgPrintResults(QPrinter& printer, SearchPrompts& prompts, QWidget* parent = nullptr);
  // Writes to a PDF file instead of a printer.
  bool toPdf() const { return m_pdf; }
  void setupPrinter();

 private:
  void showPrinter();

  QPrinter& m_printer;
  SearchPrompts& m_prompts;
  QLabel* m_name = nullptr;
  bool m_pdf = false;
};

// Prints UTF-8 lines within the margins, long ones wrapped, with a footer
// of title and page number on every page. False when the printer could not
// be started.
bool printResultLines(QPrinter& printer, const std::vector<std::string>& lines,
                      const QString& title, const QFont& font);

// The PDF file a printout goes to: the chosen name, with ".pdf" added when
// it lacks the suffix.
QString pdfFileName(const QString& chosen);

}  // namespace diskindex::ui
