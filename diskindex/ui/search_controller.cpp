// The window's search commands, each one SearchService call.

#include "diskindex/ui/search_controller.h"

#include <QApplication>
#include <QElapsedTimer>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/search/search_messages.h"
#include "diskindex/ui/busy_scope.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/dlg_search_results.h"
#include "diskindex/ui/help_window.h"

namespace diskindex::ui {
namespace {

namespace sm = search::messages;

// Between rows the window shows what was found and lets the user press
// "Abbruch"; events are processed at most every 50 ms so that a search of
// millions of names is not slowed down by its own display.
class ResultsFeed : public search::MultiSearchObserver {
 public:
  explicit ResultsFeed(TDlgSearchResults* window) : m_window(window) { m_clock.start(); }
  bool cancelRequested() override {
    if (m_clock.elapsed() < 50) return false;
    m_clock.restart();
    if (m_window) m_window->syncRows();
    QApplication::processEvents();
    return !m_window || m_window->cancelRequested();
  }

 private:
  QPointer<TDlgSearchResults> m_window;
  QElapsedTimer m_clock;
};

}  // namespace

SearchController::SearchController(CatalogueSession& session, FormPrompts& prompts, FormView& view,
                                   const MainActions& actions, std::function<void()> copyRequested)
    : m_session(session),
      m_prompts(prompts),
      m_view(view),
      m_actions(actions),
      m_copyRequested(std::move(copyRequested)),
      m_searchPrompts(std::make_unique<QtSearchPrompts>(view.dialogParent())) {}

SearchController::~SearchController() {
  delete m_results;
}

TDlgSearchResults* SearchController::resultsWindow() const {
  return m_results;
}

void SearchController::closeResultsWindow() {
  if (m_results) m_results->close();
}

void SearchController::setPrompts(std::unique_ptr<SearchPrompts> prompts) {
  m_searchPrompts = std::move(prompts);
}

void SearchController::searchCurrent() {
  if (!m_view.showsContents() || !m_session.state().opened) return;
  m_view.takeRemarkFields();
  TDlgSearchCDs dialog(TDlgSearchCDs::Scope::CurrentVolume, m_session.searchService().params(),
                       m_session.settings().searchTexts, m_view.dialogParent());
  connect(&dialog, &TDlgSearchCDs::helpRequested, this, [this] { m_view.showHelp(help::kSearch); });
  if (!m_searchPrompts->runSearchDialog(dialog)) return;
  m_session.searchService().setParams(dialog.params());
  const std::size_t from = m_view.selectedDirectory().value_or(0);
  if (const auto hit = m_session.searchService().findFirst(from)) {
    m_view.showHit(*hit);
  } else {
    showNotFound();
  }
}

void SearchController::searchNext() {
  if (!m_view.showsContents()) return;
  if (!m_session.searchService().active()) {
    m_prompts.beep();
    return;
  }
  m_view.takeRemarkFields();
  if (const auto hit = m_session.searchService().findNext()) {
    m_view.showHit(*hit);
  } else {
    showNotFound();
  }
}

void SearchController::showNotFound() {
  m_prompts.information(qUtf8(sm::kSearchCaption), boxText(sm::kNothingMore));
}

void SearchController::searchMulti() {
  m_view.takeRemarkFields();
  TDlgSearchCDs dialog(TDlgSearchCDs::Scope::ManyVolumes, m_session.searchService().params(),
                       m_session.settings().searchTexts, m_view.dialogParent());
  dialog.setVolumes(m_session.volumes(), m_session.searchService().chosenVolumes(),
                    m_session.state().categories.names());
  connect(&dialog, &TDlgSearchCDs::helpRequested, this, [this] { m_view.showHelp(help::kSearch); });
  if (!m_searchPrompts->runSearchDialog(dialog)) return;
  m_session.searchService().setParams(dialog.params());
  m_session.searchService().setChosenVolumes(dialog.chosenVolumes());
  if (m_session.searchService().chosenVolumes().empty()) {
    m_searchPrompts->warning(qUtf8(sm::kSearchCaption), qUtf8(sm::kNoVolumesChosen));
    return;
  }
  runMultiSearch();
}

TDlgSearchResults* SearchController::ensureResultsWindow() {
  if (!m_results) {
    m_results = new TDlgSearchResults(m_session.searchService().results(), m_session.settings(),
                                      m_prompts, *m_searchPrompts, m_view.dialogParent());
    connect(m_results, &TDlgSearchResults::goToRequested, this, &SearchController::goToResult);
    connect(m_results, &TDlgSearchResults::copyRequested, this, [this] { m_copyRequested(); });
    QAction* button = m_actions.searchResults;
    connect(m_results, &QObject::destroyed, button, [button] { button->setVisible(false); });
    m_actions.searchResults->setVisible(true);
  }
  return m_results;
}

void SearchController::runMultiSearch() {
  TDlgSearchResults* window = ensureResultsWindow();
  window->beginSearch(qUtf8(m_session.searchService().params().text));
  window->show();
  window->raise();
  search::MultiSearchSummary summary;
  {
    BusyScope busy(m_view.dialogParent());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ResultsFeed feed(window);
    summary = m_session.searchService().searchChosen(feed);
    QApplication::restoreOverrideCursor();
  }
  if (!m_results) return;  // the window went away meanwhile
  m_results->endSearch();
  m_prompts.beep();
  if (summary.rows == 0) {
    m_prompts.information(qUtf8(sm::kSearchCaption), boxText(sm::kNotFoundOnVolumes));
    m_results->close();
  }
}

void SearchController::showResultsWindow() {
  if (!m_results) return;
  m_results->show();
  m_results->raise();
  m_results->activateWindow();
}

void SearchController::goToResult(int row) {
  const auto& rows = m_session.searchService().results();
  if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return;
  const search::ResultRow hit = rows[static_cast<std::size_t>(row)];
  const std::optional<std::size_t> index = m_session.volumes().findByName(hit.volumeName);
  if (!index) return;  // no longer in the catalogue
  m_view.showVolumeInFilter(*index);
  const bool open = m_view.showsContents() && m_session.state().opened &&
                    m_session.state().opened->volumeIndex == *index;
  if (!open && !m_view.openVolume(*index)) return;
  m_view.showHit(hit.hit);
  m_view.dialogParent()->raise();
  m_view.dialogParent()->activateWindow();
}

}  // namespace diskindex::ui
