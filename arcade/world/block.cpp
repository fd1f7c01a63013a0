#include "arcade/world/block.h"

#include <array>

#include "arcade/world/geometry.h"
#include "arcade/world/world.h"

namespace arcade {

namespace {

constexpr std::array<BlockColour, kBlockColourCount> kBlockColours = {{{192, 192, 192},
                                                                       {128, 128, 128},
                                                                       {80, 80, 80},
                                                                       {225, 10, 10},
                                                                       {80, 225, 10},
                                                                       {210, 210, 10},
                                                                       {10, 10, 225},
                                                                       {225, 140, 10},
                                                                       {180, 180, 50},
                                                                       {120, 120, 200},
                                                                       {192, 25, 192},
                                                                       {240, 240, 240}}};

Fixed half(Fixed a, Fixed b) {
  return Fixed::fromRaw(static_cast<std::int32_t>((std::int64_t{a.raw()} + b.raw()) / 2));
}

}  // namespace

BlockColour blockColour(int index) {
  return index >= 0 && index < kBlockColourCount ? kBlockColours[index] : kBlockColours[0];
}

CBlock::CBlock(CWorld& world, const Vector3& lo, const Vector3& hi, int hp, int colour,
               CIndexedImage* texture)
    : CSolid(world, SolidKind::Block, hp, kBlockPoints), m_colour(colour) {
  position = {half(lo.x, hi.x), half(lo.y, hi.y), half(lo.z, hi.z)};
  ExtendBox(lo.x - position.x, lo.y - position.y, lo.z - position.z);
  ExtendBox(hi.x - position.x, hi.y - position.y, hi.z - position.z);
  const Fixed inset = fx(kBlockInset);
  auto drawnHalf = [&](Fixed h) {
    return h > inset + inset ? h - inset : Fixed::fromRaw(h.raw() / 2);
  };
  const Vector3 h{drawnHalf(boxMax.x), drawnHalf(boxMax.y), drawnHalf(boxMax.z)};
  const BlockColour c = blockColour(colour);
  const CGamePalette& palette = world.Palette();
  AddBoxFaces(*this, h, [&](CPolygon& p, BoxFace face) {
    if (texture != nullptr) {
      p.SetTexture(texture);
      return;
    }
    switch (face) {
      case BoxFace::Front:
      case BoxFace::Back:
        p.SetColour(palette, c.r, c.g, c.b);
        break;
      case BoxFace::Top:
      case BoxFace::Bottom:
        p.SetColour(palette, c.r / 2, c.g / 2, c.b / 2);
        break;
      default:
        p.SetColour(palette, c.r * 2 / 3, c.g * 2 / 3, c.b * 2 / 3);
        break;
    }
  });
}

CEnhancementBox::CEnhancementBox(CWorld& world, int enhancementKind, const Vector3& centre,
                                 int flag)
    : CSolid(world, SolidKind::EnhancementBox, 1, 750), m_kind(enhancementKind), m_flag(flag) {
  position = centre;
  const Fixed h = fx(2.5);
  ExtendBox(-h, -h, -h);
  ExtendBox(h, h, h);
  CIndexedImage* texture = world.Texture(kEnhancementBoxTexture);
  // Without its picture the box still shows, in a flat violet.
  AddBoxFaces(*this, {h, h, h}, [&](CPolygon& p, BoxFace) {
    if (texture != nullptr) {
      p.SetTexture(texture);
    } else {
      p.SetColour(world.Palette(), 150, 60, 200);
    }
  });
}

bool CEnhancementBox::Update(std::int32_t, CSolid*) {
  if (!GrowOrShrink()) return false;
  m_world.ReleaseField(m_kind, position, m_flag);
  return true;
}

int CEnhancementBox::BounceSound() const {
  return sound::kBoxBounce;
}

}  // namespace arcade
