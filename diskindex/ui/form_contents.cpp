// The contents view of the main window: opening and leaving a volume, the
// directory tree, the file list with its order, and the two remark fields
// whose texts go back to the remark list when the selection moves on.

#include <QApplication>
#include <QItemSelectionModel>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTreeView>

#include "diskindex/core/messages.h"
#include "diskindex/ui/contents_pane.h"
#include "diskindex/ui/dir_tree_model.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/file_grid.h"
#include "diskindex/ui/file_list_model.h"
#include "diskindex/ui/font_setting.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/remark_edit.h"
#include "diskindex/ui/remark_save.h"
#include "diskindex/ui/volume_list_model.h"

namespace diskindex::ui {

namespace {

// Shows the loader's percentage in the status bar; repaints only the bar so
// that no other command can run while the volume loads.
class LoadProgress : public ProgressObserver {
 public:
  explicit LoadProgress(QProgressBar* bar) : m_bar(bar) {
    m_bar->setValue(0);
    m_bar->show();
  }
  ~LoadProgress() override { m_bar->hide(); }
  void progress(int percent) override {
    if (percent == m_bar->value()) return;
    m_bar->setValue(percent);
    m_bar->repaint();
  }

 private:
  QProgressBar* m_bar;
};

void setTreeModel(QTreeView* tree, QAbstractItemModel* model) {
  QItemSelectionModel* old = tree->selectionModel();
  tree->setModel(model);
  delete old;
}

}  // namespace

void TDiskIndexForm::onContents() {
  if (m_view != View::Overview) return;
  const std::optional<std::size_t> chosen = selectedVolume();
  if (!chosen) return;
  const std::filesystem::path chosenFile = m_session.volumes()[*chosen].dataFile;
  // The list is compared with the folder first; a chosen volume another
  // program removed is not swapped for its neighbour unasked.
  followOtherPrograms();
  if (m_view != View::Overview) return;
  const std::optional<std::size_t> volume = selectedVolume();
  if (volume && m_session.volumes()[*volume].dataFile == chosenFile) openVolume(*volume);
}

void TDiskIndexForm::onOverview() {
  if (m_view != View::Contents) return;
  const std::size_t volume = m_session.state().opened->volumeIndex;
  if (!leaveContents()) return;
  showOverview(volume);
  followOtherPrograms();
}

bool TDiskIndexForm::openVolume(std::size_t volumeIndex) {
  if (volumeIndex >= m_session.volumes().size()) return false;
  if (m_view == View::Contents) onOverview();
  if (m_view == View::Contents) return false;  // its remarks were kept
  QApplication::setOverrideCursor(Qt::WaitCursor);
  OpenResult result;
  {
    LoadProgress progress(m_progress);
    result = m_session.volumeService().open(volumeIndex, &progress);
  }
  QApplication::restoreOverrideCursor();
  return showOpened(volumeIndex, result);
}

bool TDiskIndexForm::showOpened(std::size_t volumeIndex, const OpenResult& result) {
  if (result.contents != ResultCode::Ok) {
    const ErrorMessage message = errorMessage(result.contents, OperationTitle::ReadContents,
                                              m_session.volumes()[volumeIndex].dataFile.string());
    m_prompts->error(QString::fromStdString(message.caption), boxText(message.text));
    return false;
  }
  if (result.remarks != ResultCode::Ok && result.remarks != ResultCode::CannotOpen) {
    m_prompts->beep();
  }
  if (result.remarksDamaged) {
    m_prompts->warning(QString::fromUtf8(kProgramTitle),
                       boxText(messages::damagedRemarksFile(
                           m_session.volumes()[volumeIndex].commentFile().string())));
  }
  showContents();
  return true;
}

void TDiskIndexForm::showContents() {
  const OpenedVolume& opened = *m_session.state().opened;
  m_view = View::Contents;
  setWindowTitle(QString::fromUtf8(kProgramTitle) + QStringLiteral(":  [") +
                 QString::fromStdString(opened.record.name) + QStringLiteral("]"));
  m_toolBar.categoryLabelItem->setVisible(false);
  m_toolBar.categoryComboItem->setVisible(false);
  showContentsButtons(m_toolBar, true);
  m_rightStack->setCurrentWidget(m_rightSplit);
  applyRemarkFields();
  m_tree->setFont(toFont(m_session.settings().fontL));
  m_tree->setRootIsDecorated(true);
  m_contents->attach(opened);
  connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TDiskIndexForm::onDirectorySelected);
  m_contents->selectRoot();
  m_tree->setFocus();
  updateCommandStates();
}

bool TDiskIndexForm::leaveContentsKeepingVolume(std::size_t volume) {
  if (!leaveContents(LeaveMode::KeepVolumeOpen)) return false;
  showOverview(volume);
  return true;
}

bool TDiskIndexForm::leaveContents(LeaveMode mode) {
  if (!m_session.state().opened) return true;
  takeRemarkFields();
  if (m_session.state().opened->remarks.modified() &&
      !saveOpenRemarks(*m_prompts, m_session.remarkService())) {
    return false;
  }
  detachContents();
  if (mode == LeaveMode::CloseVolume) m_session.volumeService().close();
  return true;
}

void TDiskIndexForm::detachContents() {
  m_contents->detach();
  setTreeModel(m_tree, m_volumeModel);
  connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TDiskIndexForm::onVolumeSelected);
  m_dirModel->setDirectories(nullptr);
  m_view = View::Overview;
}

std::optional<std::uint32_t> TDiskIndexForm::selectedDirectory() const {
  if (m_view != View::Contents) return std::nullopt;
  return m_contents->currentDirectory();
}

int TDiskIndexForm::currentFilePosition() const {
  return m_contents->currentFilePosition();
}

void TDiskIndexForm::takeRemarkFields() {
  m_contents->takeRemarkFields();
}

void TDiskIndexForm::onDirectorySelected() {
  const std::optional<std::uint32_t> dir = selectedDirectory();
  if (!dir || !m_session.state().opened) return;
  m_contents->takeRemarkFields();
  m_contents->showDirectory(*dir);
  showStatus(QStringLiteral(" ") + QString::fromStdString(m_contents->directoryPath(*dir)));
  updateCommandStates();
}

void TDiskIndexForm::onFileSelected() {
  if (m_view != View::Contents) return;
  m_contents->takeRemarkFields();
  m_contents->showFileRemark();
  updateCommandStates();
}

void TDiskIndexForm::onSortChanged() {
  const QAction* checked = m_actions.sortGroup->checkedAction();
  const SortKey key = checked == m_actions.sortName   ? SortKey::Name
                      : checked == m_actions.sortType ? SortKey::Extension
                      : checked == m_actions.sortSize ? SortKey::Size
                      : checked == m_actions.sortDate ? SortKey::Date
                                                      : SortKey::None;
  m_contents->sortFiles(key, m_actions.sortReverse->isChecked());
}

void TDiskIndexForm::showSortChoice(SortChoice choice) {
  QAction* wanted = choice.key == SortKey::Name        ? m_actions.sortName
                    : choice.key == SortKey::Extension ? m_actions.sortType
                    : choice.key == SortKey::Size      ? m_actions.sortSize
                    : choice.key == SortKey::Date      ? m_actions.sortDate
                                                       : nullptr;
  if (wanted) {
    wanted->setChecked(true);
  } else if (QAction* checked = m_actions.sortGroup->checkedAction()) {
    checked->setChecked(false);
  }
  m_actions.sortReverse->setChecked(choice.reverse);
  onSortChanged();
}

void TDiskIndexForm::onFileHeaderClicked(int column) {
  const SortChoice current{m_fileModel->sortKey(), m_fileModel->reversed()};
  showSortChoice(afterHeaderClick(current, FileListModel::keyOfColumn(column)));
}

std::vector<TDirFileNo> TDiskIndexForm::selectedFileKeys(std::uint32_t dir) const {
  return m_contents->selectedFileKeys(dir);
}

std::string TDiskIndexForm::directoryPath(std::uint32_t dir) const {
  return m_contents->directoryPath(dir);
}

void TDiskIndexForm::showHit(const search::SearchHit& hit) {
  if (m_view != View::Contents || !m_session.state().opened) return;
  if (!m_contents->selectEntry(hit.key)) return;
  if (!m_session.searchService().params().remarks || hit.matchLength == 0) return;
  const std::optional<std::string_view> remark = m_session.state().opened->remarks.find(hit.key);
  if (!remark) return;
  QAction* shown = hit.key.fileNo < 0 ? m_actions.dirRemarks : m_actions.fileRemarks;
  if (!shown->isChecked()) shown->setChecked(true);  // applyRemarkFields follows
  m_contents->selectRemarkText(hit.key, *remark, hit.matchStart, hit.matchLength);
}

}  // namespace diskindex::ui
