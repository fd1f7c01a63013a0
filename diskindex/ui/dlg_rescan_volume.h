#pragma once
// TDlgRescanVolume asks where a catalogued volume is to be read again from:
// a drive of the drive table (the volume's stored letter preselected) or a
// folder chosen with "&Ordner ...". It only collects the choice; the
// reading is the session's. The folder dialog is reached through
// folderChooser() so that tests can answer it.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/drives.h"

class QComboBox;
class QLabel;

namespace diskindex::ui {

// Where to read from: a drive letter, or a folder when folder is not empty.
struct RescanChoice {
  char letter = 0;
  std::filesystem::path folder;
};

class TDlgRescanVolume : public QDialog {
  Q_OBJECT
 public:
  TDlgRescanVolume(const platform::DriveTable& drives, char storedLetter, const QString& volumeName,
                   QWidget* parent = nullptr);
  RescanChoice choice() const;

  // Asks for a folder (empty: none chosen); tests replace it.
  using FolderChooser = std::function<QString(QWidget* parent, const QString& start)>;
  static FolderChooser& folderChooser();

 private slots:
  void ButtonFolderClick();

 private:
  QComboBox* m_drive = nullptr;
  QLabel* m_folder = nullptr;
  std::filesystem::path m_chosenFolder;
};

}  // namespace diskindex::ui
