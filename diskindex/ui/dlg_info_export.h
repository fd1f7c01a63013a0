#pragma once
// TDlgInfoExport, the dialog "Datenträger-Informationen exportieren": the
// information fields to export (moved from the available fields, sorted by
// name, to the export list, in export order, by four buttons, double-click
// or Backspace; up and down move a field within the export list), the
// target file, the field separator (TAB or another character) and whether
// all volumes or those of the selected category are exported. "Ok" is
// enabled only while a target file (and, for another separator, its
// character) is entered.
//
// It edits copies: it is filled from the options the session keeps and the
// window hands options() and target() back to the session after "Ok". It
// writes nothing itself. Widgets carry object names for the tests
// (ListBoxFields, ListBoxExport, ButtonAdd, ..., EditTarget, RadioTab, ...).

#include <QDialog>

#include "diskindex/core/export/export_options.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace diskindex::ui {

class ExportPrompts;

class TDlgInfoExport : public QDialog {
  Q_OBJECT
 public:
  TDlgInfoExport(const exporting::InfoExportOptions& options, const QString& target,
                 ExportPrompts& prompts, QWidget* parent = nullptr);

  // Fields, separator and range; the category filter is the window's.
  exporting::InfoExportOptions options() const;
  QString target() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildFieldBox();
  void connectFieldControls();
  QWidget* buildOptionBoxes();
  QWidget* buildSeparatorBox();
  void fillLists(const std::vector<exporting::InfoField>& chosen);
  std::vector<exporting::InfoField> chosenFields() const;
  void move(QListWidget* from, bool all);
  void moveItem(QListWidgetItem* item);
  void shift(int delta);
  void browse();
  void updateStates();

  ExportPrompts& m_prompts;
  QListWidget* m_available = nullptr;
  QListWidget* m_export = nullptr;
  QPushButton* m_add = nullptr;
  QPushButton* m_addAll = nullptr;
  QPushButton* m_remove = nullptr;
  QPushButton* m_removeAll = nullptr;
  QPushButton* m_up = nullptr;
  QPushButton* m_down = nullptr;
  QLineEdit* m_target = nullptr;
  QRadioButton* m_tab = nullptr;
  QRadioButton* m_other = nullptr;
  QLineEdit* m_separator = nullptr;
  QRadioButton* m_category = nullptr;
  QRadioButton* m_all = nullptr;
  QPushButton* m_ok = nullptr;
};

}  // namespace diskindex::ui
