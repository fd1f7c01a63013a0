#include "platform/sound_mixer.h"

#include <algorithm>
#include <limits>

namespace platform {

SoundMixer::SoundMixer(std::size_t voices) : m_voices(std::max<std::size_t>(voices, 1)) {}

bool SoundMixer::start(std::vector<std::int16_t> stream, bool loop, bool noWait,
                       std::vector<std::int16_t>& displaced) {
  auto free =
      std::find_if(m_voices.begin(), m_voices.end(), [](const Voice& v) { return !v.playing; });
  if (free == m_voices.end()) {
    if (noWait) return false;
    free = std::min_element(m_voices.begin(), m_voices.end(), [](const Voice& a, const Voice& b) {
      return a.startedAt < b.startedAt;
    });
  }
  displaced.swap(free->stream);
  free->stream = std::move(stream);
  free->position = 0;
  free->loop = loop;
  free->playing = !free->stream.empty();
  free->startedAt = ++m_starts;
  return true;
}

void SoundMixer::mix(std::int16_t* out, std::size_t count) {
  if (m_sum.size() < count) m_sum.resize(count);
  std::fill(m_sum.begin(), m_sum.begin() + static_cast<std::ptrdiff_t>(count), 0);
  for (Voice& voice : m_voices) {
    std::size_t written = 0;
    while (voice.playing && written < count) {
      const std::size_t n = std::min(count - written, voice.stream.size() - voice.position);
      for (std::size_t i = 0; i < n; ++i) m_sum[written + i] += voice.stream[voice.position + i];
      written += n;
      voice.position += n;
      if (voice.position == voice.stream.size()) {
        voice.position = 0;
        voice.playing = voice.loop;
      }
    }
  }
  constexpr std::int32_t lo = std::numeric_limits<std::int16_t>::min();
  constexpr std::int32_t hi = std::numeric_limits<std::int16_t>::max();
  for (std::size_t i = 0; i < count; ++i) {
    out[i] = static_cast<std::int16_t>(std::clamp(m_sum[i], lo, hi));
  }
}

void SoundMixer::stop(std::vector<std::vector<std::int16_t>>& displaced) {
  for (Voice& voice : m_voices) {
    displaced.push_back(std::move(voice.stream));
    voice.stream.clear();
    voice.playing = false;
  }
}

std::size_t SoundMixer::playing() const {
  return static_cast<std::size_t>(
      std::count_if(m_voices.begin(), m_voices.end(), [](const Voice& v) { return v.playing; }));
}

}  // namespace platform
