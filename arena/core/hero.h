// The hero's geometry: moving by a heading with the garden scrolling under
// the window, pushing the hero out of a wall, and where its guns fire from.
//
// The hero lives in client coordinates; the scroll offset is the world
// position of the client area's top-left corner. A move first moves the hero
// toward the middle of the window, then scrolls the garden, and at a fully
// scrolled edge lets the hero walk on up to 100 pixels from the window's
// edge. In any window the hero stays inside the playing area, the garden
// without its border. These are pure calculations on a sprite and a scroll offset; the game
// decides when to call them and undoes a move that still ends in a wall.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "arena/core/geometry.h"
#include "arena/core/images.h"
#include "arena/core/sprite.h"

namespace arena {

inline constexpr int32_t kHeroStartX = 110;
inline constexpr int32_t kHeroStartY = 110;

// Largest scroll offset along an axis for a client extent; never negative.
int32_t scrollLimit(int32_t clientExtent);

// Turns the hero to the heading and moves it (and the scroll offset) one step.
void moveHero(CSprite& hero, Heading heading, Size client, Point& scroll);

// Pushes the hero out of the wall it overlaps after a move with the heading.
void pushHeroOut(CSprite& hero, Heading heading, const Rect& wall, Point scroll);

// Top-left corners of the shots fired by a hero showing a heading picture:
// one point for the single gun, two for the double gun. Empty for any other
// picture.
std::vector<Point> muzzlePoints(const CSprite& hero, bool doubleGun);

// The shot picture of a colour draw: red, green, blue, yellow by draw & 3.
int32_t shotColour(int32_t draw);
// The sound file of a shot picture.
std::string_view shotSound(int32_t shotImage);

}  // namespace arena
