#include "arena/core/overlay_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "arena/core/images.h"
#include "arena_test_support.h"

namespace arena {
namespace {

std::vector<OverlayBlit> ofImage(const std::vector<OverlayBlit>& all, int32_t id) {
  std::vector<OverlayBlit> out;
  std::copy_if(all.begin(), all.end(), std::back_inserter(out),
               [id](const OverlayBlit& b) { return b.imageId == id; });
  return out;
}

TEST(OverlayLayout, EachFurtherGardenDigitMovesTheLabelFifteenPixelsLeft) {
  const Size client{800, 600};
  int32_t previousX = 0;
  int32_t garden = 7;
  for (int digits = 1; digits <= 6; ++digits, garden = garden * 10 + 3) {
    const auto label = ofImage(overlayLayout(client, 0, garden, 5), image::kGardenLabel);
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0].dest.x, 800 - 164 - 30 - 15 * digits);
    if (digits > 1) {
      EXPECT_EQ(label[0].dest.x, previousX - 15);
    }
    previousX = label[0].dest.x;
    const auto cells = ofImage(overlayLayout(client, 0, garden, 5), image::kGardenDigits);
    ASSERT_EQ(cells.size(), static_cast<size_t>(digits));
    EXPECT_EQ(cells[0].dest, (Point{label[0].dest.x + 164 + 20, 22}));
  }
}

TEST(OverlayLayout, ABannerTakesTheTitlesPlaceAndTheClearedOneCarriesItsBonus) {
  const Size client{800, 600};
  const auto plain = overlayLayout(client, 250, 3, 4);
  const auto lost = overlayLayout(client, 250, 3, 4, {BannerKind::LifeLost, 5, 0});
  ASSERT_EQ(lost.size(), plain.size());
  EXPECT_EQ(lost.front().imageId, image::kLifeLostBanner);
  EXPECT_EQ(lost.front().dest, (Point{400 - 150, 300 - 50}));
  EXPECT_TRUE(std::equal(plain.begin() + 1, plain.end(), lost.begin() + 1))
      << "score, garden, rank and lives stay";
  const auto cleared = overlayLayout(client, 250, 3, 4, {BannerKind::GardenCleared, 5, 1000});
  EXPECT_EQ(cleared.front().imageId, image::kGardenClearedBanner);
  const auto digits = ofImage(cleared, image::kScoreDigits);
  ASSERT_EQ(digits.size(), 4u + 3u);  // the bonus 1000 on the banner, then the score 250
  EXPECT_EQ(digits[0].dest, (Point{250 + kBannerBonusAt.x, 250 + kBannerBonusAt.y}));
  EXPECT_EQ(digits[0].source.left, 15) << "the bonus starts with a 1";
  EXPECT_EQ(digits[1].dest.x, digits[0].dest.x + 16);
  EXPECT_EQ(digits[4].dest, (Point{10 + 116 + 20, 15})) << "the score where it always is";
}

TEST(OverlayLayout, DigitsStepSixteenPixelsAndUseTheirCells) {
  const auto digits = ofImage(overlayLayout({800, 600}, 1093, 1, 5), image::kScoreDigits);
  ASSERT_EQ(digits.size(), 4u);
  const int32_t cells[] = {1, 0, 9, 3};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(digits[i].source, Rect::fromSize(15 * cells[i], 0, 15, 21));
    EXPECT_EQ(digits[i].dest, (Point{10 + 116 + 20 + 16 * static_cast<int32_t>(i), 15}));
  }
  // A character that is not 1..9 shows the 0 cell.
  const auto negative = ofImage(overlayLayout({800, 600}, -5, 1, 5), image::kScoreDigits);
  ASSERT_EQ(negative.size(), 2u);
  EXPECT_EQ(negative[0].source.left, 0);
  EXPECT_EQ(negative[1].source.left, 75);
}

TEST(OverlayLayout, TitleCentredAndBottomRowFollowsTheClientSize) {
  const auto all = overlayLayout({1001, 701}, 0, 3, 2);
  EXPECT_EQ(all.front().imageId, image::kTitle);
  EXPECT_EQ(all.front().dest, (Point{500 - 195, 350 - 144}));
  const auto rankLabel = ofImage(all, image::kRankLabel);
  ASSERT_EQ(rankLabel.size(), 1u);
  EXPECT_EQ(rankLabel[0].dest, (Point{10, 701 - 42 - 10}));
  const auto rank = ofImage(all, image::kRankNames);
  ASSERT_EQ(rank.size(), 1u);
  EXPECT_EQ(rank[0].source, (Rect{0, 70, 146, 105}));  // garden 3: Sergeant
  EXPECT_EQ(rank[0].dest, (Point{10 + 116 + 20, 701 - 42 - 4}));
  const auto livesLabel = ofImage(all, image::kLivesLabel);
  ASSERT_EQ(livesLabel.size(), 1u);
  EXPECT_EQ(livesLabel[0].dest, (Point{1001 - 126 - 30 - 80, 701 - 32 - 10}));
  const auto lives = ofImage(all, image::kLife);
  ASSERT_EQ(lives.size(), 2u);
  EXPECT_EQ(lives[1].dest, (Point{livesLabel[0].dest.x + 126 + 20 + 40, 701 - 35 - 10}));
  EXPECT_EQ(gameOverBanner({1001, 701}).dest, (Point{500 - 79, 10}));
}

TEST(OverlayLayout, RankFollowsTheGardenUpToGeneral) {
  EXPECT_EQ(rankRow(1), 0);
  EXPECT_EQ(rankRow(0), 0);
  EXPECT_EQ(rankRow(5), 4);
  EXPECT_EQ(rankRow(8), 7);
  EXPECT_EQ(rankRow(1000000), 7);
}

}  // namespace
}  // namespace arena
