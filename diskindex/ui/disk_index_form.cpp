#include "diskindex/ui/disk_index_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QTreeView>

#include "diskindex/ui/busy_scope.h"
#include "diskindex/ui/category_controller.h"
#include "diskindex/ui/contents_pane.h"
#include "diskindex/ui/dir_tree_model.h"
#include "diskindex/ui/dlg_search_results.h"
#include "diskindex/ui/elided_label.h"
#include "diskindex/ui/export_controller.h"
#include "diskindex/ui/file_grid.h"
#include "diskindex/ui/file_list_model.h"
#include "diskindex/ui/file_size_delegate.h"
#include "diskindex/ui/files_controller.h"
#include "diskindex/ui/help_window.h"
#include "diskindex/ui/overview_pane.h"
#include "diskindex/ui/remark_edit.h"
#include "diskindex/ui/rescan_controller.h"
#include "diskindex/ui/search_controller.h"
#include "diskindex/ui/volume_controller.h"
#include "diskindex/ui/volume_info_pane.h"
#include "diskindex/ui/volume_list_model.h"

namespace diskindex::ui {

TDiskIndexForm::TDiskIndexForm(FormEnvironment environment, std::unique_ptr<FormPrompts> prompts,
                               QWidget* parent)
    : QMainWindow(parent), m_session(std::move(environment)), m_prompts(std::move(prompts)) {
  if (!m_prompts) m_prompts = std::make_unique<QtFormPrompts>(this);
  FormView& view = *this;
  m_filesCommands = std::make_unique<FilesController>(m_session, *m_prompts, view);
  m_searchCommands = std::make_unique<SearchController>(
      m_session, *m_prompts, view, m_actions,
      [this] { m_filesCommands->copySearchHits(m_searchCommands->resultsWindow()); });
  m_exportCommands = std::make_unique<ExportController>(m_session, *m_prompts, view);
  m_volumeCommands = std::make_unique<VolumeController>(m_session, view);
  m_rescanCommands = std::make_unique<RescanController>(m_session, *m_prompts, view, *m_filesCommands);
  m_categoryCommands = std::make_unique<CategoryController>(m_session, *m_prompts, view);
  setObjectName(QStringLiteral("TDiskIndexForm"));
  setWindowTitle(QString::fromUtf8(kProgramTitle));
  m_actions = createActions(this);
  buildMenuBar(this, m_actions);
  m_toolBar = buildToolBar(this, m_actions);
  m_menus = buildContextMenus(this, m_actions);
  buildLayout();
  connectActions();
  connectControllers();
  connectViews();
}

TDiskIndexForm::~TDiskIndexForm() {
  // Child widgets lose the focus and their selections while ~QWidget tears
  // them down; by then this object is no TDiskIndexForm any more, so no
  // signal may reach its slots.
  disconnect(qApp, nullptr, this, nullptr);
  // The results window shows the session's rows: it goes before the session.
  m_searchCommands.reset();
  m_tree->selectionModel()->disconnect(this);
  m_files->selectionModel()->disconnect(this);
}

namespace {

// Two panes that the user can resize but never fold away; the pane at
// `stretch` takes what the window gains.
QSplitter* makeSplitter(Qt::Orientation orientation, const char* name, QWidget* first,
                        QWidget* second, int stretch) {
  auto* splitter = new QSplitter(orientation);
  splitter->setObjectName(QString::fromLatin1(name));
  splitter->addWidget(first);
  splitter->addWidget(second);
  splitter->setCollapsible(0, false);
  splitter->setCollapsible(1, false);
  splitter->setStretchFactor(stretch, 1);
  return splitter;
}

FileGrid* makeFileGrid() {
  auto* grid = new FileGrid;
  grid->setObjectName(QStringLiteral("GridFiles"));
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setShowGrid(false);
  grid->setWordWrap(false);
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setHighlightSections(false);
  grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid->setItemDelegateForColumn(FileListModel::SizeColumn, new FileSizeDelegate(grid));
  // Long names lose their middle; numbers are never cut (see fitSizeColumn).
  grid->setTextElideMode(Qt::ElideMiddle);
  // A header click sorts by that column (see onFileHeaderClicked); the
  // header's context menu also offers the order by extension.
  grid->horizontalHeader()->setSectionsClickable(true);
  grid->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  return grid;
}

QTreeView* makeTree() {
  auto* tree = new QTreeView;
  tree->setObjectName(QStringLiteral("OutlineDir"));
  tree->setHeaderHidden(true);
  tree->setUniformRowHeights(true);
  tree->setContextMenuPolicy(Qt::CustomContextMenu);
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Long names scroll sideways instead of being cut; the column follows the
  // widest name in view.
  tree->setTextElideMode(Qt::ElideNone);
  tree->header()->setStretchLastSection(false);
  tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  return tree;
}

RemarkEdit* makeRemark(const char* name) {
  auto* remark = new RemarkEdit;
  remark->setObjectName(QString::fromLatin1(name));
  remark->setMinimumHeight(15);
  return remark;
}

}  // namespace

void TDiskIndexForm::buildLayout() {
  m_tree = makeTree();
  m_dirRemark = makeRemark("MemoDir");
  m_leftSplit = makeSplitter(Qt::Vertical, "SplitLeft", m_tree, m_dirRemark, 0);
  m_leftSplit->setMinimumWidth(30);
  m_info = new VolumeInfoPane;
  m_info->setContextMenuPolicy(Qt::CustomContextMenu);
  m_files = makeFileGrid();
  m_fileRemark = makeRemark("MemoFile");
  m_rightSplit = makeSplitter(Qt::Vertical, "SplitRight", m_files, m_fileRemark, 0);
  m_rightStack = new QStackedWidget;
  m_rightStack->addWidget(m_info);
  m_rightStack->addWidget(m_rightSplit);
  m_rightStack->setMinimumWidth(40);
  m_mainSplit = makeSplitter(Qt::Horizontal, "SplitMain", m_leftSplit, m_rightStack, 1);
  setCentralWidget(m_mainSplit);
  // Tab goes from the tree to the file list, then to the remarks.
  QWidget::setTabOrder(m_tree, m_files);
  QWidget::setTabOrder(m_files, m_fileRemark);
  QWidget::setTabOrder(m_fileRemark, m_dirRemark);

  m_status = new ElidedLabel;
  m_status->setObjectName(QStringLiteral("StatusText"));
  statusBar()->addWidget(m_status, 1);
  m_progress = new QProgressBar;
  m_progress->setMaximumWidth(200);
  m_progress->setRange(0, 100);
  m_progress->hide();
  statusBar()->addPermanentWidget(m_progress);

  m_volumeModel = new VolumeListModel(m_session.state().catalogue.volumes(), this);
  m_dirModel = new DirTreeModel(this);
  m_fileModel = new FileListModel(this);
  m_files->setModel(m_fileModel);
  // A size or date column dragged narrower than its widest number springs
  // back.
  connect(m_files->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
    if (column == FileListModel::SizeColumn || column == FileListModel::DateColumn) {
      fitSizeColumn();
    }
  });
  m_overview = std::make_unique<OverviewPane>(
      m_session, OverviewPane::Widgets{m_tree, m_info, m_toolBar.categoryCombo, m_volumeModel});
  m_contents = std::make_unique<ContentsPane>(
      m_session,
      ContentsPane::Widgets{m_tree, m_files, m_dirRemark, m_fileRemark, m_dirModel, m_fileModel});
}

void TDiskIndexForm::connectActions() {
  const MainActions& a = m_actions;
  // The searches first compare the folder with what was read (connected
  // before their own slots, which Qt calls afterwards).
  for (QAction* reads : {a.searchCurrent, a.searchMulti, a.findDuplicates}) {
    connect(reads, &QAction::triggered, this, [this] { followOtherPrograms(); });
  }
  connect(a.overview, &QAction::triggered, this, &TDiskIndexForm::onOverview);
  connect(a.contents, &QAction::triggered, this, &TDiskIndexForm::onContents);
  connect(a.addVolume, &QAction::triggered, this, &TDiskIndexForm::onAddVolume);
  connect(a.removeVolume, &QAction::triggered, this, &TDiskIndexForm::onRemoveVolume);
  connect(a.changeVolume, &QAction::triggered, this, &TDiskIndexForm::onChangeVolume);
  connect(a.rescanVolume, &QAction::triggered, this, &TDiskIndexForm::onRescanVolume);
  connect(a.recogniseVolume, &QAction::triggered, this, &TDiskIndexForm::onRecogniseVolume);
  connect(a.sortOverviewFree, &QAction::toggled, this, &TDiskIndexForm::onOverviewOrder);
  connect(a.quit, &QAction::triggered, this, &QWidget::close);
  for (QAction* edit : {a.undo, a.cut, a.paste, a.erase, a.selectAll}) {
    connect(edit, &QAction::triggered, this, [this, edit] { onEditCommand(edit); });
  }
  connect(a.copy, &QAction::triggered, this, &TDiskIndexForm::onCopy);
  connect(a.copyPath, &QAction::triggered, this, &TDiskIndexForm::onCopyPath);
  connect(a.dirRemarks, &QAction::toggled, this, &TDiskIndexForm::applyRemarkFields);
  connect(a.fileRemarks, &QAction::toggled, this, &TDiskIndexForm::applyRemarkFields);
  connect(a.sortGroup, &QActionGroup::triggered, this, &TDiskIndexForm::onSortChanged);
  connect(a.sortReverse, &QAction::triggered, this, &TDiskIndexForm::onSortChanged);
  connect(a.greyBackground, &QAction::toggled, this, &TDiskIndexForm::applyBackground);
  connect(m_toolBar.categoryCombo, &QComboBox::activated, this, &TDiskIndexForm::onFilterChanged);
  connectOptionActions();
}

// Each menu command of a controller runs in the window's context, so that
// no command reaches a controller once the window is being torn down.
void TDiskIndexForm::connectControllers() {
  const MainActions& a = m_actions;
  FilesController* files = m_filesCommands.get();
  SearchController* search = m_searchCommands.get();
  ExportController* exports = m_exportCommands.get();
  CategoryController* categories = m_categoryCommands.get();
  connect(a.categories, &QAction::triggered, this,
          [categories] { categories->manageCategories(); });
  connect(a.print, &QAction::triggered, this, [exports] { exports->print(); });
  connect(a.exportInfo, &QAction::triggered, this, [exports] { exports->exportInfo(); });
  connect(a.copyTree, &QAction::triggered, this, [exports] { exports->copyTree(); });
  connect(a.copyFiles, &QAction::triggered, this, [files] { files->copyFiles(); });
  connect(a.editFile, &QAction::triggered, this, [files] { files->startFile(StartMode::Edit); });
  connect(a.runFile, &QAction::triggered, this, [files] { files->startFile(StartMode::Run); });
  connect(a.chooseEditor, &QAction::triggered, this, [files] { files->chooseEditor(); });
  connect(a.searchCurrent, &QAction::triggered, this, [search] { search->searchCurrent(); });
  connect(a.searchNext, &QAction::triggered, this, [search] { search->searchNext(); });
  connect(a.searchMulti, &QAction::triggered, this, [search] { search->searchMulti(); });
  connect(a.searchResults, &QAction::triggered, this, [search] { search->showResultsWindow(); });
  connect(a.findDuplicates, &QAction::triggered, this, [search] { search->findDuplicates(); });
}

void TDiskIndexForm::onAddVolume() {
  m_volumeCommands->addVolume();
}

void TDiskIndexForm::onChangeVolume() {
  m_volumeCommands->changeVolume();
}

void TDiskIndexForm::onRescanVolume() {
  m_rescanCommands->rescanVolume();
}

void TDiskIndexForm::setSearchPrompts(std::unique_ptr<SearchPrompts> prompts) {
  m_searchCommands->setPrompts(std::move(prompts));
}

TDlgSearchResults* TDiskIndexForm::searchResults() const {
  return m_searchCommands->resultsWindow();
}

void TDiskIndexForm::setExportPrompts(std::unique_ptr<ExportPrompts> prompts) {
  m_exportCommands->setPrompts(std::move(prompts));
}

void TDiskIndexForm::setCopyPrompts(std::unique_ptr<CopyPrompts> prompts) {
  m_filesCommands->setCopyPrompts(std::move(prompts));
}

void TDiskIndexForm::setProgramStarter(std::unique_ptr<files::ProgramStarter> starter) {
  m_filesCommands->setProgramStarter(std::move(starter));
}

void TDiskIndexForm::connectOptionActions() {
  const MainActions& a = m_actions;
  DiskIndexSettings& s = m_session.settings();
  connect(a.fontVolumes, &QAction::triggered, this,
          [this, &s] { chooseFont(s.fontF, QStringLiteral("Schrift: Datenträgerliste/-Infos")); });
  connect(a.fontFiles, &QAction::triggered, this,
          [this, &s] { chooseFont(s.fontL, QStringLiteral("Schrift: Verzeichnis-/Dateiliste")); });
  connect(a.fontRemarks, &QAction::triggered, this,
          [this, &s] { chooseFont(s.fontM, QStringLiteral("Schrift: Bemerkungen")); });
  connect(a.fontSearch, &QAction::triggered, this,
          [this, &s] { chooseFont(s.fontS, QStringLiteral("Schrift: Suchergebnisse")); });
  connect(a.fontPrint, &QAction::triggered, this,
          [this, &s] { chooseFont(s.fontP, QStringLiteral("Schrift: Drucken"), FontLimit::None); });
  connect(a.dataDirectory, &QAction::triggered, this, &TDiskIndexForm::onDataDirectory);
  connect(a.helpContents, &QAction::triggered, this, &TDiskIndexForm::onHelp);
  connect(a.about, &QAction::triggered, this, &TDiskIndexForm::onAbout);
}

void TDiskIndexForm::connectViews() {
  // Return and a double click (or a single click where the desktop wants
  // that) open the overview's volume.
  connect(m_tree, &QTreeView::activated, this, [this] {
    if (m_view == View::Overview) onContents();
  });
  QHeaderView* header = m_files->horizontalHeader();
  connect(header, &QHeaderView::sectionClicked, this, &TDiskIndexForm::onFileHeaderClicked);
  auto* headerMenu = new QMenu(this);
  headerMenu->setObjectName(QStringLiteral("MenuFileHeader"));
  headerMenu->addActions(m_actions.sortGroup->actions());
  headerMenu->addSeparator();
  headerMenu->addAction(m_actions.sortReverse);
  connect(header, &QWidget::customContextMenuRequested, this,
          [header, headerMenu](const QPoint& at) { headerMenu->popup(header->mapToGlobal(at)); });
  connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu* menu = m_view == View::Overview ? m_menus.overviewTree : m_menus.contentsTree;
    menu->popup(m_tree->viewport()->mapToGlobal(at));
  });
  connect(m_info, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { m_menus.volumeInfo->popup(m_info->mapToGlobal(at)); });
  connect(m_files, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    m_menus.fileList->popup(m_files->viewport()->mapToGlobal(at));
  });
  for (RemarkEdit* edit : {m_dirRemark, m_fileRemark}) {
    connect(edit, &QWidget::customContextMenuRequested, this, [this, edit](const QPoint& at) {
      edit->setFocus();
      m_menus.remarks->popup(edit->mapToGlobal(at));
    });
  }
  connect(m_files->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &TDiskIndexForm::onFileSelected);
  connect(qApp, &QApplication::focusChanged, this, &TDiskIndexForm::updateCommandStates);
  // Hints replace the status text while they show; it comes back by itself.
}

void TDiskIndexForm::closeEvent(QCloseEvent* event) {
  if (BusyScope::isBusy(this)) {  // a drive is being read or files converted
    event->ignore();
    return;
  }
  if (!shutdown()) {  // the user kept remarks that could not be saved
    event->ignore();
    return;
  }
  if (m_help) m_help->close();
  m_searchCommands->closeResultsWindow();
  event->accept();
}

void TDiskIndexForm::showStatus(const QString& text) {
  m_status->setText(text);
}

}  // namespace diskindex::ui
