#pragma once
// The main window's client area (the dialog template CLIENT): the display
// at the top and the keypad below it, one KeyButton per filled cell of the
// keypad grid with the tall ENTER key through four rows, the group captions
// over related labels, all on the calculator's plate. A click reports the
// button's control id; what the key does is the window's business. The
// display fields are plain labels that the window fills from the engine's
// display model.

#include <QHash>
#include <QWidget>

class QLabel;

namespace finova {
struct Display;
}

namespace finova::ui {

class KeyButton;

class KeypadWidget : public QWidget {
  Q_OBJECT
 public:
  explicit KeypadWidget(QWidget* parent = nullptr);

  KeyButton* button(int controlId) const { return m_buttons.value(controlId, nullptr); }
  const QHash<int, KeyButton*>& buttons() const { return m_buttons; }
  // The display fields and indicators, already in the separator style.
  void showDisplay(const Display& display);

  QSize sizeHint() const override;

 signals:
  void controlClicked(int controlId);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void createButtons();
  void createDisplay();
  QLabel* displayField(const char* name, int pointSize, Qt::Alignment alignment);

  QHash<int, KeyButton*> m_buttons;
  QLabel* m_yLine = nullptr;
  QLabel* m_xLine = nullptr;
  QLabel* m_exponent = nullptr;
  QLabel* m_indicatorEnd = nullptr;
  QLabel* m_indicatorDate = nullptr;
  QLabel* m_indicatorOdd = nullptr;
};

}  // namespace finova::ui
