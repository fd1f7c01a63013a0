// The box-shaped solids. CBlock is one cell of a wall, tile group or cage:
// its bounding box is the whole cell, its drawn box is inset by 0.6375 on
// every side (about the ball's radius, so the ball seems to touch the face
// when its centre reaches the cell). Front and back faces take the block
// colour, top and bottom half of it, the sides two thirds; tiles are
// textured instead. CEnhancementBox is the 5 x 5 x 5 textured cube that,
// once destroyed and shrunk away, releases a force field of its kind.
#pragma once

#include "arcade/world/solid.h"

namespace arcade {

inline constexpr int kBlockColourCount = 12;
inline constexpr double kBlockInset = 0.6375;
inline constexpr int kBlockPoints = 250;
inline constexpr int kEnhancementBoxTexture = 1250;

struct BlockColour {
  int r, g, b;
};
BlockColour blockColour(int index);

class CBlock : public CSolid {
 public:
  // The cell runs from lo to hi (each lo component below its hi).
  CBlock(CWorld& world, const Vector3& lo, const Vector3& hi, int hitPoints, int colour,
         CIndexedImage* texture);
  int colourIndex() const { return m_colour; }

 private:
  int m_colour;
};

class CEnhancementBox : public CSolid {
 public:
  CEnhancementBox(CWorld& world, int enhancementKind, const Vector3& centre, int flag);
  bool Update(std::int32_t step, CSolid* list) override;
  int BounceSound() const override;
  int enhancementKind() const { return m_kind; }

 private:
  int m_kind;
  int m_flag;
};

}  // namespace arcade
