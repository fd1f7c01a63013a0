#pragma once
// TDlgDuplicates, the window "Doppelte Dateien": while the finder runs a
// progress bar (ProgressDuplicates) and "Abbruch" (ButtonCancel); then the
// groups (TreeDuplicates: a group per row with its files below; every
// column sorts on a click, numbers by value), a summary (LabelSummary) and
// the buttons "&Gehe zu" (also double-click; a group goes to its first
// file), "&Kopieren" (the selected groups or files as text lines on the
// clipboard), "E&xportieren ..." (CSV, HTML, JSON or text), "&Hilfe" and
// "Sch&ließen". Not modal; a new search reuses it.
//
// The groups live in the catalogue session; the window shows them through
// its model and asks the controller to go to a file, to export or to show
// the help. "Abbruch", closing while the finder runs and the export's choice of
// file are ListWindow's.

#include <optional>

#include "diskindex/core/search/duplicate_finder.h"
#include "diskindex/ui/list_window.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTreeView;

namespace diskindex::ui {

class DuplicatesModel;

class TDlgDuplicates : public ListWindow {
  Q_OBJECT
 public:
  TDlgDuplicates(const search::DuplicateResult& result, SearchPrompts& prompts,
                 QWidget* parent = nullptr);

  void beginSearch();
  void setProgress(std::size_t done, std::size_t total);
  // Shows the session's groups (or why there are none).
  void endSearch();
  // The group and file of the current row (a group row: its first file).
  std::optional<std::pair<int, int>> currentFile() const;
  // The text the copy puts on the clipboard for the selected rows.
  QString selectionText() const;

  void goTo();
  void copy();

 signals:
  void goToRequested(int group, int file);
  void helpRequested();

 protected:
  bool hasRows() const override;

 private:
  void setSearching(bool searching);

  const search::DuplicateResult& m_result;
  DuplicatesModel* m_model = nullptr;
  QSortFilterProxyModel* m_sorted = nullptr;
  QTreeView* m_tree = nullptr;
  QProgressBar* m_progress = nullptr;
  QLabel* m_summary = nullptr;
  QPushButton* m_goTo = nullptr;
  QPushButton* m_copy = nullptr;
  QPushButton* m_export = nullptr;
  QPushButton* m_close = nullptr;
};

}  // namespace diskindex::ui
