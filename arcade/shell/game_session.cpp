#include "arcade/shell/game_session.h"

#include <algorithm>

#include "arcade/renderer/banner.h"

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

std::string CGameSession::KeepRecordIn(const std::filesystem::path& file) {
  return m_keeper.Keep(file, m_record);
}

void CGameSession::StartLevel() {
  if (m_demo) EndLevel();
  m_playing = true;
  m_idleSince.reset();
  m_record.highestLevel = std::clamp(m_record.highestLevel, 0, kLastLevelIndex);
  m_keys.Flush({ShellKey::Space});
  m_audio.StopTitleMusic();
  m_keys.FlushGameKeys();
}

void CGameSession::StartDemo() {
  m_playing = true;
  m_demo = true;
  m_bot = CAutoplay{};
  m_idleSince.reset();
  m_audio.StopTitleMusic();
  m_keys.FlushGameKeys();
}

void CGameSession::EndLevel() {
  m_renderer.reset();
  m_world.reset();
  m_playing = false;
  m_demo = false;
  m_ending = false;
  m_skipEnding = false;
  m_ballLostTicks = 0;
  // A level quit while paused does not leave the next one frozen.
  m_paused = 0;
  m_idleSince.reset();
}

bool CGameSession::UserInput(std::uint32_t nowMs) {
  bool titleBack = false;
  if (m_demo) {
    EndLevel();
    titleBack = true;
  } else if (m_ending) {
    m_skipEnding = true;
  }
  m_idleSince = nowMs;
  return titleBack;
}

BannerKind CGameSession::Banner() const {
  if (!m_playing) return BannerKind::None;
  if (m_ending) return m_endBanner;
  if (m_demo) return BannerKind::Demo;
  if (m_paused != 0) return BannerKind::Paused;
  if (m_ballLostTicks > 0) return BannerKind::BallLost;
  return BannerKind::None;
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
  // Space pauses only a level in play: on the title screen, in the demo and
  // under an ended level's banner a press is dropped.
  const bool toggled = m_keys.TakePressed(ShellKey::Space) && m_playing && !m_demo && !m_ending;
  if (toggled) TogglePause();
  if (!m_playing) return TitleTick(nowMs);
  TickReport report;
  // The frame shows or drops "Paused" at once.
  if (toggled && m_renderer && m_world) {
    report.kind =
        GameFrame(clientWidth, clientHeight, pointer, nowMs) ? TickKind::Frame : TickKind::Idle;
  }
  if (m_paused != 0 || !m_renderer || !m_world) return report;
  if (m_ending) return EndingTick();
  const WorldInput stepInput = m_demo ? m_bot.NextInput(*m_world) : input;
  const StepOutcome outcome = m_world->Step(false, SpeedFactor(m_record.speed), stepInput, nowMs);
  report.result = outcome.result;
  if (outcome.result == StepResult::Playing) {
    NoteSpareBalls();
    if (outcome.camera != nullptr) m_renderer->SetCamera(*outcome.camera);
    report.kind =
        GameFrame(clientWidth, clientHeight, pointer, nowMs) ? TickKind::Frame : TickKind::Idle;
    return report;
  }
  if (m_demo) {
    // A demo records nothing: the title screen comes back.
    EndLevel();
    report.kind = TickKind::LevelOver;
    return report;
  }
  return LevelEnded(outcome.result, clientWidth, clientHeight, pointer, nowMs);
}

TickReport CGameSession::TitleTick(std::uint32_t nowMs) {
  TickReport report;
  // A modal dialog over the title (pause raised) is input as well.
  if (!m_idleSince || m_paused != 0) m_idleSince = nowMs;
  if (nowMs - *m_idleSince >= kAttractDelayMs) {
    StartDemo();
    report.kind = TickKind::DemoStarted;
  }
  return report;
}

TickReport CGameSession::EndingTick() {
  TickReport report;
  if (!m_skipEnding && --m_endTicks > 0) return report;
  report.kind = TickKind::LevelOver;
  report.result = m_endResult;
  report.end = m_endReport;
  EndLevel();
  return report;
}

// The result is recorded and kept at once; the level's last frame stays up
// with its banner until the banner's time is over or a key or click.
TickReport CGameSession::LevelEnded(StepResult result, int clientWidth, int clientHeight,
                                    const PointerReading& pointer, std::uint32_t nowMs) {
  TickReport report;
  report.result = result;
  report.end = RecordLevelEnd(m_record, result, m_world->Score(), m_world->ElapsedMs());
  report.recorded = true;
  report.recordMessage = m_keeper.Write(m_record);
  const int level = report.end.levelIndex;
  m_endFacts = {level, TimeBonus(m_record.lastResult[level], level), m_world->Score(), 0};
  m_endBanner = result == StepResult::Cleared ? BannerKind::Cleared : BannerKind::GameOver;
  m_endResult = result;
  m_endReport = report.end;
  m_ending = true;
  m_skipEnding = false;
  m_endTicks = kLevelEndBannerTicks;
  m_ballLostTicks = 0;
  report.kind =
      GameFrame(clientWidth, clientHeight, pointer, nowMs) ? TickKind::Frame : TickKind::Idle;
  return report;
}

void CGameSession::NoteSpareBalls() {
  const int spare = m_world->Ball().spareBalls;
  if (m_ballLostTicks > 0) --m_ballLostTicks;
  if (spare < m_lastSpareBalls) m_ballLostTicks = kBallLostBannerTicks;
  m_lastSpareBalls = spare;
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
    m_lastSpareBalls = m_world->Ball().spareBalls;
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
    const WorldInput firstInput = m_demo ? m_bot.NextInput(*m_world) : input;
    const StepOutcome first = m_world->Step(true, SpeedFactor(m_record.speed), firstInput, nowMs);
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
  const BannerKind banner = Banner();
  if (banner != BannerKind::None) {
    BannerFacts facts = m_endFacts;
    if (!m_ending) facts = {m_world->LevelIndex(), 0, m_world->Score(), m_world->Ball().spareBalls};
    DrawBanner(*m_renderer, m_renderer->width - 1, m_palette, BannerFor(banner, facts));
  }
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
