#pragma once
// TDlgTreeExport, the dialog for a volume's directory tree, opened for
// export ("Datenträgerinhalt exportieren"), print ("... drucken") or the
// clipboard ("... kopieren"): "&Bereich" (whole volume or selected
// directory), "&Struktur" (indented tree or full path names) and "&Inhalt"
// (directories and files, directories only, files only); for export the
// target file with "&an Zieldatei anhängen"; for export and print a heading
// with a button that inserts the volume name; for print the current
// printer with "Dr&ucker ..." (or, when none is installed, the note that a
// PDF file is written).
//
// It edits copies of the options; the window hands options() and target()
// to the session after "Ok". Widgets carry object names for the tests
// (RadioWholeVolume, RadioPaths, RadioFilesOnly, EditTarget, CheckAppend,
// EditHeading, ButtonInsertName, LabelPrinter, ...).

#include <QDialog>

#include "diskindex/core/export/export_messages.h"
#include "diskindex/core/export/export_options.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace diskindex::ui {

class ExportPrompts;

class TDlgTreeExport : public QDialog {
  Q_OBJECT
 public:
  using Mode = exporting::messages::TreeDialogMode;

  // printer: the job's printer (print only); volumeName fills the heading
  // on request; target: the export file last used (export only).
  TDlgTreeExport(Mode mode, const exporting::TreeExportOptions& options, const QString& volumeName,
                 const QString& target, ExportPrompts& prompts, QPrinter* printer = nullptr,
                 QWidget* parent = nullptr);

  Mode mode() const { return m_mode; }
  exporting::TreeExportOptions options() const;
  QString target() const;
  // Print only: no printer is installed, the pages go to a PDF file.
  bool toPdf() const { return m_pdf; }

 private:
  QWidget* buildChoices();
  QWidget* buildTargetBox();
  QWidget* buildHeadingBox();
  QWidget* buildPrinterBox();
  void apply(const exporting::TreeExportOptions& options);
  void browse();
  void setupPrinter();
  void showPrinter();
  void updateStates();

  Mode m_mode;
  QString m_volumeName;
  ExportPrompts& m_prompts;
  QPrinter* m_printer;
  bool m_pdf = false;
  QRadioButton* m_whole = nullptr;
  QRadioButton* m_selected = nullptr;
  QRadioButton* m_tree = nullptr;
  QRadioButton* m_paths = nullptr;
  QRadioButton* m_both = nullptr;
  QRadioButton* m_dirsOnly = nullptr;
  QRadioButton* m_filesOnly = nullptr;
  QLineEdit* m_target = nullptr;
  QCheckBox* m_append = nullptr;
  QLineEdit* m_heading = nullptr;
  QLabel* m_printerName = nullptr;
  QPushButton* m_ok = nullptr;
};

}  // namespace diskindex::ui
