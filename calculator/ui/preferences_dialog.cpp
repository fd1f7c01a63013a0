#include "calculator/ui/preferences_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace finova::ui {

PreferencesDialog::PreferencesDialog(int decimals, SeparatorStyle style, QWidget* parent)
    : QDialog(parent), m_initialDecimals(decimals) {
  setObjectName(QStringLiteral("DIGSEP"));
  setWindowTitle(QStringLiteral("Preferences"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  m_decimals = new QLineEdit(QString::number(decimals), this);
  m_decimals->setObjectName(QStringLiteral("EditDecimals"));
  m_decimals->setMaxLength(1);
  m_decimals->setValidator(new QIntValidator(0, 9, m_decimals));
  m_decimals->setMaximumWidth(40);
  form->addRow(QStringLiteral("Decimal digits:"), m_decimals);
  layout->addLayout(form);
  auto* group = new QGroupBox(QStringLiteral("Digit Separators"), this);
  auto* groupLayout = new QVBoxLayout(group);
  m_english = new QRadioButton(QStringLiteral("English/American"), group);
  m_english->setObjectName(QStringLiteral("RadioEnglish"));
  m_european = new QRadioButton(QStringLiteral("European"), group);
  m_european->setObjectName(QStringLiteral("RadioEuropean"));
  (style == SeparatorStyle::European ? m_european : m_english)->setChecked(true);
  groupLayout->addWidget(m_english);
  groupLayout->addWidget(m_european);
  layout->addWidget(group);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

int PreferencesDialog::decimals() const {
  bool ok = false;
  const int value = m_decimals->text().toInt(&ok);
  return ok && value >= 0 && value <= 9 ? value : m_initialDecimals;
}

SeparatorStyle PreferencesDialog::separatorStyle() const {
  return m_european->isChecked() ? SeparatorStyle::European : SeparatorStyle::English;
}

}  // namespace finova::ui
