#include "arcade/ui/shell_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "arcade/ui/help_pages.h"

namespace arcade::ui {

CPlayerInfoDialog::CPlayerInfoDialog(PlayerRecord& record, QWidget* parent)
    : QDialog(parent), m_record(record) {
  setObjectName(QStringLiteral("PlayerInformation"));
  setWindowTitle(QStringLiteral("Player Information"));
  auto* form = new QFormLayout;
  m_name = new QLineEdit(QString::fromStdString(record.playerName), this);
  m_name->setObjectName(QStringLiteral("playerName"));
  m_name->setMaxLength(kPlayerNameBytes - 1);
  auto* highest = new QLabel(QString::number(std::int64_t{record.highestLevel} + 1), this);
  highest->setObjectName(QStringLiteral("highestLevel"));
  auto* total = new QLabel(QString::fromStdString(FormatNumber(CumulativeScore(record))), this);
  total->setObjectName(QStringLiteral("totalScore"));
  form->addRow(QStringLiteral("Player Name:"), m_name);
  form->addRow(QStringLiteral("Highest Level Reached:"), highest);
  form->addRow(QStringLiteral("Total Cumulative Score:"), total);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  m_name->selectAll();
  m_name->setFocus();
}

void CPlayerInfoDialog::accept() {
  m_record.playerName = FitPlayerName(m_name->text().toStdString());
  QDialog::accept();
}

CHelpDialog::CHelpDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Help"));
  setWindowTitle(QStringLiteral("Vortexia Help"));
  resize(520, 420);
  m_text = new QTextBrowser(this);
  m_text->setObjectName(QStringLiteral("helpText"));
  m_previous = new QPushButton(QStringLiteral("<< Previous"), this);
  m_previous->setObjectName(QStringLiteral("helpPrevious"));
  m_next = new QPushButton(QStringLiteral("Next >>"), this);
  m_next->setObjectName(QStringLiteral("helpNext"));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("helpOk"));
  ok->setDefault(true);
  m_counter = new QLabel(this);
  connect(m_previous, &QPushButton::clicked, this, [this] { ShowPage(m_page - 1); });
  connect(m_next, &QPushButton::clicked, this, [this] { ShowPage(m_page + 1); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addWidget(m_previous);
  row->addWidget(m_next);
  row->addStretch();
  row->addWidget(m_counter);
  row->addStretch();
  row->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_text);
  layout->addLayout(row);
  ShowPage(0);
}

int CHelpDialog::PageCount() const {
  return static_cast<int>(HelpPages().size());
}

void CHelpDialog::ShowPage(int page) {
  const QStringList pages = HelpPages();
  m_page = std::clamp(page, 0, static_cast<int>(pages.size()) - 1);
  m_text->setHtml(pages[m_page]);
  m_previous->setEnabled(m_page > 0);
  m_next->setEnabled(m_page + 1 < pages.size());
  m_counter->setText(QStringLiteral("Page %1 of %2").arg(m_page + 1).arg(pages.size()));
}

CNeedToKnowDialog::CNeedToKnowDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("NeedToKnow"));
  setWindowTitle(QStringLiteral("Need To Know..."));
  auto* text = new QLabel(NeedToKnowText(), this);
  text->setObjectName(QStringLiteral("needToKnowText"));
  text->setWordWrap(true);
  text->setMinimumWidth(360);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("needToKnowOk"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace arcade::ui
