#include "diskindex/ui/convert_dialog.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>

#include "diskindex/ui/busy_scope.h"

namespace diskindex::ui {

TDlgConvert::TDlgConvert(QWidget* parent)
    : QDialog(parent), m_busy(std::make_unique<BusyScope>(parent)) {
  setObjectName(QStringLiteral("DlgConvert"));
  setWindowTitle(QStringLiteral("Daten konvertieren"));
  setModal(true);
  auto* column = new QVBoxLayout(this);
  column->addWidget(new QLabel(QStringLiteral("Datei wird konvertiert:"), this));
  m_file = new QLabel(this);
  m_file->setMinimumWidth(360);
  column->addWidget(m_file);
  m_count = new QLabel(this);
  column->addWidget(m_count);
  m_bar = new QProgressBar(this);
  column->addWidget(m_bar);
  auto* cancel = new QPushButton(QStringLiteral("Abbruch"), this);
  cancel->setObjectName(QStringLiteral("ButtonCancel"));
  connect(cancel, &QPushButton::clicked, this, &TDlgConvert::reject);
  column->addWidget(cancel, 0, Qt::AlignHCenter);
}

void TDlgConvert::showFile(const QString& file, int index, int count) {
  m_file->setText(file);
  m_count->setText(QStringLiteral("%1 von %2").arg(index).arg(count));
  m_bar->setRange(0, count);
  m_bar->setValue(index);
  if (!isVisible() && !m_cancelled) show();
  QApplication::processEvents();
}

TDlgConvert::~TDlgConvert() = default;

bool TDlgConvert::cancelRequested() {
  QApplication::processEvents();
  return m_cancelled;
}

void TDlgConvert::reject() {
  m_cancelled = true;
  QDialog::reject();
}

}  // namespace diskindex::ui
