// The main window on a desktop of two screens: it comes back on the screen it
// was left on, at its place there. The offscreen platform is given two
// screens side by side before the application starts.

#include <gtest/gtest.h>

#include <QScreen>
#include <QTemporaryDir>
#include <fstream>

#include "diskindex/tests/main_form_fixture.h"

namespace diskindex::ui {
namespace {

using testing::MainFormTest;

// Runs before the test program creates its application.
const bool kTwoScreens = [] {
  static QTemporaryDir folder;
  const QString config = folder.filePath(QStringLiteral("screens.json"));
  std::ofstream(config.toStdString())
      << R"({"screens": [)"
         R"({"name": "Links", "x": 0, "y": 0, "width": 1024, "height": 768,)"
         R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},)"
         R"({"name": "Rechts", "x": 1024, "y": 0, "width": 1280, "height": 1024,)"
         R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
  return true;
}();

class ScreensTest : public MainFormTest {
 protected:
  TDiskIndexForm& startOnDesktop() {
    FormEnvironment env;
    env.settingsFile = m_settingsFile;
    env.settings.dataHome = m_temp.path() / "home";
    env.settings.tempDir = m_temp.path();
    env.settings.screen = {1024, 768};
    env.settings.screens = desktopScreens();
    m_form = std::make_unique<TDiskIndexForm>(std::move(env),
                                              std::make_unique<testing::FakePrompts>());
    m_form->start();
    m_form->show();
    QApplication::processEvents();
    return *m_form;
  }
  void closeForm() {
    m_form->close();
    m_form.reset();
  }
  std::string storedScreen() {
    return platform::IniFile(m_settingsFile).readString("Inits", "WIN_SCREEN");
  }
};

TEST_F(ScreensTest, WindowComesBackOnTheScreenItWasLeftOn) {
  ASSERT_TRUE(kTwoScreens);
  ASSERT_EQ(QGuiApplication::screens().size(), 2);
  writeSettings("WIN_SCREEN=Rechts\nWIN_X=100\nWIN_Y=50\nWIN_W=640\nWIN_H=480\n");
  {
    TDiskIndexForm& form = startOnDesktop();
    ASSERT_NE(form.screen(), nullptr);
    EXPECT_EQ(form.screen()->name(), QStringLiteral("Rechts"));
    EXPECT_EQ(form.pos(), QPoint(1124, 50));
    // Dragged to the left screen.
    form.move(200, 100);
    QApplication::processEvents();
    closeForm();
  }
  EXPECT_EQ(storedScreen(), "Links");
  {
    TDiskIndexForm& form = startOnDesktop();
    EXPECT_EQ(form.screen()->name(), QStringLiteral("Links"));
    EXPECT_EQ(form.pos(), QPoint(200, 100));
    // Back to the right one and maximised there.
    form.move(1300, 60);
    QApplication::processEvents();
    form.showMaximized();
    QApplication::processEvents();
    closeForm();
  }
  const platform::IniFile ini(m_settingsFile);
  EXPECT_EQ(ini.readString("Inits", "WIN_SCREEN"), "Rechts");
  EXPECT_EQ(ini.readInt("Inits", "WIN_MAX", -1), 1);
  TDiskIndexForm& form = startOnDesktop();
  EXPECT_TRUE(form.isMaximized());
  EXPECT_EQ(form.screen()->name(), QStringLiteral("Rechts"));
  EXPECT_EQ(form.frameGeometry(), form.screen()->availableGeometry());
}

}  // namespace
}  // namespace diskindex::ui
