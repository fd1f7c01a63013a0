#include "diskindex/ui/convert_dialog.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>

#include "diskindex/ui/busy_scope.h"

namespace diskindex::ui {

TDlgConvert::TDlgConvert(QWidget* parent, Form form)
    : QDialog(parent), m_busy(std::make_unique<BusyScope>(parent)) {
  const bool copy = form == Form::Copy;
  setObjectName(copy ? QStringLiteral("DlgCopyProgress") : QStringLiteral("DlgConvert"));
  setWindowTitle(copy ? QStringLiteral("Datei(en) kopieren")
                      : QStringLiteral("Daten konvertieren"));
  setModal(true);
  auto* column = new QVBoxLayout(this);
  column->addWidget(new QLabel(
      copy ? QStringLiteral("Zieldatei:") : QStringLiteral("Datei wird konvertiert:"), this));
  m_file = new QLabel(this);
  m_file->setObjectName(QStringLiteral("LabelFile"));
  m_file->setMinimumWidth(360);
  column->addWidget(m_file);
  m_count = new QLabel(copy ? QStringLiteral("Bereits kopiert:") : QString(), this);
  column->addWidget(m_count);
  m_bar = new QProgressBar(this);
  m_bar->setObjectName(QStringLiteral("BarProgress"));
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

void TDlgConvert::showTarget(const QString& file) {
  m_file->setText(file);
  if (!isVisible() && !m_cancelled) show();
  QApplication::processEvents();
}

void TDlgConvert::showCopied(std::uint64_t done, std::uint64_t total) {
  // The bar counts per mille, so sizes beyond int fit.
  m_bar->setRange(0, 1000);
  m_bar->setValue(total == 0 ? 1000 : static_cast<int>(done * 1000 / total));
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
