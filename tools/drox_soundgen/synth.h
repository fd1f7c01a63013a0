// A tiny deterministic synthesiser for the arena game's sound effects:
// tones with pitch sweeps, filtered noise, envelopes, mixing and a 16-bit
// mono RIFF WAVE writer. Every sound is a pure function of its recipe, so two
// runs write identical files. It plays nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace drox_sound {

inline constexpr int kRate = 22050;

enum class Wave { Sine, Square, Saw, Triangle };

struct Tone {
  double start = 0;  // seconds
  double length = 0.2;
  double fromHz = 440;
  double toHz = 440;  // exponential sweep over the length
  Wave wave = Wave::Sine;
  double level = 0.5;
  double attack = 0.005;
  double decay = 4;  // exponential decay rate per second after the attack
  double vibratoHz = 0;
  double vibratoDepth = 0;  // fraction of the frequency
};

struct Noise {
  double start = 0;
  double length = 0.3;
  double level = 0.5;
  double fromCutoff = 0.5;  // one-pole low-pass coefficient 0..1 (1 = open)
  double toCutoff = 0.05;
  double attack = 0.002;
  double decay = 6;
  std::uint32_t seed = 1;
  double gateHz = 0;  // crackle: the noise is switched on and off at this rate
};

class Sound {
 public:
  explicit Sound(double seconds);
  void add(const Tone& tone);
  void add(const Noise& noise);
  // Scales the whole sound so that its loudest sample reaches `peak` (0..1).
  void normalise(double peak);
  const std::vector<double>& samples() const { return m_samples; }

 private:
  std::vector<double> m_samples;
};

std::vector<std::uint8_t> encodeWave(const Sound& sound);

}  // namespace drox_sound
