#include "arena/core/overlay_layout.h"

#include <algorithm>
#include <string>

#include "arena/core/images.h"

namespace arena {
namespace {

constexpr int32_t kDigitWidth = 15;
constexpr int32_t kDigitHeight = 21;
constexpr int32_t kDigitStep = 16;
constexpr int32_t kLabelGap = 20;
constexpr int32_t kRankRowHeight = 35;
constexpr int32_t kLifeStep = 40;

Size sizeOf(int32_t id) {
  return imageSize(id).value_or(Size{});
}

OverlayBlit whole(int32_t id, int32_t x, int32_t y) {
  const Size s = sizeOf(id);
  return {id, {0, 0, s.cx, s.cy}, {x, y}};
}

// Decimal digits; any character that is not 1..9 shows the 0 cell.
void appendNumber(std::vector<OverlayBlit>& out, int32_t digitsImage, int32_t value, Point first) {
  const std::string text = std::to_string(value);
  int32_t x = first.x;
  for (char c : text) {
    const int32_t digit = (c >= '1' && c <= '9') ? c - '0' : 0;
    out.push_back({digitsImage,
                   Rect::fromSize(kDigitWidth * digit, 0, kDigitWidth, kDigitHeight),
                   {x, first.y}});
    x += kDigitStep;
  }
}

}  // namespace

int32_t rankRow(int32_t garden) {
  return std::clamp(garden, 1, 8) - 1;
}

std::vector<OverlayBlit> overlayLayout(Size client, int32_t score, int32_t garden, int32_t lives,
                                       const Banner& banner) {
  const int32_t cx = client.cx;
  const int32_t cy = client.cy;
  std::vector<OverlayBlit> out;
  const int32_t centre = banner.kind == BannerKind::LifeLost        ? image::kLifeLostBanner
                         : banner.kind == BannerKind::GardenCleared ? image::kGardenClearedBanner
                                                                    : image::kTitle;
  const Size centreSize = sizeOf(centre);
  const Point at{cx / 2 - centreSize.cx / 2, cy / 2 - centreSize.cy / 2};
  out.push_back(whole(centre, at.x, at.y));
  if (banner.kind == BannerKind::GardenCleared) {
    appendNumber(out, image::kScoreDigits, banner.bonus,
                 {at.x + kBannerBonusAt.x, at.y + kBannerBonusAt.y});
  }

  const Size scoreLabel = sizeOf(image::kScoreLabel);
  out.push_back(whole(image::kScoreLabel, 10, 10));
  appendNumber(out, image::kScoreDigits, score, {10 + scoreLabel.cx + kLabelGap, 15});

  const Size gardenLabel = sizeOf(image::kGardenLabel);
  const auto digits = static_cast<int32_t>(std::to_string(garden).size());
  const int32_t gardenX = cx - gardenLabel.cx - 30 - 15 * digits;
  out.push_back(whole(image::kGardenLabel, gardenX, 10));
  appendNumber(out, image::kGardenDigits, garden, {gardenX + gardenLabel.cx + kLabelGap, 22});

  const Size rankLabel = sizeOf(image::kRankLabel);
  out.push_back(whole(image::kRankLabel, 10, cy - rankLabel.cy - 10));
  const Size ranks = sizeOf(image::kRankNames);
  out.push_back({image::kRankNames,
                 Rect::fromSize(0, kRankRowHeight * rankRow(garden), ranks.cx, kRankRowHeight),
                 {10 + rankLabel.cx + kLabelGap, cy - rankLabel.cy - 4}});

  const Size livesLabel = sizeOf(image::kLivesLabel);
  const int32_t livesX = cx - livesLabel.cx - 30 - kLifeStep * lives;
  out.push_back(whole(image::kLivesLabel, livesX, cy - livesLabel.cy - 10));
  const Size life = sizeOf(image::kLife);
  for (int32_t i = 0; i < lives; ++i) {
    out.push_back(
        whole(image::kLife, livesX + livesLabel.cx + kLabelGap + kLifeStep * i, cy - life.cy - 10));
  }
  return out;
}

OverlayBlit gameOverBanner(Size client) {
  const Size banner = sizeOf(image::kGameOver);
  return whole(image::kGameOver, client.cx / 2 - banner.cx / 2, 10);
}

}  // namespace arena
