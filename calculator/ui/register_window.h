#pragma once
// The modeless "Registers" window (T, Z, Y, X, n, i, PV, PMT, FV) and the
// "Memory" window (R0-R9 and R.0-R.9): each value formatted as the display
// formats numbers, in its separator style, refreshed after every key while
// the window is open. Both have a Close button. They read the engine and
// change nothing.

#include <QDialog>
#include <QVector>

class QLabel;

namespace finova {
class CalcEngine;
}

namespace finova::ui {

class RegisterWindow : public QDialog {
  Q_OBJECT
 public:
  enum class Kind { Registers, Memory };
  RegisterWindow(Kind kind, const CalcEngine& engine, QWidget* parent = nullptr);

  void refresh();
  // The value shown for a row ("X", "PV", "R.3").
  QString valueText(const QString& name) const;

 signals:
  void visibilityChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  double value(int row) const;

  Kind m_kind;
  const CalcEngine& m_engine;
  QStringList m_names;
  QVector<QLabel*> m_values;
};

}  // namespace finova::ui
