// vortexia: the arcade ball game's window. The joystick is the platform's;
// the title music and the effects are silent until a sound layer is handed
// to the application here.

#include <QApplication>
#include <QScreen>

#include "arcade/shell/joystick_reader.h"
#include "arcade/ui/main_frame.h"
#include "arcade/ui/vortexia_app.h"
#include "arcade/ui/vortexia_doc.h"
#include "platform/joystick.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vortexia"));
  QApplication::setApplicationDisplayName(QStringLiteral("Vortexia"));
  arcade::ui::IShellPrompts& prompts = arcade::ui::DialogShellPrompts();
  arcade::NullShellAudio audio;
  std::unique_ptr<platform::Joystick> device = platform::makeJoystick();
  arcade::ui::QtMessageReporter joystickMessages(prompts);
  // The reader raises the pause flag of the session it serves; it is made
  // once the document exists.
  std::unique_ptr<arcade::JoystickReader> joystick;
  arcade::ui::CVortexiaApp vortexia(prompts, audio);
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!vortexia.InitInstance(screen != nullptr ? screen->geometry().width() : 640)) return 0;
  joystick = std::make_unique<arcade::JoystickReader>(*device, joystickMessages,
                                                      vortexia.Doc()->Session().PausedFlag());
  vortexia.Doc()->Session().SetJoystick(joystick.get());
  joystickMessages.SetParent(vortexia.Frame());
  vortexia.Frame()->show();
  return QApplication::exec();
}
