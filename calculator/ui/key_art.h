#pragma once
// The keypad's artwork, drawn at run time from the face definitions of the
// core (keypad_faces.h) at the device pixel ratio of the screen, so it stays
// sharp at 1x and 2x: the three faces of every key and label button (NAME1
// normal, NAME2 pressed, NAME3 focused), the group captions and the plate
// behind the keypad. Faces are cached by name, size and pixel ratio. It
// knows nothing of the engine.

#include <QHash>
#include <QPixmap>
#include <QSize>
#include <QString>

#include "calculator/core/keypad_faces.h"

class QPainter;

namespace finova::ui {

enum class FaceState { Normal = 1, Pressed = 2, Focused = 3 };

class KeyArt {
 public:
  // The process-wide cache.
  static KeyArt& instance();

  QPixmap face(const KeyFace& face, FaceState state, QSize size, qreal ratio);
  // A bracket with its caption text centred in it, drawn into `rect`.
  static void drawCaption(QPainter& painter, const QRectF& rect, const QString& text);
  // The plate of the calculator body behind the keypad.
  static void drawPlate(QPainter& painter, const QRectF& rect);

  // The largest point size at which `text` fits `width` x `height` pixels.
  static qreal fittingPointSize(const QString& text, const QFont& font, qreal width, qreal height,
                                qreal largest);

 private:
  static void drawKey(QPainter& painter, const KeyFace& face, FaceState state, QSizeF size);
  static void drawLabel(QPainter& painter, const KeyFace& face, FaceState state, QSizeF size);
  QHash<QString, QPixmap> m_cache;
};

}  // namespace finova::ui
