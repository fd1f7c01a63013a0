#include "synth.h"

#include <algorithm>
#include <cmath>

namespace drox_sound {
namespace {

double envelope(double t, double length, double attack, double decay) {
  if (t < 0 || t >= length) return 0;
  const double rise = attack > 0 ? std::min(1.0, t / attack) : 1.0;
  // A short fade at the end keeps the cut from clicking.
  const double tail = std::min(1.0, (length - t) / 0.01);
  return rise * std::exp(-decay * std::max(0.0, t - attack)) * tail;
}

double shape(Wave wave, double phase) {
  const double x = phase - std::floor(phase);
  switch (wave) {
    case Wave::Sine:
      return std::sin(2 * M_PI * x);
    case Wave::Square:
      return x < 0.5 ? 0.8 : -0.8;
    case Wave::Saw:
      return 2 * x - 1;
    case Wave::Triangle:
      return x < 0.5 ? 4 * x - 1 : 3 - 4 * x;
  }
  return 0;
}

}  // namespace

Sound::Sound(double seconds) : m_samples(static_cast<std::size_t>(seconds * kRate), 0.0) {}

void Sound::add(const Tone& tone) {
  const auto first = static_cast<std::size_t>(tone.start * kRate);
  const auto count = static_cast<std::size_t>(tone.length * kRate);
  double phase = 0;
  for (std::size_t i = 0; i < count && first + i < m_samples.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double progress = t / tone.length;
    double hz = tone.fromHz * std::pow(tone.toHz / tone.fromHz, progress);
    if (tone.vibratoHz > 0) hz *= 1 + tone.vibratoDepth * std::sin(2 * M_PI * tone.vibratoHz * t);
    phase += hz / kRate;
    m_samples[first + i] +=
        tone.level * envelope(t, tone.length, tone.attack, tone.decay) * shape(tone.wave, phase);
  }
}

void Sound::add(const Noise& noise) {
  const auto first = static_cast<std::size_t>(noise.start * kRate);
  const auto count = static_cast<std::size_t>(noise.length * kRate);
  std::uint32_t state = noise.seed;
  double filtered = 0;
  for (std::size_t i = 0; i < count && first + i < m_samples.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double progress = t / noise.length;
    state = state * 1664525u + 1013904223u;
    const double white = static_cast<double>(state >> 8) / (1u << 23) - 1.0;
    const double k = noise.fromCutoff + (noise.toCutoff - noise.fromCutoff) * progress;
    filtered += k * (white - filtered);
    double gate = 1;
    if (noise.gateHz > 0) gate = std::sin(2 * M_PI * noise.gateHz * t) > 0.2 ? 1 : 0.15;
    m_samples[first + i] +=
        noise.level * gate * envelope(t, noise.length, noise.attack, noise.decay) * filtered;
  }
}

void Sound::normalise(double peak) {
  double loudest = 0;
  for (double s : m_samples) loudest = std::max(loudest, std::abs(s));
  if (loudest <= 0) return;
  for (double& s : m_samples) s *= peak / loudest;
}

namespace {
void put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
void tag(std::vector<std::uint8_t>& b, const char* t) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
}
}  // namespace

// RIFF header, a 16-byte PCM format chunk (mono, 16 bits) and the data chunk.
std::vector<std::uint8_t> encodeWave(const Sound& sound) {
  const auto dataBytes = static_cast<std::uint32_t>(sound.samples().size() * 2);
  std::vector<std::uint8_t> b;
  b.reserve(44 + dataBytes);
  tag(b, "RIFF");
  put32(b, 36 + dataBytes);
  tag(b, "WAVE");
  tag(b, "fmt ");
  put32(b, 16);
  put16(b, 1);
  put16(b, 1);
  put32(b, kRate);
  put32(b, kRate * 2);
  put16(b, 2);
  put16(b, 16);
  tag(b, "data");
  put32(b, dataBytes);
  for (double s : sound.samples()) {
    const auto v = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767));
    put16(b, static_cast<std::uint16_t>(v));
  }
  return b;
}

}  // namespace drox_sound
