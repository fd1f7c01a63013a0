#include "diskindex/ui/dlg_list_dirs.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/scan_messages.h"
#include "diskindex/core/volume_list.h"
#include "diskindex/ui/busy_scope.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/scan_prompts.h"

namespace diskindex::ui {
namespace {

namespace text = scan::messages;

// Events are processed at most this often while reading, so that the walk
// is not slowed down by repainting.
constexpr qint64 kEventIntervalMs = 40;

}  // namespace

TDlgListDirs::TDlgListDirs(const VolumeRoot& root, const QString& name, ScanPrompts& prompts,
                           QWidget* busyWindow)
    : QDialog(busyWindow, Qt::Dialog | Qt::WindowStaysOnTopHint),
      m_prompts(prompts),
      m_busyWindow(busyWindow) {
  setObjectName(QStringLiteral("TDlgListDirs"));
  setWindowTitle(qUtf8(text::kProgressCaption));
  setWindowModality(Qt::ApplicationModal);
  setCursor(Qt::ArrowCursor);
  m_drive = new QLabel(QStringLiteral("%1:").arg(QChar(root.letter()).toUpper()));
  m_drive->setObjectName(QStringLiteral("LabelDrive"));
  m_driveCaption = new QLabel(qUtf8(text::kDriveLabel));
  m_driveCaption->setObjectName(QStringLiteral("LabelDriveCaption"));
  m_name = new QLabel(name);
  m_name->setObjectName(QStringLiteral("LabelName"));
  m_counter = new QLabel(QStringLiteral("0"));
  m_counter->setObjectName(QStringLiteral("LabelCounter"));
  m_phase = new QLabel(qUtf8(text::kWriteLabel));
  m_phase->setObjectName(QStringLiteral("LabelPhase"));
  m_phase->setEnabled(false);
  m_bar = new QProgressBar;
  m_bar->setObjectName(QStringLiteral("ProgressBar"));
  m_bar->setRange(0, 100);
  m_bar->setValue(0);
  m_cancel = new QPushButton(qUtf8(text::kCancelButton));
  m_cancel->setObjectName(QStringLiteral("ButtonCancel"));

  auto* grid = new QGridLayout;
  grid->addWidget(m_driveCaption, 0, 0);
  grid->addWidget(m_drive, 0, 1);
  grid->addWidget(new QLabel(qUtf8(text::kNameLabel)), 1, 0);
  grid->addWidget(m_name, 1, 1);
  grid->addWidget(new QLabel(qUtf8(text::kCounterLabel)), 2, 0);
  grid->addWidget(m_counter, 2, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(m_phase);
  layout->addWidget(m_bar);
  layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
  setMinimumWidth(340);
  connect(m_cancel, &QPushButton::clicked, this, &TDlgListDirs::ButtonCancelClick);
  if (m_busyWindow) {
    m_busyWindow->setCursor(Qt::WaitCursor);
    m_busy = std::make_unique<BusyScope>(m_busyWindow);
  }
  m_sinceEvents.start();
  if (root.isFolder()) showFolder(QString::fromStdString(root.text()));
}

TDlgListDirs::~TDlgListDirs() {
  if (m_busyWindow) m_busyWindow->unsetCursor();
}

void TDlgListDirs::processEvents(bool now) {
  if (!now && m_sinceEvents.elapsed() < kEventIntervalMs) return;
  QCoreApplication::processEvents();
  m_sinceEvents.restart();
}

void TDlgListDirs::directoryFound(int total) {
  m_counter->setText(QString::number(total));
}

void TDlgListDirs::writeProgress(int percent) {
  m_phase->setEnabled(true);
  m_bar->setValue(percent);
  processEvents(percent == 0 || percent == 100);
}

void TDlgListDirs::descriptionProgress(int percent) {
  if (percent == 0) {
    m_readingDescriptions = true;
    m_phase->setText(qUtf8(text::kDescriptionsLabel));
    m_phase->setEnabled(true);
  }
  if (percent == 100) m_readingDescriptions = false;
  m_bar->setValue(percent);
  processEvents(percent == 0 || percent == 100);
}

bool TDlgListDirs::askReadDescriptions() {
  return m_prompts.yesNo(qUtf8(text::kProgressCaption), boxText(text::kReadDescriptionsQuestion));
}

bool TDlgListDirs::cancelRequested() {
  processEvents(false);
  return m_cancelled;
}

bool TDlgListDirs::confirmInsertVolume(const std::string& name) {
  return m_prompts.okCancel(qUtf8(text::kSeriesCaption), boxText(text::insertVolumePrompt(name)));
}

void TDlgListDirs::volumeStarted(const std::string& name) {
  m_name->setText(QString::fromStdString(name));
  m_counter->setText(QStringLiteral("0"));
  m_phase->setText(qUtf8(text::kWriteLabel));
  m_phase->setEnabled(false);
  m_bar->setValue(0);
  m_readingDescriptions = false;
  processEvents(true);
}

void TDlgListDirs::volumeAdded(std::size_t index) {
  if (onVolumeAdded) onVolumeAdded(index);
}

void TDlgListDirs::volumeFailed(ResultCode code, const std::filesystem::path& dataFile) {
  // An old comment file that could not be replaced is named by its own name.
  const std::filesystem::path named =
      code == ResultCode::CommentNotRemovable ? commentFileFor(dataFile) : dataFile;
  const ErrorMessage message = errorMessage(code, OperationTitle::CreateData, named.string());
  m_prompts.error(QString::fromStdString(message.caption), boxText(message.text));
}

void TDlgListDirs::showImageFile(const QString& path) {
  m_driveCaption->setText(qUtf8(text::kImageDriveLabel));
  m_drive->setText(path);
}

void TDlgListDirs::showFolder(const QString& path) {
  m_driveCaption->setText(qUtf8(text::kFolderDriveLabel));
  m_drive->setText(path);
}

void TDlgListDirs::imageFailed(const ErrorMessage& message) {
  m_prompts.error(QString::fromStdString(message.caption), boxText(message.text));
}

void TDlgListDirs::reject() {
  ButtonCancelClick();
}

void TDlgListDirs::ButtonCancelClick() {
  if (m_cancelled) return;
  const std::string_view question =
      m_readingDescriptions ? text::kCancelDescriptionsQuestion : text::kCancelWalkQuestion;
  if (!m_prompts.yesNo(qUtf8(text::kCancelCaption), boxText(question))) return;
  m_cancelled = true;
  hide();
}

}  // namespace diskindex::ui
