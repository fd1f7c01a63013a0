#pragma once
// The calculator's help window: one English page per help topic
// (30000-30017) and a contents page, embedded as Qt resources and shown in a
// browser whose links move between the pages.

#include <QWidget>

class QTextBrowser;

namespace finova::ui {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows the page of a topic; 0 or an unknown topic shows the contents.
  void showTopic(int topic);
  // The topic shown now (0: the contents).
  int currentTopic() const { return m_topic; }
  QString pageTitle() const;
  static QString pageUrl(int topic);

 private:
  QTextBrowser* m_browser;
  int m_topic = 0;
};

}  // namespace finova::ui
