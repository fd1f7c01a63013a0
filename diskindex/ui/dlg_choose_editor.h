#pragma once
// "Datei-Editor auswählen": the editors known from the settings under
// "&Editor auswählen:" with the current one selected, and "&Neuen Editor
// suchen ..." to pick a program file, which joins the list selected. The
// window hands chosen() to the session (EDIT_PATH).

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

namespace diskindex::ui {

class CopyPrompts;

class TDlgChooseEditor : public QDialog {
  Q_OBJECT
 public:
  TDlgChooseEditor(const std::vector<std::string>& editors, const std::string& current,
                   CopyPrompts& prompts, QWidget* parent = nullptr);
  // The selected program, empty when none.
  QString chosen() const;
  void findEditor();

 private:
  void select(const QString& program);

  CopyPrompts& m_prompts;
  QListWidget* m_list = nullptr;
};

}  // namespace diskindex::ui
