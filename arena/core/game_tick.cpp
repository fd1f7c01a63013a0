// The timed half of the game: the tick, firing, shots, droid hits, power-ups,
// the shield and the fire ring.
#include <vector>

#include "arena/core/arena_game.h"
#include "arena/core/hero.h"
#include "arena/core/sounds.h"

namespace arena {
namespace {

// A shot leaves play when it passes the window's edge or the playing area's
// edge on a side it travels toward.
bool shotOutOfPlay(const CSprite& shot, int32_t dx, int32_t dy, Size client, Point scroll) {
  const int32_t x = shot.left();
  const int32_t y = shot.top();
  const int32_t wx = x + scroll.x;
  const int32_t wy = y + scroll.y;
  if (dx < 0 && (x < 0 || wx < kPlayMin)) return true;
  if (dx > 0 && (x > client.cx || wx > kPlayMax)) return true;
  if (dy < 0 && (y < 0 || wy < kPlayMin)) return true;
  if (dy > 0 && (y > client.cy || wy > kPlayMax)) return true;
  return false;
}

}  // namespace

void ArenaGame::tick() {
  bannerStep();
  if (m_state.paused || !m_state.canvas || !m_hero) return;
  // The hero's hit picture shows for a while before the loss is handled;
  // the world stands still meanwhile.
  if (m_state.hitPictureTicks > 0) {
    if (--m_state.hitPictureTicks == 0) m_state.post(EndOfGarden::HeroHit);
    return;
  }
  m_state.dirtyRect = {};
  m_droidDestroyed = false;
  m_heroHit = false;
  moveShots(true);
  droidPass();
  if (!m_state.dirtyRect.isEmpty()) {
    if (m_droidDestroyed) m_state.playSound(sound::kDroidHit);
    if (m_heroHit) m_state.playSound(sound::kHeroHit);
    paint();
  }
  shieldStep();
  fireRingStep();
  m_state.status.score = m_state.score;
  m_state.status.droids = static_cast<int32_t>(m_state.droids.count());
}

void ArenaGame::moveShots(bool onTick) {
  const std::vector<CSprite*> flying(m_state.shots.begin(), m_state.shots.end());
  for (CSprite* shot : flying) {
    if (!moveShot(*shot, onTick)) removeShot(shot);
  }
}

bool ArenaGame::moveShot(CSprite& shot, bool onTick) {
  const auto heading = heroHeading(shot.heading());
  if (!heading) return true;
  const Rect before = shot.rect();
  const int32_t dx = headingDx(*heading);
  const int32_t dy = headingDy(*heading);
  shot.moveBy(dx * kStep, dy * kStep);
  // A flying shot repaints where it was and where it is, or it would only
  // show where droids happen to repaint.
  if (onTick) m_state.joinDirty(before.united(shot.rect()));
  const Point scroll = m_state.scroll();
  if (shotOutOfPlay(shot, dx, dy, m_state.clientSize, scroll)) return false;
  const auto wall = m_state.walls.findOverlapping(shot, scroll);
  if (!wall) return true;
  if (onTick) {
    if (CSprite* powerUp = m_state.treasures.findOverlapping(m_state.walls.at(*wall))) {
      takePowerUp(*powerUp);
    }
  }
  return false;
}

void ArenaGame::removeShot(CSprite* shot) {
  m_state.joinDirty(shot->rect());
  m_state.sprites.remove(shot);
  m_state.shots.remove(shot);
}

void ArenaGame::fire() {
  if (m_state.paused || !m_hero || !m_state.canvas) return;
  // A hero showing its hit picture has no guns; the garden restarts anyway.
  if (!heroHeading(m_hero->imageId())) return;
  const int32_t colour = shotColour(m_state.random.draw());
  const bool doubleGun = m_hero->doubleShots() != 0;
  const int32_t shotImage = doubleGun ? image::kShotWhite : colour;
  if (doubleGun && !m_hero->shieldActive()) m_hero->countDownDoubleShots();
  CSprite* last = nullptr;
  for (const Point& p : muzzlePoints(*m_hero, doubleGun)) {
    last =
        &m_state.shots.append(std::make_unique<CSprite>(shotImage, sprite_flag::kMasked, p.x, p.y));
    last->setHeading(m_hero->imageId());
    m_state.sprites.append(last);
  }
  if (last) {
    m_state.dirtyRect = last->rect();
    paint();
  }
  m_state.playSound(shotSound(shotImage));
}

void ArenaGame::droidPass() {
  if (m_state.droids.isEmpty()) m_state.post(EndOfGarden::Cleared);
  const Point scroll = m_state.scroll();
  size_t i = 0;
  while (i < m_state.droids.count()) {
    CDroid& droid = m_state.droids.at(i);
    if (droid.destroyed()) {
      // The wreck stays in sight for a while before it goes.
      if (!droid.wreckTimeOver()) {
        ++i;
        continue;
      }
      m_state.joinDirty(droid.sprite().clientRect(scroll));
      m_state.sprites.remove(&droid.sprite());
      m_state.droids.removeAt(i);
      m_state.score += kPointsDroid;
      continue;
    }
    moveDroid(m_state, droid);
    if (!hitDroid(droid) && !m_hero->shieldActive() &&
        droid.sprite().rect().overlaps(m_hero->worldRect(scroll))) {
      hitHero();
    }
    ++i;
  }
}

// The fire ring is tested before the shots; the first shot overlapping the
// droid is used up.
bool ArenaGame::hitDroid(CDroid& droid) {
  const Rect& body = droid.sprite().rect();
  if (m_state.fireRing && body.overlaps(*m_state.fireRing)) {
    droid.destroy();
    m_droidDestroyed = true;
    return true;
  }
  const Point scroll = m_state.scroll();
  for (CSprite* shot : m_state.shots) {
    if (!shot->worldRect(scroll).overlaps(body)) continue;
    droid.destroy();
    m_droidDestroyed = true;
    removeShot(shot);
    return true;
  }
  return false;
}

// The loss is handled once the hit picture has had its time; a second hit
// in the same tick (two droids, or a droid and the fire ring) costs nothing
// more.
void ArenaGame::hitHero() {
  if (m_state.hitPictureTicks > 0) return;
  m_state.joinDirty(m_hero->rect());
  m_hero->setImage(heroHitImage(m_hero->imageId()));
  m_state.hitPictureTicks = kHitPictureTicks;
  m_heroHit = true;
}

// A banner's time runs also while the game is paused; when it is up the
// title comes back.
void ArenaGame::bannerStep() {
  if (!m_state.banner.active()) return;
  if (--m_state.banner.ticksLeft > 0) return;
  m_state.banner = {};
  if (m_state.paused) repaintAll();
}

void ArenaGame::takePowerUp(CSprite& powerUp) {
  switch (powerUp.imageId()) {
    case image::kWaveOfLife:
      if (m_hero->shieldActive()) return;
      m_hero->startShield();
      m_state.playSound(sound::kShield);
      break;
    case image::kDoubleWhiteLightning:
      m_hero->setDoubleShots(static_cast<int32_t>(m_state.droids.count()));
      m_state.playSound(sound::kDoubleGun);
      break;
    case image::kWildFire:
      if (m_state.fireRing) return;
      m_state.fireRing = powerUp.rect();
      m_state.playSound(sound::kFire);
      break;
    default:
      return;
  }
  m_state.score += kPointsPowerUp;
  const Rect cell = powerUp.rect();
  const Point scroll = m_state.scroll();
  m_state.sprites.remove(&powerUp);
  m_state.joinDirty(cell.offset(-scroll.x, -scroll.y));
  m_state.walls.removeEqual(cell);
  m_state.treasures.remove(&powerUp);
}

// The shield square grows a pixel a side per tick; each paint draws it, so a
// tick repaints the square's area (the old square with the new one inside
// it) and, when the shield runs out, the area without it.
void ArenaGame::shieldStep() {
  if (!m_hero->shieldActive()) return;
  const int32_t value = m_hero->shield();
  m_state.dirtyRect = m_hero->rect().inflated(value + 1);
  m_hero->setShield(value + 1 > CSprite::kShieldTicks ? 0 : value + 1);
  paint();
}

// The ring grows a pixel a side per tick and paints its whole area: every
// paint draws the band between the power-up's cell and the ring, so the
// ring's trail stays even where other repaints cross it. It may reach the
// hero; once wider or taller than 600 pixels it ends and its area is
// painted without it.
void ArenaGame::fireRingStep() {
  if (!m_state.fireRing) return;
  *m_state.fireRing = m_state.fireRing->inflated(1);
  const Rect client = *fireRingClientRect();
  if (!m_hero->shieldActive() && m_state.hitPictureTicks == 0 && client.overlaps(m_hero->rect())) {
    hitHero();
    m_state.playSound(sound::kHeroHit);
  }
  if (client.width() > kFireRingLimit || client.height() > kFireRingLimit) {
    m_state.fireRing.reset();
  }
  m_state.dirtyRect = m_state.dirtyRect.united(client);
  paint();
}

}  // namespace arena
