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

#include "diskindex/ui/dir_tree_model.h"
#include "diskindex/ui/disk_index_form.h"
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
  if (const std::optional<std::size_t> volume = selectedVolume()) openVolume(*volume);
}

void TDiskIndexForm::onOverview() {
  if (m_view != View::Contents) return;
  const std::size_t volume = m_session.state().opened->volumeIndex;
  if (!leaveContents()) return;
  showOverview(volume);
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
  for (QAction* action : m_toolBar.contentsOnly) action->setVisible(true);
  m_rightStack->setCurrentWidget(m_rightSplit);
  applyRemarkFields();
  m_tree->setFont(toFont(m_session.settings().fontL));
  m_tree->setRootIsDecorated(true);
  m_dirModel->setDirectories(&opened.directories);
  setTreeModel(m_tree, m_dirModel);
  connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TDiskIndexForm::onDirectorySelected);
  const QModelIndex root = m_dirModel->indexOfDirectory(0);
  m_tree->expand(root);
  m_tree->selectionModel()->setCurrentIndex(root, QItemSelectionModel::ClearAndSelect);
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
      !saveRemarksOrKeep(*m_prompts, m_session.remarkService().file(),
                         [this](const std::filesystem::path& file) {
                           return m_session.remarkService().saveTo(file);
                         })) {
    return false;
  }
  m_dirRemarkKey.reset();
  m_fileRemarkKey.reset();
  m_dirRemark->showBlank();
  m_fileRemark->showBlank();
  m_fileModel->setDirectory(nullptr, 0);
  setTreeModel(m_tree, m_volumeModel);
  connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TDiskIndexForm::onVolumeSelected);
  m_dirModel->setDirectories(nullptr);
  if (mode == LeaveMode::CloseVolume) m_session.volumeService().close();
  m_view = View::Overview;
  return true;
}

std::optional<std::uint32_t> TDiskIndexForm::selectedDirectory() const {
  if (m_view != View::Contents) return std::nullopt;
  const QModelIndex current = m_tree->currentIndex();
  if (!current.isValid()) return std::nullopt;
  return DirTreeModel::directoryOf(current);
}

int TDiskIndexForm::currentFilePosition() const {
  return m_fileModel->filePosition(m_files->currentIndex().row());
}

void TDiskIndexForm::takeRemarkFields() {
  if (!m_session.state().opened) return;
  if (m_dirRemarkKey && m_dirRemark->userChanged()) {
    m_session.remarkService().set(*m_dirRemarkKey, m_dirRemark->remarkText());
    m_dirRemark->document()->setModified(false);
  }
  if (m_fileRemarkKey && m_fileRemark->userChanged()) {
    m_session.remarkService().set(*m_fileRemarkKey, m_fileRemark->remarkText());
    m_fileRemark->document()->setModified(false);
  }
}

void TDiskIndexForm::onDirectorySelected() {
  const std::optional<std::uint32_t> dir = selectedDirectory();
  if (!dir || !m_session.state().opened) return;
  takeRemarkFields();
  const OpenedVolume& opened = *m_session.state().opened;
  m_dirRemarkKey = TDirFileNo{static_cast<std::int32_t>(*dir) + 1, -1};
  m_dirRemark->showRemark(opened.remarks.find(*m_dirRemarkKey));
  m_fileRemarkKey.reset();
  m_fileModel->setDirectory(&opened.directories, *dir);
  m_files->setCurrentIndex(m_fileModel->index(0, 0));
  showFileRemark();
  showStatus(QStringLiteral(" ") +
             QString::fromStdString(fullPath(opened.directories, m_dirModel->treeIndex(), *dir,
                                             opened.record.driveLetter)));
  updateCommandStates();
}

void TDiskIndexForm::onFileSelected() {
  if (m_view != View::Contents) return;
  takeRemarkFields();
  showFileRemark();
  updateCommandStates();
}

void TDiskIndexForm::showFileRemark() {
  const std::optional<std::uint32_t> dir = selectedDirectory();
  const int position = currentFilePosition();
  m_fileRemark->setEnabled(m_fileModel->hasFiles());
  if (!dir || position < 0) {
    m_fileRemarkKey.reset();
    m_fileRemark->showRemark(std::nullopt);
    return;
  }
  const TDirFileNo key{static_cast<std::int32_t>(*dir) + 1, position};
  if (m_fileRemarkKey == key) return;
  m_fileRemarkKey = key;
  m_fileRemark->showRemark(m_session.state().opened->remarks.find(key));
}

void TDiskIndexForm::onSortChanged() {
  const QAction* checked = m_actions.sortGroup->checkedAction();
  const SortKey key = checked == m_actions.sortName   ? SortKey::Name
                      : checked == m_actions.sortType ? SortKey::Extension
                      : checked == m_actions.sortSize ? SortKey::Size
                      : checked == m_actions.sortDate ? SortKey::Date
                                                      : SortKey::None;
  m_fileModel->setOrder(key, m_actions.sortReverse->isChecked());
  if (m_files->currentIndex().isValid()) m_files->scrollTo(m_files->currentIndex());
}

std::vector<TDirFileNo> TDiskIndexForm::selectedFileKeys(std::uint32_t dir) const {
  std::vector<int> rows;
  for (const QModelIndex& index : m_files->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  std::vector<TDirFileNo> keys;
  for (int row : rows) {
    const int position = m_fileModel->filePosition(row);
    if (position >= 0) keys.push_back({static_cast<std::int32_t>(dir) + 1, position});
  }
  return keys;
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
