// Feeds arbitrary bytes to the runner's input-script reader and plays the
// result: the first byte picks the level, every line read becomes a tick.
// Nothing may crash, and the paddle must stay on its circle.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "arcade/sim/sim.h"
#include "arcade/world/world.h"

namespace {

class SilentReporter : public arcade::IMessageReporter {
 public:
  void ShowMessage(arcade::MessageIcon, std::string_view, std::string_view) override {}
  void Beep() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const arcade::CGamePalette palette;
  static const arcade::MemoryResources resources;
  static SilentReporter reporter;
  arcade::ImageLibrary library{palette, resources, reporter};
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  const auto script = arcade::sim::parseInputScript(in, 300);
  arcade::CWorld world(data[0] % arcade::kLevelCount, data[0], library);
  std::uint32_t now = 0;
  for (const arcade::WorldInput& input : script) {
    now += 50;
    if (world.Step(now == 50, 1.0, input, now).result != arcade::StepResult::Playing) break;
    if (world.Paddle().yaw() < 0 || world.Paddle().yaw() > 8191) std::abort();
  }
  return 0;
}
