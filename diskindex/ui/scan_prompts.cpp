#include "diskindex/ui/scan_prompts.h"

#include <QMessageBox>
#include <QPushButton>

#include "diskindex/core/messages.h"
#include "diskindex/core/scan/scan_messages.h"
#include "diskindex/ui/box_owner.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

int ask(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
        const QString& first, const QString& second) {
  QMessageBox box(icon, caption, text, QMessageBox::NoButton, boxOwner(parent));
  QPushButton* accept = box.addButton(first, QMessageBox::AcceptRole);
  if (!second.isEmpty()) box.addButton(second, QMessageBox::RejectRole);
  box.setDefaultButton(accept);
  box.exec();
  return box.clickedButton() == accept ? 1 : 0;
}

}  // namespace

bool folderUsable(ScanPrompts& prompts, const QString& caption,
                     const std::optional<scan::FolderDrive>& folder,
                     const std::filesystem::path& settingsFile) {
  if (!folder) return true;
  const std::string path = folder->folder.string();
  if (folder->status == scan::FolderDriveStatus::NotRecorded) {
    prompts.error(caption,
                  boxText(scan::messages::folderLetterNotRecorded(path, settingsFile.string())));
    return false;
  }
  if (folder->status == scan::FolderDriveStatus::NotAFolder) {
    const ErrorMessage message =
        errorMessage(ResultCode::DriveNotReady, OperationTitle::CreateData, path);
    prompts.error(QString::fromStdString(message.caption), boxText(message.text));
    return false;
  }
  return true;
}

void showWalkSummary(ScanPrompts& prompts, const scan::WalkSummary& passedOver) {
  const std::string text = scan::messages::walkSummaryText(passedOver);
  if (!text.empty()) prompts.warning(qUtf8(scan::messages::kWalkSummaryCaption), boxText(text));
}

bool QtScanPrompts::yesNo(const QString& caption, const QString& text) {
  return ask(m_parent, QMessageBox::Question, caption, text, QStringLiteral("&Ja"),
             QStringLiteral("&Nein")) == 1;
}

bool QtScanPrompts::okCancel(const QString& caption, const QString& text) {
  return ask(m_parent, QMessageBox::Information, caption, text, QStringLiteral("OK"),
             QStringLiteral("Abbrechen")) == 1;
}

void QtScanPrompts::warning(const QString& caption, const QString& text) {
  ask(m_parent, QMessageBox::Warning, caption, text, QStringLiteral("OK"), QString());
}

void QtScanPrompts::error(const QString& caption, const QString& text) {
  ask(m_parent, QMessageBox::Critical, caption, text, QStringLiteral("OK"), QString());
}

ScanPromptsFactory& scanPromptsFactory() {
  static ScanPromptsFactory factory = [](QWidget* parent) -> std::unique_ptr<ScanPrompts> {
    return std::make_unique<QtScanPrompts>(parent);
  };
  return factory;
}

bool DialogQuestionsOnPrompts::confirmOtherDriveType() {
  return m_prompts.yesNo(m_caption, boxText(scan::messages::kDriveTypeDiffers));
}

void DialogQuestionsOnPrompts::nameTaken(const std::string& name) {
  m_prompts.warning(m_caption, boxText(scan::messages::nameTaken(name)));
}

bool DialogQuestionsOnPrompts::confirmSameLabel(const std::string& label) {
  return m_prompts.yesNo(m_caption, boxText(scan::messages::sameLabelQuestion(label)));
}

}  // namespace diskindex::ui
