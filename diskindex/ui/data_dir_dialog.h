#pragma once
// "Daten-Verzeichnis festlegen": shows the current data directory and lets
// the user type or browse for a new one. "OK" takes only an existing folder:
// for a missing one it offers to create it (and stays open on No or when it
// cannot be created), a file or an empty text is refused. The main window
// then loads the volume list from the new place.

#include <QDialog>
#include <QLineEdit>

namespace diskindex::ui {

class FormPrompts;

class DataDirDialog : public QDialog {
  Q_OBJECT
 public:
  DataDirDialog(const QString& current, FormPrompts& prompts, QWidget* parent = nullptr);
  QString newDirectory() const;

  void accept() override;

 private:
  void browse();

  FormPrompts& m_prompts;
  QLineEdit* m_newDir = nullptr;
};

}  // namespace diskindex::ui
