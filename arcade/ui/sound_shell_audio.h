#pragma once
// The shell's title music served by the sound system: starting the music
// while its copy still exists does nothing, which is what the title screen
// relies on when it asks again on every paint. Effects go to the sound
// system directly (it is the worlds' ISoundEffects).

#include "arcade/shell/shell_services.h"
#include "arcade/sound/sound_system.h"

namespace arcade::ui {

class SoundShellAudio : public IShellAudio {
 public:
  explicit SoundShellAudio(CSoundSystem& sound) : m_sound(sound) {}
  void PlayTitleMusic() override { m_sound.StartTitleMusic(); }
  void StopTitleMusic() override { m_sound.StopTitleMusic(); }

 private:
  CSoundSystem& m_sound;
};

}  // namespace arcade::ui
