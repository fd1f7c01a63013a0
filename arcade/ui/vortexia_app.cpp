#include "arcade/ui/vortexia_app.h"

#include <QApplication>
#include <QTimer>

#include "arcade/game/record_keeper.h"
#include "arcade/game/saved_game.h"
#include "arcade/shell/display_mode.h"
#include "arcade/ui/main_frame.h"
#include "arcade/ui/vortexia_doc.h"
#include "arcade/ui/vortexia_view.h"

namespace arcade::ui {

CVortexiaApp::CVortexiaApp(IShellPrompts& prompts, IShellAudio& audio, ISoundEffects* effects,
                           IShellJoystick* joystick)
    : m_prompts(prompts),
      m_audio(audio),
      m_effects(effects),
      m_joystick(joystick),
      m_reporter(prompts) {}

// The frame (and its view) goes before the document it shows.
CVortexiaApp::~CVortexiaApp() {
  m_frame.reset();
  m_doc.reset();
}

bool CVortexiaApp::CheckDisplayMode(IShellPrompts& prompts, int bitsPerPixel, int screenWidth) {
  const DisplayModeWarnings warnings = arcade::CheckDisplayMode(bitsPerPixel, screenWidth);
  const QString caption = FromView(kWarningCaption);
  if (!warnings.askToContinue.empty() &&
      !prompts.OkCancel(nullptr, caption, FromView(warnings.askToContinue))) {
    return false;
  }
  if (!warnings.smoothness.empty()) {
    prompts.Message(nullptr, MessageIcon::Stop, caption, FromView(warnings.smoothness));
  }
  return true;
}

bool CVortexiaApp::InitInstance(int screenWidth) {
  if (!CheckDisplayMode(m_prompts, kPresentedBitsPerPixel, screenWidth)) return false;
  qApp->setStyleSheet(QStringLiteral("QDialog, QMessageBox { background: rgb(192, 192, 192); }"));
  m_doc = std::make_unique<CVortexiaDoc>(m_resources, m_reporter, m_audio, m_effects);
  m_doc->Session().SetJoystick(m_joystick);
  // The kept player record comes in before the title screen shows it.
  const std::string unreadable = m_doc->Session().KeepRecordIn(KeptRecordPath());
  m_doc->UpdateTitle();
  m_frame = std::make_unique<CMainFrame>(*m_doc, m_prompts);
  m_reporter.SetParent(m_frame.get());
  if (!unreadable.empty()) {
    // Said over the window once it shows.
    QTimer::singleShot(0, m_frame.get(), [this, unreadable] {
      m_prompts.Message(m_frame.get(), MessageIcon::Stop, FromView(kErrorCaption),
                        FromView(unreadable));
    });
  }
  return m_frame->View()->TimerRunning();
}

}  // namespace arcade::ui
