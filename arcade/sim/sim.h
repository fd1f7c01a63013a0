// The headless runner behind vortexia-sim: builds a level, steps it at 50 ms
// a tick with scripted input, prints a line per tick and the census, and
// renders the last frame into an 8-bit bitmap. With --autoplay the tracking
// bot gives the input. Output goes to the streams
// given, so tests can run it without a process.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "arcade/world/world_types.h"

namespace arcade::sim {

inline constexpr int kTickMs = 50;
inline constexpr int kFrameWidth = 640;
inline constexpr int kFrameHeight = 480;

struct Options {
  int level = 0;
  std::uint32_t seed = 1;
  int ticks = 0;
  bool printTicks = false;
  std::string inputFile;
  std::string frameFile;
  bool census = false;
  bool autoplay = false;  // the tracking bot plays instead of the script
  std::filesystem::path artDirectory;
};

// Parses the arguments after the program name; an error text when they are
// not understood.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);

// One line per tick: "x y fire"; missing or unreadable fields count as 0.
// At most maxLines lines are read (the ticks that will be run), so an
// oversized file costs nothing.
std::vector<WorldInput> parseInputScript(std::istream& in, std::size_t maxLines = 1'000'000);

// Runs the level; returns the process exit code (0 ok, 1 a file could not
// be read or written).
int run(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace arcade::sim
