// CGameSession: the game state the document owns for the whole run. It
// holds the player record, the run-time flags (paused, playing, which device
// steers, whether the introduction was shown), the pressed-key state, and,
// while a level is played, the world and the renderer; from the first title
// screen on it also holds the backdrop. Its operations are the shell's
// workflow: start a level, run a tick, draw a game frame, end a level, and
// the bookkeeping when a level is cleared or lost. It also keeps the
// player record between runs (read at start, written at each level end and
// on close), chooses the banner the frame carries ("Paused", a lost ball,
// the cleared or lost level), and after 30 seconds without a key or click
// on the title screen plays the level as a demo with the autoplay bot
// (nothing of a demo is recorded).
//
// It does not paint, open windows or read devices: the window hands in the
// pointer reading and the time of each call, shows the frame it rendered at
// the place it names, and makes the title buttons. Time comes in as a tick
// count in milliseconds, so tests run levels without a clock.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "arcade/game/player_record.h"
#include "arcade/game/record_keeper.h"
#include "arcade/imagelib/indexed_image.h"
#include "arcade/renderer/renderer.h"
#include "arcade/shell/key_state.h"
#include "arcade/shell/level_banner.h"
#include "arcade/shell/shell_input.h"
#include "arcade/shell/shell_services.h"
#include "arcade/world/autoplay.h"
#include "arcade/world/world.h"

namespace arcade {

inline constexpr int kBackdropBitmap = 1299;
inline constexpr int kTickMs = 50;
// The game frame leaves this much of the client area to the backdrop.
inline constexpr int kFrameMarginX = 64;
inline constexpr int kFrameMarginY = 48;
inline constexpr int kFrameTop = 24;
// Time on the title screen without a key or click before the demo starts.
inline constexpr std::uint32_t kAttractDelayMs = 30000;

// The mouse as the window sees it this tick (screen coordinates).
struct PointerReading {
  bool captured = false;
  ScreenRect capture;
  int x = 0, y = 0;
};

// Where the window shows the rendered frame: 1:1, or doubled both ways.
struct FramePlacement {
  int x = 0, y = kFrameTop;
  bool doubled = false;
};

// LevelOver: the title screen is back. DemoStarted: the title screen
// gave way to the demo.
enum class TickKind { Idle, Frame, LevelOver, DemoStarted };

struct TickReport {
  TickKind kind = TickKind::Idle;
  StepResult result = StepResult::Playing;
  LevelEndReport end;         // on the tick that recorded the result, and for LevelOver
  bool recorded = false;      // this tick recorded the level's result
  std::string recordMessage;  // a failed write of the kept record, to be shown
};

class CGameSession : private IKeyFlusher {
 public:
  CGameSession(const IResources& resources, IMessageReporter& reporter, IShellAudio& audio,
               ISoundEffects* effects = nullptr);
  ~CGameSession() override;
  CGameSession(const CGameSession&) = delete;
  CGameSession& operator=(const CGameSession&) = delete;

  PlayerRecord& Record() { return m_record; }
  const PlayerRecord& Record() const { return m_record; }
  KeyState& Keys() { return m_keys; }
  std::int32_t& PausedFlag() { return m_paused; }
  bool Paused() const { return m_paused != 0; }
  // A level is on the screen (also the demo).
  bool Playing() const { return m_playing; }
  bool Demo() const { return m_demo; }
  // The banner the next game frame carries.
  BannerKind Banner() const;
  bool MouseMode() const { return m_mouseMode; }
  bool NeedToKnowShown() const { return m_needToKnowShown; }
  void MarkNeedToKnowShown() { m_needToKnowShown = true; }
  // The world seed of the next attempt; each attempt moves it on.
  void SetSeed(std::uint32_t seed) { m_seed = seed; }
  void SetJoystick(IShellJoystick* joystick) { m_joystick = joystick; }

  // Pause: Space toggles (0 or 1); a modal dialog raises it for its time
  // and puts the former value back.
  void TogglePause() { m_paused = m_paused != 0 ? 0 : 1; }
  std::int32_t RaisePause();
  void RestorePause(std::int32_t saved) { m_paused = saved; }

  // Options and input menus.
  void SetResolution(Resolution r) { m_record.resolution = static_cast<std::int32_t>(r); }
  void ToggleShading() { m_record.shading = m_record.shading != 0 ? 0 : 1; }
  void SetSpeed(int speed) { m_record.speed = speed; }
  // The camera of this and every later level (a setting, not in the record).
  void SetCameraView(CameraView view);
  CameraView GetCameraView() const { return m_cameraView; }
  // Tries one joystick read while the mouse steers; true when the joystick
  // steers afterwards.
  bool SelectJoystick();
  void SelectMouse() { m_mouseMode = true; }

  // Title screen buttons.
  bool PlayNeedsIntroduction() const;
  bool NextLevel();
  bool PreviousLevel();
  void ResetRecord();
  // The title screen is up: its music plays and earlier presses are dropped.
  void TitleShown();
  const CIndexedImage* Backdrop();

  // The kept player record: names its file and reads it (a failure's text,
  // empty when all went well), writes it (the same).
  std::string KeepRecordIn(const std::filesystem::path& file);
  std::string WriteKeptRecord() { return m_keeper.Write(m_record); }
  CRecordKeeper& Keeper() { return m_keeper; }

  // A key or click in the window: the title's idle time starts again; a
  // demo ends (true: the title screen is to come back) and the banner of
  // an ended level goes at the next tick.
  bool UserInput(std::uint32_t nowMs);

  void StartLevel();
  // Ends the level without recording anything (also Quit Level and the
  // end of a demo); the pause flag goes down with it.
  void EndLevel();
  // One timer tick for a client area of the given size.
  TickReport Tick(int clientWidth, int clientHeight, const PointerReading& pointer,
                  std::uint32_t nowMs);
  // Makes the world and renderer if need be and renders into the frame;
  // false when there is nothing to show.
  bool GameFrame(int clientWidth, int clientHeight, const PointerReading& pointer,
                 std::uint32_t nowMs);
  FramePlacement Placement(int clientWidth) const;

  WorldInput ReadInput(const PointerReading& pointer);
  const CWorld* World() const { return m_world.get(); }
  CWorld* World() { return m_world.get(); }
  const CRenderer* Renderer() const { return m_renderer.get(); }

 private:
  void FlushServeKeys() override;
  Resolution CurrentResolution() const;
  TickReport TitleTick(std::uint32_t nowMs);
  TickReport EndingTick();
  TickReport LevelEnded(StepResult result, int clientWidth, int clientHeight,
                        const PointerReading& pointer, std::uint32_t nowMs);
  void StartDemo();
  void NoteSpareBalls();

  CGamePalette m_palette;
  ImageLibrary m_library;
  IShellAudio& m_audio;
  ISoundEffects* m_effects;
  IShellJoystick* m_joystick = nullptr;
  PlayerRecord m_record;
  KeyState m_keys;
  JoystickSample m_joystickSample;
  std::int32_t m_paused = 0;
  bool m_playing = false;
  bool m_mouseMode = true;
  bool m_needToKnowShown = false;
  CameraView m_cameraView = CameraView::Classic;
  std::uint32_t m_seed = 1;
  std::unique_ptr<CWorld> m_world;
  std::unique_ptr<CRenderer> m_renderer;
  std::unique_ptr<CIndexedImage> m_backdrop;
  CRecordKeeper m_keeper;
  // Banners: the lost ball's ticks left, the spare balls last seen; the
  // ended level's banner while its last frame stays up.
  int m_ballLostTicks = 0;
  int m_lastSpareBalls = 0;
  bool m_ending = false;
  bool m_skipEnding = false;
  int m_endTicks = 0;
  BannerKind m_endBanner = BannerKind::None;
  BannerFacts m_endFacts;
  StepResult m_endResult = StepResult::Playing;
  LevelEndReport m_endReport;
  // Attract mode: the demo's player and when the title last saw input.
  bool m_demo = false;
  CAutoplay m_bot;
  std::optional<std::uint32_t> m_idleSince;
};

}  // namespace arcade
