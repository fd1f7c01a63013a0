#include "diskindex/ui/remark_save.h"

#include "diskindex/core/messages.h"
#include "diskindex/core/remark_service.h"
#include "diskindex/core/result_code.h"
#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

constexpr std::string_view kKeepQuestion =
    "\r\n\r\nDie Bemerkungen bleiben erhalten. Erneut\r\n"
    "versuchen oder in einer anderen Datei speichern?";

}  // namespace

bool saveRemarksOrKeep(FormPrompts& prompts, const std::filesystem::path& commentFile,
                       const std::function<ResultCode(const std::filesystem::path&)>& save) {
  std::filesystem::path target = commentFile;
  for (;;) {
    const ResultCode code = save(target);
    if (code == ResultCode::Ok) return true;
    const ErrorMessage message = errorMessage(code, OperationTitle::SaveRemarks, target.string());
    const QString text = boxText(message.text + std::string(kKeepQuestion));
    for (;;) {
      const RemarkSaveChoice choice = prompts.remarkSaveFailed(qUtf8(message.caption), text);
      if (choice == RemarkSaveChoice::Keep) return false;
      if (choice == RemarkSaveChoice::Retry) {
        target = commentFile;
        break;
      }
      // A cancelled file dialog asks again rather than write anything.
      if (const std::optional<QString> chosen =
              prompts.chooseRemarkFile(qUtf8(commentFile.filename().string()))) {
        target = std::filesystem::path(chosen->toStdString());
        break;
      }
    }
  }
}

namespace {

// One save of the open remarks to their comment file, asking on a conflict.
ResultCode saveToCommentFile(FormPrompts& prompts, RemarkService& remarks) {
  const std::filesystem::path commentFile = remarks.file();
  ConflictChoice choice = ConflictChoice::Ask;
  for (;;) {
    const RemarkSaveResult result = remarks.save(choice);
    if (result.status == RemarkSaveStatus::Conflict) {
      const RemarkConflictAnswer answer = prompts.remarkConflict(
          qUtf8(messages::kRemarkConflictCaption),
          boxText(messages::remarkConflictQuestion(commentFile.string(),
                                                   static_cast<int>(result.conflicts.size()))));
      if (answer == RemarkConflictAnswer::KeepMine) choice = ConflictChoice::KeepMine;
      if (answer == RemarkConflictAnswer::KeepTheirs) choice = ConflictChoice::KeepTheirs;
      if (answer != RemarkConflictAnswer::SaveElsewhere) continue;
      // A cancelled file dialog asks the question again rather than decide.
      if (const std::optional<QString> chosen =
              prompts.chooseRemarkFile(qUtf8(commentFile.filename().string()))) {
        return remarks.saveTo(std::filesystem::path(chosen->toStdString()));
      }
      continue;
    }
    if (!result.damagedCopy.empty()) {
      prompts.information(qUtf8(messages::kRemarkConflictCaption),
                          boxText(messages::keptDamagedCopy(commentFile.string(),
                                                            result.damagedCopy.string())));
    }
    if (result.status == RemarkSaveStatus::Failed && result.code == ResultCode::Ok) {
      return ResultCode::CannotWrite;
    }
    return result.code;
  }
}

}  // namespace

RemarkConflictDecision RemarkConflictBoxes::remarkConflict(
    const std::filesystem::path& commentFile, int entries) {
  using Choice = RemarkConflictDecision::Choice;
  for (;;) {
    const RemarkConflictAnswer answer = m_prompts.remarkConflict(
        qUtf8(messages::kRemarkConflictCaption),
        boxText(messages::remarkConflictQuestion(commentFile.string(), entries)));
    if (answer == RemarkConflictAnswer::KeepMine) return {Choice::KeepMine, {}};
    if (answer == RemarkConflictAnswer::KeepTheirs) return {Choice::KeepTheirs, {}};
    if (const std::optional<QString> chosen =
            m_prompts.chooseRemarkFile(qUtf8(commentFile.filename().string()))) {
      return {Choice::SaveMineElsewhere, std::filesystem::path(chosen->toStdString())};
    }
  }
}

bool saveOpenRemarks(FormPrompts& prompts, RemarkService& remarks) {
  const std::filesystem::path commentFile = remarks.file();
  return saveRemarksOrKeep(prompts, commentFile, [&](const std::filesystem::path& target) {
    if (target == commentFile) return saveToCommentFile(prompts, remarks);
    return remarks.saveTo(target);
  });
}

}  // namespace diskindex::ui
