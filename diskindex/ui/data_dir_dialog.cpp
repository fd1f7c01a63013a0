#include "diskindex/ui/data_dir_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "diskindex/core/data_folder.h"
#include "diskindex/ui/form_prompts.h"

namespace diskindex::ui {

DataDirDialog::DataDirDialog(const QString& current, FormPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
  setWindowTitle(QStringLiteral("Daten-Verzeichnis festlegen"));
  setObjectName(QStringLiteral("DlgDataDir"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Aktuelles Verzeichnis:"), this), 0, 0);
  auto* currentLabel = new QLabel(current, this);
  currentLabel->setObjectName(QStringLiteral("LabelCurrentDir"));
  currentLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(currentLabel, 0, 1, 1, 2);
  auto* newLabel = new QLabel(QStringLiteral("&Neues Verzeichnis:"), this);
  m_newDir = new QLineEdit(current, this);
  m_newDir->setObjectName(QStringLiteral("EditNewDir"));
  m_newDir->setMinimumWidth(320);
  newLabel->setBuddy(m_newDir);
  auto* browse = new QPushButton(QStringLiteral("&Durchsuchen ..."), this);
  connect(browse, &QPushButton::clicked, this, &DataDirDialog::browse);
  grid->addWidget(newLabel, 1, 0);
  grid->addWidget(m_newDir, 1, 1);
  grid->addWidget(browse, 1, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbruch"));
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ButtonOk"));
  connect(buttons, &QDialogButtonBox::accepted, this, &DataDirDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* column = new QVBoxLayout(this);
  column->addLayout(grid);
  column->addSpacing(8);
  column->addWidget(buttons);
}

QString DataDirDialog::newDirectory() const {
  return m_newDir->text().trimmed();
}

void DataDirDialog::accept() {
  const QString chosen = newDirectory();
  if (chosen.isEmpty()) return;
  const std::filesystem::path path(chosen.toStdString());
  const QString named = QStringLiteral("\"%1\"").arg(chosen);
  switch (folderState(path)) {
    case FolderState::Exists:
      break;
    case FolderState::NotAFolder:
      m_prompts.error(windowTitle(),
                      QStringLiteral("Der Pfad\n%1\nist kein Verzeichnis!").arg(named));
      return;
    case FolderState::Missing:
      if (!m_prompts.question(
              windowTitle(),
              QStringLiteral("Das Verzeichnis\n%1\nexistiert nicht.\n\nSoll es angelegt werden?")
                  .arg(named))) {
        return;
      }
      if (!createFolder(path)) {
        m_prompts.error(
            windowTitle(),
            QStringLiteral("Das Verzeichnis\n%1\nkann nicht angelegt werden!").arg(named));
        return;
      }
      break;
  }
  QDialog::accept();
}

void DataDirDialog::browse() {
  const QString chosen = QFileDialog::getExistingDirectory(
      this, QStringLiteral("Daten-Verzeichnis festlegen"), m_newDir->text());
  if (!chosen.isEmpty()) m_newDir->setText(chosen);
}

}  // namespace diskindex::ui
