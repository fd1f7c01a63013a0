// finova-window-tour: shows the calculator's windows in a given state for a
// while, so that they can be looked at or screenshot under Xvfb:
//   finova-window-tour keypad|exponent|tape|schedule|registers [seconds]
// It uses a settings file in a temporary folder and never touches the
// user's own.

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <string>

#include "calculator/core/finova_session.h"
#include "calculator/core/key_table.h"
#include "calculator/ui/amort_dialog.h"
#include "calculator/ui/finova_window.h"
#include "calculator/ui/prompts.h"
#include "calculator/ui/tape_window.h"

namespace {

void type(finova::ui::FinovaWindow& window, const std::string& keys) {
  std::size_t start = 0;
  while (start < keys.size()) {
    std::size_t end = keys.find(' ', start);
    if (end == std::string::npos) end = keys.size();
    const std::string token = keys.substr(start, end - start);
    if (const auto code = finova::keyFromMnemonic(token)) {
      window.PressKeyFromUi(*code);
    } else {
      for (char c : token) window.PressKeyFromUi(c == '.' ? finova::key::kPoint : c - '0');
    }
    start = end + 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string scene = argc > 1 ? argv[1] : "keypad";
  const int seconds = argc > 2 ? std::stoi(argv[2]) : 5;
  const auto folder = std::filesystem::temp_directory_path() / "finova-window-tour";
  std::filesystem::create_directories(folder);
  std::filesystem::remove(folder / "FINOVA.INI");
  finova::FinovaSession session(folder / "FINOVA.INI");
  session.start();
  finova::ui::FinovaWindow window(session, finova::ui::dialogPrompts());
  window.move(10, 10);
  window.show();
  if (scene == "keypad") {
    type(window, "1234.5678 ENTER 2 Y^X");
    window.PressKeyFromUi(finova::key::kPV);
  } else if (scene == "exponent") {
    // A number too large for the line: the exponent takes its own field.
    type(window, "0.000123 ENTER 123456789 ENTER 1234567 * 5 Y^X");
  } else if (scene == "tape") {
    type(window, "100 ENTER 50 + 3 * 1234567 CHS ENTER 2 / 0 1/X");
    window.tapeWindow()->annotate(QStringLiteral("Rent"));
    window.tapeWindow()->stampDateTime();
    window.tapeWindow()->move(700, 10);
    window.tapeWindow()->show();
  } else if (scene == "schedule") {
    type(window, "24 N 1 I 5000 PV 0 FV PMT");
    QTimer::singleShot(0, [&] {
      finova::ui::AmortDialog dialog(session.engine(), finova::ui::dialogPrompts(), &window);
      dialog.move(700, 10);
      QTimer::singleShot(seconds * 1000, &dialog, &QDialog::reject);
      dialog.exec();
    });
  } else if (scene == "registers") {
    type(window, "12 N 1 I 1000 PV 0 FV PMT 5 STO 1 7 STO . 3");
    window.findChild<QAction*>(QStringLiteral("actionRegisters"))->trigger();
    window.findChild<QAction*>(QStringLiteral("actionMemory"))->trigger();
  }
  QTimer::singleShot(seconds * 1000 + 200, &app, &QApplication::quit);
  return QApplication::exec();
}
