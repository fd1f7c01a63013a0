#include "diskindex/ui/dlg_search_results.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "diskindex/core/search/results_file.h"
#include "diskindex/core/search/search_messages.h"
#include "diskindex/core/search/search_summary.h"
#include "diskindex/ui/dlg_print_results.h"
#include "diskindex/ui/font_setting.h"
#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/later_commands.h"
#include "diskindex/ui/search_prompts.h"
#include "diskindex/ui/search_results_model.h"

namespace diskindex::ui {
namespace {

// The settings keep 10 for a size that was never stored or out of range.
constexpr int kUnsetSize = 10;

}  // namespace

TDlgSearchResults::TDlgSearchResults(const std::vector<search::ResultRow>& rows,
                                     DiskIndexSettings& settings, FormPrompts& prompts,
                                     SearchPrompts& searchPrompts, QWidget* parent)
    : ListWindow(searchPrompts, parent), m_rows(rows), m_settings(settings), m_prompts(prompts) {
  setObjectName(QStringLiteral("TDlgSearchResults"));
  m_model = new SearchResultsModel(m_rows, this);
  m_sorted = new QSortFilterProxyModel(this);
  m_sorted->setSourceModel(m_model);
  m_sorted->setSortRole(SearchResultsModel::SortRole);
  m_sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
  m_sorted->setSortLocaleAware(true);
  m_grid = new QTableView;
  m_grid->setObjectName(QStringLiteral("GridResults"));
  m_grid->setModel(m_sorted);
  m_grid->setTextElideMode(Qt::ElideMiddle);
  // No sort until a heading is clicked: the rows stay in the order found;
  // a third click on the same heading returns to it.
  m_grid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  m_grid->horizontalHeader()->setSortIndicatorClearable(true);
  m_grid->setSortingEnabled(true);
  m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_grid->setShowGrid(false);
  m_grid->setWordWrap(false);
  m_grid->verticalHeader()->hide();
  m_grid->horizontalHeader()->setStretchLastSection(true);
  m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_grid->setFont(toFont(settings.fontS));
  m_grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(m_grid->font()).height() + 4);

  auto* countLabel = new QLabel(QStringLiteral("Fundstellen:"));
  m_count = new QLabel;
  m_count->setObjectName(QStringLiteral("LabelCount"));
  m_goTo = makeButton(QStringLiteral("&Gehe zu"), "ButtonGoTo");
  m_goTo->setDefault(true);  // Enter on a row
  m_save = makeButton(QStringLiteral("&Speichern"), "ButtonSave");
  m_export = makeButton(QStringLiteral("E&xportieren ..."), "ButtonExport");
  m_print = makeButton(QStringLiteral("&Drucken"), "ButtonPrint");
  m_copy = makeButton(QStringLiteral("&Kopieren"), "ButtonCopy");
  m_close = makeButton(QStringLiteral("Sch&ließen"), "ButtonClose");
  auto* bar = new QHBoxLayout;
  bar->addWidget(countLabel);
  bar->addWidget(m_count);
  bar->addStretch(1);
  for (QPushButton* b : {m_goTo, m_save, m_export, m_print, m_copy, m_close, cancelButton()}) {
    bar->addWidget(b);
  }
  m_status = new QStatusBar;
  m_status->setObjectName(QStringLiteral("StatusResults"));
  m_status->setSizeGripEnabled(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_grid, 1);
  layout->addLayout(bar);
  layout->addWidget(m_status);

  connect(m_goTo, &QPushButton::clicked, this, &TDlgSearchResults::goTo);
  connect(m_grid, &QTableView::doubleClicked, this, &TDlgSearchResults::goTo);
  connect(m_save, &QPushButton::clicked, this, &TDlgSearchResults::save);
  connect(m_export, &QPushButton::clicked, this, &ListWindow::exportList);
  connect(m_print, &QPushButton::clicked, this, &TDlgSearchResults::print);
  connect(m_copy, &QPushButton::clicked, this, &TDlgSearchResults::copyRequested);
  connect(m_close, &QPushButton::clicked, this, &QDialog::close);
  applyGeometry();
  setButtons(false);
}

void TDlgSearchResults::applyGeometry() {
  const DiskIndexSettings& s = m_settings;
  if (s.swinW > kUnsetSize && s.swinH > kUnsetSize) {
    resize(s.swinW, s.swinH);
  } else {
    resize(640, 320);
  }
  if (s.swinX >= 0 && s.swinY >= 0 && s.swinW > kUnsetSize) move(s.swinX, s.swinY);
  m_grid->setColumnWidth(SearchResultsModel::VolumeColumn, s.swinS);
  m_grid->setColumnWidth(SearchResultsModel::PathColumn, s.swinS1);
  m_grid->setColumnWidth(SearchResultsModel::SizeColumn, s.swinS2);
}

void TDlgSearchResults::storeGeometry() {
  DiskIndexSettings& s = m_settings;
  s.swinX = pos().x();
  s.swinY = pos().y();
  s.swinW = width();
  s.swinH = height();
  s.swinS = m_grid->columnWidth(SearchResultsModel::VolumeColumn);
  s.swinS1 = m_grid->columnWidth(SearchResultsModel::PathColumn);
  s.swinS2 = m_grid->columnWidth(SearchResultsModel::SizeColumn);
}

void TDlgSearchResults::setButtons(bool searching) {
  setSearchRunning(searching);
  const bool hits = !searching && m_model->rowCount() > 0;
  m_goTo->setEnabled(hits);
  m_save->setEnabled(hits);
  m_export->setEnabled(hits);
  m_print->setEnabled(hits);
  m_copy->setEnabled(hits && LaterCommands::copyFiles);
  m_close->setEnabled(!searching);
}

bool TDlgSearchResults::hasRows() const {
  return m_model->rowCount() > 0;
}

void TDlgSearchResults::beginSearch(const search::SearchParams& params) {
  setWindowTitle(qUtf8(search::resultsTitle(params)));
  m_grid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  m_sorted->sort(-1);
  m_model->reset();
  m_count->clear();
  m_status->clearMessage();
  setButtons(true);
}

void TDlgSearchResults::syncRows() {
  const bool first = m_model->rowCount() == 0;
  m_model->sync();
  if (first && m_model->rowCount() > 0) {
    m_grid->setCurrentIndex(m_sorted->index(0, 0));
  }
  m_count->setText(QString::number(m_model->rowCount()));
}

void TDlgSearchResults::endSearch() {
  syncRows();
  // Counted once at the end: a search may find millions of rows.
  const QString perVolume = qUtf8(search::hitsPerVolumeText(m_rows));
  m_status->showMessage(perVolume.isEmpty() ? QString()
                                            : QStringLiteral("Je Datenträger: ") + perVolume);
  setButtons(false);
  if (m_model->rowCount() > 0) m_grid->setFocus();
}

int TDlgSearchResults::currentRow() const {
  const QModelIndex current = m_sorted->mapToSource(m_grid->currentIndex());
  return current.isValid() ? current.row() : -1;
}

std::vector<std::size_t> TDlgSearchResults::selectedRows() const {
  std::vector<std::size_t> rows;
  for (const QModelIndex& index : m_grid->selectionModel()->selectedRows()) {
    rows.push_back(static_cast<std::size_t>(m_sorted->mapToSource(index).row()));
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::vector<std::size_t> TDlgSearchResults::displayOrder() const {
  std::vector<std::size_t> rows;
  rows.reserve(static_cast<std::size_t>(m_sorted->rowCount()));
  for (int row = 0; row < m_sorted->rowCount(); ++row) {
    rows.push_back(static_cast<std::size_t>(m_sorted->mapToSource(m_sorted->index(row, 0)).row()));
  }
  return rows;
}

void TDlgSearchResults::goTo() {
  if (searching()) return;
  const int row = currentRow();
  if (row >= 0) emit goToRequested(row);
}

void TDlgSearchResults::save() {
  if (searching() || !hasRows()) return;
  const std::optional<QString> file = searchPrompts().chooseSaveFile(m_lastFile);
  if (!file) return;
  m_lastFile = *file;
  const std::string name = file->toStdString();
  const QString caption = qUtf8(search::messages::kSaveCaption);
  switch (search::saveResultList(name, m_rows)) {
    case search::SaveResult::Ok:
      break;
    case search::SaveResult::CannotCreate:
      m_prompts.error(caption, boxText(search::messages::saveCreateFailed(name)));
      break;
    case search::SaveResult::CannotWrite:
      m_prompts.error(caption, boxText(search::messages::saveWriteFailed(name)));
      break;
  }
}

void TDlgSearchResults::print() {
  if (searching() || !hasRows()) return;
  QPrinter printer;
  TDlgPrintResults dialog(printer, searchPrompts(), this);
  if (!searchPrompts().runPrintDialog(dialog)) return;
  if (dialog.toPdf()) {
    const std::optional<QString> file = searchPrompts().choosePdfFile(QString());
    if (!file) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFileName(*file));
  }
  // The footer names the list, as a tree printout's names its volume.
  if (!printResultLines(printer, search::resultLines(m_rows), QStringLiteral("Suchergebnisse"),
                        toFont(m_settings.fontP))) {
    m_prompts.error(qUtf8(search::messages::kPrintCaption),
                    QStringLiteral("Der Druck konnte nicht gestartet werden."));
  }
}

}  // namespace diskindex::ui
