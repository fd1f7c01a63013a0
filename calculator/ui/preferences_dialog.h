#pragma once
// The "Preferences" dialog (template DIGSEP): the number of decimals (one
// digit) and the digit separators, English/American or European. It only
// collects the choice; the window hands it to the engine on OK.

#include <QDialog>

#include "calculator/core/number_format.h"

class QLineEdit;
class QRadioButton;

namespace finova::ui {

class PreferencesDialog : public QDialog {
  Q_OBJECT
 public:
  PreferencesDialog(int decimals, SeparatorStyle style, QWidget* parent = nullptr);
  // The digit typed, or the decimals the dialog opened with when the field is
  // empty.
  int decimals() const;
  SeparatorStyle separatorStyle() const;

 private:
  int m_initialDecimals;
  QLineEdit* m_decimals;
  QRadioButton* m_english;
  QRadioButton* m_european;
};

}  // namespace finova::ui
