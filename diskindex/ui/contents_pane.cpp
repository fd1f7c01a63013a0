#include "diskindex/ui/contents_pane.h"

#include <QItemSelectionModel>
#include <QTableView>
#include <QTextCursor>
#include <QTreeView>
#include <algorithm>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/dir_tree_index.h"
#include "diskindex/ui/dir_tree_model.h"
#include "diskindex/ui/file_list_model.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/remark_edit.h"

namespace diskindex::ui {

void ContentsPane::attach(const OpenedVolume& opened) {
  // A damaged comment file: its remarks are shown but cannot be typed over.
  m_w.dirRemark->setReadOnly(opened.remarksReadOnly);
  m_w.fileRemark->setReadOnly(opened.remarksReadOnly);
  m_w.dirModel->setDirectories(&opened.directories);
  QItemSelectionModel* old = m_w.tree->selectionModel();
  m_w.tree->setModel(m_w.dirModel);
  delete old;
}

void ContentsPane::selectRoot() {
  const QModelIndex root = m_w.dirModel->indexOfDirectory(0);
  m_w.tree->expand(root);
  m_w.tree->selectionModel()->setCurrentIndex(root, QItemSelectionModel::ClearAndSelect);
}

void ContentsPane::detach() {
  m_dirRemarkKey.reset();
  m_fileRemarkKey.reset();
  m_w.dirRemark->showBlank();
  m_w.fileRemark->showBlank();
  m_w.dirRemark->setReadOnly(false);
  m_w.fileRemark->setReadOnly(false);
  m_w.fileModel->setDirectory(nullptr, 0);
}

std::optional<std::uint32_t> ContentsPane::currentDirectory() const {
  const QModelIndex current = m_w.tree->currentIndex();
  if (!current.isValid()) return std::nullopt;
  return DirTreeModel::directoryOf(current);
}

int ContentsPane::currentFilePosition() const {
  return m_w.fileModel->filePosition(m_w.files->currentIndex().row());
}

std::vector<TDirFileNo> ContentsPane::selectedFileKeys(std::uint32_t dir) const {
  std::vector<int> rows;
  for (const QModelIndex& index : m_w.files->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  std::vector<TDirFileNo> keys;
  for (int row : rows) {
    const int position = m_w.fileModel->filePosition(row);
    if (position >= 0) keys.push_back({static_cast<std::int32_t>(dir) + 1, position});
  }
  return keys;
}

std::string ContentsPane::directoryPath(std::uint32_t dir) const {
  const OpenedVolume& opened = *m_session.state().opened;
  return fullPath(opened.directories, m_w.dirModel->treeIndex(), dir, rootOf(opened.record));
}

void ContentsPane::takeRemarkFields() {
  if (!m_session.state().opened) return;
  if (m_dirRemarkKey && m_w.dirRemark->userChanged()) {
    m_session.remarkService().set(*m_dirRemarkKey, m_w.dirRemark->remarkText());
    m_w.dirRemark->document()->setModified(false);
  }
  if (m_fileRemarkKey && m_w.fileRemark->userChanged()) {
    m_session.remarkService().set(*m_fileRemarkKey, m_w.fileRemark->remarkText());
    m_w.fileRemark->document()->setModified(false);
  }
}

void ContentsPane::showDirectory(std::uint32_t dir) {
  const OpenedVolume& opened = *m_session.state().opened;
  m_dirRemarkKey = TDirFileNo{static_cast<std::int32_t>(dir) + 1, -1};
  m_w.dirRemark->showRemark(opened.remarks.find(*m_dirRemarkKey));
  m_fileRemarkKey.reset();
  m_w.fileModel->setDirectory(&opened.directories, dir);
  m_w.files->setCurrentIndex(m_w.fileModel->index(0, 0));
  showFileRemark();
}

void ContentsPane::showFileRemark() {
  const std::optional<std::uint32_t> dir = currentDirectory();
  const int position = currentFilePosition();
  m_w.fileRemark->setEnabled(m_w.fileModel->hasFiles());
  if (!dir || position < 0 || !m_session.state().opened) {
    m_fileRemarkKey.reset();
    m_w.fileRemark->showRemark(std::nullopt);
    return;
  }
  const TDirFileNo key{static_cast<std::int32_t>(*dir) + 1, position};
  if (m_fileRemarkKey == key) return;
  m_fileRemarkKey = key;
  m_w.fileRemark->showRemark(m_session.state().opened->remarks.find(key));
}

void ContentsPane::showRemarksAgain() {
  const TFileCommentList& remarks = m_session.state().opened->remarks;
  if (m_dirRemarkKey) m_w.dirRemark->showRemark(remarks.find(*m_dirRemarkKey));
  if (m_fileRemarkKey) m_w.fileRemark->showRemark(remarks.find(*m_fileRemarkKey));
}

void ContentsPane::sortFiles(SortKey key, bool reverse) {
  m_w.fileModel->setOrder(key, reverse);
  if (m_w.files->currentIndex().isValid()) m_w.files->scrollTo(m_w.files->currentIndex());
}

bool ContentsPane::selectEntry(TDirFileNo key) {
  const OpenedVolume& opened = *m_session.state().opened;
  if (key.dirNo < 1 || static_cast<std::size_t>(key.dirNo) > opened.directories.directoryCount()) {
    return false;
  }
  const QModelIndex dir = m_w.dirModel->indexOfDirectory(static_cast<std::uint32_t>(key.dirNo - 1));
  for (QModelIndex parent = dir.parent(); parent.isValid(); parent = parent.parent()) {
    m_w.tree->expand(parent);
  }
  m_w.tree->selectionModel()->setCurrentIndex(dir, QItemSelectionModel::ClearAndSelect);
  m_w.tree->scrollTo(dir, QAbstractItemView::PositionAtCenter);
  if (key.fileNo >= 0) {
    const QModelIndex file = m_w.fileModel->index(m_w.fileModel->rowOfPosition(key.fileNo), 0);
    m_w.files->selectionModel()->setCurrentIndex(
        file, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_w.files->scrollTo(file, QAbstractItemView::PositionAtCenter);
  }
  return true;
}

void ContentsPane::selectRemarkText(TDirFileNo key, std::string_view remark, std::size_t start,
                                    std::size_t length) {
  RemarkEdit* field = key.fileNo < 0 ? m_w.dirRemark : m_w.fileRemark;
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
