// The game's own dialogs: Player Information (the name to edit, the highest
// level reached and the total cumulative score), the help pages, and the
// "Need To Know..." introduction shown before the first level. Each is a
// plain modal dialog; the name is written back only on OK.
#pragma once

#include <QDialog>

#include "arcade/game/player_record.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace arcade::ui {

class CPlayerInfoDialog : public QDialog {
  Q_OBJECT

 public:
  CPlayerInfoDialog(PlayerRecord& record, QWidget* parent = nullptr);
  void accept() override;

 private:
  PlayerRecord& m_record;
  QLineEdit* m_name = nullptr;
};

// The help: a few pages, turned with "<< Previous" and "Next >>".
class CHelpDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CHelpDialog(QWidget* parent = nullptr);
  int PageCount() const;
  int Page() const { return m_page; }
  void ShowPage(int page);

 private:
  QTextBrowser* m_text = nullptr;
  QPushButton* m_previous = nullptr;
  QPushButton* m_next = nullptr;
  QLabel* m_counter = nullptr;
  int m_page = 0;
};

class CNeedToKnowDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CNeedToKnowDialog(QWidget* parent = nullptr);
};

}  // namespace arcade::ui
