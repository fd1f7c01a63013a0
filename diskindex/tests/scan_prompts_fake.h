#pragma once
// Test helper: ScanPrompts that record every box and answer from a script
// ("Nein"/"Abbrechen" when the script is empty).

#include <QString>
#include <deque>
#include <vector>

#include "diskindex/ui/scan_prompts.h"

namespace diskindex::ui::testing {

class FakeScanPrompts : public ScanPrompts {
 public:
  struct Shown {
    QString kind;  // "yesNo", "okCancel", "warning", "error"
    QString caption;
    QString text;
  };
  bool yesNo(const QString& caption, const QString& text) override {
    return answer("yesNo", caption, text);
  }
  bool okCancel(const QString& caption, const QString& text) override {
    return answer("okCancel", caption, text);
  }
  void warning(const QString& caption, const QString& text) override {
    shown.push_back({"warning", caption, text});
  }
  void error(const QString& caption, const QString& text) override {
    shown.push_back({"error", caption, text});
  }

  std::vector<Shown> shown;
  std::deque<bool> answers;

 private:
  bool answer(const QString& kind, const QString& caption, const QString& text) {
    shown.push_back({kind, caption, text});
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace diskindex::ui::testing
