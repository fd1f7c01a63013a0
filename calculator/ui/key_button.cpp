#include "calculator/ui/key_button.h"

#include <QPainter>

namespace finova::ui {

KeyButton::KeyButton(int controlId, KeyFace face, QWidget* parent)
    : QAbstractButton(parent), m_controlId(controlId), m_face(std::move(face)) {
  setObjectName(QString::fromStdString(m_face.name));
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::PointingHandCursor);
  setAccessibleName(QString::fromStdString(m_face.text));
}

void KeyButton::setFaceFocused(bool focused) {
  if (m_focused == focused) return;
  m_focused = focused;
  update();
}

FaceState KeyButton::faceState() const {
  if (isDown()) return FaceState::Pressed;
  if (m_focused) return FaceState::Focused;
  return FaceState::Normal;
}

QString KeyButton::faceName() const {
  return QString::fromStdString(faceBitmapName(m_face, static_cast<int>(faceState())));
}

void KeyButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0,
                     KeyArt::instance().face(m_face, faceState(), size(), devicePixelRatioF()));
}

}  // namespace finova::ui
