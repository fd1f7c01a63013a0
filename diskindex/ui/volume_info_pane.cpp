#include "diskindex/ui/volume_info_pane.h"

#include <QFontMetrics>
#include <QGridLayout>

#include "diskindex/core/display_format.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

// The unit form in brackets; sizes below one KB have none (their byte count
// says it all).
QString unitText(const std::string& unit) {
  if (unit.empty() || unit.ends_with(" Byte")) return {};
  return QStringLiteral("(") + qUtf8(unit) + QStringLiteral(")");
}

QString optionalText(const std::optional<std::string>& value) {
  return value ? qUtf8(*value).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) : QString();
}

}  // namespace

VolumeInfoPane::VolumeInfoPane(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PanelInfo"));
  setAutoFillBackground(true);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(14, 10, 14, 10);
  grid->setHorizontalSpacing(14);
  grid->setVerticalSpacing(6);
  m_title = new QLabel(QStringLiteral("Informationen zum Datenträger:"), this);
  QFont bold = m_title->font();
  bold.setBold(true);
  m_title->setFont(bold);
  grid->addWidget(m_title, 0, 0, 1, 3);
  grid->addItem(new QSpacerItem(0, 6), 1, 0);
  m_driveType = addRow("Laufwerkstyp:", "LabelDriveType", 2);
  m_label = addRow("Volume-Label:", "LabelVolumeLabel", 3);
  m_capacity = addRow("Kapazität:", "LabelCapacity", 4);
  m_used = addRow("Belegt:", "LabelUsed", 5);
  m_free = addRow("Frei:", "LabelFree", 6);
  m_capacityUnit = addUnit("LabelCapacityUnit", 4);
  m_usedUnit = addUnit("LabelUsedUnit", 5);
  m_freeUnit = addUnit("LabelFreeUnit", 6);
  m_dirCount = addRow("Anzahl Verzeichnisse:", "LabelDirCount", 7);
  m_fileCount = addRow("Anzahl Dateien:", "LabelFileCount", 8);
  m_captured = addRow("Erfaßt am:", "LabelCaptureDate", 9);
  m_location = addRow("Aufbewahrungsort:", "LabelLocation", 10);
  m_remark = addRow("Bemerkungen:", "LabelRemark", 11);
  m_remark->setWordWrap(true);
  m_remark->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  for (QLabel* size : {m_capacity, m_used, m_free}) {
    size->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(11, 1);
  setValueFont(font());
}

QLabel* VolumeInfoPane::addRow(const char* caption, const char* objectName, int row) {
  auto* grid = static_cast<QGridLayout*>(layout());
  auto* captionLabel = new QLabel(QString::fromUtf8(caption), this);
  captionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_captions.append(captionLabel);
  auto* value = new QLabel(this);
  value->setObjectName(QString::fromUtf8(objectName));
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  grid->addWidget(captionLabel, row, 0);
  // The remark may be long: it takes the rest of the line; the other values
  // share one column so the sizes can line up on their right edge.
  grid->addWidget(value, row, 1, 1, row == 11 ? 2 : 1);
  return value;
}

QLabel* VolumeInfoPane::addUnit(const char* objectName, int row) {
  auto* unit = new QLabel(this);
  unit->setObjectName(QString::fromUtf8(objectName));
  unit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  static_cast<QGridLayout*>(layout())->addWidget(unit, row, 2);
  return unit;
}

void VolumeInfoPane::setValueFont(const QFont& font) {
  setFont(font);
  QFont bold = font;
  bold.setBold(true);
  m_title->setFont(bold);
  // The size column is as wide as the largest size the header can hold.
  const int width = QFontMetrics(font).horizontalAdvance(QStringLiteral("999.999.999.999   Byte"));
  for (QLabel* size : {m_capacity, m_used, m_free}) size->setMinimumWidth(width);
}

void VolumeInfoPane::showVolume(const VolumeRecord* record, double today) {
  if (!record) {
    for (QLabel* value : {m_driveType, m_label, m_capacity, m_used, m_free, m_capacityUnit,
                          m_usedUnit, m_freeUnit, m_dirCount, m_fileCount, m_captured, m_location,
                          m_remark}) {
      value->clear();
    }
    return;
  }
  m_driveType->setText(qUtf8(driveTypeWord(record->driveType)));
  m_label->setText(qUtf8(record->label));
  // A folder's capacity is its own size and its free space the host's.
  const bool folder = record->spaceOf == SpaceOf::Folder;
  m_captions[2]->setText(folder ? QStringLiteral("Größe des Ordners:")
                                : QStringLiteral("Kapazität:"));
  m_captions[4]->setText(folder ? QStringLiteral("Frei auf dem Laufwerk:")
                                : QStringLiteral("Frei:"));
  const SpaceTexts space = spaceTexts(record->capacity, record->freeSpace, record->spaceOf);
  m_capacity->setText(qUtf8(space.capacity));
  m_used->setText(qUtf8(space.used));
  m_free->setText(qUtf8(space.free));
  const SpaceTexts units = unitSpaceTexts(record->capacity, record->freeSpace);
  m_capacityUnit->setText(unitText(units.capacity));
  m_usedUnit->setText(unitText(units.used));
  m_freeUnit->setText(unitText(units.free));
  m_dirCount->setText(QString::number(record->directoryCount));
  m_fileCount->setText(QString::number(record->fileCount));
  m_captured->setText(qUtf8(captureDateText(record->captureDate, today)));
  m_location->setText(optionalText(record->location));
  m_remark->setText(optionalText(record->remark));
}

}  // namespace diskindex::ui
