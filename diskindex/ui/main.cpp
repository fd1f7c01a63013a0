// diskindx: the disk catalogue's main program. Sets up the German
// translations of Qt's own dialogs, the icon theme and the settings file,
// then hands over to the main window.

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/toolbar_icons.h"

int main(int argc, char* argv[]) {
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("diskindx"));
  // The installed desktop entry and theme icon: the desktop shows the
  // window under the program's own name and icon (none before install).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.classicsuite.diskindx"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.classicsuite.diskindx")));
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QTranslator qtGerman;
  if (qtGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtGerman);
  }
  diskindex::ui::chooseIconTheme();

  const QSize screen = QApplication::primaryScreen()->size();
  diskindex::SessionEnvironment environment =
      diskindex::SessionEnvironment::fromSystem({screen.width(), screen.height()});
  environment.settings.screens = diskindex::ui::desktopScreens();
  diskindex::ui::TDiskIndexForm form(std::move(environment));
  form.start();
  form.show();
  // DISKINDX_TIMING=1 logs how long start-up took until the first paint.
  if (qEnvironmentVariableIsSet("DISKINDX_TIMING")) {
    QTimer::singleShot(0, &form, [&clock] {
      std::fprintf(stderr, "diskindx: window shown after %lld ms\n",
                   static_cast<long long>(clock.elapsed()));
    });
  }
  return QApplication::exec();
}
