#include "diskindex/ui/duplicates_model.h"

#include <QStringList>
#include <QTime>

#include "diskindex/core/display_format.h"
#include "diskindex/ui/file_list_model.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

// internalId 0: a group row; n > 0: a file of group n - 1.
constexpr quintptr kGroupRow = 0;

}  // namespace

DuplicatesModel::DuplicatesModel(const search::DuplicateResult& result, QObject* parent)
    : QAbstractItemModel(parent), m_result(result), m_timeFormat(systemTimeFormat()) {}

void DuplicatesModel::clear() {
  beginResetModel();
  m_shown = false;
  endResetModel();
}

void DuplicatesModel::reload() {
  beginResetModel();
  m_shown = true;
  endResetModel();
}

std::pair<int, std::optional<int>> DuplicatesModel::position(const QModelIndex& index) const {
  if (!index.isValid()) return {-1, std::nullopt};
  if (index.internalId() == kGroupRow) return {index.row(), std::nullopt};
  return {static_cast<int>(index.internalId() - 1), index.row()};
}

QModelIndex DuplicatesModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column < 0 || column >= ColumnCount || row >= rowCount(parent)) return {};
  if (!parent.isValid()) return createIndex(row, column, kGroupRow);
  return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex DuplicatesModel::parent(const QModelIndex& child) const {
  if (!child.isValid() || child.internalId() == kGroupRow) return {};
  return createIndex(static_cast<int>(child.internalId() - 1), 0, kGroupRow);
}

int DuplicatesModel::rowCount(const QModelIndex& parent) const {
  if (!m_shown) return 0;
  if (!parent.isValid()) return static_cast<int>(m_result.groups.size());
  if (parent.internalId() != kGroupRow || parent.column() != 0) return 0;
  return static_cast<int>(m_result.groups[static_cast<std::size_t>(parent.row())].files.size());
}

int DuplicatesModel::columnCount(const QModelIndex&) const {
  return ColumnCount;
}

QVariant DuplicatesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !m_shown) return {};
  if (role == Qt::TextAlignmentRole) {
    const int c = index.column();
    if (c == FilesColumn || c == SizeColumn || c == WastedColumn) {
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
  }
  const auto [group, file] = position(index);
  return file ? fileData(group, *file, index.column(), role)
              : groupData(group, index.column(), role);
}

QString DuplicatesModel::groupVolumes(const search::DuplicateGroup& group) const {
  QStringList names;
  for (const search::DuplicateFile& f : group.files) {
    const QString name = qUtf8(m_result.volumeName(f));
    if (!names.contains(name)) names << name;
  }
  return names.join(QStringLiteral(", "));
}

QVariant DuplicatesModel::groupData(int group, int column, int role) const {
  const search::DuplicateGroup& g = m_result.groups[static_cast<std::size_t>(group)];
  const bool sort = role == SortRole;
  if (role != Qt::DisplayRole && !sort && role != Qt::ToolTipRole) return {};
  switch (column) {
    case NameColumn:
      if (sort) return group;  // the finder's order: largest waste first
      return QStringLiteral("Gruppe %1: %2")
          .arg(group + 1)
          .arg(g.files.empty() ? QString() : qUtf8(m_result.name(g.files.front())));
    case FilesColumn:
      return sort ? QVariant(qulonglong{g.files.size()})
                  : QVariant(QString::number(g.files.size()));
    case SizeColumn:
      return sort ? QVariant(qulonglong{g.size()}) : QVariant(qUtf8(groupDigits(g.size())));
    case WastedColumn:
      return sort ? QVariant(qulonglong{g.wastedBytes()})
                  : QVariant(qUtf8(groupDigits(static_cast<std::int64_t>(g.wastedBytes()))));
    case VolumesColumn:
      return groupVolumes(g);
    default:
      return sort ? QVariant(qulonglong{0}) : QVariant();
  }
}

QVariant DuplicatesModel::fileData(int group, int file, int column, int role) const {
  const search::DuplicateFile& f =
      m_result.groups[static_cast<std::size_t>(group)].files[static_cast<std::size_t>(file)];
  const bool sort = role == SortRole;
  if (role != Qt::DisplayRole && !sort && role != Qt::ToolTipRole) return {};
  switch (column) {
    case NameColumn:
      return qUtf8(m_result.path(f));
    case SizeColumn:
      return sort ? QVariant(qulonglong{f.size}) : QVariant(qUtf8(groupDigits(f.size)));
    case VolumesColumn:
      return qUtf8(m_result.volumeName(f));
    case DateColumn:
      if (sort) return qulonglong{f.dosDateTime};
      return dateText(f.dosDateTime);
    default:
      return sort ? QVariant(file) : QVariant();  // files keep their order
  }
}

// As the results window writes it: DD.MM.YYYY, four blanks, the time in
// the system's format.
QString DuplicatesModel::dateText(std::uint32_t dosDateTime) const {
  const ClockTime t = dosClockTime(dosDateTime);
  return qUtf8(dosDateText(dosDateTime)) + QStringLiteral("    ") +
         QTime(t.hour, t.minute, t.second).toString(m_timeFormat);
}

QString DuplicatesModel::fileLine(int group, int file) const {
  const search::DuplicateFile& f =
      m_result.groups[static_cast<std::size_t>(group)].files[static_cast<std::size_t>(file)];
  return qUtf8(m_result.volumeName(f)) + QLatin1Char('\t') + qUtf8(m_result.path(f));
}

QVariant DuplicatesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case NameColumn:
      return QStringLiteral("Gruppe / Pfad");
    case FilesColumn:
      return QStringLiteral("Dateien");
    case SizeColumn:
      return QStringLiteral("Größe");
    case WastedColumn:
      return QStringLiteral("Überzählig");
    case VolumesColumn:
      return QStringLiteral("Datenträger");
    case DateColumn:
      return QStringLiteral("Datum");
    default:
      return {};
  }
}

}  // namespace diskindex::ui
