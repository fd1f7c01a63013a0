#pragma once
// TDlgAddDrive, the dialog in which the user names a new volume (or a series
// of them) or edits the information of an existing one: drive, name, remark,
// location, category, and the series or the drive change on all volumes.
// Its checks on "OK" (drive type, series count, unique name, known label)
// are the core's (checkDialog); the dialog only shows the fields, keeps
// their limits and asks the questions through ScanPrompts. Any folder may be
// chosen instead of a drive ("&Ordner ...", adding and changing: the volume
// service gives it a letter of its own) and, when adding, an image or
// archive file ("Abbilddatei ..."); choosing a drive again drops either.
// When adding, "Eingehängte Datenträger innerhalb mit einlesen" has the walk
// enter file systems mounted below the drive's root.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "diskindex/core/scan/volume_dialog.h"
#include "platform/drives.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace diskindex::ui {

class ScanPrompts;

class TDlgAddDrive : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Adding, Changing };

  // context.editedIndex is set when changing; categories are the known ones
  // (without the pseudo entries).
  TDlgAddDrive(Mode mode, const platform::DriveTable& drives, const scan::DialogContext& context,
               const scan::DialogValues& initial, const std::vector<std::string>& categories,
               ScanPrompts& prompts, QWidget* parent = nullptr);

  // The confirmed values and, when adding, 0 for one volume or the count.
  scan::DialogValues values() const;
  int seriesCount() const { return m_count; }
  // Replaces the file dialog behind "Abbilddatei ..." (tests); an empty
  // answer means Cancel.
  void setImageChooser(std::function<QString(QWidget*)> chooser) {
    m_chooseImage = std::move(chooser);
  }
  // Replaces the folder dialog behind "&Ordner ..." (tests); an empty answer
  // means Cancel.
  void setFolderChooser(std::function<QString(QWidget*)> chooser) {
    m_chooseFolder = std::move(chooser);
  }

 signals:
  void helpRequested(int context);

 private slots:
  void ButtonOkClick();
  void DriveComboBoxChange(int index);
  void updateStates();
  void limitComment();
  void ButtonImageFileClick();
  void ButtonFolderClick();

 private:
  void buildControls(const std::vector<std::string>& categories);
  void fillDrives();
  void selectDrive(char letter);
  // Shows folder as what is read; the drive list then names no drive.
  void showFolder(const std::filesystem::path& folder);
  // The volume's own drive again, or the folder it keeps instead.
  void restoreInitialDrive();
  char chosenLetter() const;

  Mode m_mode;
  const platform::DriveTable& m_drives;
  scan::DialogContext m_context;
  scan::DialogValues m_initial;
  ScanPrompts& m_prompts;
  int m_count = 0;
  std::filesystem::path m_imageFile;  // empty: the drive is read
  std::filesystem::path m_folder;     // empty: the drive is read
  std::function<QString(QWidget*)> m_chooseImage;
  std::function<QString(QWidget*)> m_chooseFolder;

  QComboBox* m_drive = nullptr;
  QLineEdit* m_name = nullptr;
  QPlainTextEdit* m_comment = nullptr;
  QLineEdit* m_where = nullptr;
  QComboBox* m_category = nullptr;
  QCheckBox* m_serial = nullptr;
  QLabel* m_countLabel = nullptr;
  QLineEdit* m_countEdit = nullptr;
  QCheckBox* m_changeDrives = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_imageButton = nullptr;
  QPushButton* m_folderButton = nullptr;
  QLabel* m_imageLabel = nullptr;  // the chosen image file or folder
  QCheckBox* m_nestedMounts = nullptr;
};

}  // namespace diskindex::ui
