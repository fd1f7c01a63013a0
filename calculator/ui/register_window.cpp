#include "calculator/ui/register_window.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "calculator/core/calc_engine.h"

namespace finova::ui {
namespace {

QStringList rowNames(RegisterWindow::Kind kind) {
  if (kind == RegisterWindow::Kind::Registers) {
    return {"T", "Z", "Y", "X", "n", "i", "PV", "PMT", "FV"};
  }
  QStringList names;
  for (int k = 0; k < 10; ++k) names << QStringLiteral("R%1").arg(k);
  for (int k = 0; k < 10; ++k) names << QStringLiteral("R.%1").arg(k);
  return names;
}

}  // namespace

RegisterWindow::RegisterWindow(Kind kind, const CalcEngine& engine, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_engine(engine), m_names(rowNames(kind)) {
  const bool registers = kind == Kind::Registers;
  setObjectName(registers ? QStringLiteral("REGISTERS") : QStringLiteral("MEMORY"));
  setWindowTitle(registers ? QStringLiteral("Registers") : QStringLiteral("Memory"));
  setAttribute(Qt::WA_QuitOnClose, false);
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  QFont mono(QStringLiteral("DejaVu Sans Mono"));
  mono.setStyleHint(QFont::Monospace);
  const int perColumn = registers ? m_names.size() : 10;
  for (int row = 0; row < m_names.size(); ++row) {
    auto* name = new QLabel(m_names[row] + QLatin1Char(':'), this);
    auto* value = new QLabel(this);
    value->setObjectName(QStringLiteral("value_") + m_names[row]);
    value->setFont(mono);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(180);
    value->setFrameShape(QFrame::StyledPanel);
    value->setStyleSheet(QStringLiteral("background: white; padding: 1px 4px;"));
    const int column = (row / perColumn) * 2;
    grid->addWidget(name, row % perColumn, column);
    grid->addWidget(value, row % perColumn, column + 1);
    m_values.push_back(value);
  }
  layout->addLayout(grid);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  layout->addWidget(buttons);
  refresh();
}

double RegisterWindow::value(int row) const {
  const EngineRegisters& r = m_engine.registers();
  if (m_kind == Kind::Memory) return r.R[static_cast<std::size_t>(row)];
  const double values[] = {r.T, r.Z, r.Y, r.X, r.n(), r.i(), r.PV(), r.PMT(), r.FV()};
  return values[row];
}

void RegisterWindow::refresh() {
  if (!isVisible()) return;
  for (int row = 0; row < m_values.size(); ++row) {
    const std::string text =
        ToDisplayStyle(FormatNumber(value(row), m_engine.decimals()), m_engine.separatorStyle());
    m_values[row]->setText(QString::fromStdString(text));
  }
}

QString RegisterWindow::valueText(const QString& name) const {
  const int row = m_names.indexOf(name);
  return row < 0 ? QString() : m_values[row]->text();
}

void RegisterWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  refresh();
  emit visibilityChanged();
}

void RegisterWindow::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  emit visibilityChanged();
}

}  // namespace finova::ui
