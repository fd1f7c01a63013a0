#include "diskindex/ui/dlg_orphan_remarks.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "diskindex/core/scan/rescan_messages.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

QString lines(std::string_view text) {
  return qUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

TDlgOrphanRemarks::TDlgOrphanRemarks(const std::vector<scan::OrphanRemark>& orphans,
                                     const std::filesystem::path& savedTo, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("TDlgOrphanRemarks"));
  setWindowTitle(qUtf8(scan::messages::kOrphansTitle));
  auto* grid = new QTableWidget(static_cast<int>(orphans.size()), 2);
  grid->setObjectName(QStringLiteral("GridOrphans"));
  grid->setHorizontalHeaderLabels(
      {qUtf8(scan::messages::kPathColumn), qUtf8(scan::messages::kRemarkColumn)});
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setWordWrap(true);
  for (int row = 0; row < grid->rowCount(); ++row) {
    const scan::OrphanRemark& orphan = orphans[static_cast<std::size_t>(row)];
    grid->setItem(row, 0, new QTableWidgetItem(qUtf8(orphan.path)));
    grid->setItem(row, 1, new QTableWidgetItem(lines(orphan.text)));
  }
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->resizeColumnToContents(0);
  grid->resizeRowsToContents();
  auto* saved = new QLabel(lines(scan::messages::orphansSaved(savedTo.string())));
  saved->setObjectName(QStringLiteral("LabelSavedTo"));
  saved->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("ButtonOk"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid);
  layout->addWidget(saved);
  layout->addWidget(buttons);
  resize(560, 320);
}

}  // namespace diskindex::ui
