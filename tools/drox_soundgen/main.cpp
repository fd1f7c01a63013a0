// drox-soundgen: writes the arena game's thirteen sound files into a
// directory, 16-bit mono at 22050 Hz, each normalised to the same peak. Two
// runs write identical files.
//
// Usage: drox-soundgen <output directory>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

#include "arena/core/sounds.h"
#include "synth.h"

namespace {

using drox_sound::Noise;
using drox_sound::Sound;
using drox_sound::Tone;
using drox_sound::Wave;

constexpr double kPeak = 0.85;

// A laser zap: a fast falling or rising sweep with a bright harmonic.
Sound zap(double fromHz, double toHz, double length, Wave wave) {
  Sound s(length + 0.02);
  s.add(Tone{0, length, fromHz, toHz, wave, 0.6, 0.002, 9});
  s.add(Tone{0, length, fromHz * 2, toHz * 2, Wave::Sine, 0.25, 0.002, 14});
  return s;
}

Sound doubleZap() {
  Sound s(0.3);
  for (double start : {0.0, 0.07}) {
    s.add(Tone{start, 0.2, 2400, 500, Wave::Saw, 0.45, 0.002, 10});
    s.add(Tone{start, 0.2, 1800, 380, Wave::Square, 0.25, 0.002, 12});
  }
  return s;
}

Sound droidHit() {
  Sound s(0.6);
  s.add(Noise{0, 0.58, 0.9, 0.9, 0.04, 0.002, 6, 7});
  s.add(Tone{0, 0.4, 160, 40, Wave::Sine, 0.8, 0.003, 6});
  return s;
}

Sound heroHit() {
  Sound s(0.75);
  s.add(Tone{0, 0.72, 520, 90, Wave::Square, 0.5, 0.004, 2.5, 18, 0.08});
  s.add(Tone{0, 0.72, 260, 45, Wave::Saw, 0.35, 0.004, 2.5});
  s.add(Noise{0, 0.3, 0.4, 0.6, 0.1, 0.002, 8, 11});
  return s;
}

Sound shield() {
  Sound s(1.0);
  const double notes[] = {523.25, 659.25, 783.99, 1046.5, 1318.5};
  for (int i = 0; i < 5; ++i) {
    s.add(Tone{i * 0.12, 0.5, notes[i], notes[i], Wave::Sine, 0.45, 0.01, 4, 7, 0.012});
    s.add(Tone{i * 0.12, 0.5, notes[i] * 2, notes[i] * 2, Wave::Triangle, 0.12, 0.01, 6});
  }
  return s;
}

Sound doubleGun() {
  Sound s(0.65);
  s.add(Tone{0, 0.6, 200, 800, Wave::Saw, 0.4, 0.005, 2});
  s.add(Tone{0, 0.6, 300, 1200, Wave::Saw, 0.3, 0.005, 2});
  s.add(Noise{0, 0.6, 0.35, 0.8, 0.5, 0.002, 2, 23, 30});
  return s;
}

Sound fire() {
  Sound s(1.1);
  s.add(Noise{0, 1.05, 0.9, 0.03, 0.5, 0.25, 1.8, 31});
  s.add(Tone{0, 1.05, 70, 55, Wave::Triangle, 0.4, 0.2, 1.5, 6, 0.1});
  return s;
}

Sound winLevel() {
  Sound s(1.4);
  const double notes[] = {392.0, 523.25, 659.25, 783.99};
  for (int i = 0; i < 4; ++i) {
    s.add(Tone{i * 0.12, 0.14, notes[i], notes[i], Wave::Square, 0.35, 0.005, 3});
    s.add(Tone{i * 0.12, 0.14, notes[i], notes[i], Wave::Sine, 0.3, 0.005, 3});
  }
  s.add(Tone{0.5, 0.85, 1046.5, 1046.5, Wave::Square, 0.3, 0.01, 2.2, 6, 0.01});
  s.add(Tone{0.5, 0.85, 523.25, 523.25, Wave::Sine, 0.35, 0.01, 2.2});
  s.add(Tone{0.5, 0.85, 659.25, 659.25, Wave::Sine, 0.25, 0.01, 2.2});
  return s;
}

Sound loseLevel() {
  Sound s(1.25);
  const double notes[] = {329.63, 311.13, 293.66};
  for (int i = 0; i < 3; ++i) {
    s.add(Tone{i * 0.22, 0.22, notes[i], notes[i], Wave::Saw, 0.4, 0.01, 1.5});
  }
  s.add(Tone{0.66, 0.55, 277.18, 260, Wave::Saw, 0.45, 0.01, 1.8, 5, 0.02});
  return s;
}

Sound gameOver() {
  Sound s(2.4);
  const double notes[] = {440.0, 392.0, 329.63, 261.63, 220.0};
  const double lengths[] = {0.35, 0.35, 0.35, 0.4, 0.9};
  double start = 0;
  for (int i = 0; i < 5; ++i) {
    s.add(Tone{start, lengths[i] + 0.1, notes[i], notes[i], Wave::Triangle, 0.5, 0.02, 1.2});
    s.add(Tone{start, lengths[i] + 0.1, notes[i] / 2, notes[i] / 2, Wave::Sine, 0.35, 0.02, 1.2});
    // A quiet echo a little later.
    s.add(Tone{start + 0.18, lengths[i], notes[i], notes[i], Wave::Triangle, 0.15, 0.02, 2});
    start += lengths[i];
  }
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: drox-soundgen <output directory>\n");
    return 2;
  }
  namespace snd = arena::sound;
  const std::pair<std::string_view, std::function<Sound()>> recipes[] = {
      {snd::kWinLevel, winLevel},
      {snd::kLoseLevel, loseLevel},
      {snd::kGameOver, gameOver},
      {snd::kHeroHit, heroHit},
      {snd::kDroidHit, droidHit},
      {snd::kShield, shield},
      {snd::kDoubleGun, doubleGun},
      {snd::kFire, fire},
      {snd::kRed, [] { return zap(900, 220, 0.18, Wave::Square); }},
      {snd::kGreen, [] { return zap(1400, 480, 0.16, Wave::Triangle); }},
      {snd::kBlue, [] { return zap(2000, 900, 0.2, Wave::Sine); }},
      {snd::kYellow, [] { return zap(550, 1500, 0.14, Wave::Square); }},
      {snd::kWhite, doubleZap},
  };
  static_assert(std::size(recipes) == snd::kAll.size());
  const std::filesystem::path dir(argv[1]);
  std::filesystem::create_directories(dir);
  bool ok = true;
  for (const auto& [name, make] : recipes) {
    Sound sound = make();
    sound.normalise(kPeak);
    const auto bytes = drox_sound::encodeWave(sound);
    std::ofstream out(dir / std::string(name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "drox-soundgen: cannot write %s\n", std::string(name).c_str());
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
