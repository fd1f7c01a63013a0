// The game played through its real window: the frame is shown on the
// offscreen platform and activated the way a window manager activates it,
// and from then on only real key events and the passing of time drive it.
// Nothing here calls into the view; the document's state is read to see
// what happened and, before a key, set up the garden's scene.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <algorithm>

#include "arena/core/images.h"
#include "arena/core/overlay_layout.h"
#include "arena/ui/main_frame.h"

namespace arena::ui {
namespace {

class RecordingPlayer : public platform::WavePlayer {
 public:
  explicit RecordingPlayer(std::vector<std::string>* played) : m_played(played) {}
  bool playMemory(std::span<const std::uint8_t>, platform::PlayOptions) override { return true; }
  bool playFile(const std::filesystem::path& file, platform::PlayOptions) override {
    m_played->push_back(file.filename().string());
    return true;
  }
  void stop() override {}
  bool isPlaying() const override { return false; }
  bool hasDevice() const override { return true; }

 private:
  std::vector<std::string>* m_played;
};

const DroxImages& images() {
  static const DroxImages bank;
  return bank;
}

class GameWindowPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "game_window_play_test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
    frame = std::make_unique<CMainFrame>(doc, images(), std::make_unique<RecordingPlayer>(&played),
                                         nullptr);
    frame->view()->setFixedSize(640, 480);
    frame->view()->setSoundFolders({DROX_SOUND_DIR});
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  }

  void press(Qt::Key key) { QTest::keyClick(frame->view(), key); }
  GameState& state() { return doc.state(); }
  const QImage& window() { return frame->view()->pixels().window(); }
  bool heard(const char* sound) const {
    return std::find(played.begin(), played.end(), sound) != played.end();
  }

  CGameDoc doc;
  std::vector<std::string> played;
  std::unique_ptr<CMainFrame> frame;
};

TEST_F(GameWindowPlay, TheTimerRunsAndAShotFiredOnceFliesOnItsOwn) {
  EXPECT_TRUE(frame->view()->timerRunning());
  EXPECT_EQ(frame->droidsPane()->text(), "");
  press(Qt::Key_Return);
  // Ticks write the number of droids.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return frame->droidsPane()->text() == QString::number(state().droids.count()); },
      3000));
  press(Qt::Key_Space);
  ASSERT_EQ(state().shots.count(), 1u);
  const int32_t firedAt = state().shots.at(0)->left();
  const QImage fired = window().copy();
  // No further key: the shot moves two steps or more, or flies out of play.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return state().shots.isEmpty() || state().shots.at(0)->left() >= firedAt + 60; },
      3000));
  EXPECT_NE(window(), fired);
}

// One droid is left in the garden and put in the hero's line of fire; the
// player turns right and fires. The shot destroys the droid, the wreck
// shows, goes, and the empty garden ends: the next garden waits under the
// garden-cleared banner with the bonus, then the title comes back.
TEST_F(GameWindowPlay, AScriptedGameDestroysADroidAndClearsTheGarden) {
  press(Qt::Key_Return);
  while (state().droids.count() > 1) {
    state().sprites.remove(&state().droids.at(1).sprite());
    state().droids.removeAt(1);
  }
  press(Qt::Key_Right);
  const CSprite& hero = *frame->view()->game().hero();
  ASSERT_EQ(hero.imageId(), heroImage(Heading::Right));
  // Just right of the hero's gun, moving up: it still covers the shot's
  // height after its move.
  CDroid& droid = state().droids.at(0);
  droid.setHeading(Heading::Up);
  droid.sprite().placeAt(hero.left() + hero.width() + 6 + state().scroll().x,
                         hero.top() - 20 + state().scroll().y);
  press(Qt::Key_Space);
  const int32_t gardenBefore = state().garden;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return state().droids.isEmpty() || state().droids.at(0).destroyed(); }, 3000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return state().garden == gardenBefore + 1; }, 3000));
  EXPECT_TRUE(heard("DROIDHIT.WAV"));
  EXPECT_TRUE(heard("WINLEVEL.WAV"));
  EXPECT_TRUE(state().paused);
  EXPECT_EQ(state().score, kPointsDroid + kPointsGarden);
  ASSERT_EQ(state().banner.kind, BannerKind::GardenCleared);
  // The banner's centre shows in place of the title.
  const Size client = state().clientSize;
  const QImage& banner = images().picture(image::kGardenClearedBanner);
  const QPoint at(client.cx / 2 - banner.width() / 2, client.cy / 2 - banner.height() / 2);
  const QPoint probe(banner.width() / 2, 6);
  ASSERT_NE(qAlpha(banner.pixel(probe)), 0);
  EXPECT_EQ(window().pixel(at + probe) | 0xFF000000u, banner.pixel(probe) | 0xFF000000u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !state().banner.active(); }, 4000));
  const QImage& title = images().picture(image::kTitle);
  const QPoint titleAt(client.cx / 2 - title.width() / 2, client.cy / 2 - title.height() / 2);
  const QPoint titleProbe(195, 150);
  ASSERT_NE(qAlpha(title.pixel(titleProbe)), 0);
  EXPECT_EQ(window().pixel(titleAt + titleProbe) | 0xFF000000u,
            title.pixel(titleProbe) | 0xFF000000u);
  EXPECT_EQ(frame->scorePane()->text(), QString::number(state().score));
}

}  // namespace
}  // namespace arena::ui
