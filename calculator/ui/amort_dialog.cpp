#include "calculator/ui/amort_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "calculator/core/calc_engine.h"
#include "calculator/core/financial/financial_routines.h"
#include "calculator/core/window_texts.h"
#include "calculator/ui/print_support.h"
#include "calculator/ui/prompts.h"

namespace finova::ui {
namespace {

QFont scheduleFont() {
  QFont font(QStringLiteral("Liberation Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(10);
  return font;
}

QLabel* headerField(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setFont(scheduleFont());
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumWidth(170);
  label->setFrameShape(QFrame::StyledPanel);
  label->setStyleSheet(QStringLiteral("background: white; padding: 1px 4px;"));
  return label;
}

}  // namespace

const char* AmortDialog::refusal(const CalcEngine& engine) {
  return fin::scheduleRefusal(fin::loanOf(engine.registers()));
}

AmortDialog::AmortDialog(const CalcEngine& engine, Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      m_engine(engine),
      m_prompts(prompts),
      m_loan(fin::loanOf(engine.registers())),
      m_schedule(fin::scheduleRows(m_loan)) {
  setObjectName(QStringLiteral("AMORT"));
  setWindowTitle(QStringLiteral("Amortization Schedule"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  const fin::ScheduleHeader header = fin::scheduleHeader(m_loan);
  QLabel* loan = headerField("LoanAmount", this);
  loan->setText(QString::fromStdString(format(header.loanAmount)));
  QLabel* rate = headerField("InterestRate", this);
  rate->setText(QString::fromStdString(format(header.ratePerYear)));
  QLabel* payment = headerField("PaymentAmount", this);
  payment->setText(QString::fromStdString(format(header.payment)));
  form->addRow(QStringLiteral("Loan amount:"), loan);
  form->addRow(QStringLiteral("Interest rate/yr:"), rate);
  form->addRow(QStringLiteral("Payment amount:"), payment);
  layout->addLayout(form);

  auto* heading = new QLabel(QString::fromLatin1(fin::kScheduleHeading), this);
  heading->setObjectName(QStringLiteral("Heading"));
  heading->setFont(scheduleFont());
  heading->setContentsMargins(4, 0, 0, 0);
  layout->addWidget(heading);
  m_rows = new QListWidget(this);
  m_rows->setObjectName(QStringLiteral("200"));
  m_rows->setFont(scheduleFont());
  m_rows->setUniformItemSizes(true);
  const auto formatter = [this](double v) { return format(v); };
  for (const fin::ScheduleRow& row : m_schedule) {
    m_rows->addItem(QString::fromStdString(fin::scheduleRowText(row, formatter)));
  }
  const int charWidth = m_rows->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  m_rows->setMinimumSize(charWidth * 50, 280);
  layout->addWidget(m_rows);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* printButton =
      buttons->addButton(QStringLiteral("&Print..."), QDialogButtonBox::ActionRole);
  printButton->setObjectName(QStringLiteral("ButtonPrint"));
  QPushButton* saveButton =
      buttons->addButton(QStringLiteral("&Save..."), QDialogButtonBox::ActionRole);
  saveButton->setObjectName(QStringLiteral("ButtonSave"));
  buttons->addButton(QDialogButtonBox::Close);
  connect(printButton, &QPushButton::clicked, this, &AmortDialog::print);
  connect(saveButton, &QPushButton::clicked, this, &AmortDialog::save);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::string AmortDialog::format(double value) const {
  return ToDisplayStyle(FormatNumber(value, m_engine.decimals()), m_engine.separatorStyle());
}

QString AmortDialog::headerText(const char* field) const {
  const auto* label = findChild<QLabel*>(QLatin1String(field));
  return label == nullptr ? QString() : label->text();
}

void AmortDialog::print() {
  QPrinter printer;
  if (!choosePrinter(printer, this, m_prompts, QStringLiteral("AMORT"))) return;
  const auto formatter = [this](double v) { return format(v); };
  const auto pages = [&](int linesPerPage) {
    return fin::schedulePrintPages(m_loan, m_schedule, formatter, linesPerPage);
  };
  if (!printPlainPages(printer, pages)) {
    m_prompts.error(this, QStringLiteral("Amortization Schedule"),
                    QStringLiteral("Printing failed."));
  }
}

void AmortDialog::save() {
  const QString chosen = m_prompts.saveFileName(
      this, QStringLiteral("Save As"), QStringLiteral("Text Files (*.TXT *.txt);;All Files (*)"));
  if (chosen.isEmpty()) return;
  const QString path = QString::fromStdString(withDefaultExtension(chosen.toStdString(), ".txt"));
  const auto formatter = [this](double v) { return format(v); };
  const std::string text = fin::scheduleText(m_schedule, formatter);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size())) {
    m_prompts.error(this, QStringLiteral("Amortization Schedule"),
                    QStringLiteral("The schedule could not be written to ") + path);
  }
}

}  // namespace finova::ui
