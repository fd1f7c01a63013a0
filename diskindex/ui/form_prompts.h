#pragma once
// Everything the main window asks of the user in a modal way: error and
// information boxes, yes/no questions, the font dialog, the data directory
// dialog and the warning beep. The window calls these instead of showing
// dialogs itself, so that tests answer them without a screen; QtFormPrompts
// is the real implementation with German buttons.

#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace diskindex::ui {

// What to do with remarks whose comment file could not be written.
enum class RemarkSaveChoice {
  Retry,          // "Wiederholen"
  SaveElsewhere,  // "Andere Datei ...": save them to a file the user chooses
  Keep,           // "Abbruch": keep them and stay in the volume
};

// What to do with remarks another program changed meanwhile on the same
// entries (the buttons in messages' order).
enum class RemarkConflictAnswer {
  KeepMine,       // "&Meine behalten"
  KeepTheirs,     // "&Andere behalten"
  SaveElsewhere,  // "Meine in andere &Datei speichern"
};

// What to do when the data folder is not there (an unplugged disk).
enum class MissingFolderChoice {
  Create,       // "&Anlegen"
  ChooseOther,  // "A&nderes wählen ..."
  GoOnWithout,  // "&Ohne fortfahren": the catalogue stays read-only
};

class FormPrompts {
 public:
  virtual ~FormPrompts() = default;
  virtual void error(const QString& caption, const QString& text) = 0;
  virtual void information(const QString& caption, const QString& text) = 0;
  virtual void warning(const QString& caption, const QString& text) = 0;
  // True for "Ja".
  virtual bool question(const QString& caption, const QString& text) = 0;
  virtual std::optional<QFont> chooseFont(const QFont& current, const QString& title) = 0;
  // The new data directory, or nothing when the dialog was cancelled.
  virtual std::optional<QString> chooseDataDirectory(const QString& current) = 0;
  // The error of a failed remark save with the question what to do.
  virtual RemarkSaveChoice remarkSaveFailed(const QString& caption, const QString& text) = 0;
  // The file to save the remarks to instead, or nothing when cancelled.
  virtual std::optional<QString> chooseRemarkFile(const QString& suggested) = 0;
  // Remarks changed by another program on the same entries: whose to keep.
  virtual RemarkConflictAnswer remarkConflict(const QString& caption, const QString& text) = 0;
  // The data folder is missing: create it, choose another or go on without.
  virtual MissingFolderChoice missingDataDirectory(const QString& caption,
                                                   const QString& text) = 0;
  // One of items, by position, or nothing when cancelled.
  virtual std::optional<int> chooseItem(const QString& caption, const QString& text,
                                        const QStringList& items) = 0;
  virtual void beep() = 0;
};

class QtFormPrompts : public FormPrompts {
 public:
  explicit QtFormPrompts(QWidget* parent) : m_parent(parent) {}
  void error(const QString& caption, const QString& text) override;
  void information(const QString& caption, const QString& text) override;
  void warning(const QString& caption, const QString& text) override;
  bool question(const QString& caption, const QString& text) override;
  std::optional<QFont> chooseFont(const QFont& current, const QString& title) override;
  std::optional<QString> chooseDataDirectory(const QString& current) override;
  RemarkSaveChoice remarkSaveFailed(const QString& caption, const QString& text) override;
  std::optional<QString> chooseRemarkFile(const QString& suggested) override;
  RemarkConflictAnswer remarkConflict(const QString& caption, const QString& text) override;
  MissingFolderChoice missingDataDirectory(const QString& caption, const QString& text) override;
  std::optional<int> chooseItem(const QString& caption, const QString& text,
                                const QStringList& items) override;
  void beep() override;

 private:
  QWidget* m_parent;
};

// The program's texts use CR LF; Qt's boxes want plain line feeds.
QString boxText(std::string_view programText);

}  // namespace diskindex::ui
