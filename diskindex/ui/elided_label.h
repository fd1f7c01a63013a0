#pragma once
// ElidedLabel is a one-line label for texts that may be longer than the room
// they get, such as the status line's path of the open directory. When the
// text does not fit it is drawn shortened in the middle ("E:\Fotos…\Tag 03\")
// and its tool tip shows the whole text; when it fits it looks like a plain
// label. text() always gives the whole text, so callers and tests read what
// was set, never the shortened form. It does not wrap lines or show rich
// text, and it never asks its window for more width than a few characters.

#include <QLabel>

namespace diskindex::ui {

class ElidedLabel : public QLabel {
 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  // What is drawn at the label's present width.
  QString shownText() const;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
};

}  // namespace diskindex::ui
