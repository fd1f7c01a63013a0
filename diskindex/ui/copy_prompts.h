#pragma once
// What copying, editing and starting files ask of the user besides the
// window's message boxes (FormPrompts): the target dialog, the wrong-volume
// dialog, the overwrite and insert-volume questions, the name of a new
// target folder and the editor dialogs. Tests replace it to drive the
// workflows without a screen; QtCopyPrompts is the real one.

#include <QString>
#include <optional>

#include "diskindex/core/files/copy_engine.h"
#include "diskindex/core/files/files_observer.h"
#include "diskindex/core/files/volume_check.h"

class QWidget;

namespace diskindex::ui {

class TDlgSelectDir;
class TDlgChooseEditor;

class CopyPrompts {
 public:
  virtual ~CopyPrompts() = default;
  // Runs the dialog modally; true for OK.
  virtual bool runSelectDir(TDlgSelectDir& dialog) = 0;
  // TDlgOtherVolume with the question's texts.
  virtual files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion& question) = 0;
  // Yes, No, Cancel and "&Alle überschreiben" (caption "Dateien kopieren").
  virtual files::OverwriteAnswer askOverwrite(const QString& text) = 0;
  // OK, Cancel and "&Datenträger überspringen".
  virtual files::InsertVolumeAnswer askInsertVolume(const QString& text) = 0;
  // "Unterverzeichnis erzeugen": the new folder's name, or nothing.
  virtual std::optional<QString> newFolderName(const QString& current) = 0;
  virtual bool runChooseEditor(TDlgChooseEditor& dialog) = 0;
  // "&Neuen Editor suchen ...": a program file, or nothing.
  virtual std::optional<QString> findEditor(const QString& start) = 0;
};

class QtCopyPrompts : public CopyPrompts {
 public:
  explicit QtCopyPrompts(QWidget* parent) : m_parent(parent) {}
  bool runSelectDir(TDlgSelectDir& dialog) override;
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion& question) override;
  files::OverwriteAnswer askOverwrite(const QString& text) override;
  files::InsertVolumeAnswer askInsertVolume(const QString& text) override;
  std::optional<QString> newFolderName(const QString& current) override;
  bool runChooseEditor(TDlgChooseEditor& dialog) override;
  std::optional<QString> findEditor(const QString& start) override;

 private:
  QWidget* m_parent;
};

}  // namespace diskindex::ui
