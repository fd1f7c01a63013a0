// The window's search commands, each one SearchService call.

#include "diskindex/ui/search_controller.h"

#include <QApplication>
#include <QElapsedTimer>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/export/export_messages.h"
#include "diskindex/core/search/search_messages.h"
#include "diskindex/ui/busy_scope.h"
#include "diskindex/ui/dlg_duplicate_options.h"
#include "diskindex/ui/dlg_duplicates.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/dlg_search_results.h"
#include "diskindex/ui/help_topic.h"
#include "diskindex/ui/help_window.h"

namespace diskindex::ui {
namespace {

namespace sm = search::messages;

// Opens the results window when the search starts; between rows the window
// shows what was found and lets the user press "Abbruch". Events are
// processed at most every 50 ms so that a search of millions of names is not
// slowed down by its own display.
class ResultsFeed : public MultiSearchProgress {
 public:
  explicit ResultsFeed(std::function<TDlgSearchResults*()> openWindow)
      : m_openWindow(std::move(openWindow)) {
    m_clock.start();
  }
  void started(const search::SearchParams& params) override {
    m_window = m_openWindow();
    m_window->beginSearch(params);
    m_window->show();
    m_window->raise();
  }
  bool cancelRequested() override {
    if (m_clock.elapsed() < 50) return false;
    m_clock.restart();
    if (m_window) m_window->syncRows();
    QApplication::processEvents();
    return !m_window || m_window->cancelRequested();
  }

 private:
  std::function<TDlgSearchResults*()> m_openWindow;
  QPointer<TDlgSearchResults> m_window;
  QElapsedTimer m_clock;
};

// The finder's progress in the duplicates window; events are processed after
// every volume, so "Abbruch" answers within one volume's reading.
class DuplicateFeed : public search::DuplicateObserver {
 public:
  explicit DuplicateFeed(TDlgDuplicates* window) : m_window(window) {}
  void progress(std::size_t done, std::size_t total) override {
    if (m_window) m_window->setProgress(done, total);
  }
  bool cancelRequested() override {
    QApplication::processEvents();
    return !m_window || m_window->cancelRequested();
  }

 private:
  QPointer<TDlgDuplicates> m_window;
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
  delete m_duplicates;
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
  connectHelp(dialog);
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

void SearchController::connectHelp(TDlgSearchCDs& dialog) {
  // The help window belongs to the dialog, so that it takes input while the
  // dialog is modal.
  connect(&dialog, &TDlgSearchCDs::helpRequested, &dialog,
          [&dialog] { openHelpPage(&dialog, help::kSearch); });
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
  connectHelp(dialog);
  if (!m_searchPrompts->runSearchDialog(dialog)) return;
  ResultsFeed feed([this] { return ensureResultsWindow(); });
  MultiSearchOutcome outcome;
  {
    BusyScope busy(m_view.dialogParent());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    outcome =
        m_session.searchService().searchMulti({dialog.params(), dialog.chosenVolumes()}, feed);
    QApplication::restoreOverrideCursor();
  }
  showOutcome(outcome);
}

void SearchController::showOutcome(const MultiSearchOutcome& outcome) {
  switch (outcome.status) {
    case MultiSearchStatus::NoVolumes:
      m_searchPrompts->warning(qUtf8(sm::kSearchCaption), qUtf8(sm::kNoVolumesChosen));
      return;
    case MultiSearchStatus::InvalidText:
    case MultiSearchStatus::InvalidFilters:
      m_prompts.error(qUtf8(sm::kSearchCaption), boxText(outcome.problem));
      return;
    case MultiSearchStatus::Searched:
      break;
  }
  if (!m_results) return;  // the window went away meanwhile
  m_results->endSearch();
  m_prompts.beep();
  if (outcome.summary.rows == 0) {
    m_prompts.information(qUtf8(sm::kSearchCaption), boxText(sm::kNotFoundOnVolumes));
    m_results->close();
  }
}

TDlgSearchResults* SearchController::ensureResultsWindow() {
  if (!m_results) {
    m_results = new TDlgSearchResults(m_session.searchService().results(), m_session.settings(),
                                      m_prompts, *m_searchPrompts, m_view.dialogParent());
    connect(m_results, &TDlgSearchResults::goToRequested, this, &SearchController::goToResult);
    connect(m_results, &TDlgSearchResults::copyRequested, this, [this] { m_copyRequested(); });
    connect(m_results, &TDlgSearchResults::exportRequested, this, &SearchController::exportResults);
    QAction* button = m_actions.searchResults;
    connect(m_results, &QObject::destroyed, button, [button] { button->setVisible(false); });
    m_actions.searchResults->setVisible(true);
  }
  return m_results;
}

void SearchController::exportResults(const ExportTarget& target) {
  if (!m_results) return;
  ListExportRequest request;
  request.file = target.file.toStdString();
  request.format = target.format;
  request.csv.byteOrderMark = target.byteOrderMark;
  request.order = m_results->displayOrder();
  showExportResult(m_session.searchService().exportResults(request), target.file);
}

void SearchController::showExportResult(exporting::ExportResult result, const QString& file) {
  const QString caption = QStringLiteral("Liste exportieren");
  const std::string name = file.toStdString();
  switch (result) {
    case exporting::ExportResult::Ok:
    case exporting::ExportResult::NothingToWrite:
      return;
    case exporting::ExportResult::CannotCreate:
      m_prompts.error(caption, boxText(exporting::messages::createFailed(name)));
      return;
    case exporting::ExportResult::CannotWrite:
      m_prompts.error(caption, boxText(exporting::messages::writeFailed(name)));
      return;
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
  goToHit(hit.volumeName, hit.hit);
}

void SearchController::goToHit(const std::string& volumeName, const search::SearchHit& hit) {
  const std::optional<std::size_t> index = m_session.volumes().findByName(volumeName);
  if (!index) return;  // no longer in the catalogue
  m_view.showVolumeInFilter(*index);
  const bool open = m_view.showsContents() && m_session.state().opened &&
                    m_session.state().opened->volumeIndex == *index;
  if (!open && !m_view.openVolume(*index)) return;
  m_view.showHit(hit);
  m_view.dialogParent()->raise();
  m_view.dialogParent()->activateWindow();
}

}  // namespace diskindex::ui

namespace diskindex::ui {

TDlgDuplicates* SearchController::duplicatesWindow() const {
  return m_duplicates;
}

TDlgDuplicates* SearchController::ensureDuplicatesWindow() {
  if (!m_duplicates) {
    m_duplicates = new TDlgDuplicates(m_session.searchService().duplicates(), *m_searchPrompts,
                                      m_view.dialogParent());
    connect(m_duplicates, &TDlgDuplicates::goToRequested, this, &SearchController::goToDuplicate);
    connect(m_duplicates, &TDlgDuplicates::exportRequested, this,
            &SearchController::exportDuplicates);
    TDlgDuplicates* window = m_duplicates;
    connect(window, &TDlgDuplicates::helpRequested, window,
            [window] { openHelpPage(window, help::kDuplicates); });
  }
  return m_duplicates;
}

void SearchController::findDuplicates() {
  TDlgDuplicateOptions dialog(m_session.volumes(), m_session.state().categories.names(),
                              m_view.categoryFilter(), m_view.dialogParent());
  connect(&dialog, &TDlgDuplicateOptions::helpRequested, &dialog,
          [&dialog] { openHelpPage(&dialog, help::kDuplicates); });
  if (!m_searchPrompts->runDuplicateDialog(dialog)) return;
  TDlgDuplicates* window = ensureDuplicatesWindow();
  window->beginSearch();
  window->show();
  window->raise();
  {
    BusyScope busy(m_view.dialogParent());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DuplicateFeed feed(window);
    m_session.searchService().findDuplicates({dialog.options(), dialog.chosenVolumes()}, feed);
    QApplication::restoreOverrideCursor();
  }
  if (m_duplicates) m_duplicates->endSearch();
}

void SearchController::goToDuplicate(int group, int file) {
  const search::DuplicateResult& result = m_session.searchService().duplicates();
  if (group < 0 || static_cast<std::size_t>(group) >= result.groups.size()) return;
  const auto& files = result.groups[static_cast<std::size_t>(group)].files;
  if (file < 0 || static_cast<std::size_t>(file) >= files.size()) return;
  const search::DuplicateFile& hit = files[static_cast<std::size_t>(file)];
  goToHit(result.volumeName(hit), search::SearchHit{hit.key()});
}

void SearchController::exportDuplicates(const ExportTarget& target) {
  ListExportRequest request;
  request.file = target.file.toStdString();
  request.format = target.format;
  request.csv.byteOrderMark = target.byteOrderMark;
  showExportResult(m_session.searchService().exportDuplicates(request), target.file);
}

}  // namespace diskindex::ui
