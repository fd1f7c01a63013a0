#pragma once
// The tape window "FinovaTape": the paper tape drawn line by line in a
// fixed-pitch font (numbers right-aligned to column 20 in the separator
// style, negatives red, mnemonics blue in five columns from column 21),
// scrolled to the end as lines arrive, with its own File and Edit menus
// (New, Open, Save As, Print, Exit; Annotate, Date/Time Stamp, Erase).
// Calculator keys typed here go to the main window. It draws the session's
// Tape and changes it only through the menu commands.

#include <QAbstractScrollArea>
#include <QMainWindow>

#include "calculator/core/number_format.h"

namespace finova {
class Tape;
}

namespace finova::ui {

class FinovaWindow;

class TapeView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  TapeView(const Tape& tape, QWidget* parent);
  void setSeparatorStyle(SeparatorStyle style);
  // Updates the scroll range; scrolls to the end when lines were added.
  void refresh();
  // The number text drawn for a line, in the separator style.
  QString numberText(int line) const;
  QString mnemonicText(int line) const;
  bool lineIsRed(int line) const;
  int lineHeight() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void updateRange();
  const Tape& m_tape;
  SeparatorStyle m_style = SeparatorStyle::English;
  std::size_t m_shownLines = 0;
};

class TapeWindow : public QMainWindow {
  Q_OBJECT
 public:
  TapeWindow(FinovaWindow& main, Tape& tape);

  TapeView* view() const { return m_view; }
  void refresh();
  // Scrolls a line or a page up (-1) or down (+1).
  bool scrollBy(int direction, bool page);
  void setOnTop(bool on);

  void newTape();
  void openTape();
  void saveTapeAs();
  void printTape();
  void annotate(const QString& text);
  void stampDateTime();
  void eraseTape();

 signals:
  void visibilityChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createMenus();
  void askAnnotation();
  void updateCaption();

  FinovaWindow& m_main;
  Tape& m_tape;
  TapeView* m_view;
};

}  // namespace finova::ui
