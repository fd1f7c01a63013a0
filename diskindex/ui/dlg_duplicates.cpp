#include "diskindex/ui/dlg_duplicates.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <set>

#include "diskindex/core/display_format.h"
#include "diskindex/ui/duplicates_model.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

// Groups in the finder's order until a heading is clicked.
QTreeView* groupTree(QAbstractItemModel* model) {
  auto* tree = new QTreeView;
  tree->setObjectName(QStringLiteral("TreeDuplicates"));
  tree->setModel(model);
  tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
  tree->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree->setTextElideMode(Qt::ElideMiddle);
  tree->setUniformRowHeights(true);
  tree->header()->setSortIndicator(-1, Qt::AscendingOrder);
  tree->header()->setSortIndicatorClearable(true);
  tree->setSortingEnabled(true);
  tree->setColumnWidth(DuplicatesModel::NameColumn, 300);
  tree->setColumnWidth(DuplicatesModel::VolumesColumn, 160);
  return tree;
}

}  // namespace

TDlgDuplicates::TDlgDuplicates(const search::DuplicateResult& result, SearchPrompts& prompts,
                               QWidget* parent)
    : ListWindow(prompts, parent), m_result(result) {
  setObjectName(QStringLiteral("TDlgDuplicates"));
  setWindowTitle(QStringLiteral("K&T DiskIndex - Doppelte Dateien"));
  resize(760, 420);
  m_model = new DuplicatesModel(result, this);
  m_sorted = new QSortFilterProxyModel(this);
  m_sorted->setSourceModel(m_model);
  m_sorted->setSortRole(DuplicatesModel::SortRole);
  m_sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
  m_tree = groupTree(m_sorted);

  m_progress = new QProgressBar;
  m_progress->setObjectName(QStringLiteral("ProgressDuplicates"));
  m_summary = new QLabel;
  m_summary->setObjectName(QStringLiteral("LabelSummary"));
  m_goTo = makeButton(QStringLiteral("&Gehe zu"), "ButtonGoTo");
  m_copy = makeButton(QStringLiteral("&Kopieren"), "ButtonCopy");
  m_export = makeButton(QStringLiteral("E&xportieren ..."), "ButtonExport");
  QPushButton* help = makeButton(QStringLiteral("&Hilfe"), "ButtonHelp");
  m_close = makeButton(QStringLiteral("Sch&ließen"), "ButtonClose");
  auto* bar = new QHBoxLayout;
  bar->addWidget(m_summary, 1);
  bar->addWidget(m_progress, 1);
  for (QPushButton* b : {m_goTo, m_copy, m_export, help, m_close, cancelButton()}) {
    bar->addWidget(b);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_tree, 1);
  layout->addLayout(bar);

  connect(m_goTo, &QPushButton::clicked, this, &TDlgDuplicates::goTo);
  connect(m_tree, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
    // A group's double-click opens or closes it; a file's goes to it.
    if (index.parent().isValid()) goTo();
  });
  connect(m_copy, &QPushButton::clicked, this, &TDlgDuplicates::copy);
  connect(m_export, &QPushButton::clicked, this, &ListWindow::exportList);
  connect(help, &QPushButton::clicked, this, &TDlgDuplicates::helpRequested);
  connect(m_close, &QPushButton::clicked, this, &QDialog::close);
  setSearching(false);
}

void TDlgDuplicates::setSearching(bool searching) {
  setSearchRunning(searching);
  const bool groups = !searching && m_model->rowCount() > 0;
  for (QPushButton* b : {m_goTo, m_copy, m_export}) b->setEnabled(groups);
  m_close->setEnabled(!searching);
  m_progress->setVisible(searching);
  m_summary->setVisible(!searching);
}

bool TDlgDuplicates::hasRows() const {
  return m_model->rowCount() > 0;
}

void TDlgDuplicates::beginSearch() {
  m_model->clear();
  m_progress->setRange(0, 0);  // busy until the first volume is read
  m_tree->header()->setSortIndicator(-1, Qt::AscendingOrder);
  m_sorted->sort(-1);
  setSearching(true);
}

void TDlgDuplicates::setProgress(std::size_t done, std::size_t total) {
  m_progress->setRange(0, static_cast<int>(total));
  m_progress->setValue(static_cast<int>(done));
}

void TDlgDuplicates::endSearch() {
  m_model->reload();
  setSearching(false);
  if (m_result.cancelled) {
    m_summary->setText(QStringLiteral("Die Suche wurde abgebrochen."));
    return;
  }
  std::uint64_t wasted = 0;
  std::size_t files = 0;
  for (const search::DuplicateGroup& g : m_result.groups) {
    wasted += g.wastedBytes();
    files += g.files.size();
  }
  QString text = m_result.groups.empty()
                     ? QStringLiteral("Keine doppelten Dateien gefunden.")
                     : QStringLiteral("%1 Gruppen mit %2 Dateien, %3 Byte überzählig")
                           .arg(m_result.groups.size())
                           .arg(files)
                           .arg(qUtf8(groupDigits(static_cast<std::int64_t>(wasted))));
  if (m_result.skippedVolumes > 0) {
    text += QStringLiteral(" (%1 Datenträger nicht lesbar)").arg(m_result.skippedVolumes);
  }
  m_summary->setText(text);
  if (m_model->rowCount() > 0) {
    // Room for the volume names of a group, as far as the window allows;
    // longer lists are elided and shown whole as tool tip.
    constexpr int kMostVolumesWidth = 360;
    m_tree->resizeColumnToContents(DuplicatesModel::VolumesColumn);
    if (m_tree->columnWidth(DuplicatesModel::VolumesColumn) > kMostVolumesWidth) {
      m_tree->setColumnWidth(DuplicatesModel::VolumesColumn, kMostVolumesWidth);
    }
    m_tree->setCurrentIndex(m_sorted->index(0, 0));
    m_tree->setFocus();
  }
}

std::optional<std::pair<int, int>> TDlgDuplicates::currentFile() const {
  const auto [group, file] = m_model->position(m_sorted->mapToSource(m_tree->currentIndex()));
  if (group < 0) return std::nullopt;
  return std::pair{group, file.value_or(0)};
}

QString TDlgDuplicates::selectionText() const {
  // Rows in the order shown; a group stands for all its files.
  std::set<int> wholeGroups;
  QStringList lines;
  const QModelIndexList rows = m_tree->selectionModel()->selectedRows();
  for (const QModelIndex& index : rows) {
    const auto [group, file] = m_model->position(m_sorted->mapToSource(index));
    if (!file) wholeGroups.insert(group);
  }
  for (const QModelIndex& index : rows) {
    const auto [group, file] = m_model->position(m_sorted->mapToSource(index));
    if (!file) {
      const auto& g = m_result.groups[static_cast<std::size_t>(group)];
      for (std::size_t f = 0; f < g.files.size(); ++f) {
        lines << m_model->fileLine(group, static_cast<int>(f));
      }
    } else if (!wholeGroups.count(group)) {
      lines << m_model->fileLine(group, *file);
    }
  }
  return lines.join(QStringLiteral("\r\n"));
}

void TDlgDuplicates::goTo() {
  if (searching()) return;
  if (const auto file = currentFile()) emit goToRequested(file->first, file->second);
}

void TDlgDuplicates::copy() {
  const QString text = selectionText();
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

}  // namespace diskindex::ui
