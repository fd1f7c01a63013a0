// The headless runner: its arguments, the census line, the tick lines, the
// input script and the rendered frame.
#include "arcade/sim/sim.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "arcade/imagelib/bitmap_format.h"
#include "support/fakes.h"

namespace arcade {
namespace {

std::optional<sim::Options> parse(std::vector<std::string> args) {
  std::string error;
  return sim::parseOptions(args, error);
}

TEST(SimOptions, ReadsEveryOption) {
  auto o = parse(
      {"3", "--seed", "42", "--ticks", "600", "--input", "in.txt", "--frame", "f.bmp", "--census"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->level, 3);
  EXPECT_EQ(o->seed, 42u);
  EXPECT_EQ(o->ticks, 600);
  EXPECT_TRUE(o->printTicks);
  EXPECT_EQ(o->inputFile, "in.txt");
  EXPECT_EQ(o->frameFile, "f.bmp");
  EXPECT_TRUE(o->census);
}

TEST(SimOptions, RejectsWhatItDoesNotUnderstand) {
  EXPECT_FALSE(parse({}));
  EXPECT_FALSE(parse({"32"}));
  EXPECT_FALSE(parse({"3", "--ticks"}));
  EXPECT_FALSE(parse({"3", "--ticks", "-5"}));
  EXPECT_FALSE(parse({"3", "--bogus"}));
  EXPECT_FALSE(parse({"3", "4"}));
}

TEST(SimInput, ReadsOneLinePerTickAndTreatsMissingFieldsAsZero) {
  std::istringstream in("0.5 -0.25 1\n-1 0 0\n\njunk\n0.3\n");
  const auto script = sim::parseInputScript(in);
  ASSERT_EQ(script.size(), 5u);
  EXPECT_FLOAT_EQ(script[0].x, 0.5f);
  EXPECT_FLOAT_EQ(script[0].y, -0.25f);
  EXPECT_TRUE(script[0].fire);
  EXPECT_FALSE(script[1].fire);
  EXPECT_FLOAT_EQ(script[2].x, 0.0f);
  EXPECT_FLOAT_EQ(script[3].x, 0.0f);
  EXPECT_FLOAT_EQ(script[4].x, 0.3f);
}

TEST(SimInput, ReadsNoMoreLinesThanTicksAndSurvivesRandomBytes) {
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes.push_back(static_cast<char>((i * 7919 + i / 3) & 0xFF));
  std::istringstream in(bytes);
  const auto script = sim::parseInputScript(in, 10);
  EXPECT_LE(script.size(), 10u);
  for (const auto& s : script) EXPECT_FALSE(std::isnan(s.x) || std::isnan(s.y));
}

class SimRun : public ::testing::Test {
 protected:
  sim::Options options(int level) {
    sim::Options o;
    o.level = level;
    o.artDirectory = testing::artDirectory();
    return o;
  }
  std::string run(const sim::Options& o) {
    std::ostringstream out, err;
    EXPECT_EQ(sim::run(o, out, err), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    return out.str();
  }
};

TEST_F(SimRun, CensusIsOneJsonLineAtTheEnd) {
  auto o = options(4);
  o.census = true;
  o.ticks = 3;
  o.printTicks = true;
  const std::string text = run(o);
  const auto last = text.rfind('\n', text.size() - 2);
  EXPECT_EQ(text.substr(last + 1),
            "{\"blocks\": 31, \"indestructible\": 7, \"boxes\": 7, \"spheres\": 3, "
            "\"morphoids\": 0, \"fields\": 0}\n");
  EXPECT_EQ(text.substr(0, text.find('\n')), "tick=1 score=0 balls=3 objects=41 result=playing");
}

TEST_F(SimRun, FrameIsA640By480EightBitBitmap) {
  auto o = options(7);
  o.ticks = 100;
  o.frameFile = (std::filesystem::temp_directory_path() /
                 ("vortexia_sim_" + std::to_string(::getpid()) + ".bmp"))
                    .string();
  run(o);
  std::ifstream f(o.frameFile, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)), {});
  std::filesystem::remove(o.frameFile);
  const auto header = bmp::readInfoHeader(bytes, bmp::kFileHeaderSize);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->width, 640);
  EXPECT_EQ(header->height, 480);
  EXPECT_EQ(header->bitCount, 8);
  // Not a blank picture: the level shows many colours.
  std::set<std::uint8_t> colours(bytes.begin() + 1078, bytes.end());
  EXPECT_GT(colours.size(), 20u);
}

TEST_F(SimRun, AutoplayPlaysTheLevelToTheEndPrintingItsTickLines) {
  std::string error;
  auto parsed = sim::parseOptions({"1", "--autoplay", "--ticks", "24000"}, error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_TRUE(parsed->autoplay);
  parsed->artDirectory = testing::artDirectory();
  const std::string text = run(*parsed);
  EXPECT_EQ(text.substr(0, text.find('\n')), "tick=1 score=0 balls=3 objects=36 result=playing");
  const auto last = text.rfind("tick=", text.size() - 2);
  EXPECT_NE(text.find("result=cleared", last), std::string::npos) << text.substr(last);
}

TEST_F(SimRun, MissingInputFileIsAnError) {
  auto o = options(0);
  o.inputFile = "/nonexistent/input.txt";
  std::ostringstream out, err;
  EXPECT_EQ(sim::run(o, out, err), 1);
  EXPECT_NE(err.str().find("cannot read"), std::string::npos);
}

}  // namespace
}  // namespace arcade
