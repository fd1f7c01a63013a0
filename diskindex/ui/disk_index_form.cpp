#include "diskindex/ui/disk_index_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QTreeView>

#include "diskindex/ui/dir_tree_model.h"
#include "diskindex/ui/file_list_model.h"
#include "diskindex/ui/file_size_delegate.h"
#include "diskindex/ui/help_window.h"
#include "diskindex/ui/remark_edit.h"
#include "diskindex/ui/volume_info_pane.h"
#include "diskindex/ui/volume_list_model.h"

namespace diskindex::ui {

TDiskIndexForm::TDiskIndexForm(FormEnvironment environment, std::unique_ptr<FormPrompts> prompts,
                               QWidget* parent)
    : QMainWindow(parent), m_env(std::move(environment)), m_prompts(std::move(prompts)) {
  if (!m_prompts) m_prompts = std::make_unique<QtFormPrompts>(this);
  setObjectName(QStringLiteral("TDiskIndexForm"));
  setWindowTitle(QString::fromUtf8(kProgramTitle));
  m_actions = createActions(this);
  buildMenuBar(this, m_actions);
  m_toolBar = buildToolBar(this, m_actions);
  m_menus = buildContextMenus(this, m_actions);
  buildLayout();
  connectActions();
  connectViews();
}

TDiskIndexForm::~TDiskIndexForm() = default;

void TDiskIndexForm::buildLayout() {
  m_tree = new QTreeView;
  m_tree->setObjectName(QStringLiteral("OutlineDir"));
  m_tree->setHeaderHidden(true);
  m_tree->setUniformRowHeights(true);
  m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
  m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Long names scroll sideways instead of being cut; the column follows the
  // widest name in view.
  m_tree->setTextElideMode(Qt::ElideNone);
  m_tree->header()->setStretchLastSection(false);
  m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_dirRemark = new RemarkEdit;
  m_dirRemark->setObjectName(QStringLiteral("MemoDir"));
  m_leftSplit = new QSplitter(Qt::Vertical);
  m_leftSplit->setObjectName(QStringLiteral("SplitLeft"));
  m_leftSplit->addWidget(m_tree);
  m_leftSplit->addWidget(m_dirRemark);
  m_leftSplit->setCollapsible(0, false);
  m_leftSplit->setCollapsible(1, false);
  m_leftSplit->setStretchFactor(0, 1);
  m_dirRemark->setMinimumHeight(15);

  m_info = new VolumeInfoPane;
  m_info->setContextMenuPolicy(Qt::CustomContextMenu);
  m_files = new QTableView;
  m_files->setObjectName(QStringLiteral("GridFiles"));
  m_files->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_files->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_files->setShowGrid(false);
  m_files->setWordWrap(false);
  m_files->setContextMenuPolicy(Qt::CustomContextMenu);
  m_files->verticalHeader()->hide();
  m_files->horizontalHeader()->setHighlightSections(false);
  m_files->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_files->horizontalHeader()->setStretchLastSection(true);
  m_files->setItemDelegateForColumn(FileListModel::SizeColumn, new FileSizeDelegate(m_files));
  m_fileRemark = new RemarkEdit;
  m_fileRemark->setObjectName(QStringLiteral("MemoFile"));
  m_fileRemark->setMinimumHeight(15);
  m_rightSplit = new QSplitter(Qt::Vertical);
  m_rightSplit->setObjectName(QStringLiteral("SplitRight"));
  m_rightSplit->addWidget(m_files);
  m_rightSplit->addWidget(m_fileRemark);
  m_rightSplit->setCollapsible(0, false);
  m_rightSplit->setCollapsible(1, false);
  m_rightSplit->setStretchFactor(0, 1);
  m_rightStack = new QStackedWidget;
  m_rightStack->addWidget(m_info);
  m_rightStack->addWidget(m_rightSplit);
  m_rightStack->setMinimumWidth(40);

  m_mainSplit = new QSplitter(Qt::Horizontal);
  m_mainSplit->setObjectName(QStringLiteral("SplitMain"));
  m_mainSplit->addWidget(m_leftSplit);
  m_mainSplit->addWidget(m_rightStack);
  m_mainSplit->setCollapsible(0, false);
  m_mainSplit->setCollapsible(1, false);
  m_mainSplit->setStretchFactor(1, 1);
  m_leftSplit->setMinimumWidth(30);
  setCentralWidget(m_mainSplit);

  m_status = new QLabel;
  m_status->setObjectName(QStringLiteral("StatusText"));
  statusBar()->addWidget(m_status, 1);
  m_progress = new QProgressBar;
  m_progress->setMaximumWidth(200);
  m_progress->setRange(0, 100);
  m_progress->hide();
  statusBar()->addPermanentWidget(m_progress);

  m_volumeModel = new VolumeListModel(m_state.catalogue.volumes(), this);
  m_dirModel = new DirTreeModel(this);
  m_fileModel = new FileListModel(this);
  m_files->setModel(m_fileModel);
}

void TDiskIndexForm::connectActions() {
  const MainActions& a = m_actions;
  connect(a.overview, &QAction::triggered, this, &TDiskIndexForm::onOverview);
  connect(a.contents, &QAction::triggered, this, &TDiskIndexForm::onContents);
  connect(a.addVolume, &QAction::triggered, this, &TDiskIndexForm::onAddVolume);
  connect(a.removeVolume, &QAction::triggered, this, &TDiskIndexForm::onRemoveVolume);
  connect(a.changeVolume, &QAction::triggered, this, &TDiskIndexForm::onChangeVolume);
  connect(a.categories, &QAction::triggered, this, &TDiskIndexForm::onCategories);
  connect(a.print, &QAction::triggered, this, &TDiskIndexForm::onPrint);
  connect(a.exportInfo, &QAction::triggered, this, &TDiskIndexForm::onExportInfo);
  connect(a.copyFiles, &QAction::triggered, this, &TDiskIndexForm::onCopyFiles);
  connect(a.editFile, &QAction::triggered, this, &TDiskIndexForm::onEditFile);
  connect(a.runFile, &QAction::triggered, this, &TDiskIndexForm::onRunFile);
  connect(a.quit, &QAction::triggered, this, &QWidget::close);
  for (QAction* edit : {a.undo, a.cut, a.paste, a.erase, a.selectAll}) {
    connect(edit, &QAction::triggered, this, [this, edit] { onEditCommand(edit); });
  }
  connect(a.copy, &QAction::triggered, this, &TDiskIndexForm::onCopy);
  connect(a.copyPath, &QAction::triggered, this, &TDiskIndexForm::onCopyPath);
  connect(a.copyTree, &QAction::triggered, this, &TDiskIndexForm::onCopyTree);
  connect(a.searchCurrent, &QAction::triggered, this, &TDiskIndexForm::onSearchCurrent);
  connect(a.searchNext, &QAction::triggered, this, &TDiskIndexForm::onSearchNext);
  connect(a.searchMulti, &QAction::triggered, this, &TDiskIndexForm::onSearchMulti);
  connect(a.dirRemarks, &QAction::toggled, this, &TDiskIndexForm::applyRemarkFields);
  connect(a.fileRemarks, &QAction::toggled, this, &TDiskIndexForm::applyRemarkFields);
  connect(a.sortGroup, &QActionGroup::triggered, this, &TDiskIndexForm::onSortChanged);
  connect(a.sortReverse, &QAction::triggered, this, &TDiskIndexForm::onSortChanged);
  connect(a.greyBackground, &QAction::toggled, this, &TDiskIndexForm::applyBackground);
  DiskIndexSettings& s = m_state.settings;
  connect(a.fontVolumes, &QAction::triggered, this,
          [this, &s] { chooseFont(s.fontF, QStringLiteral("Schrift: Datenträgerliste/-Infos")); });
  connect(a.fontFiles, &QAction::triggered, this,
          [this, &s] { chooseFont(s.fontL, QStringLiteral("Schrift: Verzeichnis-/Dateiliste")); });
  connect(a.fontRemarks, &QAction::triggered, this,
          [this, &s] { chooseFont(s.fontM, QStringLiteral("Schrift: Bemerkungen")); });
  connect(a.fontSearch, &QAction::triggered, this,
          [this, &s] { chooseFont(s.fontS, QStringLiteral("Schrift: Suchergebnisse")); });
  connect(a.fontPrint, &QAction::triggered, this,
          [this, &s] { chooseFont(s.fontP, QStringLiteral("Schrift: Drucken")); });
  connect(a.dataDirectory, &QAction::triggered, this, &TDiskIndexForm::onDataDirectory);
  connect(a.chooseEditor, &QAction::triggered, this, &TDiskIndexForm::onChooseEditor);
  connect(a.helpContents, &QAction::triggered, this, &TDiskIndexForm::onHelp);
  connect(a.about, &QAction::triggered, this, &TDiskIndexForm::onAbout);
  connect(m_toolBar.categoryCombo, &QComboBox::activated, this, &TDiskIndexForm::onFilterChanged);
}

void TDiskIndexForm::connectViews() {
  connect(m_tree, &QTreeView::doubleClicked, this, [this] {
    if (m_view == View::Overview) onContents();
  });
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
  shutdown();
  if (m_help) m_help->close();
  event->accept();
}

void TDiskIndexForm::showStatus(const QString& text) {
  m_status->setText(text);
}

}  // namespace diskindex::ui
