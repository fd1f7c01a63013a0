#pragma once
// TDlgSearchResults, the window of the multi-volume search's hits. It is not
// modal and stays open beside the main window until "Schließen"; a new
// search reuses it. Caption "K&T DiskIndex - Suche nach: "..."", the count
// after "Fundstellen:", the grid of hits and the buttons "&Gehe zu" (also
// double-click and Enter), "&Speichern", "&Drucken", "&Kopieren" (copying
// the found files from their volumes, which the main window does),
// "Schließen", and "Abbruch" while a search runs.
//
// The rows live in the catalogue session; the window shows them through its
// model and asks the main window to go to a hit (goToRequested). Saving and
// printing write the core's list lines.

#include <QDialog>
#include <QString>
#include <vector>

#include "diskindex/core/search/multi_search.h"
#include "diskindex/core/settings.h"

class QLabel;
class QPushButton;
class QTableView;

namespace diskindex::ui {

class FormPrompts;
class SearchPrompts;
class SearchResultsModel;

class TDlgSearchResults : public QDialog {
  Q_OBJECT
 public:
  TDlgSearchResults(const std::vector<search::ResultRow>& rows, DiskIndexSettings& settings,
                    FormPrompts& prompts, SearchPrompts& searchPrompts, QWidget* parent = nullptr);

  // A new search: no rows, the caption with its text, only "Abbruch" enabled.
  void beginSearch(const QString& searchText);
  // Shows the rows found so far.
  void syncRows();
  // The search ended: the count, and the buttons enabled when there are hits.
  void endSearch();
  bool cancelRequested() const { return m_cancelled; }
  int currentRow() const;
  // The selected rows in ascending order.
  std::vector<std::size_t> selectedRows() const;
  SearchResultsModel* model() const { return m_model; }

  // The commands of the buttons.
  void goTo();
  void save();
  void print();

  // Stores position, size and column widths in the settings.
  void storeGeometry();

 signals:
  void goToRequested(int row);
  void copyRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void applyGeometry();
  void setButtons(bool searching);

  const std::vector<search::ResultRow>& m_rows;
  DiskIndexSettings& m_settings;
  FormPrompts& m_prompts;
  SearchPrompts& m_searchPrompts;
  SearchResultsModel* m_model = nullptr;
  QTableView* m_grid = nullptr;
  QLabel* m_count = nullptr;
  QPushButton* m_goTo = nullptr;
  QPushButton* m_save = nullptr;
  QPushButton* m_print = nullptr;
  QPushButton* m_copy = nullptr;
  QPushButton* m_close = nullptr;
  QPushButton* m_cancel = nullptr;
  bool m_searching = false;
  bool m_cancelled = false;
  QString m_lastFile;
};

}  // namespace diskindex::ui
