#include "diskindex/ui/dlg_search_cds.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "diskindex/core/messages.h"
#include "diskindex/core/search/search_messages.h"
#include "diskindex/ui/ok_cancel_box.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {
namespace {

template <typename T>
T* named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QListWidget* volumeList(const char* name) {
  auto* list = named(new QListWidget, name);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setMinimumHeight(180);
  return list;
}

}  // namespace

TDlgSearchCDs::TDlgSearchCDs(Scope scope, const search::SearchParams& params,
                             const std::vector<std::string>& history, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("TDlgSearchCDs"));
  setWindowTitle(qUtf8(search::messages::kDialogCaption));
  m_pages = named(new QTabWidget, "PageControl");
  m_pages->addTab(buildParameterPage(scope), QStringLiteral("Such&parameter"));
  if (scope == Scope::ManyVolumes)
    m_pages->addTab(buildVolumePage(), QStringLiteral("D&atenträger"));

  const OkCancelBox okCancel = makeOkCancelBox(this, OkText::Ok, OkDefault::Yes);
  QDialogButtonBox* buttons = okCancel.box;
  m_ok = okCancel.ok;
  QPushButton* help =
      named(buttons->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole), "ButtonHelp");
  connect(help, &QPushButton::clicked, this, &TDlgSearchCDs::helpRequested);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages);
  layout->addWidget(buttons);

  for (const std::string& text : history) m_text->addItem(qUtf8(text));
  applyParams(params);
  updateStates();
}

QWidget* TDlgSearchCDs::buildParameterPage(Scope scope) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* label = new QLabel(QStringLiteral("&Suchen nach:"));
  m_text = named(new QComboBox, "ComboBoxSearch");
  m_text->setEditable(true);
  m_text->setInsertPolicy(QComboBox::NoInsert);
  m_text->setMaxVisibleItems(12);
  m_text->lineEdit()->setMaxLength(static_cast<int>(search::kMaxSearchTextLength));
  m_text->setMinimumContentsLength(36);
  label->setBuddy(m_text);
  layout->addWidget(label);
  layout->addWidget(m_text);

  auto* what = new QGroupBox(QStringLiteral("Suchen in"));
  auto* whatLayout = new QVBoxLayout(what);
  m_fileNames = named(new QRadioButton(QStringLiteral("&Dateinamen")), "RadioFileNames");
  m_dirNames = named(new QRadioButton(QStringLiteral("&Verzeichnisnamen")), "RadioDirNames");
  m_both = named(new QRadioButton(QStringLiteral("Datei- &u. Verzeichnisnamen")), "RadioBoth");
  m_remarks = named(new QRadioButton(QStringLiteral("&Textstellen (Bemerkungen)")), "RadioRemarks");
  auto* group = new QButtonGroup(page);
  for (QRadioButton* radio : {m_fileNames, m_dirNames, m_both, m_remarks}) {
    group->addButton(radio);
    whatLayout->addWidget(radio);
    connect(radio, &QRadioButton::toggled, this, &TDlgSearchCDs::updateStates);
  }
  layout->addWidget(what);

  m_wholeWord =
      named(new QCheckBox(QStringLiteral("Suchbegriff als ganzes &Wort suchen")), "CheckWholeWord");
  m_case =
      named(new QCheckBox(QStringLiteral("&Groß- / Kleinschreibung unterscheiden")), "CheckCase");
  m_selectedDir = named(new QCheckBox(QStringLiteral("Suche nur im &selektierten Verzeichnis")),
                        "CheckSelectedDir");
  layout->addWidget(m_wholeWord);
  layout->addWidget(m_case);
  layout->addWidget(m_selectedDir);
  m_selectedDir->setVisible(scope == Scope::CurrentVolume);
  layout->addStretch(1);
  connect(m_text, &QComboBox::editTextChanged, this, &TDlgSearchCDs::updateStates);
  return page;
}

QWidget* TDlgSearchCDs::buildVolumePage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  m_available = volumeList("ListAvailable");
  m_chosenList = volumeList("ListChosen");
  auto* left = new QLabel(QStringLiteral("&verfügbare Datenträger:"));
  left->setBuddy(m_available);
  auto* right = new QLabel(QStringLiteral("&zu durchsuchende Datentr.:"));
  right->setBuddy(m_chosenList);
  m_moveRight = named(new QPushButton(QStringLiteral(">")), "ButtonMoveRight");
  m_moveAllRight = named(new QPushButton(QStringLiteral(">>")), "ButtonMoveAllRight");
  m_moveLeft = named(new QPushButton(QStringLiteral("<")), "ButtonMoveLeft");
  m_moveAllLeft = named(new QPushButton(QStringLiteral("<<")), "ButtonMoveAllLeft");
  auto* buttons = new QVBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {m_moveRight, m_moveAllRight, m_moveLeft, m_moveAllLeft}) {
    b->setAutoDefault(false);
    b->setFixedWidth(40);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  m_category = named(new QComboBox, "ComboBoxSearchCategory");
  m_category->setMaxVisibleItems(12);
  auto* categoryLabel = new QLabel(QStringLiteral("&Kategorie:"));
  categoryLabel->setBuddy(m_category);
  grid->addWidget(left, 0, 0);
  grid->addWidget(right, 0, 2);
  grid->addWidget(m_available, 1, 0);
  grid->addLayout(buttons, 1, 1);
  grid->addWidget(m_chosenList, 1, 2);
  grid->addWidget(categoryLabel, 2, 0);
  grid->addWidget(m_category, 3, 0);
  connect(m_moveRight, &QPushButton::clicked, this, [this] { move(m_available, false); });
  connect(m_moveAllRight, &QPushButton::clicked, this, [this] { move(m_available, true); });
  connect(m_moveLeft, &QPushButton::clicked, this, [this] { move(m_chosenList, false); });
  connect(m_moveAllLeft, &QPushButton::clicked, this, [this] { move(m_chosenList, true); });
  for (QListWidget* list : {m_available, m_chosenList}) {
    connect(list, &QListWidget::itemDoubleClicked, this, &TDlgSearchCDs::moveItem);
    list->installEventFilter(this);
  }
  connect(m_category, &QComboBox::currentIndexChanged, this, &TDlgSearchCDs::refillLists);
  return page;
}

void TDlgSearchCDs::applyParams(const search::SearchParams& p) {
  m_text->setEditText(qUtf8(p.text));
  QRadioButton* radio = p.remarks                   ? m_remarks
                        : p.dirNames && p.fileNames ? m_both
                        : p.dirNames                ? m_dirNames
                                                    : m_fileNames;
  radio->setChecked(true);
  m_wholeWord->setChecked(p.wholeWord);
  m_case->setChecked(p.caseSensitive);
  m_selectedDir->setChecked(p.onlySelectedDir);
}

search::SearchParams TDlgSearchCDs::params() const {
  search::SearchParams p;
  p.text = m_text->currentText().toStdString();
  p.remarks = m_remarks->isChecked();
  p.dirNames = m_dirNames->isChecked() || m_both->isChecked();
  p.fileNames = m_fileNames->isChecked() || m_both->isChecked();
  p.wholeWord = m_wholeWord->isChecked();
  p.caseSensitive = m_case->isChecked();
  // Kept (hidden) in the multi-volume dialog, which never limits to a subtree.
  p.onlySelectedDir = m_selectedDir->isChecked();
  return p;
}

void TDlgSearchCDs::updateStates() {
  m_ok->setEnabled(!m_text->currentText().isEmpty());
  m_case->setEnabled(m_remarks->isChecked());
  if (!m_available) return;
  m_moveRight->setEnabled(m_available->count() > 0);
  m_moveAllRight->setEnabled(m_available->count() > 0);
  m_moveLeft->setEnabled(m_chosenList->count() > 0);
  m_moveAllLeft->setEnabled(m_chosenList->count() > 0);
}

void TDlgSearchCDs::setVolumes(const VolumeList& volumes, const std::vector<std::size_t>& chosen,
                               const std::vector<std::string>& categories) {
  if (!m_available) return;
  m_volumes.clear();
  for (const VolumeRecord& v : volumes.records()) {
    m_volumes.push_back({QString::fromStdString(v.name), v.category.value_or("")});
  }
  m_chosen.assign(m_volumes.size(), false);
  for (std::size_t index : chosen) {
    if (index < m_chosen.size()) m_chosen[index] = true;
  }
  const QSignalBlocker block(m_category);
  m_category->clear();
  m_category->addItem(qUtf8(messages::kAllCategories));
  m_category->addItem(qUtf8(messages::kNoCategory));
  for (const std::string& name : categories) m_category->addItem(qUtf8(name));
  m_category->setCurrentIndex(0);
  refillLists();
}

std::vector<std::size_t> TDlgSearchCDs::chosenVolumes() const {
  std::vector<std::size_t> result;
  for (std::size_t i = 0; i < m_chosen.size(); ++i) {
    if (m_chosen[i]) result.push_back(i);
  }
  return result;
}

bool TDlgSearchCDs::passesFilter(std::size_t index) const {
  const int filter = m_category->currentIndex();
  if (filter <= 0) return true;
  const std::string& category = m_volumes[index].category;
  if (filter == 1) return category.empty();
  return category == m_category->currentText().toStdString();
}

// Both lists follow the volume list's order, which is by name.
void TDlgSearchCDs::refillLists() {
  m_available->clear();
  m_chosenList->clear();
  for (std::size_t i = 0; i < m_volumes.size(); ++i) {
    if (!m_chosen[i] && !passesFilter(i)) continue;
    auto* item = new QListWidgetItem(m_volumes[i].name);
    item->setData(Qt::UserRole, static_cast<qulonglong>(i));
    (m_chosen[i] ? m_chosenList : m_available)->addItem(item);
  }
  updateStates();
}

void TDlgSearchCDs::move(QListWidget* from, bool all) {
  const bool choose = from == m_available;
  for (int row = 0; row < from->count(); ++row) {
    QListWidgetItem* item = from->item(row);
    if (all || item->isSelected()) m_chosen[item->data(Qt::UserRole).toULongLong()] = choose;
  }
  refillLists();
}

void TDlgSearchCDs::moveItem(QListWidgetItem* item) {
  if (!item) return;
  const auto index = item->data(Qt::UserRole).toULongLong();
  m_chosen[index] = !m_chosen[index];
  refillLists();
}

bool TDlgSearchCDs::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace) {
    auto* list = qobject_cast<QListWidget*>(watched);
    if (list && (list == m_available || list == m_chosenList)) {
      if (list->selectedItems().isEmpty()) {
        moveItem(list->currentItem());
      } else {
        move(list, false);
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace diskindex::ui
