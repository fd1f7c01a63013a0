#pragma once
// TDlgOtherVolume ("Datenträger-Zugriff"): the volume in the drive does not
// carry the catalogued label. It shows the question's four lines, "&Ja",
// "&Nein", "&Hinweise >>" and the check box "&Volume-Label aktualisieren";
// "&Hinweise >>" grows the dialog by the notes on the possible causes (once;
// the button is then disabled). The answer is read after exec().

#include <QDialog>

#include "diskindex/core/files/volume_check.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace diskindex::ui {

class TDlgOtherVolume : public QDialog {
  Q_OBJECT
 public:
  explicit TDlgOtherVolume(const files::OtherVolumeQuestion& question, QWidget* parent = nullptr);
  // "&Ja" (accepted) with the state of the check box.
  files::OtherVolumeAnswer answer() const;
  void showNotes();

 private:
  QLabel* m_notes = nullptr;
  QPushButton* m_notesButton = nullptr;
  QCheckBox* m_update = nullptr;
};

}  // namespace diskindex::ui
