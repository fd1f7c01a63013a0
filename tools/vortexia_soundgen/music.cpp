// The title tune: 12 bars in A minor at 120 beats a minute (24 seconds),
// Am F C G | Am F G E | Dm F G E, the last E leading back into the first Am.
// Drums, a plucked bass in eighths, a wide pad, a ping-pong arpeggio and a
// square-wave lead with an echo. Every voice is rendered into circular
// tracks, so the tails of bar 12 (the pad's release, the echo) sound over
// bar 1 exactly as they will when the loop comes round.
#include <array>
#include <cmath>

#include "sounds.h"
#include "synth.h"

namespace soundgen {
namespace {

constexpr double kBeat = 0.5;
constexpr double kBar = 4 * kBeat;
constexpr double kEighth = kBeat / 2;
constexpr double kSixteenth = kBeat / 4;
constexpr int kBars = 12;

struct Chord {
  int bass;                // MIDI note of the root, low
  std::array<int, 3> pad;  // voiced near middle C
};

// Am F C G | Am F G E | Dm F G E
constexpr std::array<Chord, kBars> kChords = {{
    {45, {57, 60, 64}},
    {41, {57, 60, 65}},
    {48, {55, 60, 64}},
    {43, {55, 59, 62}},
    {45, {57, 60, 64}},
    {41, {57, 60, 65}},
    {43, {55, 59, 62}},
    {40, {56, 59, 64}},
    {38, {57, 62, 65}},
    {41, {57, 60, 65}},
    {43, {55, 59, 62}},
    {40, {56, 59, 64}},
}};

struct Note {
  int bar;
  int eighth;  // start within the bar, 0..7
  int length;  // in eighths
  int midi;
};

constexpr Note kMelody[] = {
    {0, 0, 2, 76},  {0, 2, 2, 81},  {0, 4, 1, 79},  {0, 5, 1, 76},  {0, 6, 2, 72},  {1, 0, 3, 77},
    {1, 3, 1, 76},  {1, 4, 2, 72},  {1, 6, 2, 69},  {2, 0, 2, 67},  {2, 2, 2, 72},  {2, 4, 2, 76},
    {2, 6, 2, 79},  {3, 0, 3, 74},  {3, 3, 1, 71},  {3, 4, 4, 67},  {4, 0, 2, 76},  {4, 2, 2, 81},
    {4, 4, 1, 83},  {4, 5, 1, 81},  {4, 6, 2, 79},  {5, 0, 2, 81},  {5, 2, 2, 77},  {5, 4, 2, 72},
    {5, 6, 2, 77},  {6, 0, 3, 79},  {6, 3, 1, 77},  {6, 4, 2, 74},  {6, 6, 2, 71},  {7, 0, 2, 68},
    {7, 2, 2, 71},  {7, 4, 4, 76},  {8, 0, 2, 77},  {8, 2, 2, 81},  {8, 4, 2, 86},  {8, 6, 2, 84},
    {9, 0, 3, 81},  {9, 3, 1, 79},  {9, 4, 2, 77},  {9, 6, 2, 72},  {10, 0, 2, 74}, {10, 2, 2, 79},
    {10, 4, 2, 83}, {10, 6, 2, 86}, {11, 0, 2, 83}, {11, 2, 2, 80}, {11, 4, 2, 76}, {11, 6, 1, 74},
    {11, 7, 1, 71},
};

struct Stereo {
  Track left{kMusicSeconds, true};
  Track right{kMusicSeconds, true};
  // Adds a mono track at a pan position (-1 left .. 1 right), equal power.
  void addPanned(const Track& mono, double pan, double gain, std::int64_t delay = 0) {
    const double angle = (pan + 1.0) * kPi / 4.0;
    for (std::size_t i = 0; i < mono.size(); ++i) {
      const double v = mono.samples[i] * gain;
      const auto at = static_cast<std::int64_t>(i) + delay;
      left.add(at, v * std::cos(angle));
      right.add(at, v * std::sin(angle));
    }
  }
};

Track drums() {
  Track t(kMusicSeconds, true);
  Noise n(159);
  for (int bar = 0; bar < kBars; ++bar) {
    for (int beat = 0; beat < 4; ++beat) {
      const double at = bar * kBar + beat * kBeat;
      if (beat % 2 == 0) {
        addPartial(t, at, {150, 42, 0.9, 0.001, 0.12, 0.3});
      } else {
        addNoise(t, at, {0.45, 0.001, 0.07, 0.2, 6000, 700}, n);
        addPartial(t, at, {200, 170, 0.25, 0.001, 0.05, 0.12});
      }
      // A light kick on the last eighth of every second bar drives the turn.
      if (bar % 2 == 1 && beat == 3) addPartial(t, at + kEighth, {140, 45, 0.5, 0.001, 0.08, 0.2});
    }
  }
  return t;
}

Track hats() {
  Track t(kMusicSeconds, true);
  Noise n(160);
  for (int i = 0; i < kBars * 8; ++i) {
    const double accent = i % 2 == 1 ? 1.0 : 0.55;
    addNoise(t, i * kEighth, {0.22 * accent, 0.0005, 0.018, 0.06, 10000, 6000}, n);
  }
  return t;
}

Track bass() {
  Track t(kMusicSeconds, true);
  constexpr int kPattern[8] = {0, 0, 12, 0, 0, 12, 0, 7};
  for (int bar = 0; bar < kBars; ++bar) {
    for (int i = 0; i < 8; ++i) {
      Tone tone;
      tone.hz = midiHz(kChords[bar].bass + kPattern[i]);
      tone.amp = 0.5;
      tone.length = kEighth * 0.95;
      tone.cutoffHz = 700;
      tone.envelope = [](double s) { return strikeEnvelope(s, 0.004, 0.12, 1.0); };
      addTone(t, bar * kBar + i * kEighth, tone);
    }
  }
  return t;
}

// The pad in two detuned voices, one per side, for width.
Stereo pad() {
  Stereo out;
  for (int side = 0; side < 2; ++side) {
    Track t(kMusicSeconds, true);
    for (int bar = 0; bar < kBars; ++bar) {
      for (int note : kChords[bar].pad) {
        Tone tone;
        tone.hz = midiHz(note) * (side == 0 ? 0.9965 : 1.0035);
        tone.amp = 0.16;
        tone.length = kBar + 0.6;
        tone.cutoffHz = 900;
        tone.envelope = [](double s) { return padEnvelope(s, 0.25, kBar - 0.05, 0.22); };
        addTone(t, bar * kBar, tone);
      }
    }
    out.addPanned(t, side == 0 ? -0.8 : 0.8, 1.0);
  }
  return out;
}

// Sixteenths up and down the chord over two octaves, alternating sides.
Stereo arpeggio() {
  constexpr int kSteps[16] = {0, 1, 2, 3, 4, 5, 4, 3, 0, 1, 2, 3, 4, 5, 4, 3};
  Track left(kMusicSeconds, true), right(kMusicSeconds, true);
  for (int bar = 0; bar < kBars; ++bar) {
    const auto& c = kChords[bar].pad;
    const int tones[6] = {c[0], c[1], c[2], c[0] + 12, c[1] + 12, c[2] + 12};
    for (int i = 0; i < 16; ++i) {
      const double f = midiHz(tones[kSteps[i]] + 12);
      Track& t = i % 2 == 0 ? left : right;
      addPartial(t, bar * kBar + i * kSixteenth, {f, f, 0.14, 0.002, 0.09, 0.3});
      addPartial(t, bar * kBar + i * kSixteenth, {2 * f, 2 * f, 0.04, 0.002, 0.04, 0.15});
    }
  }
  Stereo out;
  out.addPanned(left, -0.6, 1.0);
  out.addPanned(right, 0.6, 1.0);
  return out;
}

Track lead() {
  Track t(kMusicSeconds, true);
  for (const Note& note : kMelody) {
    Tone tone;
    tone.hz = midiHz(note.midi);
    tone.amp = 0.32;
    tone.length = note.length * kEighth - 0.02;
    tone.cutoffHz = 2200;
    tone.harmonic = squareHarmonic;
    tone.vibratoHz = 5.5;
    tone.vibratoDepth = 0.004;
    tone.vibratoDelay = 0.18;
    tone.envelope = [len = tone.length](double s) {
      return padEnvelope(s, 0.012, len - 0.06, 0.05) * (0.8 + 0.2 * std::exp(-s / 0.1));
    };
    addTone(t, note.bar * kBar + note.eighth * kEighth, tone);
  }
  return t;
}

}  // namespace

std::vector<std::uint8_t> titleMusic() {
  Stereo mix;
  mix.addPanned(drums(), 0.0, 1.0);
  mix.addPanned(hats(), 0.35, 1.0);
  mix.addPanned(bass(), 0.0, 1.0);
  const Stereo padVoices = pad();
  const Stereo arp = arpeggio();
  for (std::size_t i = 0; i < mix.left.size(); ++i) {
    mix.left.samples[i] += padVoices.left.samples[i] + arp.left.samples[i];
    mix.right.samples[i] += padVoices.right.samples[i] + arp.right.samples[i];
  }
  // The lead a little left, its echoes (three sixteenths apart) to the right.
  const Track melody = lead();
  const auto echo = static_cast<std::int64_t>(std::llround(3 * kSixteenth * kRate));
  mix.addPanned(melody, -0.2, 1.0);
  mix.addPanned(melody, 0.7, 0.3, echo);
  mix.addPanned(melody, -0.7, 0.12, 2 * echo);
  const double top = std::max(peak(mix.left.samples), peak(mix.right.samples));
  return toStereo16(mix.left.samples, mix.right.samples, top > 0.0 ? 0.89 / top : 0.0);
}

}  // namespace soundgen
