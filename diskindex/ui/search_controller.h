#pragma once
// SearchController: the window's search commands: "&Suchen ..." on the
// open volume and "&Weitersuchen", the multi-volume search into the results
// window, and going to a row of that window. It owns the search dialogs'
// prompts and the results window while it exists; each command makes one
// SearchService call and hands a hit to the window (FormView::showHit).

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "diskindex/core/search_service.h"
#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/form_view.h"
#include "diskindex/ui/main_actions.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex {
class CatalogueSession;
}

namespace diskindex::ui {

class TDlgDuplicates;
class TDlgSearchCDs;
class TDlgSearchResults;

class SearchController : public QObject {
  Q_OBJECT
 public:
  // copyRequested: the results window's "&Kopieren" (the files controller's).
  SearchController(CatalogueSession& session, FormPrompts& prompts, FormView& view,
                   const MainActions& actions, std::function<void()> copyRequested);
  // The results window shows the session's rows: it goes first.
  ~SearchController() override;

  void setPrompts(std::unique_ptr<SearchPrompts> prompts);
  TDlgSearchResults* resultsWindow() const;
  void closeResultsWindow();

  void searchCurrent();
  void searchNext();
  void searchMulti();
  void showResultsWindow();
  // "Doppelte Dateien suchen ...": the options, then the finder into the
  // duplicates window (its progress bar and "Abbruch").
  void findDuplicates();
  TDlgDuplicates* duplicatesWindow() const;

 private:
  void showNotFound();
  TDlgSearchResults* ensureResultsWindow();
  void showOutcome(const MultiSearchOutcome& outcome);
  void connectHelp(TDlgSearchCDs& dialog);
  void goToResult(int row);
  void goToHit(const std::string& volumeName, const search::SearchHit& hit);
  TDlgDuplicates* ensureDuplicatesWindow();
  void goToDuplicate(int group, int file);
  void exportDuplicates(const ExportTarget& target);
  void exportResults(const ExportTarget& target);
  void showExportResult(exporting::ExportResult result, const QString& file);

  CatalogueSession& m_session;
  FormPrompts& m_prompts;
  FormView& m_view;
  const MainActions& m_actions;
  std::function<void()> m_copyRequested;
  std::unique_ptr<SearchPrompts> m_searchPrompts;
  QPointer<TDlgSearchResults> m_results;
  QPointer<TDlgDuplicates> m_duplicates;
};

}  // namespace diskindex::ui
