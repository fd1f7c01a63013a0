#pragma once
// A key or function-label button of the keypad (the owner-drawn 3-D button
// class WMP3DBUTTON): it paints its NAME2 face while pressed, NAME3 while it
// holds the keypad focus and NAME1 otherwise, and reports clicks. The key
// code it stands for lives in the keypad grid, looked up by its control id;
// the button only knows its id and its face.

#include <QAbstractButton>

#include "calculator/core/keypad_faces.h"
#include "calculator/ui/key_art.h"

namespace finova::ui {

class KeyButton : public QAbstractButton {
  Q_OBJECT
 public:
  KeyButton(int controlId, KeyFace face, QWidget* parent);

  int controlId() const { return m_controlId; }
  const KeyFace& keyFace() const { return m_face; }
  // The keypad focus (not Qt's keyboard focus, which the keypad keeps).
  void setFaceFocused(bool focused);
  bool faceFocused() const { return m_focused; }
  // The face drawn now: 1 normal, 2 pressed, 3 focused.
  FaceState faceState() const;
  // "PV2": the bitmap name of the face drawn now.
  QString faceName() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int m_controlId;
  KeyFace m_face;
  bool m_focused = false;
};

}  // namespace finova::ui
