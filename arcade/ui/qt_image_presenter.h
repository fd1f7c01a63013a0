// Shows the image library's pictures with QPainter: the 8-bit bottom-up
// pixels are wrapped (not converted) in an indexed QImage with the game
// palette as its colour table, flipped to Qt's top-down order, and copied or
// stretched without smoothing into the destination rectangle. The presenter
// paints onto whatever device the painter is open on (a widget in the game,
// an image in tests); it keeps no picture of its own.
#pragma once

#include <QPainter>

#include "arcade/imagelib/presenter.h"

namespace arcade {

class QtImagePresenter : public IImagePresenter {
 public:
  explicit QtImagePresenter(QPainter& painter) : m_painter(painter) {}
  void Present(const DibTransfer& transfer) override;

 private:
  QPainter& m_painter;
};

}  // namespace arcade
