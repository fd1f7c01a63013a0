#include "diskindex/ui/remark_save.h"

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

}  // namespace diskindex::ui
