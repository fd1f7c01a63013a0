#pragma once
// What the tours share: the application made ready as the window runs for
// a user (Qt's own texts in German, the window's icons), the main window's
// environment from the usual settings places, numbered pictures of windows
// and dialogs, and the steps of a tour run one after another on a timer.
// What a tour shows, and how it answers its dialogs, is the tour's own.

#include <QString>
#include <functional>
#include <vector>

#include "diskindex/ui/disk_index_form.h"

class QWidget;

namespace diskindex::tools {

// German texts for Qt's own dialogs and buttons, and the icon theme.
void prepareApplication();

// The settings file and settings of the user the tour runs as (never a
// file beside the tour's executable), for this screen.
ui::FormEnvironment tourEnvironment();

// Saves a widget's picture as OUT/NN-name.png (NN counts the pictures from
// 01) and says so on stdout; a null widget is passed over.
class TourShots {
 public:
  explicit TourShots(QString out) : m_out(std::move(out)) {}
  void take(QWidget* widget, const char* name);
  const QString& out() const { return m_out; }

 private:
  QString m_out;
  int m_count = 0;
};

enum class StepPacing {
  // The next step starts an interval after the last one returned: a step
  // that runs a modal dialog holds the tour until the dialog has closed
  // (the tour's prompts then drive the dialog).
  AfterReturn,
  // Each step schedules the next before it runs: the next steps run inside
  // the loop of a modal dialog a step opens, and can drive it.
  InsideDialogs,
};

// Runs the steps once QApplication::exec() runs, the first after one
// interval. The steps are kept until the application ends.
void runSteps(std::vector<std::function<void()>> steps, int intervalMs, StepPacing pacing);

}  // namespace diskindex::tools
