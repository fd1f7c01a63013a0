#include "arena/core/arena_game.h"

#include <algorithm>
#include <limits>

#include "arena/core/hero.h"
#include "arena/core/keys.h"
#include "arena/core/sounds.h"

namespace arena {

ArenaGame::ArenaGame(GameState& state, ArenaScreen* screen) : m_state(state), m_screen(screen) {}

// The hero leaves the draw list with the view that owns it.
ArenaGame::~ArenaGame() {
  if (m_hero) m_state.sprites.remove(m_hero.get());
}

void ArenaGame::initialUpdate() {
  startGarden();
}

void ArenaGame::startGarden() {
  m_state.canvas.reset();
  if (m_hero) {
    m_state.sprites.remove(m_hero.get());
  } else {
    m_hero = std::make_unique<CSprite>(image::kHeroStart, sprite_flag::kMasked, kHeroStartX,
                                       kHeroStartY);
  }
  m_state.dirtyRect = m_state.clientRect();
  m_state.canvas = std::make_unique<CArenaCanvas>(m_state);
  m_state.fireRing.reset();
  m_state.hitPictureTicks = 0;
  m_hero->setImage(image::kHeroStart);
  m_hero->placeAt(kHeroStartX, kHeroStartY);
  m_hero->clearCounters();
  m_state.sprites.append(m_hero.get());
  ++m_state.gardenStarts;
  paint();
  m_state.status.score = m_state.score;
  m_state.status.lives = m_state.lives;
}

Size ArenaGame::viewSize(Size client) {
  return {std::clamp(client.cx, 0, kWorldSize), std::clamp(client.cy, 0, kWorldSize)};
}

void ArenaGame::resize(Size client) {
  m_state.clientSize = viewSize(client);
  if (!m_state.canvas) return;
  // Pausing first lets the garden start's paint show the overlays at once.
  m_state.paused = true;
  startGarden();
  m_state.status.droids = static_cast<int32_t>(m_state.droids.count());
}

void ArenaGame::activate(bool active) {
  if (active) {
    m_timerId = kTimerId;
    return;
  }
  m_timerId = 0;
  m_state.paused = true;
}

void ArenaGame::paint() {
  if (!m_state.canvas) return;
  if (m_state.dirtyRect.isEmpty()) m_state.dirtyRect = m_state.clientRect();
  Frame frame;
  frame.pass = m_state.canvas->render(m_state.dirtyRect, m_state.sprites);
  // Droids removed or moved outside the window may have grown the area past
  // the window; only the window's part is copied.
  frame.pass.area = frame.pass.area.intersected(m_state.clientRect());
  frame.scroll = m_state.scroll();
  frame.shield = shieldRect();
  frame.fireRing = fireRingClientRect();
  if (frame.fireRing) {
    // The ring started as the power-up's cell and grew evenly on every side.
    frame.fireRingStart = frame.fireRing->inflated(-(frame.fireRing->width() - kCellSize) / 2);
  }
  m_state.dirtyRect = {};
  if (m_state.paused) {
    frame.overlays = overlayLayout(m_state.clientSize, m_state.score, m_state.garden, m_state.lives,
                                   m_state.banner);
  }
  if (m_screen) m_screen->present(frame);
}

void ArenaGame::repaintAll() {
  m_state.dirtyRect = m_state.clientRect();
  paint();
}

void ArenaGame::setScroll(Point scroll) {
  if (m_state.canvas) m_state.canvas->setScroll(scroll);
}

void ArenaGame::keyDown(int32_t virtualKey) {
  if (!m_state.canvas || !m_hero) return;
  if (virtualKey == key::kF1) {
    m_state.paused = true;
    repaintAll();
    if (m_screen) m_screen->openHelp();
    return;
  }
  if (m_state.paused) {
    if (virtualKey != key::kReturn) return;
    m_state.paused = false;
    m_state.banner = {};
    repaintAll();
    return;
  }
  if (virtualKey == key::kEscape) {
    m_state.paused = true;
    repaintAll();
    return;
  }
  runningKey(virtualKey);
}

void ArenaGame::runningKey(int32_t virtualKey) {
  if (virtualKey == key::kSpace) {
    fire();
  } else if (isHeadingCode(virtualKey)) {
    moveHeroByKey(static_cast<Heading>(virtualKey));
  } else if (virtualKey == key::kF2) {
    m_state.soundOn = !m_state.soundOn;
  }
}

// A heading key moves the hero and the scroll offset, never the rest of the
// world: shots and droids move on the timer only, so holding a key does not
// speed the garden up. A hero still inside a wall after being pushed out
// goes back to where the key found it, scroll offset included.
void ArenaGame::moveHeroByKey(Heading heading) {
  // A hero showing its hit picture stays where it was hit.
  if (!heroHeading(m_hero->imageId())) return;
  const Point heroBefore{m_hero->left(), m_hero->top()};
  const Point scrollBefore = m_state.scroll();
  Point scroll = scrollBefore;
  moveHero(*m_hero, heading, m_state.clientSize, scroll);
  setScroll(scroll);
  if (auto wall = m_state.walls.findOverlapping(*m_hero, scroll)) {
    pushHeroOut(*m_hero, heading, m_state.walls.at(*wall), scroll);
  }
  if (m_state.walls.findOverlapping(*m_hero, m_state.scroll())) {
    m_hero->placeAt(heroBefore.x, heroBefore.y);
    setScroll(scrollBefore);
  }
  repaintAll();
}

void ArenaGame::mouseButton() {
  if (m_state.paused) return;
  fire();
}

void ArenaGame::timer() {
  tick();
  deliverPosted();
}

// Several notices in one tick (two droids, or a droid and the fire ring) come
// from one collision: only the first is handled, so a tick costs at most one
// life.
void ArenaGame::deliverPosted() {
  if (m_state.posted.empty()) return;
  const EndOfGarden first = m_state.posted.front();
  m_state.posted.clear();
  endOfGarden(first);
}

void ArenaGame::endOfGarden(EndOfGarden event) {
  m_state.paused = true;
  if (event == EndOfGarden::Cleared) {
    if (m_state.garden < std::numeric_limits<int32_t>::max()) ++m_state.garden;
    m_state.playSound(sound::kWinLevel);
    m_state.score += kPointsGarden;
    m_state.banner = {BannerKind::GardenCleared, kBannerTicks, kPointsGarden};
    startGarden();
  } else if (m_state.lives > 1) {
    --m_state.lives;
    m_state.banner = {BannerKind::LifeLost, kBannerTicks, 0};
    startGarden();
    m_state.playSound(sound::kLoseLevel);
  } else {
    // Garden 1's paint still shows the final score and the last life; the
    // banner goes over it once, and the new game's counters show from the
    // next paint on.
    m_state.garden = 1;
    m_state.banner = {};
    startGarden();
    if (m_screen) m_screen->drawOverlay(gameOverBanner(m_state.clientSize));
    m_state.lives = kStartLives;
    m_state.score = 0;
    m_state.playSound(sound::kGameOver);
    m_state.status.lives = m_state.lives;
  }
  m_state.paused = true;
}

std::optional<Rect> ArenaGame::shieldRect() const {
  if (!m_hero || !m_hero->shieldActive()) return std::nullopt;
  return m_hero->rect().inflated(m_hero->shield());
}

std::optional<Rect> ArenaGame::fireRingClientRect() const {
  if (!m_state.fireRing) return std::nullopt;
  const Point s = m_state.scroll();
  return m_state.fireRing->offset(-s.x, -s.y);
}

}  // namespace arena
