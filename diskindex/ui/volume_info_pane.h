#pragma once
// The overview's right pane, "Informationen zum Datenträger:": one caption and
// one value per line (drive type, label, capacity, used and free space,
// directory and file counts, capture date, location, remark). It writes the
// texts of one volume record into its labels and keeps nothing else; the
// sizes stand right-aligned so that their digits line up, each followed by
// its unit form ("(1,4 MB)") in a column of its own.

#include <QLabel>
#include <QWidget>

#include "diskindex/core/volume_list.h"

namespace diskindex::ui {

class VolumeInfoPane : public QWidget {
  Q_OBJECT
 public:
  explicit VolumeInfoPane(QWidget* parent = nullptr);

  // Fills the values from the record (nullptr: all empty). today is the
  // current day count (capture dates after it are corrected).
  void showVolume(const VolumeRecord* record, double today);
  void setValueFont(const QFont& font);

 private:
  QLabel* addRow(const char* caption, const char* objectName, int row);
  QLabel* addUnit(const char* objectName, int row);

  QLabel* m_title = nullptr;
  QList<QLabel*> m_captions;
  QLabel* m_driveType = nullptr;
  QLabel* m_label = nullptr;
  QLabel* m_capacity = nullptr;
  QLabel* m_used = nullptr;
  QLabel* m_free = nullptr;
  QLabel* m_capacityUnit = nullptr;
  QLabel* m_usedUnit = nullptr;
  QLabel* m_freeUnit = nullptr;
  QLabel* m_dirCount = nullptr;
  QLabel* m_fileCount = nullptr;
  QLabel* m_captured = nullptr;
  QLabel* m_location = nullptr;
  QLabel* m_remark = nullptr;
};

}  // namespace diskindex::ui
