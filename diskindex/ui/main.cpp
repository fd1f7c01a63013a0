// diskindx: the disk catalogue's main program. Sets up the German
// translations of Qt's own dialogs, the icon theme and the settings file,
// then hands over to the main window.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/settings_location.h"
#include "diskindex/ui/toolbar_icons.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("diskindx"));
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QTranslator qtGerman;
  if (qtGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtGerman);
  }
  diskindex::ui::chooseIconTheme();

  const QSize screen = QApplication::primaryScreen()->size();
  diskindex::ui::FormEnvironment environment;
  environment.settingsFile =
      diskindex::ui::settingsFileLocation(QApplication::applicationDirPath().toStdString());
  environment.settings =
      diskindex::SettingsEnvironment::fromSystem({screen.width(), screen.height()});

  diskindex::ui::TDiskIndexForm form(std::move(environment));
  form.start();
  form.show();
  return QApplication::exec();
}
