#include "arena/core/garden_json.h"

#include <sstream>

#include "arena/core/arena_canvas.h"
#include "arena/core/game_state.h"
#include "arena/core/garden_builder.h"

namespace arena {
namespace {

const char* headingName(Heading heading) {
  switch (heading) {
    case Heading::UpRight:
      return "up-right";
    case Heading::DownRight:
      return "down-right";
    case Heading::DownLeft:
      return "down-left";
    case Heading::UpLeft:
      return "up-left";
    case Heading::Left:
      return "left";
    case Heading::Up:
      return "up";
    case Heading::Right:
      return "right";
    case Heading::Down:
      return "down";
  }
  return "?";
}

const char* powerUpName(int32_t imageId) {
  switch (imageId) {
    case image::kWaveOfLife:
      return "Wave Of Life";
    case image::kDoubleWhiteLightning:
      return "Double White Lightning";
    default:
      return "Wild Fire";
  }
}

void writeRect(std::ostream& out, const Rect& r) {
  out << "\"left\": " << r.left << ", \"top\": " << r.top << ", \"right\": " << r.right
      << ", \"bottom\": " << r.bottom;
}

const char* separator(size_t index, size_t count) {
  return index + 1 < count ? ",\n" : "\n";
}

void writeWalls(std::ostream& out, const GameState& state) {
  out << "  \"walls\": [\n";
  for (size_t i = 0; i < state.walls.count(); ++i) {
    const Rect& wall = state.walls.at(i);
    const bool powerUp = state.walls.kindAt(i) == WallKind::PowerUpCell;
    out << "    {";
    writeRect(out, wall);
    out << ", \"powerUp\": " << (powerUp ? "true" : "false") << "}"
        << separator(i, state.walls.count());
  }
  out << "  ],\n";
}

void writePowerUps(std::ostream& out, const GameState& state) {
  out << "  \"powerUps\": [\n";
  for (size_t i = 0; i < state.treasures.count(); ++i) {
    const CSprite& t = *state.treasures.at(i);
    out << "    {\"image\": " << t.imageId() << ", \"name\": \"" << powerUpName(t.imageId())
        << "\", ";
    writeRect(out, t.rect());
    out << "}" << separator(i, state.treasures.count());
  }
  out << "  ],\n";
}

void writeDroids(std::ostream& out, const GameState& state) {
  out << "  \"droids\": [\n";
  for (size_t i = 0; i < state.droids.count(); ++i) {
    const CDroid& d = state.droids.at(i);
    out << "    {\"phase\": " << d.phase() << ", \"heading\": " << static_cast<int>(d.heading())
        << ", \"headingName\": \"" << headingName(d.heading()) << "\", \"speed\": " << d.speed()
        << ", \"image\": " << d.sprite().imageId() << ", ";
    writeRect(out, d.sprite().rect());
    out << "}" << separator(i, state.droids.count());
  }
  out << "  ]\n";
}

void writeTiles(std::ostream& out, const GameState& state) {
  const int32_t tile = gardenTile(state.garden);
  if (tile != 0) {
    out << "  \"tile\": " << tile << ",\n";
    return;
  }
  out << "  \"tile\": \"random\",\n  \"cellTiles\": [\n";
  const auto& tiles = state.canvas->tiles();
  for (size_t i = 0; i < tiles.size(); ++i) {
    out << "    {\"x\": " << tiles[i].x << ", \"y\": " << tiles[i].y
        << ", \"tile\": " << tiles[i].imageId << "}" << separator(i, tiles.size());
  }
  out << "  ],\n";
}

}  // namespace

std::string gardenJson(int32_t garden) {
  GameState state;
  state.garden = garden;
  state.canvas = std::make_unique<CArenaCanvas>(state);
  std::ostringstream out;
  out << "{\n  \"garden\": " << garden << ",\n";
  writeTiles(out, state);
  writeWalls(out, state);
  writePowerUps(out, state);
  writeDroids(out, state);
  out << "}\n";
  return out.str();
}

}  // namespace arena
