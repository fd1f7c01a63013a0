#pragma once
// TDlgDuplicateOptions, "Doppelte Dateien suchen": the options of the
// duplicate finder (ignore the name, require the same date, a minimum size
// with K, M, G, T) and the volumes to compare: a list with a check box per
// volume, which the category filter "&Kategorie:" fills (every volume of
// the category checked, the others not) and the user then changes one by
// one. "Ok" is enabled while a volume is checked; a minimum size that
// cannot be read keeps the dialog open with the German message in
// LabelProblem. Widgets carry object names for the tests (CheckIgnoreName,
// CheckSameDate, EditMinSize, ComboBoxCategory, ListVolumes, ButtonHelp).
//
// The dialog edits copies and holds no catalogue data beyond the names and
// categories it lists.

#include <QDialog>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "diskindex/core/search/duplicate_finder.h"
#include "diskindex/core/volume_list.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace diskindex::ui {

class TDlgDuplicateOptions : public QDialog {
  Q_OBJECT
 public:
  TDlgDuplicateOptions(const VolumeList& volumes, const std::vector<std::string>& categories,
                       const std::string& category, QWidget* parent = nullptr);

  search::DuplicateOptions options() const;
  // The checked volumes' list positions, ascending.
  std::vector<std::size_t> chosenVolumes() const;

 public slots:
  void accept() override;

 signals:
  void helpRequested();

 private:
  void fillVolumes(const VolumeList& volumes);
  void applyCategory();
  void updateOk();

  std::vector<std::string> m_categoryOf;  // per volume, "" without one
  QCheckBox* m_ignoreName = nullptr;
  QCheckBox* m_sameDate = nullptr;
  QLineEdit* m_minSize = nullptr;
  QComboBox* m_category = nullptr;
  QListWidget* m_volumes = nullptr;
  QLabel* m_problem = nullptr;
  QPushButton* m_ok = nullptr;
};

}  // namespace diskindex::ui
