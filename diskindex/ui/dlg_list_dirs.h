#pragma once
// TDlgListDirs, the progress window shown while volumes are read: the drive,
// the volume's name, the count of directories found, a bar for writing the
// data file and reading the descriptions, and "Abbruch" with its
// confirmation. It is the ScanObserver of the core's add operation: it
// counts, shows percentages, asks the descriptions question and the series
// prompts, lets the application process its events between steps, and shows
// the error of a volume that failed. While it exists the main window shows
// the hourglass and takes no commands (BusyScope); over the progress window
// itself the cursor stays an arrow. Escape and the window's close button act
// as "Abbruch", question included.

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <functional>
#include <memory>

#include "diskindex/core/scan/scan_observer.h"
#include "diskindex/core/volume_root.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace diskindex::ui {

class BusyScope;
class ScanPrompts;

class TDlgListDirs : public QDialog, public scan::ScanObserver {
  Q_OBJECT
 public:
  // busyWindow shows the hourglass while this window exists.
  TDlgListDirs(const VolumeRoot& root, const QString& name, ScanPrompts& prompts,
               QWidget* busyWindow = nullptr);
  ~TDlgListDirs() override;

  // Called with the volume's place in the volume list after each volume.
  std::function<void(std::size_t)> onVolumeAdded;

  bool cancelled() const { return m_cancelled; }
  // Reading an image file: its path is shown in place of the drive.
  void showImageFile(const QString& path);
  // A folder read as a drive: shown instead of its letter.
  void showFolder(const QString& path);

  void directoryFound(int total) override;
  void writeProgress(int percent) override;
  void descriptionProgress(int percent) override;
  bool askReadDescriptions() override;
  bool cancelRequested() override;
  bool confirmInsertVolume(const std::string& name) override;
  void volumeStarted(const std::string& name) override;
  void volumeAdded(std::size_t index) override;
  void volumeFailed(ResultCode code, const std::filesystem::path& dataFile) override;
  void imageFailed(const ErrorMessage& message) override;

  // Escape and closing the window: "Abbruch".
  void reject() override;

 private slots:
  void ButtonCancelClick();

 private:
  void processEvents(bool now);

  ScanPrompts& m_prompts;
  QPointer<QWidget> m_busyWindow;
  std::unique_ptr<BusyScope> m_busy;
  bool m_cancelled = false;
  bool m_readingDescriptions = false;
  QElapsedTimer m_sinceEvents;
  QLabel* m_driveCaption = nullptr;
  QLabel* m_drive = nullptr;
  QLabel* m_name = nullptr;
  QLabel* m_counter = nullptr;
  QLabel* m_phase = nullptr;
  QProgressBar* m_bar = nullptr;
  QPushButton* m_cancel = nullptr;
};

}  // namespace diskindex::ui
