// The main window's search commands: the search on the open volume and
// "Weitersuchen", the multi-volume search into the results window, and
// going to a hit (expanding the tree, selecting the file, selecting the
// matched text of a remark).

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTableView>
#include <QTreeView>

#include "diskindex/core/messages.h"
#include "diskindex/core/search/search_messages.h"
#include "diskindex/ui/busy_scope.h"
#include "diskindex/ui/dir_tree_model.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/dlg_search_results.h"
#include "diskindex/ui/file_list_model.h"
#include "diskindex/ui/remark_edit.h"
#include "diskindex/ui/volume_list_model.h"

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

TDlgSearchResults* TDiskIndexForm::searchResults() const {
  return m_results;
}

void TDiskIndexForm::setSearchPrompts(std::unique_ptr<SearchPrompts> prompts) {
  m_searchPrompts = std::move(prompts);
}

void TDiskIndexForm::onSearchCurrent() {
  if (m_view != View::Contents || !m_session.state().opened) return;
  takeRemarkFields();
  TDlgSearchCDs dialog(TDlgSearchCDs::Scope::CurrentVolume, m_session.searchService().params(),
                       m_session.settings().searchTexts, this);
  connect(&dialog, &TDlgSearchCDs::helpRequested, this, &TDiskIndexForm::onHelp);
  if (!m_searchPrompts->runSearchDialog(dialog)) return;
  m_session.searchService().setParams(dialog.params());
  const std::size_t from = selectedDirectory().value_or(0);
  if (const auto hit = m_session.searchService().findFirst(from)) {
    showHit(*hit);
  } else {
    showSearchNotFound();
  }
}

void TDiskIndexForm::onSearchNext() {
  if (m_view != View::Contents) return;
  if (!m_session.searchService().active()) {
    m_prompts->beep();
    return;
  }
  takeRemarkFields();
  if (const auto hit = m_session.searchService().findNext()) {
    showHit(*hit);
  } else {
    showSearchNotFound();
  }
}

void TDiskIndexForm::showSearchNotFound() {
  m_prompts->information(qUtf8(sm::kSearchCaption), boxText(sm::kNothingMore));
}

void TDiskIndexForm::onSearchMulti() {
  takeRemarkFields();
  TDlgSearchCDs dialog(TDlgSearchCDs::Scope::ManyVolumes, m_session.searchService().params(),
                       m_session.settings().searchTexts, this);
  dialog.setVolumes(m_session.volumes(), m_session.searchService().chosenVolumes(),
                    m_session.state().categories.names());
  connect(&dialog, &TDlgSearchCDs::helpRequested, this, &TDiskIndexForm::onHelp);
  if (!m_searchPrompts->runSearchDialog(dialog)) return;
  m_session.searchService().setParams(dialog.params());
  m_session.searchService().setChosenVolumes(dialog.chosenVolumes());
  if (m_session.searchService().chosenVolumes().empty()) {
    m_searchPrompts->warning(qUtf8(sm::kSearchCaption), qUtf8(sm::kNoVolumesChosen));
    return;
  }
  runMultiSearch();
}

TDlgSearchResults* TDiskIndexForm::ensureResultsWindow() {
  if (!m_results) {
    m_results = new TDlgSearchResults(m_session.searchService().results(), m_session.settings(), *m_prompts,
                                      *m_searchPrompts, this);
    connect(m_results, &TDlgSearchResults::goToRequested, this, &TDiskIndexForm::goToResult);
    connect(m_results, &TDlgSearchResults::copyRequested, this, &TDiskIndexForm::copySearchResults);
    QAction* button = m_actions.searchResults;
    connect(m_results, &QObject::destroyed, button, [button] { button->setVisible(false); });
    m_actions.searchResults->setVisible(true);
  }
  return m_results;
}

void TDiskIndexForm::runMultiSearch() {
  TDlgSearchResults* window = ensureResultsWindow();
  window->beginSearch(qUtf8(m_session.searchService().params().text));
  window->show();
  window->raise();
  search::MultiSearchSummary summary;
  {
    BusyScope busy(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ResultsFeed feed(window);
    summary = m_session.searchService().searchChosen(feed);
    QApplication::restoreOverrideCursor();
  }
  if (!m_results) return;  // the window went away meanwhile
  m_results->endSearch();
  m_prompts->beep();
  if (summary.rows == 0) {
    m_prompts->information(qUtf8(sm::kSearchCaption), boxText(sm::kNotFoundOnVolumes));
    m_results->close();
  }
}

void TDiskIndexForm::onSearchResultsWindow() {
  if (!m_results) return;
  m_results->show();
  m_results->raise();
  m_results->activateWindow();
}

void TDiskIndexForm::goToResult(int row) {
  const auto& rows = m_session.searchService().results();
  if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return;
  const search::ResultRow hit = rows[static_cast<std::size_t>(row)];
  const std::optional<std::size_t> index = m_session.volumes().findByName(hit.volumeName);
  if (!index) return;  // no longer in the catalogue
  const VolumeRecord& record = m_session.volumes()[*index];
  if (!m_volumeModel->passes(record)) {
    const QString filter = qUtf8(record.category ? *record.category : messages::kAllCategories);
    QComboBox* combo = m_toolBar.categoryCombo;
    const int item = std::max(0, combo->findText(filter));
    combo->setCurrentIndex(item);
    m_volumeModel->setFilter(combo->itemText(item).toStdString());
    if (m_view == View::Overview) refreshOverview(*index);
  }
  const bool open = m_view == View::Contents && m_session.state().opened &&
                    m_session.state().opened->volumeIndex == *index;
  if (!open && !openVolume(*index)) return;
  showHit(hit.hit);
  raise();
  activateWindow();
}

void TDiskIndexForm::showHit(const search::SearchHit& hit) {
  if (m_view != View::Contents || !m_session.state().opened) return;
  const OpenedVolume& opened = *m_session.state().opened;
  if (hit.key.dirNo < 1 ||
      static_cast<std::size_t>(hit.key.dirNo) > opened.directories.directoryCount()) {
    return;
  }
  const QModelIndex dir =
      m_dirModel->indexOfDirectory(static_cast<std::uint32_t>(hit.key.dirNo - 1));
  for (QModelIndex parent = dir.parent(); parent.isValid(); parent = parent.parent()) {
    m_tree->expand(parent);
  }
  m_tree->selectionModel()->setCurrentIndex(dir, QItemSelectionModel::ClearAndSelect);
  m_tree->scrollTo(dir, QAbstractItemView::PositionAtCenter);
  if (hit.key.fileNo >= 0) {
    const QModelIndex file = m_fileModel->index(m_fileModel->rowOfPosition(hit.key.fileNo), 0);
    m_files->selectionModel()->setCurrentIndex(
        file, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_files->scrollTo(file, QAbstractItemView::PositionAtCenter);
  }
  if (!m_session.searchService().params().remarks || hit.matchLength == 0) return;
  const std::optional<std::string_view> remark = opened.remarks.find(hit.key);
  if (!remark) return;
  const bool dirRemark = hit.key.fileNo < 0;
  QAction* shown = dirRemark ? m_actions.dirRemarks : m_actions.fileRemarks;
  if (!shown->isChecked()) shown->setChecked(true);  // applyRemarkFields follows
  selectRemarkText(dirRemark ? m_dirRemark : m_fileRemark, *remark, hit.matchStart,
                   hit.matchLength);
}

void TDiskIndexForm::selectRemarkText(RemarkEdit* field, std::string_view remark, std::size_t start,
                                      std::size_t length) {
  // Byte offsets in the stored text (CR LF) to positions in the field (LF).
  auto position = [&](std::size_t bytes) {
    QString prefix = qUtf8(remark.substr(0, std::min(bytes, remark.size())));
    prefix.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return static_cast<int>(prefix.size());
  };
  field->setFocus();
  QTextCursor cursor(field->document());
  cursor.setPosition(position(start));
  cursor.setPosition(position(start + length), QTextCursor::KeepAnchor);
  field->setTextCursor(cursor);
  field->ensureCursorVisible();
}

}  // namespace diskindex::ui
