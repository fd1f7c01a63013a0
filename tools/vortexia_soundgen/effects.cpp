// The ten effects. Each is a few struck partials and filtered noise, kept
// apart by pitch and shape so a player hears what was hit: high tinks for
// blocks, a dull knock for walls, a round pong for the paddle, a wobbling
// boing for Morphoids, glass bells for spheres, chimes for boxes and fields.
#include <cmath>
#include <map>

#include "sounds.h"
#include "synth.h"

namespace soundgen {
namespace {

constexpr double kPeak = 0.9;

// Destructible block: a bright, short tink.
Track blockBounce() {
  Track t(0.2, false);
  addPartial(t, 0, {midiHz(84), midiHz(83.6), 1.0, 0.001, 0.045, 0.2});
  addPartial(t, 0, {midiHz(96), midiHz(95.6), 0.35, 0.001, 0.02, 0.12});
  Noise n(2000);
  addNoise(t, 0, {0.3, 0.0005, 0.004, 0.03, 9000, 2500}, n);
  return t;
}

// Lost ball: a slow, sad fall of two detuned voices with a tremble.
Track ballLost() {
  Track t(0.85, false);
  Partial p{midiHz(76), midiHz(45), 0.7, 0.01, 0.5, 0.85, 6.0, 0.02};
  addPartial(t, 0, p);
  p.f0 *= 1.006;
  p.f1 *= 1.006;
  p.amp = 0.45;
  p.vibratoHz = 5.3;
  addPartial(t, 0, p);
  addPartial(t, 0, {midiHz(52), midiHz(33), 0.35, 0.02, 0.4, 0.85});
  return t;
}

// Morphoid: a rubbery boing whose pitch wobbles up.
Track morphoidBounce() {
  Track t(0.45, false);
  addPartial(t, 0, {midiHz(57), midiHz(64), 0.9, 0.003, 0.16, 0.45, 17.0, 0.12});
  addPartial(t, 0, {midiHz(69), midiHz(76), 0.3, 0.003, 0.09, 0.3, 17.0, 0.12});
  return t;
}

// Paddle: a round pong with a soft body below it.
Track paddleBounce() {
  Track t(0.28, false);
  addPartial(t, 0, {midiHz(72.3), midiHz(71.8), 0.8, 0.001, 0.08, 0.28});
  addPartial(t, 0, {midiHz(91.3), midiHz(90.8), 0.2, 0.001, 0.025, 0.1});
  addPartial(t, 0, {midiHz(60), midiHz(59.5), 0.45, 0.002, 0.06, 0.22});
  return t;
}

// Sphere gone: a rising sparkle of bell notes over a shimmer.
Track sphereGone() {
  Track t(0.75, false);
  const double notes[] = {76, 80, 83, 88, 92, 95};
  for (int i = 0; i < 6; ++i) {
    const double f = midiHz(notes[i]);
    addPartial(t, i * 0.055, {f, f, 0.5, 0.001, 0.14, 0.75 - i * 0.055});
    addPartial(t, i * 0.055, {f * 2.76, f * 2.76, 0.12, 0.001, 0.05, 0.3});
  }
  Noise n(2004);
  addNoise(t, 0, {0.12, 0.15, 0.15, 0.7, 9500, 5000}, n);
  return t;
}

// Sphere bounce: a small glass bell (inharmonic partials).
Track sphereBounce() {
  Track t(0.6, false);
  const double f = midiHz(88);
  const double ratio[] = {1.0, 2.76, 5.40};
  const double amp[] = {0.8, 0.3, 0.12};
  const double decay[] = {0.22, 0.1, 0.05};
  for (int i = 0; i < 3; ++i)
    addPartial(t, 0, {f * ratio[i], f * ratio[i], amp[i], 0.001, decay[i], 0.6});
  return t;
}

// Indestructible wall, floor and ceiling: a dull wooden knock.
Track wallBounce() {
  Track t(0.16, false);
  addPartial(t, 0, {midiHz(64), midiHz(60), 0.9, 0.001, 0.035, 0.16});
  addPartial(t, 0, {midiHz(76), midiHz(72), 0.25, 0.001, 0.015, 0.08});
  Noise n(2006);
  addNoise(t, 0, {0.5, 0.0005, 0.012, 0.06, 1800, 150}, n);
  return t;
}

// Box bounce and field catch: two chime notes up a fifth.
Track boxBounce() {
  Track t(0.4, false);
  for (int i = 0; i < 2; ++i) {
    const double f = midiHz(i == 0 ? 79 : 86);
    addPartial(t, i * 0.07, {f, f, 0.7, 0.001, 0.1, 0.33});
    addPartial(t, i * 0.07, {f * 2, f * 2, 0.2, 0.001, 0.05, 0.2});
  }
  return t;
}

// Enhancement over: three soft hollow notes falling.
Track enhancementOver() {
  Track t(0.62, false);
  const double notes[] = {84, 79, 72};
  for (int i = 0; i < 3; ++i) {
    Tone tone;
    tone.hz = midiHz(notes[i]);
    tone.amp = 0.6;
    tone.length = 0.62 - i * 0.11;
    tone.cutoffHz = 2500;
    tone.harmonic = squareHarmonic;
    tone.envelope = [](double s) { return strikeEnvelope(s, 0.004, 0.09, 1.0); };
    addTone(t, i * 0.11, tone);
  }
  return t;
}

// The thirteenth floor or ceiling bounce, when the ball gets a push: a
// rising zap over a whoosh.
Track bouncePush() {
  Track t(0.42, false);
  addPartial(t, 0, {midiHz(50), midiHz(86), 0.7, 0.01, 0.2, 0.42, 25.0, 0.03});
  addPartial(t, 0, {midiHz(62), midiHz(98), 0.25, 0.01, 0.15, 0.35});
  Noise n(167);
  addNoise(t, 0, {0.35, 0.12, 0.08, 0.4, 6000, 1200}, n);
  return t;
}

const std::map<int, Track (*)()>& makers() {
  static const std::map<int, Track (*)()> table = {
      {2000, blockBounce},     {2001, ballLost},     {2002, morphoidBounce}, {2003, paddleBounce},
      {2004, sphereGone},      {2005, sphereBounce}, {2006, wallBounce},     {2007, boxBounce},
      {2008, enhancementOver}, {167, bouncePush},
  };
  return table;
}

}  // namespace

std::vector<std::uint8_t> effect(int id) {
  const auto it = makers().find(id);
  if (it == makers().end()) return {};
  return toUnsigned8(it->second().samples, kPeak);
}

const std::vector<int>& effectIds() {
  static const std::vector<int> ids = [] {
    std::vector<int> v;
    for (const auto& [id, maker] : makers()) v.push_back(id);
    return v;
  }();
  return ids;
}

}  // namespace soundgen
