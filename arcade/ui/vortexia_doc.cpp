#include "arcade/ui/vortexia_doc.h"

#include <algorithm>

#include "arcade/ui/shell_dialogs.h"

namespace arcade::ui {

CVortexiaDoc::CVortexiaDoc(const IResources& resources, IMessageReporter& reporter,
                           IShellAudio& audio, ISoundEffects* effects)
    : m_session(std::make_unique<CGameSession>(resources, reporter, audio, effects)) {
  UpdateTitle();
}

CVortexiaDoc::~CVortexiaDoc() = default;

void CVortexiaDoc::UpdateTitle() {
  m_title = QString::fromStdString(DocumentTitle(m_session->Record()));
  emit titleChanged(m_title);
}

void CVortexiaDoc::OnNewDocument() {
  m_session->ResetRecord();
  UpdateTitle();
}

void CVortexiaDoc::Information(QWidget* parent) {
  std::int32_t& paused = m_session->PausedFlag();
  ++paused;
  CPlayerInfoDialog dialog(m_session->Record(), parent);
  dialog.exec();
  UpdateTitle();
  paused = std::max(0, paused - 1);
  emit viewsNeedUpdate();
}

}  // namespace arcade::ui
