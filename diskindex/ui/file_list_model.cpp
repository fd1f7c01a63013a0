#include "diskindex/core/export/table_export.h"
#include "diskindex/ui/file_list_model.h"

#include <QLocale>
#include <QTime>

#include "diskindex/core/display_format.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/toolbar_icons.h"

namespace diskindex::ui {

QString systemTimeFormat() {
  // The long form carries the seconds; the time zone it may add is no part
  // of a file's local DOS time.
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  format = format.trimmed();
  return format.isEmpty() ? QStringLiteral("HH:mm:ss") : format;
}

FileListModel::FileListModel(QObject* parent)
    : QAbstractTableModel(parent),
      m_timeFormat(systemTimeFormat()),
      m_up(sortArrowIcon(false)),
      m_down(sortArrowIcon(true)) {}

void FileListModel::setDirectory(const TOutlineDirList* directories, std::size_t dir) {
  beginResetModel();
  m_directories = directories;
  m_dir = dir;
  rebuildOrder();
  endResetModel();
}

void FileListModel::setOrder(SortKey key, bool reverse) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> positions;
  positions.reserve(static_cast<std::size_t>(before.size()));
  for (const QModelIndex& index : before) positions.push_back(filePosition(index.row()));
  m_key = key;
  m_reverse = reverse;
  rebuildOrder();
  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype i = 0; i < before.size(); ++i) {
    after.append(index(rowOfPosition(positions[static_cast<std::size_t>(i)]), before[i].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void FileListModel::rebuildOrder() {
  m_order.clear();
  if (m_directories && m_dir < m_directories->directoryCount()) {
    m_order = fileOrder(*m_directories, m_dir, m_key, m_reverse);
  }
  m_rowOf.assign(m_order.size(), 0);
  for (std::size_t row = 0; row < m_order.size(); ++row) {
    m_rowOf[m_order[row]] = static_cast<std::uint32_t>(row);
  }
}

SortKey FileListModel::keyOfColumn(int column) {
  switch (column) {
    case NameColumn:
      return SortKey::Name;
    case SizeColumn:
      return SortKey::Size;
    case DateColumn:
      return SortKey::Date;
    default:
      return SortKey::None;
  }
}

int FileListModel::filePosition(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= m_order.size()) return -1;
  return static_cast<int>(m_order[static_cast<std::size_t>(row)]);
}

int FileListModel::rowOfPosition(int position) const {
  if (position < 0 || static_cast<std::size_t>(position) >= m_rowOf.size()) return 0;
  return static_cast<int>(m_rowOf[static_cast<std::size_t>(position)]);
}

QString FileListModel::cellText(int row, int column) const {
  const int position = filePosition(row);
  if (position < 0) return {};
  const FileItem& file = m_directories->files(m_dir)[static_cast<std::size_t>(position)];
  switch (column) {
    case NameColumn: {
      const std::string_view name = m_directories->name(file);
      return qUtf8(name);
    }
    case SizeColumn:
      return QString::fromStdString(fileSizeCell(file.size));
    case DateColumn: {
      const ClockTime clock = dosClockTime(file.dosDateTime);
      const QString time = QTime(clock.hour, clock.minute, clock.second).toString(m_timeFormat);
      return QString::fromStdString(fileDateCell(file.dosDateTime, time.toStdString()));
    }
    default:
      return {};
  }
}

QString FileListModel::rowsText(const QList<int>& rows, qsizetype maxBytes) const {
  QByteArray text;
  for (int row : rows) {
    QByteArray line = text.isEmpty() ? QByteArray() : QByteArrayLiteral("\r\n");
    for (int column = 0; column < ColumnCount; ++column) {
      if (column > 0) line += '\t';
      // A control character in a name would forge cells or rows: "?".
      line += QByteArray::fromStdString(
          exporting::exportName(cellText(row, column).toUtf8().toStdString()));
    }
    if (text.size() + line.size() > maxBytes) {
      if (text.isEmpty()) {
        // Cut before a UTF-8 continuation byte so that no character breaks.
        qsizetype end = maxBytes;
        while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
        text = line.left(end);
      }
      break;
    }
    text += line;
  }
  return QString::fromUtf8(text);
}

int FileListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !m_directories) return 0;
  return m_order.empty() ? 1 : static_cast<int>(m_order.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  if (role == Qt::DisplayRole) return cellText(index.row(), index.column());
  // The view may elide a long name; its tip shows it whole.
  if (role == Qt::ToolTipRole && index.column() == NameColumn) {
    return cellText(index.row(), NameColumn);
  }
  return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  if (role == Qt::DisplayRole) {
    static const char* const kTitles[] = {"Dateiname", "Größe", "Datum  /  Zeit"};
    return QString::fromUtf8(kTitles[section]);
  }
  if (role == Qt::DecorationRole) {
    const int marked = m_key == SortKey::Name   ? NameColumn
                       : m_key == SortKey::Size ? SizeColumn
                       : m_key == SortKey::Date ? DateColumn
                                                : -1;
    if (section == marked) return m_reverse ? m_down : m_up;
  }
  return {};
}

}  // namespace diskindex::ui
