#include "diskindex/ui/search_results_model.h"

#include <QTime>

#include "diskindex/core/display_format.h"
#include "diskindex/ui/file_list_model.h"

namespace diskindex::ui {

SearchResultsModel::SearchResultsModel(const std::vector<search::ResultRow>& rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows), m_timeFormat(systemTimeFormat()) {}

void SearchResultsModel::reset() {
  beginResetModel();
  m_shown = 0;
  endResetModel();
}

void SearchResultsModel::sync() {
  const int count = static_cast<int>(m_rows.size());
  if (count < m_shown) {
    reset();
  }
  if (count == m_shown) return;
  beginInsertRows({}, m_shown, count - 1);
  m_shown = count;
  endInsertRows();
}

QString SearchResultsModel::cellText(int row, int column) const {
  if (row < 0 || row >= m_shown) return {};
  const search::ResultRow& r = m_rows[static_cast<std::size_t>(row)];
  switch (column) {
    case VolumeColumn:
      return QString::fromStdString(r.volumeName);
    case PathColumn:
      return QString::fromStdString(r.path);
    case SizeColumn:
      return QString::fromStdString(search::sizeCell(r));
    case DateColumn: {
      const ClockTime t = dosClockTime(r.dosDateTime);
      const QString time = QTime(t.hour, t.minute, t.second).toString(m_timeFormat);
      return QString::fromStdString(search::dateCell(r, time.toStdString()));
    }
    default:
      return {};
  }
}

QVariant SearchResultsModel::sortKey(int row, int column) const {
  if (row < 0 || row >= m_shown) return {};
  const search::ResultRow& r = m_rows[static_cast<std::size_t>(row)];
  switch (column) {
    case SizeColumn:  // directories (no size) before the empty files
      return r.directory ? qlonglong{-1} : qlonglong{r.size};
    case DateColumn:  // the packed date grows with the moment it stands for
      return r.directory ? qlonglong{-1} : qlonglong{r.dosDateTime};
    default:
      return cellText(row, column);
  }
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_shown;
}

int SearchResultsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) return cellText(index.row(), index.column());
  if (role == Qt::ToolTipRole && index.column() == PathColumn) {
    return cellText(index.row(), index.column());
  }
  if (role == SortRole) return sortKey(index.row(), index.column());
  if (role == Qt::TextAlignmentRole && index.column() == SizeColumn) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  return {};
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case VolumeColumn:
      return QStringLiteral("Datenträger:");
    case PathColumn:
      return QStringLiteral("Verzeichnis-/Dateiname:");
    case SizeColumn:
      return QStringLiteral("Größe");
    case DateColumn:
      return QStringLiteral("Datum  /  Zeit");
    default:
      return {};
  }
}

}  // namespace diskindex::ui
