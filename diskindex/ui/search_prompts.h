#pragma once
// What the search asks of the user in a modal way besides the window's
// message boxes (FormPrompts): running the search dialog and the print
// dialog, the warning of an empty volume choice, and the file choosers for
// saving the results and for a PDF file when no printer is installed. Tests
// replace it to drive the dialogs without a screen; QtSearchPrompts is the
// real one.

#include <QString>
#include <optional>
#include <string_view>

#include "diskindex/core/export/table_export.h"
#include "diskindex/ui/qt_text.h"

class QPrinter;
class QWidget;

namespace diskindex::ui {

class TDlgDuplicateOptions;
class TDlgSearchCDs;
class TDlgPrintResults;

// A file to export a list to and its format (from the chosen file type).
struct ExportTarget {
  QString file;
  exporting::ExportFormat format = exporting::ExportFormat::Csv;
  bool byteOrderMark = false;  // CSV for spreadsheet programs
};

class SearchPrompts {
 public:
  virtual ~SearchPrompts() = default;
  // Runs the dialog modally; true for "Ok".
  virtual bool runSearchDialog(TDlgSearchCDs& dialog) = 0;
  virtual bool runPrintDialog(TDlgPrintResults& dialog) = 0;
  virtual bool runDuplicateDialog(TDlgDuplicateOptions& dialog) = 0;
  virtual void warning(const QString& caption, const QString& text) = 0;
  // "Zieldatei auswählen", starting with the file last used.
  virtual std::optional<QString> chooseSaveFile(const QString& start) = 0;
  virtual std::optional<QString> choosePdfFile(const QString& start) = 0;
  // "Liste exportieren": CSV, CSV with byte order mark, HTML, JSON or the
  // text list; the format follows the file type chosen.
  virtual std::optional<ExportTarget> chooseExportFile(const QString& start) = 0;
  // The system's printer set-up; true when the user confirmed it.
  virtual bool setupPrinter(QPrinter& printer, QWidget* parent) = 0;
};

class QtSearchPrompts : public SearchPrompts {
 public:
  explicit QtSearchPrompts(QWidget* parent) : m_parent(parent) {}
  bool runSearchDialog(TDlgSearchCDs& dialog) override;
  bool runPrintDialog(TDlgPrintResults& dialog) override;
  bool runDuplicateDialog(TDlgDuplicateOptions& dialog) override;
  void warning(const QString& caption, const QString& text) override;
  std::optional<QString> chooseSaveFile(const QString& start) override;
  std::optional<QString> choosePdfFile(const QString& start) override;
  std::optional<ExportTarget> chooseExportFile(const QString& start) override;
  bool setupPrinter(QPrinter& printer, QWidget* parent) override;

 private:
  QWidget* m_parent;
};

}  // namespace diskindex::ui
