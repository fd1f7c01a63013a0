// drox-tour: shows the game window in a chosen situation and saves what it
// shows, for looking at the artwork and the overlays without playing.
//
// Usage: drox-tour title|garden1|garden8|firering|shield|gameover OUT.png [seconds]
// The window stays up for the given seconds (default 2), so that it can also
// be captured from the screen.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "arena/core/keys.h"
#include "arena/ui/game_app.h"

namespace {

using arena::ui::CGameView;

void play(CGameView& view, int ticks) {
  for (int i = 0; i < ticks; ++i) view.timerTick();
}

void start(CGameView& view) {
  auto& game = view.game();
  game.state().paused = true;
  game.keyDown(arena::key::kReturn);
}

void gardenPlay(CGameView& view, int garden) {
  auto& game = view.game();
  game.state().garden = garden;
  view.restartGarden();
  start(view);
  for (int32_t key : {arena::key::kRight, arena::key::kRight, arena::key::kDown}) game.keyDown(key);
  game.keyDown(arena::key::kSpace);
  play(view, 3);
  game.keyDown(arena::key::kSpace);
  play(view, 1);
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
  play(view, 40);
}

void gameOver(CGameView& view) {
  auto& game = view.game();
  start(view);
  auto& state = game.state();
  state.lives = 1;
  state.score = 4250;
  arena::CDroid& droid = state.droids.at(0);
  droid.setHeading(arena::Heading::Down);
  droid.sprite().placeAt(game.hero()->left() + state.scroll().x,
                         game.hero()->top() + state.scroll().y);
  view.timerTick();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: drox-tour title|garden1|garden8|firering|shield|gameover OUT.png [s]\n");
    return 2;
  }
  QApplication app(argc, argv);
  arena::ui::CGameApp game;
  if (!game.initInstance(platform::makeSilentWavePlayer(), nullptr)) return 1;
  QApplication::processEvents();
  CGameView& view = *game.mainFrame()->view();
  const char* situation = argv[1];
  if (std::strcmp(situation, "garden1") == 0) gardenPlay(view, 1);
  if (std::strcmp(situation, "garden8") == 0) gardenPlay(view, 8);
  if (std::strcmp(situation, "firering") == 0) fireRing(view, false);
  if (std::strcmp(situation, "shield") == 0) fireRing(view, true);
  if (std::strcmp(situation, "gameover") == 0) gameOver(view);
  const QString out = QString::fromLocal8Bit(argv[2]);
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 2;
  QTimer::singleShot(300, [&] { game.mainFrame()->grab().save(out); });
  QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  return QApplication::exec();
}
