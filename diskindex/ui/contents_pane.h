#pragma once
// ContentsPane: the contents view's side of the window: the open volume's
// directory tree, the file list of the selected directory and the two
// remark fields, whose texts go back to the session's remarks
// (RemarkService) when the selection moves on. It remembers which remark
// each field shows; the catalogue data stay in the session's state. The
// window owns the widgets, switches between its views and connects the
// widgets' signals to its own slots, which call in here.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/file_order.h"
#include "diskindex/core/remark_list.h"

class QTableView;
class QTreeView;

namespace diskindex {
class CatalogueSession;
struct OpenedVolume;
}  // namespace diskindex

namespace diskindex::ui {

class DirTreeModel;
class FileListModel;
class RemarkEdit;

class ContentsPane {
 public:
  struct Widgets {
    QTreeView* tree = nullptr;
    QTableView* files = nullptr;
    RemarkEdit* dirRemark = nullptr;
    RemarkEdit* fileRemark = nullptr;
    DirTreeModel* dirModel = nullptr;
    FileListModel* fileModel = nullptr;
  };

  ContentsPane(CatalogueSession& session, Widgets widgets) : m_session(session), m_w(widgets) {}

  // The tree shows the volume's directories (the caller connects the new
  // selection model, then calls selectRoot).
  void attach(const OpenedVolume& opened);
  void selectRoot();
  // The fields go blank, the lists empty; nothing is handed back.
  void detach();

  // The tree's current directory (index in the directory list).
  std::optional<std::uint32_t> currentDirectory() const;
  // The current file's position in its directory's list, -1 for none.
  int currentFilePosition() const;
  // The keys of the selected files of directory dir, in row order.
  std::vector<TDirFileNo> selectedFileKeys(std::uint32_t dir) const;
  // "D:\SPIELE\DOOM" of directory dir of the open volume.
  std::string directoryPath(std::uint32_t dir) const;

  // Hands what the fields show back to the open volume's remarks.
  void takeRemarkFields();
  // The directory's remark, its files and the first file's remark.
  void showDirectory(std::uint32_t dir);
  void showFileRemark();
  // Both remark fields show the open volume's remarks again (read anew from
  // their file), the selection staying where it is.
  void showRemarksAgain();
  void sortFiles(SortKey key, bool reverse);

  // Goes to an entry of the open volume: expands and selects its directory
  // and, for a file, selects its row. False when the key is not in the tree.
  bool selectEntry(TDirFileNo key);
  // Selects the bytes [start, start + length) of the stored remark text in
  // the directory's or the file's field.
  void selectRemarkText(TDirFileNo key, std::string_view remark, std::size_t start,
                        std::size_t length);

 private:
  CatalogueSession& m_session;
  Widgets m_w;
  // Which remark each field shows: the key its text is handed back under.
  std::optional<TDirFileNo> m_dirRemarkKey;
  std::optional<TDirFileNo> m_fileRemarkKey;
};

}  // namespace diskindex::ui
