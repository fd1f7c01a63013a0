#include "diskindex/core/category_list.h"
#include "diskindex/ui/byte_limit_validator.h"
#include "diskindex/ui/dlg_categories.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "diskindex/core/messages.h"
#include "diskindex/core/volume_header.h"
#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

QPushButton* button(const QString& text, const char* objectName) {
  auto* b = new QPushButton(text);
  b->setObjectName(QString::fromLatin1(objectName));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TDlgCategories::TDlgCategories(const std::vector<std::string>& categories,
                               const std::string& filter, bool selectCategory, FormPrompts& prompts,
                               QWidget* parent)
    : QDialog(parent), m_editor(categories, filter), m_prompts(prompts) {
  setObjectName(QStringLiteral("TDlgCategories"));
  setWindowTitle(qUtf8(messages::kCategoriesCaption));
  buildControls(selectCategory);
  refresh();
}

TDlgCategories::~TDlgCategories() = default;

void TDlgCategories::buildControls(bool selectCategory) {
  m_list = new QListWidget;
  m_list->setObjectName(QStringLiteral("ListBoxCategories"));
  m_list->setMinimumHeight(180);
  auto* label = new QLabel(QStringLiteral("Datenträger-&Kategorien:"));
  label->setBuddy(m_list);
  m_edit = new QLineEdit;
  m_edit->setObjectName(QStringLiteral("EditCategory"));
  m_edit->setMaxLength(static_cast<int>(kMaxCategoryLength));
  // Counted in stored bytes as typed: the field refuses what would not fit.
  m_edit->setValidator(new ByteLimitValidator(kMaxCategoryBytes, m_edit));
  m_edit->hide();
  m_select = new QCheckBox(QStringLiteral("&Selektierte Kategorie auswählen"));
  m_select->setObjectName(QStringLiteral("CheckBoxSelect"));
  m_select->setChecked(selectCategory);

  QPushButton* create = button(QStringLiteral("&Neue Kategorie"), "ButtonNew");
  m_rename = button(QStringLiteral("&Umbenennen"), "ButtonRename");
  m_remove = button(QStringLiteral("&Entfernen"), "ButtonRemove");
  QPushButton* ok = button(QStringLiteral("Ok"), "ButtonOk");
  ok->setDefault(true);
  QPushButton* cancel = button(QStringLiteral("Abbruch"), "ButtonCancel");
  QPushButton* help = button(QStringLiteral("&Hilfe"), "ButtonHelp");

  auto* left = new QVBoxLayout;
  left->addWidget(label);
  left->addWidget(m_list, 1);
  left->addWidget(m_edit);
  left->addWidget(m_select);
  auto* right = new QVBoxLayout;
  for (QPushButton* b : {create, m_rename, m_remove}) right->addWidget(b);
  right->addStretch();
  for (QPushButton* b : {ok, cancel, help}) right->addWidget(b);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right);

  connect(create, &QPushButton::clicked, this, &TDlgCategories::ButtonNewClick);
  connect(m_rename, &QPushButton::clicked, this, &TDlgCategories::ButtonRenameClick);
  connect(m_remove, &QPushButton::clicked, this, &TDlgCategories::ButtonRemoveClick);
  connect(ok, &QPushButton::clicked, this, &TDlgCategories::ButtonOkClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, &TDlgCategories::helpRequested);
  connect(m_list, &QListWidget::currentRowChanged, this, &TDlgCategories::ListBoxCategoriesClick);
}

bool TDlgCategories::selectCategory() const {
  return m_select->isChecked();
}

void TDlgCategories::refresh() {
  {
    const QSignalBlocker block(m_list);
    m_list->clear();
    for (const std::string& name : m_editor.names()) m_list->addItem(qUtf8(name));
    const auto selection = m_editor.selection();
    m_list->setCurrentRow(selection ? static_cast<int>(*selection) : -1);
    if (selection) m_list->scrollToItem(m_list->currentItem());
  }
  if (m_editor.size() == 0) m_edit->clear();
  ListBoxCategoriesClick();
}

void TDlgCategories::ListBoxCategoriesClick() {
  const int row = m_list->currentRow();
  m_editor.select(row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row))
                           : std::nullopt);
  m_rename->setEnabled(m_editor.canChangeSelected());
  m_remove->setEnabled(m_editor.canChangeSelected());
}

void TDlgCategories::showEditField(const std::string& text) {
  m_edit->setText(qUtf8(text));
  m_edit->show();
  m_edit->setFocus();
  m_edit->selectAll();
}

void TDlgCategories::ButtonNewClick() {
  showEditField(m_editor.beginNewEntry());
}

void TDlgCategories::ButtonRenameClick() {
  if (const std::optional<std::string> name = m_editor.beginRename()) showEditField(*name);
}

void TDlgCategories::ButtonRemoveClick() {
  m_editor.removeSelected();
  m_edit->hide();
  refresh();
  m_list->setFocus();
}

void TDlgCategories::warn(std::string_view text) {
  m_prompts.warning(qUtf8(messages::kCategoriesCaption), qUtf8(text));
  m_edit->setFocus();
  m_edit->selectAll();
}

void TDlgCategories::ButtonOkClick() {
  if (m_editor.edit() != CategoryEditor::Edit::None) {
    switch (m_editor.finishEdit(m_edit->text().toStdString())) {
      case CategoryEditor::Check::Empty:
        return warn(messages::kCategoryEmpty);
      case CategoryEditor::Check::Exists:
        return warn(messages::kCategoryExists);
      case CategoryEditor::Check::Accepted:
        break;
    }
    m_edit->hide();
    refresh();
    m_list->setFocus();
    return;
  }
  if (m_editor.deletesAny() && !m_prompts.question(qUtf8(messages::kCategoriesCaption),
                                                   boxText(messages::kDeleteCategoriesQuestion))) {
    return;
  }
  accept();
}

}  // namespace diskindex::ui
