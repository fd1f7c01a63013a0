#pragma once
// TDlgSelectDir in its two copy forms, both captioned "Dateien kopieren":
// from the contents view it shows the source directory ("Quell-Verzeichnis:")
// and "gesa&mtes Verzeichnis kopieren"; from the search results it offers
// "&selektierte Datei(en) kopieren" or "&alle Dateien kopieren". Both choose
// the target ("kopieren nach:") by typing it or through "&Laufwerke:" (the
// drive letters and their folders) and "&Verzeichnisse:" (".." and the
// folders below the target; double-click or Enter goes into one), and
// "&Neues Verzeichnis ..." creates a folder below the target and goes into
// it. Ok stays disabled while "kopieren nach:" is empty; a target that does
// not exist is offered to be created (the dialog stays open when the user
// declines or it cannot be). It copies nothing itself: the window reads
// target() and the choices.

#include <QDialog>
#include <filesystem>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace diskindex::ui {

class CopyPrompts;
class FormPrompts;

class TDlgSelectDir : public QDialog {
  Q_OBJECT
 public:
  enum class Form { CopyFiles, CopyHits };
  using DriveList = std::vector<std::pair<char, std::filesystem::path>>;

  TDlgSelectDir(Form form, const QString& source, const QString& target, const DriveList& drives,
                bool choice, CopyPrompts& copyPrompts, FormPrompts& prompts,
                QWidget* parent = nullptr);

  Form form() const { return m_form; }
  QString target() const;
  // CopyFiles: "gesa&mtes Verzeichnis kopieren"; CopyHits: "&alle Dateien kopieren".
  bool choice() const;

  // Goes to a folder: the target and the list of folders below it.
  void setTarget(const QString& folder);
  void newDirectory();
  // Ok: only with a target that is an existing folder or was just created.
  void accept() override;

 private:
  void updateOk();
  void driveChosen(int index);
  void enter(QListWidgetItem* item);
  void fillDirectories();

  Form m_form;
  CopyPrompts& m_copyPrompts;
  FormPrompts& m_prompts;
  QLineEdit* m_target = nullptr;
  QPushButton* m_ok = nullptr;
  QComboBox* m_drives = nullptr;
  QListWidget* m_dirs = nullptr;
  QCheckBox* m_whole = nullptr;
  QRadioButton* m_selected = nullptr;
  QRadioButton* m_all = nullptr;
};

}  // namespace diskindex::ui
