#pragma once
// What exporting and printing ask of the user in a modal way besides the
// window's message boxes (FormPrompts): running the two export dialogs,
// the file chooser of the target file, the PDF file when no printer is
// installed and the system's printer set-up. Tests replace it to drive the
// dialogs without a screen; QtExportPrompts is the real one.

#include <QString>
#include <optional>

class QPrinter;
class QWidget;

namespace diskindex::ui {

class TDlgInfoExport;
class TDlgTreeExport;

class ExportPrompts {
 public:
  virtual ~ExportPrompts() = default;
  // Run the dialog modally; true for "Ok".
  virtual bool runInfoExportDialog(TDlgInfoExport& dialog) = 0;
  virtual bool runTreeExportDialog(TDlgTreeExport& dialog) = 0;
  // "Zieldatei auswählen", starting with the file entered.
  virtual std::optional<QString> chooseTargetFile(const QString& start) = 0;
  virtual std::optional<QString> choosePdfFile(const QString& start) = 0;
  // True when the user confirmed the set-up.
  virtual bool setupPrinter(QPrinter& printer, QWidget* parent) = 0;
};

class QtExportPrompts : public ExportPrompts {
 public:
  explicit QtExportPrompts(QWidget* parent) : m_parent(parent) {}
  bool runInfoExportDialog(TDlgInfoExport& dialog) override;
  bool runTreeExportDialog(TDlgTreeExport& dialog) override;
  std::optional<QString> chooseTargetFile(const QString& start) override;
  std::optional<QString> choosePdfFile(const QString& start) override;
  bool setupPrinter(QPrinter& printer, QWidget* parent) override;

 private:
  QWidget* m_parent;
};

}  // namespace diskindex::ui
