#include "diskindex/ui/data_dir_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace diskindex::ui {

DataDirDialog::DataDirDialog(const QString& current, QWidget* parent) : QDialog(parent) {
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
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* column = new QVBoxLayout(this);
  column->addLayout(grid);
  column->addSpacing(8);
  column->addWidget(buttons);
}

QString DataDirDialog::newDirectory() const {
  return m_newDir->text().trimmed();
}

void DataDirDialog::browse() {
  const QString chosen = QFileDialog::getExistingDirectory(
      this, QStringLiteral("Daten-Verzeichnis festlegen"), m_newDir->text());
  if (!chosen.isEmpty()) m_newDir->setText(chosen);
}

}  // namespace diskindex::ui
