#pragma once
// The "Amortization Schedule" dialog (AMORT): the loan amount, yearly rate
// and payment in the header fields, one row per payment in the list (control
// 200) under its fixed heading, and Print and Save buttons. The rows come
// from the core's schedule routine, which works on a copy of the loan, so
// the engine's stack and registers are left as they were.

#include <QDialog>
#include <vector>

#include "calculator/core/financial/amortization.h"

class QLabel;
class QListWidget;

namespace finova {
class CalcEngine;
}

namespace finova::ui {

class Prompts;

class AmortDialog : public QDialog {
  Q_OBJECT
 public:
  // Why the registers give no schedule (the text of the error box), or null
  // when they give one: PMT < 0, PV > 0, i > 0 and a payment that pays the
  // loan off.
  static const char* refusal(const CalcEngine& engine);

  AmortDialog(const CalcEngine& engine, Prompts& prompts, QWidget* parent = nullptr);

  QListWidget* rowList() const { return m_rows; }
  QString headerText(const char* field) const;
  void print();
  // Writes the rows (CR LF after each) to a file the user names.
  void save();

 private:
  std::string format(double value) const;

  const CalcEngine& m_engine;
  Prompts& m_prompts;
  fin::LoanState m_loan;
  std::vector<fin::ScheduleRow> m_schedule;
  QListWidget* m_rows;
};

}  // namespace finova::ui
