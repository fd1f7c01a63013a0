#pragma once
// TDiskIndexForm, the catalogue's main window. It shows the catalogue in two
// views: the overview (the volumes of the chosen category and the information
// of the selected one) and the contents view (the directory tree of one
// volume, the file list of the selected directory and the remarks on both).
// It reads the settings at start-up, writes them back at shutdown and saves
// the open volume's remarks when the user leaves it.
//
// The window keeps the frame, the menus, the two views and the wiring; the
// commands on volumes, rescans, files, searches, exports and categories are
// controllers of their own (volume_controller.h, rescan_controller.h,
// files_controller.h, search_controller.h, export_controller.h,
// category_controller.h) that reach the window only through FormView. Each
// command makes one call into a service of the catalogue session and then
// one refresh from the session's state; the widgets keep no catalogue data
// of their own. Questions and error boxes go through FormPrompts so that
// tests can answer them.

#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/file_order.h"
#include "diskindex/ui/copy_prompts.h"
#include "diskindex/ui/export_prompts.h"
#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/form_view.h"
#include "diskindex/ui/main_actions.h"
#include "diskindex/ui/search_prompts.h"

class QFileSystemWatcher;
class QLabel;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QTableView;
class QTimer;
class QTreeView;

namespace diskindex::ui {

inline constexpr const char* kProgramTitle = "K&T DiskIndex";

class CategoryController;
class ContentsPane;
class OverviewPane;
class DirTreeModel;
class ExportController;
class FileGrid;
class FileListModel;
class FilesController;
class RescanController;
class SearchController;
class VolumeController;
class HelpWindow;
class RemarkEdit;
class TDlgSearchResults;
class VolumeInfoPane;
class VolumeListModel;

// Every screen of the desktop by name: the window comes back on the one it
// was on.
std::vector<ScreenArea> desktopScreens();

// Where the window finds its settings and the defaults that depend on the
// running system: the session's environment.
using FormEnvironment = SessionEnvironment;

class TDiskIndexForm : public QMainWindow, private FormView {
  Q_OBJECT
 public:
  enum class View { Overview, Contents };

  TDiskIndexForm(FormEnvironment environment, std::unique_ptr<FormPrompts> prompts = {},
                 QWidget* parent = nullptr);
  ~TDiskIndexForm() override;

  // Start-up: settings, volume list, conversion offer, overview.
  void start();
  // Shutdown: pending remarks saved, every setting written back. False when
  // the remarks could not be saved and the user kept them: the program
  // goes on.
  bool shutdown();

  View view() const { return m_view; }
  const CatalogueState& state() const { return m_session.state(); }
  const MainActions& actions() const { return m_actions; }

  // Opens the volume at this position of the volume list (the contents view).
  bool openVolume(std::size_t volumeIndex) override;

  // The prompts of the controllers' dialogs and the starter of the editor
  // and documents (tests replace them), and the search results window
  // while it exists.
  void setSearchPrompts(std::unique_ptr<SearchPrompts> prompts);
  TDlgSearchResults* searchResults() const;
  void setExportPrompts(std::unique_ptr<ExportPrompts> prompts);
  void setCopyPrompts(std::unique_ptr<CopyPrompts> prompts);
  void setProgramStarter(std::unique_ptr<files::ProgramStarter> starter);

 public slots:
  void onOverview();
  void onContents();
  void onAddVolume();
  void onChangeVolume();
  void onRescanVolume();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Coming to the front looks for other programs' changes (form_reload.cpp).
  void changeEvent(QEvent* event) override;

 private:
  // FormView, for the controllers (see form_view.h).
  QWidget* dialogParent() override { return this; }
  bool showsContents() const override { return m_view == View::Contents; }
  std::optional<std::size_t> selectedVolume() const override;
  std::optional<std::uint32_t> selectedDirectory() const override;
  int currentFilePosition() const override;
  std::vector<TDirFileNo> selectedFileKeys(std::uint32_t dir) const override;
  std::string directoryPath(std::uint32_t dir) const override;
  void takeRemarkFields() override;
  std::string categoryFilter() const override;
  void setCategoryFilter(const std::string& filter) override;
  void showVolumeInFilter(std::size_t index) override;
  void rebuildCategoryCombo() override;
  void refreshOverview(std::optional<std::size_t> selectVolume) override;
  bool leaveContentsKeepingVolume(std::size_t volume) override;
  void showContents() override;
  bool showOpened(std::size_t volumeIndex, const OpenResult& result) override;
  void showHit(const search::SearchHit& hit) override;
  void showHelp(const QString& page) override;

  // Construction (disk_index_form.cpp).
  void buildLayout();
  void connectActions();
  void connectControllers();
  void connectOptionActions();
  void connectViews();
  // Settings (form_settings.cpp).
  void applySettings();
  void applyGeometry();
  void collectGeometry();
  void collectSettings();
  void changeDataDirectory(const std::filesystem::path& folder);
  void applyFonts();
  void fitSizeColumn();
  void applyBackground();
  void applyRemarkFields();
  // Overview (form_overview.cpp).
  void showOverview(std::optional<std::size_t> selectVolume);
  void onFilterChanged(int comboIndex);
  void onVolumeSelected();
  void onRemoveVolume();
  void onRecogniseVolume();
  void onOverviewOrder(bool byFreeSpace);
  void onDataDirectory();
  void updateOverviewStatus();
  // Another program's changes (form_reload.cpp): the data folder watched,
  // the list read again after a short pause, an open volume that was
  // removed left with its typed remarks offered another file.
  void watchDataDirectory();
  void reloadVolumeList();
  // The check before a command and on activation: what the watcher cannot
  // hear (another computer on a network share, a folder plugged in later).
  // Reads the list again at once when the folder differs; true when it did.
  bool followOtherPrograms();
  // The one reload both take: the remark fields taken first, the list read
  // (always, or only when another program changed the folder), the views
  // refreshed. False when nothing was read.
  enum class ReloadWhen { Always, ChangedByOthers };
  bool reload(ReloadWhen when);
  void dropRemovedVolume();
  // Contents (form_contents.cpp).
  // False when the remarks could not be saved and the user kept them: the
  // volume stays open. With KeepVolumeOpen the views let go of the volume
  // but the session keeps it (a rescan opens it again with the new tree).
  enum class LeaveMode { CloseVolume, KeepVolumeOpen };
  bool leaveContents(LeaveMode mode = LeaveMode::CloseVolume);
  // The views let go of the open volume (nothing saved, nothing closed).
  void detachContents();
  void onDirectorySelected();
  void onFileSelected();
  void onSortChanged();
  // The sort actions show the choice and the file list follows it.
  void showSortChoice(SortChoice choice);
  void onFileHeaderClicked(int column);
  // Commands (form_commands.cpp).
  void updateCommandStates();
  void onCopy();
  void onEditCommand(QAction* action);
  void onCopyPath();
  enum class FontLimit { WindowSizes, None };
  void chooseFont(FontSetting& setting, const QString& title,
                  FontLimit limit = FontLimit::WindowSizes);
  void onHelp();
  void onAbout();
  void showStatus(const QString& text);
  RemarkEdit* focusedRemark() const;

  CatalogueSession m_session;
  std::unique_ptr<FormPrompts> m_prompts;
  View m_view = View::Overview;
  bool m_started = false;
  bool m_shutDown = false;

  MainActions m_actions;
  ToolBarItems m_toolBar;
  ContextMenus m_menus;
  QSplitter* m_mainSplit = nullptr;
  QSplitter* m_leftSplit = nullptr;
  QSplitter* m_rightSplit = nullptr;
  QStackedWidget* m_rightStack = nullptr;
  QTreeView* m_tree = nullptr;
  FileGrid* m_files = nullptr;
  RemarkEdit* m_dirRemark = nullptr;
  RemarkEdit* m_fileRemark = nullptr;
  VolumeInfoPane* m_info = nullptr;
  QLabel* m_status = nullptr;
  QProgressBar* m_progress = nullptr;
  VolumeListModel* m_volumeModel = nullptr;
  DirTreeModel* m_dirModel = nullptr;
  FileListModel* m_fileModel = nullptr;
  QPointer<HelpWindow> m_help;
  QFileSystemWatcher* m_folderWatcher = nullptr;
  QTimer* m_reloadTimer = nullptr;
  // Volume files whose failure was shown once: a reload does not show it again.
  std::set<std::filesystem::path> m_reportedFailures;
  // The overview's volume list, information and filter; the contents
  // view's tree, file list and remark fields.
  std::unique_ptr<OverviewPane> m_overview;
  std::unique_ptr<ContentsPane> m_contents;
  // The controllers borrow the session: they are destroyed before it (the
  // search's results window shows the session's rows).
  std::unique_ptr<FilesController> m_filesCommands;
  std::unique_ptr<SearchController> m_searchCommands;
  std::unique_ptr<ExportController> m_exportCommands;
  std::unique_ptr<VolumeController> m_volumeCommands;
  std::unique_ptr<RescanController> m_rescanCommands;
  std::unique_ptr<CategoryController> m_categoryCommands;
};

}  // namespace diskindex::ui
