#include "diskindex/core/category_list.h"
#include "diskindex/ui/byte_limit_validator.h"
#include "diskindex/ui/dlg_add_drive.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "diskindex/core/messages.h"
#include "diskindex/core/scan/image_reader.h"
#include "diskindex/core/scan/rescan_messages.h"
#include "diskindex/core/scan/scan_messages.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/text_codec.h"
#include "diskindex/core/volume_header.h"
#include "diskindex/core/volume_list.h"
#include "diskindex/core/volume_root.h"
#include "diskindex/ui/drive_combo.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/scan_prompts.h"
#include "platform/codepage.h"

namespace diskindex::ui {
namespace {

constexpr int kHelpContext = 130;

QString chooseImageFile(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, qUtf8(scan::messages::kImageDialogCaption), QString(),
                                      qUtf8(scan::messages::kImageFilterImages) +
                                          QStringLiteral(";;") +
                                          qUtf8(scan::messages::kImageFilterAll));
}

QString chooseFolder(QWidget* parent) {
  return QFileDialog::getExistingDirectory(parent, qUtf8(scan::messages::kFolderCaption));
}

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TDlgAddDrive::TDlgAddDrive(Mode mode, const platform::DriveTable& drives,
                           const scan::DialogContext& context, const scan::DialogValues& initial,
                           const std::vector<std::string>& categories, ScanPrompts& prompts,
                           QWidget* parent)
    : QDialog(parent),
      m_mode(mode),
      m_drives(drives),
      m_context(context),
      m_initial(initial),
      m_prompts(prompts),
      m_chooseImage(chooseImageFile),
      m_chooseFolder(chooseFolder) {
  setObjectName(QStringLiteral("TDlgAddDrive"));
  setWindowTitle(qUtf8(std::string(mode == Mode::Adding ? scan::messages::kAddCaption
                                                        : scan::messages::kChangeCaption)));
  buildControls(categories);
  fillDrives();
  restoreInitialDrive();
  m_name->setText(qUtf8(initial.name));
  m_comment->setPlainText(
      qUtf8(initial.remark).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  m_where->setText(qUtf8(initial.location));
  m_category->setCurrentText(qUtf8(initial.category));
  m_countEdit->setText(QStringLiteral("1"));
  connect(m_drive, &QComboBox::currentIndexChanged, this, &TDlgAddDrive::DriveComboBoxChange);
  updateStates();
}

void TDlgAddDrive::buildControls(const std::vector<std::string>& categories) {
  m_drive = new QComboBox;
  m_drive->setObjectName(QStringLiteral("DriveComboBox"));
  m_name = new QLineEdit;
  m_name->setObjectName(QStringLiteral("EditName"));
  m_name->setMaxLength(static_cast<int>(kMaxNameLength));
  m_comment = new QPlainTextEdit;
  m_comment->setObjectName(QStringLiteral("MemoComment"));
  m_comment->setTabChangesFocus(true);
  m_comment->setFixedHeight(m_comment->fontMetrics().lineSpacing() * 4 + 10);
  m_where = new QLineEdit;
  m_where->setObjectName(QStringLiteral("EditWhere"));
  m_where->setMaxLength(static_cast<int>(kMaxLocationLength));
  m_category = new QComboBox;
  m_category->setObjectName(QStringLiteral("ComboBoxCategory"));
  m_category->setEditable(true);
  m_category->setInsertPolicy(QComboBox::NoInsert);
  m_category->lineEdit()->setMaxLength(static_cast<int>(kMaxCategoryLength));
  m_category->setValidator(new ByteLimitValidator(kMaxCategoryBytes, m_category));
  m_category->addItem(qUtf8(std::string(diskindex::messages::kNoCategory)));
  for (const std::string& name : categories) m_category->addItem(qUtf8(name));
  m_serial = new QCheckBox(QStringLiteral("&Serie einlesen"));
  m_serial->setObjectName(QStringLiteral("CheckBoxSerial"));
  m_countEdit = new QLineEdit;
  m_countEdit->setObjectName(QStringLiteral("EditCount"));
  m_countEdit->setMaxLength(3);
  m_countEdit->setMaximumWidth(60);
  m_countLabel = buddyLabel(QStringLiteral("&Gesamtzahl Datenträger:"), m_countEdit);
  m_changeDrives = new QCheckBox(QStringLiteral("LW-Änderung für &alle Datenträger"));
  m_changeDrives->setObjectName(QStringLiteral("CheckBoxChangeDrives"));

  m_imageButton = new QPushButton(qUtf8(scan::messages::kImageButton));
  m_imageButton->setObjectName(QStringLiteral("ButtonImageFile"));
  m_folderButton = new QPushButton(qUtf8(scan::messages::kFolderButton));
  m_folderButton->setObjectName(QStringLiteral("ButtonFolder"));
  m_folderButton->setAutoDefault(false);  // Return means OK, also while it has the focus
  m_imageButton->setAutoDefault(false);
  m_nestedMounts = new QCheckBox(qUtf8(scan::messages::kNestedMountsOption));
  m_nestedMounts->setObjectName(QStringLiteral("CheckBoxNestedMounts"));
  m_imageLabel = new QLabel;
  m_imageLabel->setObjectName(QStringLiteral("LabelImageFile"));
  m_imageLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_imageLabel->hide();

  auto* grid = new QGridLayout;
  grid->addWidget(buddyLabel(QStringLiteral("&Laufwerk:"), m_drive), 0, 0);
  auto* driveRow = new QHBoxLayout;
  driveRow->addWidget(m_drive, 1);
  driveRow->addWidget(m_folderButton);
  driveRow->addWidget(m_imageButton);
  grid->addLayout(driveRow, 0, 1);
  grid->addWidget(m_imageLabel, 7, 0, 1, 2);
  grid->addWidget(buddyLabel(QStringLiteral("&Bezeichnung:"), m_name), 1, 0);
  grid->addWidget(m_name, 1, 1);
  grid->addWidget(buddyLabel(QStringLiteral("Be&merkung:"), m_comment), 2, 0, Qt::AlignTop);
  grid->addWidget(m_comment, 2, 1);
  grid->addWidget(buddyLabel(QStringLiteral("Lager&ort:"), m_where), 3, 0);
  grid->addWidget(m_where, 3, 1);
  grid->addWidget(buddyLabel(QStringLiteral("&Kategorie:"), m_category), 4, 0);
  grid->addWidget(m_category, 4, 1);
  auto* series = new QHBoxLayout;
  series->addWidget(m_serial);
  series->addStretch();
  series->addWidget(m_countLabel);
  series->addWidget(m_countEdit);
  grid->addLayout(series, 5, 0, 1, 2);
  grid->addWidget(m_changeDrives, 6, 0, 1, 2);
  grid->addWidget(m_nestedMounts, 8, 0, 1, 2);

  m_ok = new QPushButton(QStringLiteral("OK"));
  m_ok->setObjectName(QStringLiteral("ButtonOk"));
  m_ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Abbruch"));
  cancel->setObjectName(QStringLiteral("ButtonCancel"));
  auto* help = new QPushButton(QStringLiteral("&Hilfe"));
  help->setObjectName(QStringLiteral("ButtonHelp"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  const bool adding = m_mode == Mode::Adding;
  m_serial->setVisible(adding);
  m_countLabel->setVisible(adding);
  m_countEdit->setVisible(adding);
  m_changeDrives->setVisible(!adding);
  m_imageButton->setVisible(adding);
  m_nestedMounts->setVisible(adding);
  connect(m_imageButton, &QPushButton::clicked, this, &TDlgAddDrive::ButtonImageFileClick);
  connect(m_folderButton, &QPushButton::clicked, this, &TDlgAddDrive::ButtonFolderClick);
  connect(m_ok, &QPushButton::clicked, this, &TDlgAddDrive::ButtonOkClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(kHelpContext); });
  connect(m_name, &QLineEdit::textChanged, this, &TDlgAddDrive::updateStates);
  connect(m_serial, &QCheckBox::toggled, this, &TDlgAddDrive::updateStates);
  connect(m_comment, &QPlainTextEdit::textChanged, this, &TDlgAddDrive::limitComment);
}

// One item per drive of the table: letter, label and mount point; the
// volume's own letter is listed even when the table has no such drive now.
void TDlgAddDrive::fillDrives() {
  fillDriveCombo(m_drive, m_drives, m_initial.driveLetter);
}

void TDlgAddDrive::selectDrive(char letter) {
  const int index = m_drive->findData(QVariant(static_cast<int>(letter)));
  if (index >= 0) m_drive->setCurrentIndex(index);
}

void TDlgAddDrive::showFolder(const std::filesystem::path& folder) {
  m_folder = folder;
  m_imageFile.clear();
  m_imageLabel->setText(qUtf8(scan::messages::kFolderDriveLabel) + QStringLiteral(" ") +
                        QString::fromStdString(folder.string()));
  m_imageLabel->show();
  // Picking a drive again ends the folder.
  showNoDrive(m_drive, qUtf8(scan::messages::kFolderInsteadOfDrive));
}

void TDlgAddDrive::restoreInitialDrive() {
  if (!m_initial.folder.empty()) {
    showFolder(m_initial.folder);
    return;
  }
  m_folder.clear();
  m_imageLabel->hide();
  if (VolumeRoot(m_initial.driveLetter).isFolder()) {
    // The volume's kept folder is lost: no drive of the list is its own, and
    // the first one must not look chosen (OK would move the volume there).
    showNoDrive(m_drive, QString::fromStdString(VolumeRoot(m_initial.driveLetter).text()));
    return;
  }
  selectDrive(m_initial.driveLetter);
}

char TDlgAddDrive::chosenLetter() const {
  // Nothing chosen for a volume without a letter: it stays where it is.
  if (m_drive->currentIndex() < 0 && VolumeRoot(m_initial.driveLetter).isFolder()) {
    return m_initial.driveLetter;
  }
  return static_cast<char>(m_drive->currentData().toInt());
}

void TDlgAddDrive::DriveComboBoxChange(int) {
  m_imageFile.clear();
  m_folder.clear();
  m_imageLabel->hide();
  if (m_mode == Mode::Adding) m_name->setText(qUtf8(scan::currentLabel(m_drives, chosenLetter())));
  updateStates();
}

// The chosen file replaces the drive; its volume label (or, without one,
// the file's name) is proposed as the name, as a drive's label is.
void TDlgAddDrive::ButtonImageFileClick() {
  const QString chosen = m_chooseImage(this);
  if (chosen.isEmpty()) return;
  m_imageFile = chosen.toStdString();
  m_folder.clear();
  if (m_drive->currentIndex() < 0) {
    // An image is stored under a drive letter of the list: a folder chosen
    // before gives the list back its drive.
    const QSignalBlocker quiet(m_drive);
    selectDrive(m_initial.driveLetter);
    if (m_drive->currentIndex() < 0 && m_drive->count() > 0) m_drive->setCurrentIndex(0);
  }
  m_imageLabel->setText(qUtf8(scan::messages::kImageDriveLabel) + QStringLiteral(" ") + chosen);
  m_imageLabel->show();
  const std::string label = scan::imageLabel(m_imageFile);
  const std::string proposal = label.empty() ? m_imageFile.stem().string() : label;
  m_name->setText(qUtf8(proposal).left(static_cast<int>(kMaxNameLength)));
  m_serial->setChecked(false);
  updateStates();
}

// The chosen folder replaces the drive; when adding, its name is proposed as
// the volume's name (a folder has no label).
void TDlgAddDrive::ButtonFolderClick() {
  const QString chosen = m_chooseFolder(this);
  if (chosen.isEmpty()) return;
  showFolder(chosen.toStdString());
  if (m_mode == Mode::Adding) {
    const std::filesystem::path folder = m_folder.lexically_normal();
    const std::string name =
        (folder.has_filename() ? folder.filename() : folder.parent_path().filename()).string();
    m_name->setText(
        qUtf8(name.empty() ? m_folder.string() : name).left(static_cast<int>(kMaxNameLength)));
    m_serial->setChecked(false);
  }
  updateStates();
}

void TDlgAddDrive::updateStates() {
  m_ok->setEnabled(!m_name->text().isEmpty());
  m_serial->setEnabled(m_imageFile.empty() && m_folder.empty());
  m_countLabel->setEnabled(m_serial->isChecked());
  m_countEdit->setEnabled(m_serial->isChecked());
  // A folder's letter is only known once it is recorded: no change on all.
  const bool otherLetter = m_folder.empty() && m_initial.folder.empty() &&
                           chosenLetter() != m_initial.driveLetter;
  m_changeDrives->setEnabled(otherLetter);
  if (!otherLetter) m_changeDrives->setChecked(false);
}

// The limit is the header field's: bytes as stored, a line break counting as
// its CR LF and, in a UTF-8 volume, a character as its UTF-8 bytes. The end
// is cut off rather than the text reset, so that undo still works.
void TDlgAddDrive::limitComment() {
  const std::string text = m_comment->toPlainText().toStdString();
  const bool utf8 = !platform::fitsCp1252(text) ||
                    (m_context.editedIndex && (*m_context.volumes)[*m_context.editedIndex].utf8);
  const std::size_t keep = fittingPrefix(text, kMaxRemarkLength, utf8);
  if (keep == text.size()) return;
  QTextCursor cursor(m_comment->document());
  cursor.setPosition(
      static_cast<int>(QString::fromUtf8(text.data(), static_cast<qsizetype>(keep)).size()));
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  m_comment->moveCursor(QTextCursor::End);
}

scan::DialogValues TDlgAddDrive::values() const {
  scan::DialogValues v;
  v.driveLetter = chosenLetter();
  v.name = m_name->text().toStdString();
  // The remark field keeps CR LF line breaks in the header.
  v.remark =
      m_comment->toPlainText().replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString();
  v.location = m_where->text().toStdString();
  v.category = m_category->currentText().toStdString();
  v.serial = m_mode == Mode::Adding && m_serial->isChecked();
  v.countText = m_countEdit->text().toStdString();
  v.changeAllDrives = m_mode == Mode::Changing && m_changeDrives->isChecked();
  v.imageFile = m_imageFile;
  v.folder = m_folder;
  v.nestedMounts = m_mode == Mode::Adding && m_nestedMounts->isChecked() ? scan::NestedMounts::Read
                                                                         : scan::NestedMounts::Skip;
  return v;
}

void TDlgAddDrive::ButtonOkClick() {
  DialogQuestionsOnPrompts questions(m_prompts, windowTitle());
  int count = 0;
  switch (scan::checkDialog(values(), m_context, questions, &count)) {
    case scan::DialogCheck::Accepted:
      m_count = count;
      accept();
      break;
    case scan::DialogCheck::KeepOpenRestoreDrive:
      restoreInitialDrive();
      updateStates();
      break;
    case scan::DialogCheck::KeepOpen:
      break;
  }
}

}  // namespace diskindex::ui
