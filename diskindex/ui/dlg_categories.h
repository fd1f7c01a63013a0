#pragma once
// TDlgCategories, the dialog "Kategorien verwalten": the sorted list of
// categories, the edit field that appears for a new category or a rename,
// the buttons to create, rename and remove, and the check box that makes the
// selected category the overview's filter. Every rule (the proposals, the
// checks on "Ok", where the selection goes, which categories count as
// deleted) is the core's CategoryEditor; the dialog shows its state and asks
// through FormPrompts. It changes no file: after "Ok" the main window hands
// result() to the catalogue session.

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "diskindex/core/category_editor.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace diskindex::ui {

class FormPrompts;

class TDlgCategories : public QDialog {
  Q_OBJECT
 public:
  // categories: the category list; filter: the overview's filter entry.
  TDlgCategories(const std::vector<std::string>& categories, const std::string& filter,
                 bool selectCategory, FormPrompts& prompts, QWidget* parent = nullptr);
  ~TDlgCategories() override;

  CategoryEditResult editResult() const { return m_editor.result(); }
  bool selectCategory() const;

 signals:
  void helpRequested();

 private slots:
  void ButtonNewClick();
  void ButtonRenameClick();
  void ButtonRemoveClick();
  void ButtonOkClick();
  void ListBoxCategoriesClick();

 private:
  void buildControls(bool selectCategory);
  void showEditField(const std::string& text);
  void warn(std::string_view text);
  void refresh();

  CategoryEditor m_editor;
  FormPrompts& m_prompts;
  QListWidget* m_list = nullptr;
  QLineEdit* m_edit = nullptr;
  QPushButton* m_rename = nullptr;
  QPushButton* m_remove = nullptr;
  QCheckBox* m_select = nullptr;
};

}  // namespace diskindex::ui
