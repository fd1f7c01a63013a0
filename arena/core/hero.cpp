#include "arena/core/hero.h"

#include <algorithm>

#include "arena/core/game_state.h"
#include "arena/core/sounds.h"

namespace arena {
namespace {

constexpr int32_t kEdgeMargin = 100;

// One axis of a hero move. `pos` is the hero's near edge along the axis,
// `size` its extent; `direction` is +1 (right or down) or -1 (left or up).
void moveAxis(int32_t& pos, int32_t& scroll, int32_t direction, int32_t client, int32_t size,
              bool diagonal) {
  const int32_t limit = scrollLimit(client);
  bool scrolled = false;
  if (direction > 0) {
    if (pos < client / 2) {
      pos += kStep;
    } else {
      scroll = std::min(scroll + kStep, limit);
      scrolled = true;
    }
    if ((scrolled || diagonal) && scroll == limit) {
      if (pos + size + kStep > client - kEdgeMargin) {
        pos = client - size - kEdgeMargin;
      } else {
        pos += kStep;
      }
    }
  } else if (direction < 0) {
    if (pos > client / 2) {
      pos -= kStep;
    } else {
      scroll = std::max(scroll - kStep, 0);
      scrolled = true;
    }
    if ((scrolled || diagonal) && scroll == 0) {
      pos = (pos - kStep < kEdgeMargin) ? kEdgeMargin : pos - kStep;
    }
  }
  // In a window narrower than about twice the hero plus the margins (426
  // pixels) a step on the near half can carry the hero past the far margin
  // and out over the border; there it stops at the playing area's edge.
  pos = std::clamp(pos, kPlayMin - scroll, kPlayMax - size - scroll);
}

}  // namespace

int32_t scrollLimit(int32_t clientExtent) {
  return std::max(0, kWorldSize - clientExtent);
}

void moveHero(CSprite& hero, Heading heading, Size client, Point& scroll) {
  hero.setImage(heroImage(heading));
  const bool diagonal = isDiagonal(heading);
  int32_t x = hero.left();
  int32_t y = hero.top();
  moveAxis(x, scroll.x, headingDx(heading), client.cx, hero.width(), diagonal);
  moveAxis(y, scroll.y, headingDy(heading), client.cy, hero.height(), diagonal);
  hero.placeAt(x, y);
}

void pushHeroOut(CSprite& hero, Heading heading, const Rect& wall, Point scroll) {
  const int32_t w = hero.width();
  const int32_t h = hero.height();
  const Rect world = hero.rect().offset(scroll.x, scroll.y);
  const int32_t toRight = wall.left - w - scroll.x;  // left edge after a push to the left of it
  const int32_t toLeft = wall.right - scroll.x;
  const int32_t toDown = wall.top - h - scroll.y;
  const int32_t toUp = wall.bottom - scroll.y;
  int32_t x = hero.left();
  int32_t y = hero.top();
  const int32_t dx = headingDx(heading);
  const int32_t dy = headingDy(heading);
  if (dy == 0) {
    x = dx > 0 ? toRight : toLeft;
  } else if (dx == 0) {
    y = dy > 0 ? toDown : toUp;
  } else {
    // The vertical push wins only when its overlap is strictly smaller.
    const int32_t vertical = dy < 0 ? wall.bottom - world.top : world.bottom - wall.top;
    const int32_t horizontal = dx > 0 ? world.right - wall.left : wall.right - world.left;
    if (vertical < horizontal) {
      y = dy > 0 ? toDown : toUp;
    } else {
      x = dx > 0 ? toRight : toLeft;
    }
  }
  hero.placeAt(x, y);
}

std::vector<Point> muzzlePoints(const CSprite& hero, bool doubleGun) {
  const int32_t l = hero.left();
  const int32_t t = hero.top();
  const int32_t w = hero.width();
  const int32_t h = hero.height();
  const int32_t r = l + w;
  const int32_t b = t + h;
  const int32_t cx = l + w / 2;
  const int32_t cy = t + h / 2;
  const auto heading = heroHeading(hero.imageId());
  if (!heading) return {};
  switch (*heading) {
    case Heading::Down:
      return doubleGun ? std::vector<Point>{{l, b}, {r, b}} : std::vector<Point>{{cx, b}};
    case Heading::Up:
      return doubleGun ? std::vector<Point>{{l, t}, {r, t}} : std::vector<Point>{{cx, t}};
    case Heading::Right:
      return doubleGun ? std::vector<Point>{{r, t}, {r, b}} : std::vector<Point>{{r, cy}};
    case Heading::Left:
      return doubleGun ? std::vector<Point>{{l, t}, {l, b}} : std::vector<Point>{{l, cy}};
    case Heading::UpRight:
      return doubleGun ? std::vector<Point>{{cx, t}, {r, cy}} : std::vector<Point>{{r, t}};
    case Heading::UpLeft:
      return doubleGun ? std::vector<Point>{{l, cy}, {cx, t}} : std::vector<Point>{{l, t}};
    case Heading::DownLeft:
      return doubleGun ? std::vector<Point>{{cx, b}, {l, cy}} : std::vector<Point>{{l, b}};
    case Heading::DownRight:
      return doubleGun ? std::vector<Point>{{r, cy}, {cx, b}} : std::vector<Point>{{r, b}};
  }
  return {};
}

int32_t shotColour(int32_t draw) {
  return image::kShotRed + (draw & 3);
}

std::string_view shotSound(int32_t shotImage) {
  switch (shotImage) {
    case image::kShotRed:
      return sound::kRed;
    case image::kShotGreen:
      return sound::kGreen;
    case image::kShotBlue:
      return sound::kBlue;
    case image::kShotYellow:
      return sound::kYellow;
    default:
      return sound::kWhite;
  }
}

}  // namespace arena
