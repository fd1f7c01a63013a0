#include "diskindex/ui/dlg_duplicate_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "diskindex/core/search/search_filters.h"
#include "diskindex/ui/category_choice.h"
#include "diskindex/ui/ok_cancel_box.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

template <typename T>
T* named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

TDlgDuplicateOptions::TDlgDuplicateOptions(const VolumeList& volumes,
                                           const std::vector<std::string>& categories,
                                           const std::string& category, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("TDlgDuplicateOptions"));
  setWindowTitle(QStringLiteral("Doppelte Dateien suchen"));
  m_ignoreName = named(new QCheckBox(QStringLiteral("Namen &ignorieren (gleiche Größe genügt)")),
                       "CheckIgnoreName");
  m_sameDate = named(new QCheckBox(QStringLiteral("Gleiches &Datum und gleiche Uhrzeit verlangen")),
                     "CheckSameDate");
  m_minSize = named(new QLineEdit(QStringLiteral("1")), "EditMinSize");
  m_minSize->setPlaceholderText(QStringLiteral("z. B. 1M"));
  m_minSize->setMaxLength(24);
  m_category = named(new QComboBox, "ComboBoxCategory");
  fillCategoryChoice(m_category, categories);
  m_volumes = named(new QListWidget, "ListVolumes");
  fillVolumes(volumes);
  m_problem = named(new QLabel, "LabelProblem");
  m_problem->setWordWrap(true);
  m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
  m_problem->hide();

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Mindestgröße:"), m_minSize);
  form->addRow(QStringLiteral("&Kategorie:"), m_category);
  auto* listLabel = new QLabel(QStringLiteral("&Zu vergleichende Datenträger:"));
  listLabel->setBuddy(m_volumes);

  const OkCancelBox okCancel = makeOkCancelBox(this, OkText::Ok, OkDefault::Yes);
  m_ok = okCancel.ok;
  QPushButton* help = named(
      okCancel.box->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole), "ButtonHelp");
  connect(help, &QPushButton::clicked, this, &TDlgDuplicateOptions::helpRequested);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_ignoreName);
  layout->addWidget(m_sameDate);
  layout->addLayout(form);
  layout->addWidget(listLabel);
  layout->addWidget(m_volumes, 1);
  layout->addWidget(m_problem);
  layout->addWidget(okCancel.box);

  const int start = m_category->findText(qUtf8(category));
  m_category->setCurrentIndex(start > 0 ? start : 0);
  applyCategory();
  connect(m_category, &QComboBox::currentIndexChanged, this, &TDlgDuplicateOptions::applyCategory);
  connect(m_volumes, &QListWidget::itemChanged, this, &TDlgDuplicateOptions::updateOk);
}

void TDlgDuplicateOptions::fillVolumes(const VolumeList& volumes) {
  m_volumes->setMinimumHeight(160);
  for (const VolumeRecord& v : volumes.records()) {
    auto* item = new QListWidgetItem(qUtf8(v.name), m_volumes);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    m_categoryOf.push_back(v.category.value_or(""));
  }
}

// A category checks exactly its volumes; "<ALLE>" checks every volume.
void TDlgDuplicateOptions::applyCategory() {
  const QSignalBlocker block(m_volumes);
  for (int row = 0; row < m_volumes->count(); ++row) {
    const bool in = inChosenCategory(m_category, m_categoryOf[static_cast<std::size_t>(row)]);
    m_volumes->item(row)->setCheckState(in ? Qt::Checked : Qt::Unchecked);
  }
  updateOk();
}

void TDlgDuplicateOptions::updateOk() {
  m_ok->setEnabled(!chosenVolumes().empty());
}

search::DuplicateOptions TDlgDuplicateOptions::options() const {
  search::DuplicateOptions o;
  o.ignoreName = m_ignoreName->isChecked();
  o.sameDate = m_sameDate->isChecked();
  const QString typed = m_minSize->text().trimmed();
  // Empty means every file that has a size at all (empty files never count).
  o.minSize = typed.isEmpty() ? 1 : search::parseSize(typed.toStdString()).value_or(1);
  if (o.minSize == 0) o.minSize = 1;
  return o;
}

std::vector<std::size_t> TDlgDuplicateOptions::chosenVolumes() const {
  std::vector<std::size_t> chosen;
  for (int row = 0; row < m_volumes->count(); ++row) {
    if (m_volumes->item(row)->checkState() == Qt::Checked)
      chosen.push_back(static_cast<std::size_t>(row));
  }
  return chosen;
}

void TDlgDuplicateOptions::accept() {
  const QString typed = m_minSize->text().trimmed();
  if (!typed.isEmpty() && !search::parseSize(typed.toStdString())) {
    m_problem->setText(qUtf8(search::badSizeMessage(typed.toStdString()))
                           .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_problem->show();
    m_minSize->setFocus();
    m_minSize->selectAll();
    return;
  }
  if (chosenVolumes().empty()) return;
  QDialog::accept();
}

}  // namespace diskindex::ui
