#pragma once
// The dialog "Suchergebnisse drucken": the current printer's name, "&Drucker
// ..." for the system's printer set-up, "Ok" and "Abbruch". When no printer
// is installed the output goes to a PDF file, which the dialog says; the
// file itself is chosen after "Ok". printResultLines() puts the lines on
// the pages as plain text in the print font.

#include <QDialog>
#include <QFont>
#include <QStringList>

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

// One line per text line, top to bottom, a new page when one is full.
// False when the printer could not be started.
bool printResultLines(QPrinter& printer, const QStringList& lines, const QFont& font);

}  // namespace diskindex::ui
