#pragma once
// TDlgSearchResults, the window of the multi-volume search's hits. It is not
// modal and stays open beside the main window until "Schließen"; a new
// search reuses it. Caption "K&T DiskIndex - Suche nach: "..."" with the
// mode and filters in brackets when there are any, the count after
// "Fundstellen:", the grid of hits (every column sorts on a click on its
// heading, size and date by value; the path is elided in the middle and
// shown whole as tooltip), the hits per volume in the status line, and the
// buttons "&Gehe zu" (also double-click and Enter), "&Speichern",
// "E&xportieren ..." (CSV, HTML, JSON or the text list, in the order shown),
// "&Drucken", "&Kopieren" (copying the found files from their volumes,
// which the main window does), "Schließen", and "Abbruch" while a search
// runs. Rows are handed out as positions in the session's rows, whatever
// the sort.
//
// The rows live in the catalogue session; the window shows them through its
// model and asks the main window to go to a hit (goToRequested). Saving and
// printing write the core's list lines. "Abbruch", closing while it
// fills and the export's choice of file are ListWindow's.

#include <QString>
#include <vector>

#include "diskindex/core/search/multi_search.h"
#include "diskindex/core/settings.h"
#include "diskindex/ui/list_window.h"

class QLabel;
class QSortFilterProxyModel;
class QStatusBar;
class QPushButton;
class QTableView;

namespace diskindex::ui {

class FormPrompts;
class SearchPrompts;
class SearchResultsModel;

class TDlgSearchResults : public ListWindow {
  Q_OBJECT
 public:
  TDlgSearchResults(const std::vector<search::ResultRow>& rows, DiskIndexSettings& settings,
                    FormPrompts& prompts, SearchPrompts& searchPrompts, QWidget* parent = nullptr);

  // A new search: no rows in the order found, the caption with its text,
  // mode and filters, only "Abbruch" enabled.
  void beginSearch(const search::SearchParams& params);
  // Shows the rows found so far.
  void syncRows();
  // The search ended: the count, and the buttons enabled when there are hits.
  void endSearch();
  int currentRow() const;
  // The selected rows in ascending order.
  std::vector<std::size_t> selectedRows() const;
  // Every row in the order the grid shows them.
  std::vector<std::size_t> displayOrder() const;
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
  // exportRequested: the list is to be written in displayOrder().
  bool hasRows() const override;
  void closing() override { storeGeometry(); }

 private:
  void applyGeometry();
  void setButtons(bool searching);

  const std::vector<search::ResultRow>& m_rows;
  DiskIndexSettings& m_settings;
  FormPrompts& m_prompts;
  SearchResultsModel* m_model = nullptr;
  QSortFilterProxyModel* m_sorted = nullptr;
  QTableView* m_grid = nullptr;
  QStatusBar* m_status = nullptr;
  QLabel* m_count = nullptr;
  QPushButton* m_goTo = nullptr;
  QPushButton* m_save = nullptr;
  QPushButton* m_export = nullptr;
  QPushButton* m_print = nullptr;
  QPushButton* m_copy = nullptr;
  QPushButton* m_close = nullptr;
  QString m_lastFile;
};

}  // namespace diskindex::ui
