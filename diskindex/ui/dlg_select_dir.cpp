#include "diskindex/ui/dlg_select_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "diskindex/core/data_folder.h"
#include "diskindex/core/files/file_messages.h"
#include "diskindex/ui/copy_prompts.h"
#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/ok_cancel_box.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {
namespace {

constexpr const char* kUp = "..";

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TDlgSelectDir::TDlgSelectDir(Form form, const QString& source, const QString& target,
                             const DriveList& drives, bool choice, CopyPrompts& copyPrompts,
                             FormPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_form(form), m_copyPrompts(copyPrompts), m_prompts(prompts) {
  setObjectName(QStringLiteral("TDlgSelectDir"));
  setWindowTitle(qUtf8(files::kCopyCaption));
  auto* layout = new QVBoxLayout(this);
  auto* fields = new QFormLayout;
  if (form == Form::CopyFiles) {
    auto* sourceLabel = new QLabel(source);
    sourceLabel->setObjectName(QStringLiteral("LabelSource"));
    fields->addRow(QStringLiteral("Quell-Verzeichnis:"), sourceLabel);
  }
  m_target = new QLineEdit;
  m_target->setObjectName(QStringLiteral("EditTarget"));
  m_target->setMinimumWidth(360);
  fields->addRow(QStringLiteral("kopieren nach:"), m_target);
  m_drives = new QComboBox;
  m_drives->setObjectName(QStringLiteral("ComboBoxDrives"));
  for (const auto& [letter, root] : drives) {
    m_drives->addItem(QStringLiteral("%1:  %2").arg(QChar::fromLatin1(letter),
                                                    QString::fromStdString(root.string())),
                      QString::fromStdString(root.string()));
  }
  fields->addRow(buddyLabel(QStringLiteral("&Laufwerke:"), m_drives), m_drives);
  layout->addLayout(fields);
  m_dirs = new QListWidget;
  m_dirs->setObjectName(QStringLiteral("ListDirs"));
  m_dirs->setMinimumHeight(180);
  layout->addWidget(buddyLabel(QStringLiteral("&Verzeichnisse:"), m_dirs));
  layout->addWidget(m_dirs, 1);
  auto* newDir = new QPushButton(QStringLiteral("&Neues Verzeichnis ..."));
  newDir->setObjectName(QStringLiteral("ButtonNewDir"));
  newDir->setAutoDefault(false);
  layout->addWidget(newDir, 0, Qt::AlignLeft);
  if (form == Form::CopyFiles) {
    m_whole = new QCheckBox(QStringLiteral("gesa&mtes Verzeichnis kopieren"));
    m_whole->setObjectName(QStringLiteral("CheckBoxWholeDir"));
    m_whole->setChecked(choice);
    layout->addWidget(m_whole);
  } else {
    m_selected = new QRadioButton(QStringLiteral("&selektierte Datei(en) kopieren"));
    m_selected->setObjectName(QStringLiteral("RadioSelected"));
    m_all = new QRadioButton(QStringLiteral("&alle Dateien kopieren"));
    m_all->setObjectName(QStringLiteral("RadioAll"));
    (choice ? m_all : m_selected)->setChecked(true);
    layout->addWidget(m_selected);
    layout->addWidget(m_all);
  }
  const OkCancelBox buttons = makeOkCancelBox(this, OkText::OK, OkDefault::No);
  m_ok = buttons.ok;
  layout->addWidget(buttons.box);
  connect(m_target, &QLineEdit::textChanged, this, &TDlgSelectDir::updateOk);
  connect(newDir, &QPushButton::clicked, this, &TDlgSelectDir::newDirectory);
  connect(m_drives, &QComboBox::activated, this, &TDlgSelectDir::driveChosen);
  connect(m_dirs, &QListWidget::itemActivated, this, &TDlgSelectDir::enter);
  connect(m_target, &QLineEdit::editingFinished, this, &TDlgSelectDir::fillDirectories);
  setTarget(target);
  updateOk();
}

void TDlgSelectDir::updateOk() {
  // An empty target would copy into the program's working folder.
  m_ok->setEnabled(!m_target->text().trimmed().isEmpty());
}

void TDlgSelectDir::accept() {
  if (m_target->text().trimmed().isEmpty()) return;
  const std::filesystem::path folder = target().toStdString();
  const QString caption = qUtf8(files::kCopyCaption);
  switch (folderState(folder)) {
    case FolderState::Exists:
      break;
    case FolderState::NotAFolder:
      m_prompts.error(caption,
                      boxText(files::copyMessage(ResultCode::NotFound, folder.string()).text));
      return;
    case FolderState::Missing:
      if (!m_prompts.question(caption, boxText(files::createTargetQuestion(folder.string())))) {
        return;
      }
      if (!createFolder(folder)) {
        m_prompts.error(caption, boxText(files::copyMessage(ResultCode::CannotCreateDirectory,
                                                            folder.string())
                                             .text));
        return;
      }
      fillDirectories();
      break;
  }
  QDialog::accept();
}

QString TDlgSelectDir::target() const {
  return QDir::cleanPath(m_target->text());
}

bool TDlgSelectDir::choice() const {
  return m_form == Form::CopyFiles ? m_whole->isChecked() : m_all->isChecked();
}

void TDlgSelectDir::setTarget(const QString& folder) {
  m_target->setText(QDir::cleanPath(folder));
  fillDirectories();
  // The drive that holds the target (the longest root that is a prefix).
  int best = -1;
  qsizetype bestLength = -1;
  for (int i = 0; i < m_drives->count(); ++i) {
    const QString root = QDir::cleanPath(m_drives->itemData(i).toString());
    const bool holds =
        target() == root ||
        target().startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
    if (holds && root.size() > bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  m_drives->setCurrentIndex(best);
}

void TDlgSelectDir::fillDirectories() {
  m_dirs->clear();
  const QDir dir(target());
  if (!dir.isRoot()) m_dirs->addItem(QString::fromLatin1(kUp));
  const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                          QDir::Name | QDir::IgnoreCase);
  m_dirs->addItems(names);
}

void TDlgSelectDir::driveChosen(int index) {
  if (index >= 0) setTarget(m_drives->itemData(index).toString());
}

void TDlgSelectDir::enter(QListWidgetItem* item) {
  if (!item) return;
  QDir dir(target());
  if (item->text() == QLatin1String(kUp)) {
    dir.cdUp();
    setTarget(dir.path());
  } else {
    setTarget(dir.filePath(item->text()));
  }
}

void TDlgSelectDir::newDirectory() {
  const std::optional<QString> name = m_copyPrompts.newFolderName(target());
  if (!name || name->trimmed().isEmpty()) return;
  const QString path = QDir(target()).filePath(name->trimmed());
  std::error_code ec;
  if (!std::filesystem::create_directory(path.toStdString(), ec) || ec) {
    m_prompts.error(qUtf8(files::kCopyCaption),
                    boxText(files::cannotCreateFolder(path.toStdString())));
    return;
  }
  setTarget(path);
}

}  // namespace diskindex::ui
