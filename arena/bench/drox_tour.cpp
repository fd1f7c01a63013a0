// drox-tour: shows the game window in a chosen situation and saves what it
// shows, for looking at the artwork and the overlays without playing.
//
// Usage: drox-tour SITUATION OUT.png [seconds]
//   title, garden1, garden8, firering, shield, gameover, lifelost, cleared
// The game runs on its own timer in an active window, driven by key events;
// the scene is set up in the document's state first. The window stays up
// for the given seconds (default 2), so that it can also be captured from
// the screen.
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "arena/ui/game_app.h"

namespace {

using arena::ui::CGameView;

// Lets the window's own timer run for about the given number of ticks.
void run(int ticks) {
  QEventLoop loop;
  QTimer::singleShot(ticks * arena::ArenaGame::kTimerPeriodMs + 20, &loop, &QEventLoop::quit);
  loop.exec();
}

void key(CGameView& view, Qt::Key k) {
  QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
  QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
  QCoreApplication::sendEvent(&view, &press);
  QCoreApplication::sendEvent(&view, &release);
}

void start(CGameView& view) {
  view.game().state().paused = true;
  key(view, Qt::Key_Return);
}

void gardenPlay(CGameView& view, int garden) {
  view.game().state().garden = garden;
  view.restartGarden();
  start(view);
  for (Qt::Key k : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Space}) key(view, k);
  run(3);
  key(view, Qt::Key_Space);
  run(1);
}

void fireRing(CGameView& view, bool shield) {
  auto& game = view.game();
  start(view);
  auto& state = game.state();
  for (arena::CSprite* treasure : state.treasures) {
    if (treasure->imageId() != arena::image::kWildFire) continue;
    // Look at the power-up from close by, with the hero beside it.
    const arena::Rect cell = treasure->rect();
    const int32_t sx = std::clamp(cell.left - 350, 0, 1900 - state.clientSize.cx);
    const int32_t sy = std::clamp(cell.top - 250, 0, 1900 - state.clientSize.cy);
    state.canvas->setScroll({sx, sy});
    game.hero()->placeAt(cell.left - sx - 200, cell.top - sy - 150);
    game.takePowerUp(*treasure);
    break;
  }
  if (shield) game.hero()->startShield();
  state.dirtyRect = state.clientRect();
  game.paint();
  run(40);
}

// A droid on the hero: the hit picture, then the banner of what it cost.
void heroHit(CGameView& view, int lives) {
  auto& game = view.game();
  start(view);
  auto& state = game.state();
  state.lives = lives;
  state.score = 4250;
  arena::CDroid& droid = state.droids.at(0);
  droid.setHeading(arena::Heading::Down);
  droid.sprite().placeAt(game.hero()->left() + state.scroll().x,
                         game.hero()->top() + state.scroll().y);
  run(12);
}

void cleared(CGameView& view) {
  auto& state = view.game().state();
  start(view);
  while (!state.droids.isEmpty()) {
    state.sprites.remove(&state.droids.at(0).sprite());
    state.droids.removeAt(0);
  }
  run(2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: drox-tour title|garden1|garden8|firering|shield|gameover|lifelost|cleared"
                 " OUT.png [s]\n");
    return 2;
  }
  QApplication app(argc, argv);
  arena::ui::CGameApp game;
  if (!game.initInstance(platform::makeSilentWavePlayer(), nullptr)) return 1;
  game.mainFrame()->activateWindow();
  run(3);
  CGameView& view = *game.mainFrame()->view();
  const char* situation = argv[1];
  if (std::strcmp(situation, "garden1") == 0) gardenPlay(view, 1);
  if (std::strcmp(situation, "garden8") == 0) gardenPlay(view, 8);
  if (std::strcmp(situation, "firering") == 0) fireRing(view, false);
  if (std::strcmp(situation, "shield") == 0) fireRing(view, true);
  if (std::strcmp(situation, "gameover") == 0) heroHit(view, 1);
  if (std::strcmp(situation, "lifelost") == 0) heroHit(view, 3);
  if (std::strcmp(situation, "cleared") == 0) cleared(view);
  const QString out = QString::fromLocal8Bit(argv[2]);
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 2;
  QTimer::singleShot(300, [&] { game.mainFrame()->grab().save(out); });
  QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  return QApplication::exec();
}
