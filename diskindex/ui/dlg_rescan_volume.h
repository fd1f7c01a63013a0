#pragma once
// TDlgRescanVolume asks where a catalogued volume is to be read again from:
// a drive of the drive table (the volume's stored letter preselected), a
// folder chosen with "&Ordner ..." or an image or archive file chosen with
// "Abbilddatei ...". It only collects the choice; the reading is the
// session's. The file dialogs are reached through folderChooser() and
// imageChooser() so that tests can answer them.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>

#include "diskindex/core/rescan_service.h"
#include "diskindex/core/volume_root.h"
#include "platform/drives.h"

class QComboBox;
class QLabel;

namespace diskindex::ui {

// Where to read from: a drive letter, or a folder or an image file when one
// of them is not empty (never both).
struct RescanChoice {
  char letter = 0;
  std::filesystem::path folder;
  std::filesystem::path image;
};

// Where the rescan reads from: the image or folder when one was chosen,
// else the chosen drive of this table after the volume check.
RescanSource rescanSource(const RescanChoice& choice, const platform::DriveTable& drives,
                          files::VolumeCheckObserver* check);

class TDlgRescanVolume : public QDialog {
  Q_OBJECT
 public:
  // A volume that keeps a folder instead of a letter has that folder chosen.
  TDlgRescanVolume(const platform::DriveTable& drives, const VolumeRoot& stored,
                   const QString& volumeName, QWidget* parent = nullptr);
  RescanChoice choice() const;

  // Asks for a folder (empty: none chosen); tests replace it.
  using FolderChooser = std::function<QString(QWidget* parent, const QString& start)>;
  static FolderChooser& folderChooser();
  // Asks for an image or archive file (empty: none chosen); tests replace it.
  using ImageChooser = std::function<QString(QWidget* parent)>;
  static ImageChooser& imageChooser();

 private slots:
  void ButtonFolderClick();
  void ButtonImageClick();

 private:
  char m_storedLetter;
  QComboBox* m_drive = nullptr;
  QLabel* m_folder = nullptr;
  std::filesystem::path m_chosenFolder;
  std::filesystem::path m_chosenImage;
};

}  // namespace diskindex::ui
