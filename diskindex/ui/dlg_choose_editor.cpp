#include "diskindex/ui/dlg_choose_editor.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "diskindex/ui/copy_prompts.h"
#include "diskindex/ui/ok_cancel_box.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {

TDlgChooseEditor::TDlgChooseEditor(const std::vector<std::string>& editors,
                                   const std::string& current, CopyPrompts& prompts,
                                   QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
  setObjectName(QStringLiteral("TDlgChooseEditor"));
  setWindowTitle(QStringLiteral("Datei-Editor auswählen"));
  m_list = new QListWidget;
  m_list->setObjectName(QStringLiteral("ListEditors"));
  m_list->setMinimumWidth(360);
  for (const std::string& editor : editors) m_list->addItem(qUtf8(editor));
  auto* label = new QLabel(QStringLiteral("&Editor auswählen:"));
  label->setBuddy(m_list);
  auto* find = new QPushButton(QStringLiteral("&Neuen Editor suchen ..."));
  find->setObjectName(QStringLiteral("ButtonFindEditor"));
  find->setAutoDefault(false);
  QDialogButtonBox* box = makeOkCancelBox(this, OkText::OK, OkDefault::No).box;
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(m_list, 1);
  layout->addWidget(find, 0, Qt::AlignLeft);
  layout->addWidget(box);
  connect(find, &QPushButton::clicked, this, &TDlgChooseEditor::findEditor);
  connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  select(qUtf8(current));
}

QString TDlgChooseEditor::chosen() const {
  const QListWidgetItem* item = m_list->currentItem();
  return item ? item->text() : QString();
}

void TDlgChooseEditor::findEditor() {
  const std::optional<QString> program = m_prompts.findEditor(chosen());
  if (program && !program->isEmpty()) select(*program);
}

void TDlgChooseEditor::select(const QString& program) {
  if (program.isEmpty()) return;
  const QList<QListWidgetItem*> found = m_list->findItems(program, Qt::MatchExactly);
  QListWidgetItem* item = found.isEmpty() ? new QListWidgetItem(program, m_list) : found.front();
  m_list->setCurrentItem(item);
}

}  // namespace diskindex::ui
