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

#include "diskindex/core/search/modern_pattern.h"
#include "diskindex/core/search/search_messages.h"
#include "diskindex/core/search/search_summary.h"
#include "diskindex/ui/category_choice.h"
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
  layout->addWidget(buildModeAndFilters());
  m_problem = named(new QLabel, "LabelProblem");
  m_problem->setWordWrap(true);
  m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
  m_problem->hide();
  layout->addWidget(m_problem);
  layout->addStretch(1);
  connect(m_text, &QComboBox::editTextChanged, this, &TDlgSearchCDs::updateStates);
  return page;
}

QWidget* TDlgSearchCDs::buildModeAndFilters() {
  auto* box = new QGroupBox(QStringLiteral("Suchmodus und Filter"));
  auto* grid = new QGridLayout(box);
  m_mode = named(new QComboBox, "ComboBoxMode");
  for (search::SearchMode mode :
       {search::SearchMode::Dos, search::SearchMode::AnyChar, search::SearchMode::Regex}) {
    m_mode->addItem(qUtf8(search::searchModeTitle(mode)), static_cast<int>(mode));
  }
  const auto edit = [](const char* name, const QString& placeholder) {
    auto* e = named(new QLineEdit, name);
    e->setPlaceholderText(placeholder);
    e->setMaxLength(24);
    return e;
  };
  const QString sizeHint = QStringLiteral("z. B. 10M");
  const QString dayHint = QStringLiteral("JJJJ-MM-TT");
  m_minSize = edit("EditMinSize", sizeHint);
  m_maxSize = edit("EditMaxSize", sizeHint);
  m_after = edit("EditAfter", dayHint);
  m_before = edit("EditBefore", dayHint);
  m_kind = named(new QComboBox, "ComboBoxKind");
  m_kind->addItems({QStringLiteral("Dateien und Verzeichnisse"), QStringLiteral("nur Dateien"),
                    QStringLiteral("nur Verzeichnisse")});
  const auto label = [](const char* text, QWidget* buddy) {
    auto* l = new QLabel(QString::fromUtf8(text));
    l->setBuddy(buddy);
    return l;
  };
  grid->addWidget(label("Such&modus:", m_mode), 0, 0);
  grid->addWidget(m_mode, 0, 1, 1, 3);
  grid->addWidget(label("Größe m&indestens:", m_minSize), 1, 0);
  grid->addWidget(m_minSize, 1, 1);
  grid->addWidget(label("h&öchstens:", m_maxSize), 1, 2);
  grid->addWidget(m_maxSize, 1, 3);
  grid->addWidget(label("Datum v&on:", m_after), 2, 0);
  grid->addWidget(m_after, 2, 1);
  grid->addWidget(label("&bis:", m_before), 2, 2);
  grid->addWidget(m_before, 2, 3);
  grid->addWidget(label("Ei&nträge:", m_kind), 3, 0);
  grid->addWidget(m_kind, 3, 1, 1, 3);
  return box;
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
  m_mode->setCurrentIndex(m_mode->findData(static_cast<int>(p.mode)));
  const search::SearchFilters& f = p.filters;
  m_minSize->setText(f.minSize ? qUtf8(search::sizeText(*f.minSize)) : QString());
  m_maxSize->setText(f.maxSize ? qUtf8(search::sizeText(*f.maxSize)) : QString());
  m_after->setText(f.after ? qUtf8(search::dayText(*f.after)) : QString());
  m_before->setText(f.before ? qUtf8(search::dayText(*f.before)) : QString());
  m_kind->setCurrentIndex(static_cast<int>(f.kind));
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
  p.mode = static_cast<search::SearchMode>(m_mode->currentData().toInt());
  const auto text = [](const QLineEdit* e) { return e->text().trimmed().toStdString(); };
  p.filters.minSize = search::parseSize(text(m_minSize));
  p.filters.maxSize = search::parseSize(text(m_maxSize));
  p.filters.after = search::parseDay(text(m_after));
  p.filters.before = search::parseDay(text(m_before));
  p.filters.kind = static_cast<search::EntryKind>(m_kind->currentIndex());
  return p;
}

std::optional<QString> TDlgSearchCDs::problem() {
  const search::SearchParams p = params();
  if (const auto error = search::checkSearchText(search::limitSearchText(p.text), p.mode)) {
    m_text->setFocus();
    m_text->lineEdit()->setCursorPosition(static_cast<int>(error->position) - 1);
    return qUtf8(error->message);
  }
  // A field that is filled but cannot be read; the message quotes it.
  struct Field {
    QLineEdit* edit;
    bool read;
    std::string (*message)(std::string_view);
  };
  const Field fields[] = {{m_minSize, p.filters.minSize.has_value(), search::badSizeMessage},
                          {m_maxSize, p.filters.maxSize.has_value(), search::badSizeMessage},
                          {m_after, p.filters.after.has_value(), search::badDayMessage},
                          {m_before, p.filters.before.has_value(), search::badDayMessage}};
  for (const Field& field : fields) {
    const std::string typed = field.edit->text().trimmed().toStdString();
    if (typed.empty() || field.read) continue;
    field.edit->setFocus();
    field.edit->selectAll();
    return qUtf8(field.message(typed));
  }
  if (const auto range = search::filterProblem(p.filters)) {
    (p.filters.minSize && p.filters.maxSize && *p.filters.minSize > *p.filters.maxSize ? m_minSize
                                                                                       : m_after)
        ->setFocus();
    return qUtf8(*range);
  }
  return std::nullopt;
}

void TDlgSearchCDs::accept() {
  const int page = m_pages->currentIndex();
  m_pages->setCurrentIndex(0);  // the fields a problem puts the cursor in
  if (const std::optional<QString> text = problem()) {
    m_problem->setText(QString(*text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_problem->show();
    return;
  }
  m_problem->hide();
  m_pages->setCurrentIndex(page);
  QDialog::accept();
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
  fillCategoryChoice(m_category, categories);
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
  return inChosenCategory(m_category, m_volumes[index].category);
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
