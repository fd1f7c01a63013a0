// Small additive synthesiser of the sound generator: signals are doubles in
// -1..1 at 22,050 Hz, voices are added into a buffer at a start sample, and
// a buffer can be circular (a voice running past the end continues at the
// start), which is what makes the title loop seamless: the tune is rendered
// as one turn of a circle, so its last sample leads into its first exactly as
// any two neighbouring samples do. Everything is deterministic: noise comes
// from a fixed linear congruential generator, no clock and no global state.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace soundgen {

inline constexpr double kRate = 22050.0;
inline constexpr double kPi = 3.14159265358979323846;

double midiHz(double note);

// Deterministic white noise in -1..1.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : m_state(seed) {}
  double next();

 private:
  std::uint32_t m_state;
};

// A signal buffer; circular ones wrap voices around their end.
struct Track {
  std::vector<double> samples;
  bool circular = false;

  Track(double seconds, bool wrap);
  std::size_t size() const { return samples.size(); }
  // Adds v at position start + i (wrapped or dropped past the end).
  void add(std::int64_t at, double v);
};

// Amplitude of a plucked or struck voice: linear attack, then exponential
// decay with time constant decay, faded to exactly 0 over the last 5 ms of
// length so no voice ends in a step.
double strikeEnvelope(double t, double attack, double decay, double length);
// Attack, hold at 1 until hold, then exponential release.
double padEnvelope(double t, double attack, double hold, double release);

// A sine partial whose frequency glides exponentially from f0 to f1 over
// its length. Phase is integrated sample by sample, so glides stay smooth.
struct Partial {
  double f0 = 440.0;
  double f1 = 440.0;
  double amp = 1.0;
  double attack = 0.002;
  double decay = 0.1;
  double length = 0.3;
  double vibratoHz = 0.0;
  double vibratoDepth = 0.0;  // fraction of the frequency
};
void addPartial(Track& track, double startSeconds, const Partial& p);

// Band-limited waveforms by their harmonics up to maxHz: amplitude of
// harmonic k (0 when the waveform has none).
double sawHarmonic(int k);
double squareHarmonic(int k);

// A tone of fixed pitch with the harmonic series, amplitude envelope env(t)
// and a gentle low-pass: harmonics above cutoffHz fall off as (cutoff/f)^2.
struct Tone {
  double hz = 440.0;
  double amp = 1.0;
  double length = 0.5;
  double cutoffHz = 4000.0;
  double vibratoHz = 0.0;
  double vibratoDepth = 0.0;
  double vibratoDelay = 0.0;
  std::function<double(int)> harmonic = sawHarmonic;
  std::function<double(double)> envelope;
};
void addTone(Track& track, double startSeconds, const Tone& tone);

// Noise through a one-pole low-pass (lowHz) and optional one-pole high-pass
// (highHz, 0 for none), shaped by a strike envelope.
struct NoiseBurst {
  double amp = 1.0;
  double attack = 0.001;
  double decay = 0.05;
  double length = 0.2;
  double lowHz = 8000.0;
  double highHz = 0.0;
};
void addNoise(Track& track, double startSeconds, const NoiseBurst& burst, Noise& noise);

// Largest magnitude of the samples.
double peak(const std::vector<double>& samples);

// Unsigned 8-bit samples scaled so the peak reaches peakLevel (0..1),
// rounded; a silent signal gives all 128.
std::vector<std::uint8_t> toUnsigned8(const std::vector<double>& samples, double peakLevel);
// Interleaved signed 16-bit little-endian bytes of two channels scaled by
// gain, with deterministic triangular dither.
std::vector<std::uint8_t> toStereo16(const std::vector<double>& left,
                                     const std::vector<double>& right, double gain);

}  // namespace soundgen
