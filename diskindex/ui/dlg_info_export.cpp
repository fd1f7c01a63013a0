#include "diskindex/ui/dlg_info_export.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "diskindex/core/export/export_messages.h"
#include "diskindex/ui/export_prompts.h"
#include "diskindex/ui/ok_cancel_box.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {
namespace {

constexpr int kFieldRole = Qt::UserRole;

QPushButton* namedButton(const QString& text, const char* name) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

QListWidgetItem* fieldItem(exporting::InfoField field) {
  auto* item = new QListWidgetItem(qUtf8(exporting::infoFieldName(field)));
  item->setData(kFieldRole, static_cast<int>(field));
  return item;
}

exporting::InfoField itemField(const QListWidgetItem* item) {
  return exporting::InfoField(item->data(kFieldRole).toInt());
}

}  // namespace

TDlgInfoExport::TDlgInfoExport(const exporting::InfoExportOptions& options, const QString& target,
                               ExportPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
  setObjectName(QStringLiteral("TDlgInfoExport"));
  setWindowTitle(qUtf8(exporting::messages::kInfoDialogCaption));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildFieldBox());
  layout->addWidget(buildOptionBoxes());
  const OkCancelBox buttons = makeOkCancelBox(this, OkText::Ok, OkDefault::Yes);
  m_ok = buttons.ok;
  layout->addWidget(buttons.box);

  fillLists(options.fields);
  m_target->setText(target);
  const bool tab = options.separator.empty() || options.separator == "\t";
  (tab ? m_tab : m_other)->setChecked(true);
  m_separator->setText(tab ? QStringLiteral(";") : QString::fromStdString(options.separator));
  (options.allVolumes ? m_all : m_category)->setChecked(true);
  updateStates();
}

QWidget* TDlgInfoExport::buildFieldBox() {
  auto* box = new QGroupBox(QStringLiteral("Datenfelder für die Datenträger-Informationen:"));
  auto* grid = new QGridLayout(box);
  m_available = new QListWidget;
  m_available->setObjectName(QStringLiteral("ListBoxFields"));
  m_export = new QListWidget;
  m_export->setObjectName(QStringLiteral("ListBoxExport"));
  auto* availableLabel = new QLabel(QStringLiteral("&Vorhandene Felder:"));
  availableLabel->setBuddy(m_available);
  auto* exportLabel = new QLabel(QStringLiteral("Zu e&xportierende Felder:"));
  exportLabel->setBuddy(m_export);
  m_add = namedButton(QStringLiteral(">"), "ButtonAdd");
  m_addAll = namedButton(QStringLiteral(">>"), "ButtonAddAll");
  m_remove = namedButton(QStringLiteral("<"), "ButtonRemove");
  m_removeAll = namedButton(QStringLiteral("<<"), "ButtonRemoveAll");
  m_up = namedButton(QString(), "ButtonUp");
  m_up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  m_up->setToolTip(QStringLiteral("Feld nach oben"));
  m_down = namedButton(QString(), "ButtonDown");
  m_down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  m_down->setToolTip(QStringLiteral("Feld nach unten"));
  auto* moves = new QVBoxLayout;
  moves->addStretch();
  for (QPushButton* b : {m_add, m_addAll, m_remove, m_removeAll}) moves->addWidget(b);
  moves->addStretch();
  auto* order = new QVBoxLayout;
  order->addStretch();
  order->addWidget(m_up);
  order->addWidget(m_down);
  order->addStretch();
  grid->addWidget(availableLabel, 0, 0);
  grid->addWidget(exportLabel, 0, 2);
  grid->addWidget(m_available, 1, 0);
  grid->addLayout(moves, 1, 1);
  grid->addWidget(m_export, 1, 2);
  grid->addLayout(order, 1, 3);
  connectFieldControls();
  return box;
}

void TDlgInfoExport::connectFieldControls() {
  for (QListWidget* list : {m_available, m_export}) {
    list->installEventFilter(this);
    connect(list, &QListWidget::itemDoubleClicked, this, &TDlgInfoExport::moveItem);
    connect(list, &QListWidget::currentRowChanged, this, &TDlgInfoExport::updateStates);
  }
  connect(m_add, &QPushButton::clicked, this, [this] { move(m_available, false); });
  connect(m_addAll, &QPushButton::clicked, this, [this] { move(m_available, true); });
  connect(m_remove, &QPushButton::clicked, this, [this] { move(m_export, false); });
  connect(m_removeAll, &QPushButton::clicked, this, [this] { move(m_export, true); });
  connect(m_up, &QPushButton::clicked, this, [this] { shift(-1); });
  connect(m_down, &QPushButton::clicked, this, [this] { shift(1); });
}

QWidget* TDlgInfoExport::buildOptionBoxes() {
  auto* panel = new QWidget;
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  m_target = new QLineEdit;
  m_target->setObjectName(QStringLiteral("EditTarget"));
  auto* targetLabel = new QLabel(QStringLiteral("&Zieldatei:"));
  targetLabel->setBuddy(m_target);
  auto* browse = namedButton(QStringLiteral("Durch&suchen..."), "ButtonBrowse");
  grid->addWidget(targetLabel, 0, 0);
  grid->addWidget(m_target, 0, 1);
  grid->addWidget(browse, 0, 2);

  auto* range = new QGroupBox(QStringLiteral("Zu exportierender &Bereich:"));
  auto* rangeLayout = new QVBoxLayout(range);
  m_category = new QRadioButton(QStringLiteral("selektierte Kategorie"));
  m_category->setObjectName(QStringLiteral("RadioCategory"));
  m_all = new QRadioButton(QStringLiteral("alle Datenträger"));
  m_all->setObjectName(QStringLiteral("RadioAll"));
  rangeLayout->addWidget(m_category);
  rangeLayout->addWidget(m_all);
  grid->addWidget(buildSeparatorBox(), 1, 0, 1, 2);
  grid->addWidget(range, 1, 2);

  connect(browse, &QPushButton::clicked, this, &TDlgInfoExport::browse);
  connect(m_target, &QLineEdit::textChanged, this, &TDlgInfoExport::updateStates);
  connect(m_separator, &QLineEdit::textChanged, this, &TDlgInfoExport::updateStates);
  connect(m_other, &QRadioButton::toggled, this, &TDlgInfoExport::updateStates);
  return panel;
}

QWidget* TDlgInfoExport::buildSeparatorBox() {
  auto* separators = new QGroupBox(QStringLiteral("Felder &trennen durch:"));
  auto* sepLayout = new QGridLayout(separators);
  m_tab = new QRadioButton(QStringLiteral("Tabulator"));
  m_tab->setObjectName(QStringLiteral("RadioTab"));
  m_other = new QRadioButton(QStringLiteral("anderes Zeichen:"));
  m_other->setObjectName(QStringLiteral("RadioOther"));
  m_separator = new QLineEdit;
  m_separator->setObjectName(QStringLiteral("EditSeparator"));
  m_separator->setMaxLength(1);
  m_separator->setMaximumWidth(40);
  sepLayout->addWidget(m_tab, 0, 0, 1, 2);
  sepLayout->addWidget(m_other, 1, 0);
  sepLayout->addWidget(m_separator, 1, 1);
  sepLayout->setColumnStretch(2, 1);
  return separators;
}

void TDlgInfoExport::fillLists(const std::vector<exporting::InfoField>& chosen) {
  m_available->clear();
  m_export->clear();
  for (exporting::InfoField field : chosen) m_export->addItem(fieldItem(field));
  for (exporting::InfoField field : exporting::fieldsByName()) {
    if (std::find(chosen.begin(), chosen.end(), field) == chosen.end()) {
      m_available->addItem(fieldItem(field));
    }
  }
  if (m_available->count() > 0) m_available->setCurrentRow(0);
  if (m_export->count() > 0) m_export->setCurrentRow(0);
}

std::vector<exporting::InfoField> TDlgInfoExport::chosenFields() const {
  std::vector<exporting::InfoField> fields;
  for (int row = 0; row < m_export->count(); ++row)
    fields.push_back(itemField(m_export->item(row)));
  return fields;
}

// Fields join the end of the export list; fields taken back return to
// their sorted place among the available ones.
void TDlgInfoExport::move(QListWidget* from, bool all) {
  std::vector<exporting::InfoField> chosen = chosenFields();
  std::vector<exporting::InfoField> moved;
  for (int row = 0; row < from->count(); ++row) {
    if (all || row == from->currentRow()) moved.push_back(itemField(from->item(row)));
  }
  if (moved.empty()) return;
  const int row = from->currentRow();
  if (from == m_available) {
    chosen.insert(chosen.end(), moved.begin(), moved.end());
  } else {
    std::erase_if(chosen, [&](exporting::InfoField f) {
      return std::find(moved.begin(), moved.end(), f) != moved.end();
    });
  }
  fillLists(chosen);
  if (from == m_available && !all) m_export->setCurrentRow(m_export->count() - 1);
  if (!all && from->count() > 0) from->setCurrentRow(std::min(row, from->count() - 1));
  updateStates();
}

void TDlgInfoExport::moveItem(QListWidgetItem* item) {
  if (!item) return;
  QListWidget* list = item->listWidget();
  list->setCurrentItem(item);
  move(list, false);
}

void TDlgInfoExport::shift(int delta) {
  const int row = m_export->currentRow();
  const int target = row + delta;
  if (row < 0 || target < 0 || target >= m_export->count()) return;
  QListWidgetItem* item = m_export->takeItem(row);
  m_export->insertItem(target, item);
  m_export->setCurrentRow(target);
  updateStates();
}

bool TDlgInfoExport::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace) {
    if (auto* list = qobject_cast<QListWidget*>(watched)) {
      moveItem(list->currentItem());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TDlgInfoExport::browse() {
  if (const std::optional<QString> file = m_prompts.chooseTargetFile(m_target->text())) {
    m_target->setText(*file);
  }
}

void TDlgInfoExport::updateStates() {
  m_add->setEnabled(m_available->count() > 0);
  m_addAll->setEnabled(m_available->count() > 0);
  m_remove->setEnabled(m_export->count() > 0);
  m_removeAll->setEnabled(m_export->count() > 0);
  const int row = m_export->currentRow();
  m_up->setEnabled(row > 0);
  m_down->setEnabled(row >= 0 && row + 1 < m_export->count());
  m_separator->setEnabled(m_other->isChecked());
  m_ok->setEnabled(!m_target->text().trimmed().isEmpty() &&
                   (!m_other->isChecked() || !m_separator->text().isEmpty()));
}

exporting::InfoExportOptions TDlgInfoExport::options() const {
  exporting::InfoExportOptions options;
  options.fields = chosenFields();
  options.separator = m_other->isChecked() ? m_separator->text().toStdString() : std::string("\t");
  options.allVolumes = m_all->isChecked();
  return options;
}

QString TDlgInfoExport::target() const {
  return m_target->text().trimmed();
}

}  // namespace diskindex::ui
