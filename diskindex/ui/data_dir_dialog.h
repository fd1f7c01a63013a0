#pragma once
// "Daten-Verzeichnis festlegen": shows the current data directory and lets
// the user type or browse for a new one. It only returns the text; the main
// window checks nothing here and loads the volume list from the new place.

#include <QDialog>
#include <QLineEdit>

namespace diskindex::ui {

class DataDirDialog : public QDialog {
  Q_OBJECT
 public:
  explicit DataDirDialog(const QString& current, QWidget* parent = nullptr);
  QString newDirectory() const;

 private:
  void browse();

  QLineEdit* m_newDir = nullptr;
};

}  // namespace diskindex::ui
