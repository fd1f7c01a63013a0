#include "diskindex/ui/dlg_rescan_volume.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "diskindex/core/scan/rescan_messages.h"
#include "diskindex/core/scan/scan_messages.h"
#include "diskindex/ui/drive_combo.h"
#include "diskindex/ui/help_topic.h"
#include "diskindex/ui/help_window.h"
#include "diskindex/ui/ok_cancel_box.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
TDlgRescanVolume::FolderChooser& TDlgRescanVolume::folderChooser() {
  static FolderChooser chooser = [](QWidget* parent, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, qUtf8(scan::messages::kFolderCaption), start);
  };
  return chooser;
}

TDlgRescanVolume::ImageChooser& TDlgRescanVolume::imageChooser() {
  static ImageChooser chooser = [](QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, qUtf8(scan::messages::kImageDialogCaption), QString(),
        qUtf8(scan::messages::kImageFilterImages) + QStringLiteral(";;") +
            qUtf8(scan::messages::kImageFilterAll));
  };
  return chooser;
}

TDlgRescanVolume::TDlgRescanVolume(const platform::DriveTable& drives, const VolumeRoot& stored,
                                   const QString& volumeName, QWidget* parent)
    : QDialog(parent), m_storedLetter(stored.letter()) {
  const char storedLetter = stored.letter();
  setObjectName(QStringLiteral("TDlgRescanVolume"));
  setWindowTitle(qUtf8(scan::messages::kRescanCaption));
  auto* question = new QLabel(QString(qUtf8(scan::messages::kDriveQuestion)).replace("\r\n", "\n"));
  auto* name = new QLabel(QStringLiteral("\"%1\"").arg(volumeName));
  name->setObjectName(QStringLiteral("LabelName"));
  m_drive = new QComboBox;
  m_drive->setObjectName(QStringLiteral("DriveComboBox"));
  fillDriveCombo(m_drive, drives, storedLetter);
  if (stored.isFolder()) {
    // No drive of the list is the volume's, and the first ("C:  (/)") must
    // not look chosen: the kept folder is (a lost one shows as "?").
    showNoDrive(m_drive, stored.folder().empty() ? QString::fromStdString(stored.text())
                                                 : qUtf8(scan::messages::kFolderInsteadOfDrive));
  } else {
    m_drive->setCurrentIndex(std::max(0, m_drive->findData(static_cast<int>(storedLetter))));
  }
  auto* driveLabel = new QLabel(QStringLiteral("&Laufwerk:"));
  driveLabel->setBuddy(m_drive);
  auto* folderButton = new QPushButton(qUtf8(scan::messages::kFolderButton));
  folderButton->setObjectName(QStringLiteral("ButtonFolder"));
  folderButton->setAutoDefault(false);  // Return means OK, also while it has the focus
  auto* imageButton = new QPushButton(qUtf8(scan::messages::kImageButton));
  imageButton->setObjectName(QStringLiteral("ButtonImage"));
  imageButton->setAutoDefault(false);
  m_folder = new QLabel;
  m_folder->setObjectName(QStringLiteral("LabelFolder"));
  QDialogButtonBox* buttons = makeOkCancelBox(this, OkText::OK, OkDefault::Yes).box;
  QPushButton* help = buttons->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole);
  help->setObjectName(QStringLiteral("ButtonHelp"));
  help->setAutoDefault(false);
  // The dialog's own help window: usable while this modal dialog runs.
  connect(help, &QPushButton::clicked, this, [this] { openHelpPage(this, help::kRescanVolume); });

  auto* grid = new QGridLayout;
  grid->addWidget(driveLabel, 0, 0);
  grid->addWidget(m_drive, 0, 1);
  grid->addWidget(folderButton, 1, 0);
  grid->addWidget(imageButton, 2, 0);
  grid->addWidget(m_folder, 1, 1, 2, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(name);
  layout->addWidget(question);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  connect(folderButton, &QPushButton::clicked, this, &TDlgRescanVolume::ButtonFolderClick);
  connect(imageButton, &QPushButton::clicked, this, &TDlgRescanVolume::ButtonImageClick);
  m_drive->setFocus();
  // A folder or image chosen once gives way again when a drive is picked.
  connect(m_drive, &QComboBox::activated, this, [this] {
    m_chosenFolder.clear();
    m_chosenImage.clear();
    m_folder->clear();
  });
  if (stored.isFolder() && !stored.folder().empty()) {
    m_chosenFolder = stored.folder();
    m_folder->setText(QString::fromStdString(stored.folder()));
  }
}

void TDlgRescanVolume::ButtonFolderClick() {
  const QString folder = folderChooser()(this, QString::fromStdString(m_chosenFolder.string()));
  if (folder.isEmpty()) return;
  m_chosenFolder = folder.toStdString();
  m_chosenImage.clear();
  m_folder->setText(folder);
}

void TDlgRescanVolume::ButtonImageClick() {
  const QString image = imageChooser()(this);
  if (image.isEmpty()) return;
  m_chosenImage = image.toStdString();
  m_chosenFolder.clear();
  m_folder->setText(qUtf8(scan::messages::kImageDriveLabel) + QStringLiteral(" ") + image);
}

RescanSource rescanSource(const RescanChoice& choice, const platform::DriveTable& drives,
                          files::VolumeCheckObserver* check) {
  if (!choice.image.empty()) return RescanFromImage{choice.image};
  if (!choice.folder.empty()) return RescanFromFolder{choice.folder};
  return RescanFromDrive{drives, choice.letter, check};
}

RescanChoice TDlgRescanVolume::choice() const {
  RescanChoice choice;
  choice.folder = m_chosenFolder;
  choice.image = m_chosenImage;
  // No drive picked for a volume without a letter: its own (kept or lost)
  // folder, where the volume check says when it cannot be reached.
  choice.letter = m_drive->currentIndex() >= 0 ? static_cast<char>(m_drive->currentData().toInt())
                                               : m_storedLetter;
  return choice;
}

}  // namespace diskindex::ui
