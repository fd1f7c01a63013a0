// Feeds arbitrary bytes to the saved-game reader. Anything but a whole file
// must be refused; a file that is read must hold its levels and options in
// range, its name within the field, and write back to bytes that read as the
// same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "arcade/game/saved_game.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto decoded = arcade::DecodeSavedGame(std::span<const std::uint8_t>(data, size));
  if (size != arcade::vtx::kFileSize) {
    if (decoded) std::abort();
    return 0;
  }
  if (!decoded) std::abort();
  const arcade::PlayerRecord& record = *decoded;
  if (record.currentLevel < 0 || record.currentLevel > 31) std::abort();
  if (record.highestLevel < 0 || record.highestLevel > 31) std::abort();
  if (record.speed < 0 || record.speed > 3) std::abort();
  const auto bytes = arcade::EncodeSavedGame(record);
  if (bytes[arcade::vtx::kLastResult - 1] != 0) std::abort();  // name terminated
  const auto again = arcade::DecodeSavedGame(bytes);
  if (!again || !(*again == record)) std::abort();
  volatile std::int64_t sink = arcade::CumulativeScore(record);
  (void)sink;
  (void)arcade::FormatNumber(arcade::TotalScore(record.bestResult[record.currentLevel], 0));
  (void)arcade::FormatTime(record.lastResult[record.currentLevel].seconds);
  return 0;
}
