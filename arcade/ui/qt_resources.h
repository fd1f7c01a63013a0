// The program's resources as the game reaches them: the generated artwork
// and data blocks embedded as Qt resources under ":/vortexia/", named
// "bitmap_<id>.bmp" and "wave_<id>.bin".
#pragma once

#include "arcade/imagelib/resources.h"

namespace arcade {

class QtResources : public IResources {
 public:
  QtResources();
  bool Load(ResourceType type, int id, std::vector<std::uint8_t>& out) const override;
};

}  // namespace arcade
