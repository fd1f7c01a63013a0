#include "diskindex/tools/tour_support.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <cstdio>

#include "diskindex/ui/toolbar_icons.h"
#include "platform/settings_location.h"

namespace diskindex::tools {
namespace {

// Owned by the application: the steps and where the tour stands.
class StepRunner : public QObject {
 public:
  StepRunner(std::vector<std::function<void()>> steps, int intervalMs, StepPacing pacing)
      : QObject(qApp), m_steps(std::move(steps)), m_interval(intervalMs), m_pacing(pacing) {
    QTimer::singleShot(m_interval, this, &StepRunner::runNext);
  }

 private:
  void runNext() {
    if (m_next >= m_steps.size()) return;
    const std::size_t current = m_next++;
    // A timer's slot is never entered again while it runs, so the next
    // step is always a timer of its own.
    if (m_pacing == StepPacing::InsideDialogs) {
      QTimer::singleShot(m_interval, this, &StepRunner::runNext);
    }
    m_steps[current]();
    if (m_pacing == StepPacing::AfterReturn) {
      QTimer::singleShot(m_interval, this, &StepRunner::runNext);
    }
  }

  std::vector<std::function<void()>> m_steps;
  int m_interval;
  StepPacing m_pacing;
  std::size_t m_next = 0;
};

}  // namespace

void prepareApplication() {
  auto* german = new QTranslator(qApp);
  if (german->load(QLocale(QLocale::German), "qtbase", "_",
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(german);
  }
  ui::chooseIconTheme();
}

ui::FormEnvironment tourEnvironment() {
  const QSize screen = QApplication::primaryScreen()->size();
  ui::FormEnvironment env;
  platform::LocationEnvironment location = platform::currentLocationEnvironment();
  location.executableDirectory.clear();
  env.settingsFile = platform::settingsFilePath("diskindx", "DISKINDX.INI", location);
  env.settings = SettingsEnvironment::fromSystem({screen.width(), screen.height()});
  return env;
}

void TourShots::take(QWidget* widget, const char* name) {
  if (widget == nullptr) return;
  ++m_count;
  widget->grab().save(
      QStringLiteral("%1/%2-%3.png").arg(m_out).arg(m_count, 2, 10, QLatin1Char('0')).arg(name));
  std::printf("step %d: %s\n", m_count, name);
  std::fflush(stdout);
}

void runSteps(std::vector<std::function<void()>> steps, int intervalMs, StepPacing pacing) {
  new StepRunner(std::move(steps), intervalMs, pacing);
}

}  // namespace diskindex::tools
