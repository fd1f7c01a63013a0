#include "arena/core/garden_json.h"

#include <gtest/gtest.h>

#include <string>

namespace arena {
namespace {

size_t occurrences(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(GardenJson, GardenOneListsTheWorkedExample) {
  const std::string json = gardenJson(1);
  EXPECT_NE(json.find("\"tile\": 167,"), std::string::npos);
  EXPECT_NE(json.find("{\"left\": 300, \"top\": 300, \"right\": 500, \"bottom\": 400, "
                      "\"powerUp\": false},\n    {\"left\": 700, \"top\": 300, \"right\": 800, "
                      "\"bottom\": 400, \"powerUp\": true}"),
            std::string::npos);
  EXPECT_EQ(occurrences(json, "\"powerUp\": "), 30u);
  EXPECT_EQ(occurrences(json, "\"powerUp\": true"), 8u);
  EXPECT_EQ(occurrences(json, "\"image\": 20"), 8u);  // power-ups 202, 204, 206
  EXPECT_NE(json.find("{\"phase\": 1, \"heading\": 33, \"headingName\": \"up-right\", "
                      "\"speed\": 30"),
            std::string::npos);
  EXPECT_EQ(occurrences(json, "\"phase\": "), 5u);
  EXPECT_EQ(json.back(), '\n');
}

TEST(GardenJson, RandomTileGardensListEveryPaintedCell) {
  const std::string json = gardenJson(8);
  EXPECT_NE(json.find("\"tile\": \"random\""), std::string::npos);
  EXPECT_GE(occurrences(json, "\"tile\": "), 1u + 72u);
  EXPECT_EQ(occurrences(json, "\"phase\": "), 40u);
}

}  // namespace
}  // namespace arena
