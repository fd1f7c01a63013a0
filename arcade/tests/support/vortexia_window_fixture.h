#pragma once

// The game window fixture for the offscreen window tests: one document,
// frame and view with an injected clock, fake prompts that record every
// question and answer as told, and helpers to tick, paint and click. It
// drives the window only through its buttons, keys and timers; it reads
// the session for what the player would see.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "arcade/game/saved_game.h"
#include "arcade/shell/view_settings.h"
#include "arcade/imagelib/game_palette.h"
#include "arcade/renderer/banner.h"
#include "arcade/ui/main_frame.h"
#include "arcade/ui/shell_dialogs.h"
#include "arcade/ui/shell_prompts.h"
#include "arcade/ui/vortexia_app.h"
#include "arcade/ui/vortexia_doc.h"
#include "arcade/ui/vortexia_view.h"
#include "arcade/world/geometry.h"
#include "fakes.h"

namespace arcade::ui {

inline void EnsureApplication() {
  static int argc = 1;
  static char name[] = "arcade_ui_tests";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

class FakePrompts : public IShellPrompts {
 public:
  bool OkCancel(QWidget*, const QString& caption, const QString& text) override {
    asked << caption + QLatin1Char('|') + text;
    return answer;
  }
  bool YesNo(QWidget*, const QString& caption, const QString& text) override {
    asked << caption + QLatin1Char('|') + text;
    return answer;
  }
  bool Confirm(QWidget*, const QString& caption, const QString& text) override {
    asked << caption + QLatin1Char('|') + text;
    return answer;
  }
  SaveAnswer YesNoCancel(QWidget*, const QString& caption, const QString& text) override {
    asked << caption + QLatin1Char('|') + text;
    if (whileAsking) whileAsking();
    return saveAnswer;
  }
  void Message(QWidget*, MessageIcon, const QString& caption, const QString& text) override {
    asked << caption + QLatin1Char('|') + text;
  }
  QString OpenFileName(QWidget*, const QString& title, const QString&,
                       const QString& initial) override {
    asked << title + QLatin1Char('|') + initial;
    return fileToOpen;
  }
  QString SaveFileName(QWidget*, const QString& title, const QString&,
                       const QString& initial) override {
    asked << title + QLatin1Char('|') + initial;
    return fileToSave;
  }
  bool answer = true;
  SaveAnswer saveAnswer = SaveAnswer::Cancel;
  std::function<void()> whileAsking;  // what happens while the save question is up
  QString fileToOpen, fileToSave;
  QStringList asked;
};

class CountingAudio : public IShellAudio {
 public:
  void PlayTitleMusic() override { ++starts; }
  void StopTitleMusic() override { ++stops; }
  int starts = 0, stops = 0;
};

class WorkingJoystick : public IShellJoystick {
 public:
  bool Read(JoystickSample& sample) override {
    sample = {0.95f, 0.95f, false, false};
    return true;
  }
};

class VortexiaWindowTest : public ::testing::Test {
 protected:
  VortexiaWindowTest() : resources(testing::artDirectory()) {
    EnsureApplication();
    doc = std::make_unique<CVortexiaDoc>(resources, reporter, audio);
    frame = std::make_unique<CMainFrame>(*doc, prompts);
    view = frame->View();
    view->SetClock([this] { return now; });
    frame->show();
    frame->resize(640, 480 + (frame->height() - view->height()));
    QApplication::processEvents();
  }
  ~VortexiaWindowTest() override {
    frame.reset();
    doc.reset();
    std::filesystem::remove_all(folder);
  }

  CGameSession& Session() { return doc->Session(); }
  QPushButton* Button(const char* name) {
    return view->findChild<QPushButton*>(QLatin1String(name));
  }
  // Paints the view as the screen would and returns the picture.
  QImage Picture() { return view->grab().toImage(); }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      now += kTickMs;
      view->OnTick();
    }
  }
  void StartPlaying() {
    Session().MarkNeedToKnowShown();
    QTest::mouseClick(Button("buttonPlay"), Qt::LeftButton);
    Picture();  // the first paint makes the world
  }
  // Answers the next modal dialog with `answer` once it is open.
  template <typename F>
  void WhenModalOpens(F answer) {
    QTimer::singleShot(0, [answer] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr) << "no modal dialog opened";
      answer(modal);
    });
  }
  int CountColour(const QImage& image, QRect area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
  }

  DirectoryResources resources;
  testing::RecordingReporter reporter;
  CountingAudio audio;
  FakePrompts prompts;
  std::unique_ptr<CVortexiaDoc> doc;
  std::unique_ptr<CMainFrame> frame;
  CVortexiaView* view = nullptr;
  std::uint32_t now = 5000;
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vortexia_window_" + std::to_string(::getpid()));
};

}  // namespace arcade::ui
