#pragma once
// The commands of the main window as QActions, with their menu texts, short
// cuts and tool-bar hints, and the menu bar, tool bar and context menus built
// from them. This file only creates and arranges the actions; what a command
// does and when it is enabled is decided by TDiskIndexForm.

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>

class QMainWindow;

namespace diskindex::ui {

struct MainActions {
  // "&Datenträger"
  QAction* overview = nullptr;
  QAction* contents = nullptr;
  QAction* addVolume = nullptr;
  QAction* removeVolume = nullptr;
  QAction* changeVolume = nullptr;
  QAction* rescanVolume = nullptr;
  QAction* recogniseVolume = nullptr;
  QAction* categories = nullptr;
  QAction* print = nullptr;
  QAction* exportInfo = nullptr;
  QAction* copyFiles = nullptr;
  QAction* editFile = nullptr;
  QAction* runFile = nullptr;
  QAction* quit = nullptr;
  // "&Bearbeiten"
  QAction* undo = nullptr;
  QAction* cut = nullptr;
  QAction* copy = nullptr;
  QAction* paste = nullptr;
  QAction* erase = nullptr;
  QAction* selectAll = nullptr;
  QAction* copyPath = nullptr;
  QAction* copyTree = nullptr;
  // "&Suchen"
  QAction* searchCurrent = nullptr;
  QAction* searchNext = nullptr;
  QAction* searchMulti = nullptr;
  QAction* findDuplicates = nullptr;
  // "&Ansicht"
  QAction* dirRemarks = nullptr;
  QAction* fileRemarks = nullptr;
  QActionGroup* sortGroup = nullptr;
  QAction* sortName = nullptr;
  QAction* sortType = nullptr;
  QAction* sortSize = nullptr;
  QAction* sortDate = nullptr;
  QAction* sortReverse = nullptr;
  QAction* sortOverviewFree = nullptr;  // the overview by free space
  // "&Optionen"
  QAction* greyBackground = nullptr;
  QAction* fontVolumes = nullptr;
  QAction* fontFiles = nullptr;
  QAction* fontRemarks = nullptr;
  QAction* fontSearch = nullptr;
  QAction* fontPrint = nullptr;
  QAction* dataDirectory = nullptr;
  QAction* chooseEditor = nullptr;
  // "&Hilfe"
  QAction* helpContents = nullptr;
  QAction* about = nullptr;
  // Tool bar only
  QAction* searchResults = nullptr;

  // Context-menu copies whose texts differ from the main menu's; they
  // trigger the main action of the same command.
  QAction* ctxSearch = nullptr;       // in the contents view: the current volume
  QAction* ctxSearchMulti = nullptr;  // in the overview: several volumes
  QAction* ctxSearchNext = nullptr;
  QAction* ctxCopyFiles = nullptr;
  QAction* ctxCopyCells = nullptr;
};

// The tool bar's items that the two views show or hide.
struct ToolBarItems {
  QToolBar* bar = nullptr;
  QLabel* categoryLabel = nullptr;
  QComboBox* categoryCombo = nullptr;
  QAction* categoryLabelItem = nullptr;
  QAction* categoryComboItem = nullptr;
  // Tool-bar twins of the five commands whose buttons show only in the
  // contents view; hiding them leaves the menu entries alone.
  QList<QAction*> contentsOnly;
  QList<QAction*> contentsTargets;  // the menu action of each twin, same order
};

struct ContextMenus {
  QMenu* overviewTree = nullptr;
  QMenu* contentsTree = nullptr;
  QMenu* volumeInfo = nullptr;
  QMenu* fileList = nullptr;
  QMenu* remarks = nullptr;
};

MainActions createActions(QObject* owner);
void buildMenuBar(QMainWindow* window, const MainActions& actions);
ToolBarItems buildToolBar(QMainWindow* window, const MainActions& actions);
// Shows or hides the five contents-view buttons, first taking over their
// menu actions' states (settings may have changed them with signals blocked).
void showContentsButtons(const ToolBarItems& items, bool visible);
ContextMenus buildContextMenus(QWidget* owner, const MainActions& actions);

}  // namespace diskindex::ui
