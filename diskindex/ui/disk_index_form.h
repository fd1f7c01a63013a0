#pragma once
// TDiskIndexForm, the catalogue's main window. It shows the catalogue in two
// views: the overview (the volumes of the chosen category and the information
// of the selected one) and the contents view (the directory tree of one
// volume, the file list of the selected directory and the remarks on both).
// It reads the settings at start-up, writes them back at shutdown and saves
// the open volume's remarks when the user leaves it.
//
// Each command makes one call into the catalogue session (CatalogueSession)
// and then refreshes the widgets from the session's state; the widgets keep
// no catalogue data of their own. Questions and error boxes go through
// FormPrompts so that tests can answer them.

#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <memory>
#include <optional>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/export/export_file.h"
#include "diskindex/ui/copy_prompts.h"
#include "diskindex/ui/dlg_tree_export.h"
#include "diskindex/ui/export_prompts.h"
#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/main_actions.h"
#include "diskindex/ui/search_prompts.h"

class QLabel;
class QPrinter;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QTableView;
class QTreeView;

namespace diskindex::ui {

inline constexpr const char* kProgramTitle = "K&T DiskIndex";

class DirTreeModel;
class ScanPrompts;
struct RescanChoice;
class FileListModel;
class HelpWindow;
class RemarkEdit;
class TDlgSearchResults;
class VolumeInfoPane;
class VolumeListModel;

// Where the window finds its settings and the defaults that depend on the
// running system: the session's environment.
using FormEnvironment = SessionEnvironment;

class TDiskIndexForm : public QMainWindow {
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
  bool openVolume(std::size_t volumeIndex);

  // Searching: the prompts of the search dialogs (tests replace them), the
  // results window while it exists, and going to a hit of the open volume.
  void setSearchPrompts(std::unique_ptr<SearchPrompts> prompts);
  TDlgSearchResults* searchResults() const;
  void showHit(const search::SearchHit& hit);
  // Exporting and printing: the prompts of their dialogs (tests replace them).
  void setExportPrompts(std::unique_ptr<ExportPrompts> prompts);

  // Working with files: the prompts of the copy and editor dialogs and the
  // starter of the editor and documents (tests replace both).
  void setCopyPrompts(std::unique_ptr<CopyPrompts> prompts);
  void setProgramStarter(std::unique_ptr<files::ProgramStarter> starter);
  // "&Kopieren" of the search results window.
  void copySearchResults();

 public slots:
  void onOverview();
  void onContents();
  void onAddVolume();
  void onRemoveVolume();
  void onChangeVolume();
  void onRescanVolume();
  void onRecogniseVolume();
  void onOverviewOrder(bool byFreeSpace);
  void onCategories();
  void onPrint();
  void onExportInfo();
  void onCopyFiles();
  void onEditFile();
  void onRunFile();
  void onSearchCurrent();
  void onSearchNext();
  void onSearchMulti();
  void onCopyTree();
  void onChooseEditor();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Construction (disk_index_form.cpp).
  void buildLayout();
  void connectActions();
  void connectOptionActions();
  void connectViews();
  // Settings (form_settings.cpp).
  void applySettings();
  void collectSettings();
  void changeDataDirectory(const std::filesystem::path& folder);
  void rebuildCategoryCombo();
  void applyFonts();
  void applyBackground();
  void applyRemarkFields();
  // Overview (form_overview.cpp).
  void showOverview(std::optional<std::size_t> selectVolume);
  void refreshOverview(std::optional<std::size_t> selectVolume);
  void onFilterChanged(int comboIndex);
  void onVolumeSelected();
  std::optional<std::size_t> selectedVolume() const;
  void onDataDirectory();
  void updateOverviewStatus();
  // Contents (form_contents.cpp).
  void showContents();
  // Says why a volume could not be opened, or shows its contents.
  bool showOpened(std::size_t volumeIndex, const OpenResult& result);
  // False when the remarks could not be saved and the user kept them: the
  // volume stays open. With KeepVolumeOpen the views let go of the volume
  // but the session keeps it (a rescan opens it again with the new tree).
  enum class LeaveMode { CloseVolume, KeepVolumeOpen };
  bool leaveContents(LeaveMode mode = LeaveMode::CloseVolume);
  void onDirectorySelected();
  void onFileSelected();
  void takeRemarkFields();
  void showFileRemark();
  void onSortChanged();
  std::optional<std::uint32_t> selectedDirectory() const;
  int currentFilePosition() const;
  // Commands (form_commands.cpp).
  void updateCommandStates();
  void onCopy();
  void onEditCommand(QAction* action);
  void onCopyPath();
  void chooseFont(FontSetting& setting, const QString& title);
  void onHelp();
  void onAbout();
  void showStatus(const QString& text);
  RemarkEdit* focusedRemark() const;
  // Files on catalogued volumes (form_files.cpp).
  void startFile(StartMode mode);
  void showCopyResult(const FileCopyResult& result);
  std::vector<TDirFileNo> selectedFileKeys(std::uint32_t dir) const;
  // Search (form_search.cpp).
  void showSearchNotFound();
  TDlgSearchResults* ensureResultsWindow();
  void runMultiSearch();
  void goToResult(int row);
  void onSearchResultsWindow();
  void selectRemarkText(RemarkEdit* field, std::string_view remark, std::size_t start,
                        std::size_t length);
  // Reading a volume again (form_rescan.cpp): the selected volume in the
  // overview, the open one in the contents view.
  std::optional<std::size_t> rescanTarget() const;
  RescanResult runRescan(std::size_t volume, const RescanChoice& choice,
                         const platform::DriveTable& drives, ScanPrompts& prompts);
  void showRescanResult(const RescanResult& result, ScanPrompts& prompts);
  // Export and printing (form_export.cpp).
  void exportInfo();
  void exportTree();
  std::optional<exporting::TreeExportOptions> runTreeDialog(TDlgTreeExport::Mode mode,
                                                            QPrinter* printer,
                                                            std::filesystem::path* target);
  bool mayOverwrite(const std::filesystem::path& target, std::string_view caption);
  void showExportResult(exporting::ExportResult result, const std::filesystem::path& target,
                        std::string_view caption);

  CatalogueSession m_session;
  std::unique_ptr<FormPrompts> m_prompts;
  View m_view = View::Overview;
  bool m_started = false;
  bool m_shutDown = false;
  // "&Selektierte Kategorie auswählen" of the categories dialog, kept while
  // the program runs.
  bool m_selectCategory = false;
  // Which remark each field shows: the key its text is handed back under.
  std::optional<TDirFileNo> m_dirRemarkKey;
  std::optional<TDirFileNo> m_fileRemarkKey;

  MainActions m_actions;
  ToolBarItems m_toolBar;
  ContextMenus m_menus;
  QSplitter* m_mainSplit = nullptr;
  QSplitter* m_leftSplit = nullptr;
  QSplitter* m_rightSplit = nullptr;
  QStackedWidget* m_rightStack = nullptr;
  QTreeView* m_tree = nullptr;
  QTableView* m_files = nullptr;
  RemarkEdit* m_dirRemark = nullptr;
  RemarkEdit* m_fileRemark = nullptr;
  VolumeInfoPane* m_info = nullptr;
  QLabel* m_status = nullptr;
  QProgressBar* m_progress = nullptr;
  VolumeListModel* m_volumeModel = nullptr;
  DirTreeModel* m_dirModel = nullptr;
  FileListModel* m_fileModel = nullptr;
  QPointer<HelpWindow> m_help;
  std::unique_ptr<SearchPrompts> m_searchPrompts;
  QPointer<TDlgSearchResults> m_results;
  std::unique_ptr<CopyPrompts> m_copyPrompts;
  std::unique_ptr<files::ProgramStarter> m_starter;
  // The copy dialog's choices, kept while the program runs.
  bool m_copyWholeDirectory = false;
  bool m_copyAllHits = false;
  std::unique_ptr<ExportPrompts> m_exportPrompts;
};

}  // namespace diskindex::ui
