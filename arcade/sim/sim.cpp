#include "sim.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>

#include "arcade/imagelib/bitmap_format.h"
#include "arcade/renderer/renderer.h"
#include "arcade/world/autoplay.h"
#include "arcade/world/world.h"

namespace arcade::sim {

namespace {

bool parseInt(const std::string& text, long long lo, long long hi, long long& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= lo && value <= hi;
}

// Message boxes of the renderer and image library go to the error stream.
class StreamReporter : public IMessageReporter {
 public:
  explicit StreamReporter(std::ostream& err) : m_err(err) {}
  void ShowMessage(MessageIcon, std::string_view caption, std::string_view text) override {
    m_err << caption << ": " << text << '\n';
  }
  void Beep() override {}

 private:
  std::ostream& m_err;
};

const char* resultName(StepResult r) {
  switch (r) {
    case StepResult::Cleared:
      return "cleared";
    case StepResult::Lost:
      return "lost";
    default:
      return "playing";
  }
}

void printCensus(const WorldCensus& c, std::ostream& out) {
  out << "{\"blocks\": " << c.blocks << ", \"indestructible\": " << c.indestructible
      << ", \"boxes\": " << c.boxes << ", \"spheres\": " << c.spheres
      << ", \"morphoids\": " << c.morphoids << ", \"fields\": " << c.fields << "}\n";
}

bool writeFrame(CWorld& world, const CGamePalette& palette, IMessageReporter& reporter,
                const std::string& path) {
  CRenderer renderer(palette, reporter, world.Textures(), kFrameWidth, kFrameHeight,
                     Resolution::High);
  const CPlayerControl& control = world.Control();
  renderer.SetCamera(control.Camera());
  renderer.SetTopDown(control.TopDown());
  renderer.SetOverlay({world.Score(), world.ElapsedMs(), world.Ball().spareBalls,
                       control.ActiveEnhancement() != enhancement::kNone, control.EnhancementMs()});
  renderer.Render(world.DrawList(), control.Zoom(), false);
  const std::span<const std::uint8_t> picture(renderer.pixels,
                                              static_cast<std::size_t>(renderer.size));
  const auto bytes =
      bmp::encode8(renderer.width, renderer.height, picture, CGamePalette::TableEntries());
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
  Options o;
  bool haveLevel = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    long long v = 0;
    const bool hasValue = i + 1 < args.size();
    if (a == "--census") {
      o.census = true;
    } else if (a == "--autoplay") {
      o.autoplay = true;
    } else if (a == "--seed" && hasValue && parseInt(args[i + 1], 0, UINT32_MAX, v)) {
      o.seed = static_cast<std::uint32_t>(v);
      ++i;
    } else if (a == "--ticks" && hasValue && parseInt(args[i + 1], 0, 10'000'000, v)) {
      o.ticks = static_cast<int>(v);
      o.printTicks = true;
      ++i;
    } else if ((a == "--input" || a == "--frame") && hasValue) {
      (a == "--input" ? o.inputFile : o.frameFile) = args[++i];
    } else if (!haveLevel && parseInt(a, 0, kLevelCount - 1, v)) {
      o.level = static_cast<int>(v);
      haveLevel = true;
    } else {
      error = "unexpected argument: " + a;
      return std::nullopt;
    }
  }
  if (!haveLevel) {
    error = "missing LEVEL (0.." + std::to_string(kLevelCount - 1) + ")";
    return std::nullopt;
  }
  return o;
}

std::vector<WorldInput> parseInputScript(std::istream& in, std::size_t maxLines) {
  std::vector<WorldInput> script;
  std::string line;
  while (script.size() < maxLines && std::getline(in, line)) {
    std::istringstream fields(line);
    WorldInput input;
    float x = 0, y = 0;
    int fire = 0;
    if (fields >> x) input.x = x;
    if (fields >> y) input.y = y;
    if (fields >> fire) input.fire = fire != 0;
    script.push_back(input);
  }
  return script;
}

int run(const Options& o, std::ostream& out, std::ostream& err) {
  std::vector<WorldInput> script;
  if (!o.inputFile.empty()) {
    std::ifstream in(o.inputFile);
    if (!in) {
      err << "cannot read " << o.inputFile << '\n';
      return 1;
    }
    script = parseInputScript(in, static_cast<std::size_t>(o.ticks));
  }
  const DirectoryResources resources(o.artDirectory);
  CGamePalette palette;
  palette.LoadLookup(resources);
  StreamReporter reporter(err);
  ImageLibrary library{palette, resources, reporter};
  CWorld world(o.level, o.seed, library);
  const WorldCensus census = world.Census();
  StepResult result = StepResult::Playing;
  CAutoplay bot;
  for (int tick = 1; tick <= o.ticks && result == StepResult::Playing; ++tick) {
    const std::size_t at = static_cast<std::size_t>(tick - 1);
    const WorldInput input = o.autoplay       ? bot.NextInput(world)
                             : at < script.size() ? script[at]
                                                  : WorldInput{};
    result = world.Step(tick == 1, 1.0, input, static_cast<std::uint32_t>(tick * kTickMs)).result;
    if (o.printTicks) {
      out << "tick=" << tick << " score=" << world.Score() << " balls=" << world.Ball().spareBalls
          << " objects=" << world.ObjectCount() << " result=" << resultName(result) << '\n';
    }
  }
  if (!o.frameFile.empty()) {
    if (o.ticks == 0) world.Step(true, 1.0, WorldInput{}, kTickMs);
    if (!writeFrame(world, palette, reporter, o.frameFile)) {
      err << "cannot write " << o.frameFile << '\n';
      return 1;
    }
  }
  if (o.census) printCensus(census, out);
  return 0;
}

}  // namespace arcade::sim
