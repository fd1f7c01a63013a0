// vortexia: the arcade ball game's window. The joystick is the platform's;
// the title music and the effects come from the sound system over SDL2's
// audio device (silent when there is none), made before the window and
// destroyed after it, which shuts the sound down. SIGTERM, SIGINT and
// SIGHUP close the window as the user would, without asking anything (the
// handlers go in before SDL starts, so SDL leaves these signals alone).

#include <QApplication>
#include <filesystem>
#include <QIcon>
#include <QScreen>
#include <QSocketNotifier>

#include "arcade/shell/joystick_reader.h"
#include "arcade/shell/view_settings.h"
#include "arcade/sound/sound_system.h"
#include "arcade/ui/main_frame.h"
#include "arcade/ui/qt_resources.h"
#include "arcade/ui/sound_shell_audio.h"
#include "arcade/ui/vortexia_app.h"
#include "arcade/ui/vortexia_doc.h"
#include "platform/joystick.h"
#include "platform/quit_signals.h"
#include "platform/settings_location.h"
#include "platform/wave_player.h"

int main(int argc, char** argv) {
  const int quitSignals = platform::installQuitSignals();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vortexia"));
  // The installed desktop entry and theme icon: the desktop shows the
  // window under the program's own name and icon (none before install).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.classicsuite.vortexia"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.classicsuite.vortexia")));
  arcade::ui::IShellPrompts& prompts = arcade::ui::DialogShellPrompts();
  arcade::QtResources resources;
  arcade::CSoundSystem sound(resources, platform::makeWavePlayer());
  arcade::ui::SoundShellAudio audio(sound);
  std::unique_ptr<platform::Joystick> device = platform::makeJoystick();
  arcade::ui::QtMessageReporter joystickMessages(prompts);
  // The reader raises the pause flag of the session it serves; it is made
  // once the document exists.
  std::unique_ptr<arcade::JoystickReader> joystick;
  arcade::ui::CVortexiaApp vortexia(prompts, audio, &sound);
  // A quit signal closes the main window, as its close box does; before the
  // window exists (a start-up warning is up) it ends the program.
  std::unique_ptr<QSocketNotifier> quitWatch;
  if (quitSignals >= 0) {
    quitWatch = std::make_unique<QSocketNotifier>(quitSignals, QSocketNotifier::Read);
    QObject::connect(quitWatch.get(), &QSocketNotifier::activated, [&vortexia] {
      while (platform::takeQuitSignal() != 0) {
      }
      if (vortexia.Frame() != nullptr && vortexia.Frame()->isVisible()) {
        vortexia.Frame()->CloseWithoutQuestions();
      } else {
        QCoreApplication::exit(0);
      }
    });
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!vortexia.InitInstance(screen != nullptr ? screen->geometry().width() : 640)) return 0;
  // The camera choice lives in VORTEXIA.INI ($XDG_CONFIG_HOME/vortexia/).
  const std::filesystem::path settings = platform::settingsFilePath("vortexia", "VORTEXIA.INI");
  vortexia.Doc()->Session().SetCameraView(arcade::ReadViewSettings(settings).camera);
  vortexia.Frame()->SetSettingsFile(settings);
  vortexia.Frame()->UpdateMenus();
  joystick = std::make_unique<arcade::JoystickReader>(*device, joystickMessages,
                                                      vortexia.Doc()->Session().PausedFlag());
  vortexia.Doc()->Session().SetJoystick(joystick.get());
  joystickMessages.SetParent(vortexia.Frame());
  vortexia.Frame()->show();
  return QApplication::exec();
}
