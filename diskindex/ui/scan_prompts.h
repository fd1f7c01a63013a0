#pragma once
// The message boxes of adding volumes and changing their information: the
// add dialog's checks, the series prompt, the descriptions question, the
// cancel confirmation and the error of a volume that could not be read.
// QtScanPrompts shows them with German buttons; tests answer them through a
// fake. DialogQuestionsOnPrompts words the dialog's checks on top of it.

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "diskindex/core/scan/folder_drive.h"
#include "diskindex/core/scan/volume_dialog.h"
#include "diskindex/core/scan/walk.h"
#include "diskindex/ui/form_prompts.h"

class QWidget;

namespace diskindex::ui {

class ScanPrompts {
 public:
  virtual ~ScanPrompts() = default;
  virtual bool yesNo(const QString& caption, const QString& text) = 0;     // true for "Ja"
  virtual bool okCancel(const QString& caption, const QString& text) = 0;  // true for "OK"
  virtual void warning(const QString& caption, const QString& text) = 0;
  virtual void error(const QString& caption, const QString& text) = 0;
};

class QtScanPrompts : public ScanPrompts {
 public:
  explicit QtScanPrompts(QWidget* parent) : m_parent(parent) {}
  bool yesNo(const QString& caption, const QString& text) override;
  bool okCancel(const QString& caption, const QString& text) override;
  void warning(const QString& caption, const QString& text) override;
  void error(const QString& caption, const QString& text) override;

 private:
  QWidget* m_parent;
};

// Where the main window gets its prompts from; tests replace it.
using ScanPromptsFactory = std::function<std::unique_ptr<ScanPrompts>(QWidget* parent)>;
ScanPromptsFactory& scanPromptsFactory();

// After reading a folder (adding, changing, reading again): a folder that
// could not be used (not a folder, its letter not recordable) says why in an
// error box (false); true when it got a letter, keeps the folder itself (no
// letter free) or no folder was read.
bool folderUsable(ScanPrompts& prompts, const QString& caption,
                     const std::optional<scan::FolderDrive>& folder,
                     const std::filesystem::path& settingsFile);
// What the walk passed over (links, mount points, unreadable directories)
// in a warning box; nothing when it passed over nothing.
void showWalkSummary(ScanPrompts& prompts, const scan::WalkSummary& passedOver);

// The add dialog's questions, captioned with the dialog's caption.
class DialogQuestionsOnPrompts : public scan::DialogQuestions {
 public:
  DialogQuestionsOnPrompts(ScanPrompts& prompts, QString caption)
      : m_prompts(prompts), m_caption(std::move(caption)) {}
  bool confirmOtherDriveType() override;
  void nameTaken(const std::string& name) override;
  bool confirmSameLabel(const std::string& label) override;

 private:
  ScanPrompts& m_prompts;
  QString m_caption;
};

}  // namespace diskindex::ui
