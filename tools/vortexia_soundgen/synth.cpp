#include "synth.h"

#include <algorithm>
#include <cmath>

namespace soundgen {
namespace {

constexpr double kTailFade = 0.005;
constexpr double kNyquistGuard = 0.45 * kRate;  // harmonics stop short of Nyquist

std::int64_t sampleAt(double seconds) {
  return static_cast<std::int64_t>(std::llround(seconds * kRate));
}

double tailFade(double t, double length) {
  const double left = length - t;
  if (left <= 0.0) return 0.0;
  return left < kTailFade ? left / kTailFade : 1.0;
}

}  // namespace

double midiHz(double note) {
  return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

double Noise::next() {
  m_state = m_state * 1664525u + 1013904223u;
  return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 23) - 1.0;
}

Track::Track(double seconds, bool wrap)
    : samples(static_cast<std::size_t>(sampleAt(seconds)), 0.0), circular(wrap) {}

void Track::add(std::int64_t at, double v) {
  const auto n = static_cast<std::int64_t>(samples.size());
  if (n == 0) return;
  if (circular) {
    at %= n;
    if (at < 0) at += n;
  } else if (at < 0 || at >= n) {
    return;
  }
  samples[static_cast<std::size_t>(at)] += v;
}

double strikeEnvelope(double t, double attack, double decay, double length) {
  if (t < 0.0 || t >= length) return 0.0;
  const double rise = attack > 0.0 && t < attack ? t / attack : 1.0;
  const double fall = t < attack ? 1.0 : std::exp(-(t - attack) / decay);
  return rise * fall * tailFade(t, length);
}

double padEnvelope(double t, double attack, double hold, double release) {
  if (t < 0.0) return 0.0;
  if (t < attack) return t / attack;
  if (t < hold) return 1.0;
  return std::exp(-(t - hold) / release);
}

void addPartial(Track& track, double startSeconds, const Partial& p) {
  const std::int64_t start = sampleAt(startSeconds);
  const auto count = static_cast<std::int64_t>(p.length * kRate);
  double phase = 0.0;
  for (std::int64_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double glide = p.f0 * std::pow(p.f1 / p.f0, t / p.length);
    const double vibrato = 1.0 + p.vibratoDepth * std::sin(2.0 * kPi * p.vibratoHz * t);
    phase += 2.0 * kPi * glide * vibrato / kRate;
    track.add(start + i, p.amp * strikeEnvelope(t, p.attack, p.decay, p.length) * std::sin(phase));
  }
}

double sawHarmonic(int k) {
  return 1.0 / k;
}

double squareHarmonic(int k) {
  return k % 2 == 1 ? 1.0 / k : 0.0;
}

void addTone(Track& track, double startSeconds, const Tone& tone) {
  const std::int64_t start = sampleAt(startSeconds);
  const auto count = static_cast<std::int64_t>(tone.length * kRate);
  std::vector<double> weights;
  for (int k = 1; tone.hz * k < kNyquistGuard; ++k) {
    const double f = tone.hz * k;
    const double roll = f > tone.cutoffHz ? (tone.cutoffHz / f) * (tone.cutoffHz / f) : 1.0;
    weights.push_back(tone.harmonic(k) * roll);
  }
  double phase = 0.0;
  for (std::int64_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double depth = t > tone.vibratoDelay ? tone.vibratoDepth : 0.0;
    phase += 2.0 * kPi * tone.hz * (1.0 + depth * std::sin(2.0 * kPi * tone.vibratoHz * t)) / kRate;
    double v = 0.0;
    for (std::size_t k = 0; k < weights.size(); ++k)
      v += weights[k] * std::sin(phase * static_cast<double>(k + 1));
    const double env = tone.envelope ? tone.envelope(t) : 1.0;
    track.add(start + i, tone.amp * env * tailFade(t, tone.length) * v);
  }
}

void addNoise(Track& track, double startSeconds, const NoiseBurst& b, Noise& noise) {
  const std::int64_t start = sampleAt(startSeconds);
  const auto count = static_cast<std::int64_t>(b.length * kRate);
  const double lowK = 1.0 - std::exp(-2.0 * kPi * b.lowHz / kRate);
  const double highK = b.highHz > 0.0 ? 1.0 - std::exp(-2.0 * kPi * b.highHz / kRate) : 0.0;
  double low = 0.0, slow = 0.0;
  for (std::int64_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    low += lowK * (noise.next() - low);
    slow += highK * (low - slow);
    const double v = b.highHz > 0.0 ? low - slow : low;
    track.add(start + i, b.amp * strikeEnvelope(t, b.attack, b.decay, b.length) * v);
  }
}

double peak(const std::vector<double>& samples) {
  double m = 0.0;
  for (double v : samples) m = std::max(m, std::fabs(v));
  return m;
}

std::vector<std::uint8_t> toUnsigned8(const std::vector<double>& samples, double peakLevel) {
  const double top = peak(samples);
  const double scale = top > 0.0 ? peakLevel * 127.0 / top : 0.0;
  std::vector<std::uint8_t> out(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const long v = std::lround(samples[i] * scale) + 128;
    out[i] = static_cast<std::uint8_t>(std::clamp(v, 0L, 255L));
  }
  return out;
}

std::vector<std::uint8_t> toStereo16(const std::vector<double>& left,
                                     const std::vector<double>& right, double gain) {
  Noise dither(0x5EED);
  const std::size_t n = std::min(left.size(), right.size());
  std::vector<std::uint8_t> out;
  out.reserve(n * 4);
  for (std::size_t i = 0; i < n; ++i) {
    for (double s : {left[i], right[i]}) {
      const double d = (dither.next() + dither.next()) * 0.5;
      const long v = std::clamp(std::lround(s * gain * 32767.0 + d), -32768L, 32767L);
      const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
      out.push_back(static_cast<std::uint8_t>(u & 0xFF));
      out.push_back(static_cast<std::uint8_t>(u >> 8));
    }
  }
  return out;
}

}  // namespace soundgen
