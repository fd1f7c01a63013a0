#include "arcade/shell/game_session.h"

#include <algorithm>

namespace arcade {

CGameSession::CGameSession(const IResources& resources, IMessageReporter& reporter,
                           IShellAudio& audio, ISoundEffects* effects)
    : m_library{m_palette, resources, reporter}, m_audio(audio), m_effects(effects) {
  m_palette.LoadLookup(resources);
}

// The renderer reads the world's textures, so it goes first.
CGameSession::~CGameSession() {
  m_renderer.reset();
  m_world.reset();
}

std::int32_t CGameSession::RaisePause() {
  const std::int32_t saved = m_paused;
  m_paused = 1;
  return saved;
}

void CGameSession::SetCameraView(CameraView view) {
  m_cameraView = view;
  if (m_world) m_world->Control().SetView(view);
}

bool CGameSession::SelectJoystick() {
  if (m_mouseMode && m_joystick != nullptr && m_joystick->Read(m_joystickSample)) {
    m_mouseMode = false;
  }
  return !m_mouseMode;
}

bool CGameSession::PlayNeedsIntroduction() const {
  return m_record.highestLevel < 1 && !m_needToKnowShown;
}

bool CGameSession::NextLevel() {
  if (m_record.currentLevel >= kLastLevelIndex) return false;
  ++m_record.currentLevel;
  return true;
}

bool CGameSession::PreviousLevel() {
  if (m_record.currentLevel <= 0) return false;
  --m_record.currentLevel;
  return true;
}

void CGameSession::ResetRecord() {
  m_record = PlayerRecord{};
}

void CGameSession::TitleShown() {
  m_audio.PlayTitleMusic();
  m_keys.FlushGameKeys();
}

const CIndexedImage* CGameSession::Backdrop() {
  if (!m_backdrop) {
    m_backdrop = std::make_unique<CIndexedImage>();
    m_backdrop->LoadResource(m_library, kBackdropBitmap);
  }
  return m_backdrop->pixels != nullptr ? m_backdrop.get() : nullptr;
}

void CGameSession::StartLevel() {
  m_playing = true;
  m_record.highestLevel = std::clamp(m_record.highestLevel, 0, kLastLevelIndex);
  m_keys.Flush({ShellKey::Space});
  m_audio.StopTitleMusic();
  m_keys.FlushGameKeys();
}

void CGameSession::EndLevel() {
  m_renderer.reset();
  m_world.reset();
  m_playing = false;
}

void CGameSession::FlushServeKeys() {
  m_keys.Flush({ShellKey::Space, ShellKey::Enter});
}

Resolution CGameSession::CurrentResolution() const {
  return m_record.resolution != 0 ? Resolution::Normal : Resolution::High;
}

WorldInput CGameSession::ReadInput(const PointerReading& pointer) {
  const HeldKeys held{m_keys.Held(ShellKey::Shift), m_keys.Held(ShellKey::LeftButton),
                      m_keys.Held(ShellKey::I), m_keys.Held(ShellKey::O)};
  if (pointer.captured) return MouseInput(pointer.capture, pointer.x, pointer.y, held);
  if (m_mouseMode) return IdleInput(held);
  // A failed read has told the user; the mouse steers again from here on and
  // this tick uses the last good reading.
  if (m_joystick == nullptr || !m_joystick->Read(m_joystickSample)) m_mouseMode = true;
  return JoystickInput(m_joystickSample, held);
}

TickReport CGameSession::Tick(int clientWidth, int clientHeight, const PointerReading& pointer,
                              std::uint32_t nowMs) {
  const WorldInput input = ReadInput(pointer);
  // Space pauses only a level in play: on the title screen a press is
  // dropped, so the next level does not start frozen.
  if (m_keys.TakePressed(ShellKey::Space) && m_playing) TogglePause();
  TickReport report;
  if (m_paused != 0 || !m_playing || !m_renderer || !m_world) return report;
  const StepOutcome outcome = m_world->Step(false, SpeedFactor(m_record.speed), input, nowMs);
  report.result = outcome.result;
  if (outcome.result == StepResult::Playing) {
    if (outcome.camera != nullptr) m_renderer->SetCamera(*outcome.camera);
    report.kind =
        GameFrame(clientWidth, clientHeight, pointer, nowMs) ? TickKind::Frame : TickKind::Idle;
    return report;
  }
  report.kind = TickKind::LevelOver;
  report.end = RecordLevelEnd(m_record, outcome.result, m_world->Score(), m_world->ElapsedMs());
  EndLevel();
  return report;
}

bool CGameSession::GameFrame(int clientWidth, int clientHeight, const PointerReading& pointer,
                             std::uint32_t nowMs) {
  const WorldInput input = ReadInput(pointer);
  if (!m_playing) return false;
  if (!m_world) {
    m_world = std::make_unique<CWorld>(m_record.currentLevel, m_seed, m_library, m_effects,
                                       static_cast<IKeyFlusher*>(this));
    m_world->Control().SetView(m_cameraView);
    m_seed = m_seed * 1664525u + 1013904223u;
  }
  const Resolution resolution = CurrentResolution();
  int w = clientWidth - kFrameMarginX;
  int h = clientHeight - kFrameMarginY;
  if (resolution == Resolution::Normal) {
    ++w;
    ++h;
  }
  if (!m_renderer) {
    m_renderer = std::make_unique<CRenderer>(m_palette, m_library.reporter, m_world->Textures(), w,
                                             h, resolution);
    const StepOutcome first = m_world->Step(true, SpeedFactor(m_record.speed), input, nowMs);
    if (first.camera != nullptr) m_renderer->SetCamera(*first.camera);
  } else {
    m_renderer->Resize(w, h, resolution);
  }
  if (m_renderer->pixels == nullptr || m_renderer->width <= 0 || m_renderer->height <= 0) {
    return false;
  }
  const CPlayerControl& control = m_world->Control();
  m_renderer->SetTopDown(control.TopDown());
  m_renderer->SetOverlay({m_world->Score(), m_world->ElapsedMs(), m_world->Ball().spareBalls,
                          control.ActiveEnhancement() != enhancement::kNone,
                          control.EnhancementMs()});
  m_renderer->Render(m_world->DrawList(), control.Zoom(), m_record.shading != 0);
  return true;
}

FramePlacement CGameSession::Placement(int clientWidth) const {
  FramePlacement place;
  if (!m_renderer) return place;
  const int rw = m_renderer->width;
  int w = clientWidth - kFrameMarginX;
  if (m_renderer->resolution() == Resolution::Normal) {
    ++w;
    place.x = ((w + kFrameMarginX) - (2 * rw - 2)) / 2;
    place.doubled = true;
  } else {
    place.x = (w - rw + 63) / 2;
  }
  return place;
}

}  // namespace arcade
