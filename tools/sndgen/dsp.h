#pragma once
// Tiny mono synthesis kit for the sound effects: oscillators, envelopes,
// filters, mixing and the final level/fade pass.
#include <cmath>
#include <cstdint>
#include <vector>

#include "rng.h"

namespace z2::sndgen {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

using Signal = std::vector<double>;

inline int samples_of(double sec) { return static_cast<int>(std::lround(sec * kRate)); }
inline double db_to_gain(double db) { return std::pow(10.0, db / 20.0); }
inline double gain_to_db(double g) { return g > 0 ? 20.0 * std::log10(g) : -200.0; }
inline double note_hz(double midi_key) { return 440.0 * std::pow(2.0, (midi_key - 69.0) / 12.0); }

enum class Wave { Sine, Triangle, Saw, Square };

// Phase-accumulating oscillator; saw and square are band-limited (polyBLEP)
// so that high notes do not alias into a harsh hiss.
class Osc {
 public:
  explicit Osc(double phase = 0.0) : phase_(phase) {}
  double step(Wave w, double hz, double pulse_width = 0.5);

 private:
  double phase_;
};

// Envelopes, t in seconds.
// Linear attack, then exponential decay with time constant `tau`.
inline double perc(double t, double attack, double tau) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}
// Attack / decay to sustain / release at the end of `dur`.
double adsr(double t, double dur, double a, double d, double s, double r);

// Biquad (RBJ cookbook). Coefficients may be changed per sample.
class Biquad {
 public:
  void lowpass(double hz, double q);
  void highpass(double hz, double q);
  void bandpass(double hz, double q);  // 0 dB peak gain
  double run(double x) {
    double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return y;
  }

 private:
  void set(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0, z1_ = 0, z2_ = 0;
};

// Generate `dur` seconds from a per-sample function of time.
template <class F>
Signal render(double dur, F&& f) {
  Signal s(static_cast<size_t>(samples_of(dur)));
  for (size_t i = 0; i < s.size(); ++i) s[i] = f(static_cast<double>(i) / kRate);
  return s;
}

// Raised-cosine fades at both ends (no clicks).
void fade(Signal& s, double in_sec, double out_sec);

// A single oscillator voice: frequency and amplitude are functions of time.
// Its end is faded so that a voice cut short never clicks.
template <class FreqF, class AmpF>
Signal voice(Wave w, double dur, FreqF&& freq, AmpF&& amp, double pulse_width = 0.5) {
  Osc osc;
  Signal s = render(dur, [&](double t) { return osc.step(w, freq(t), pulse_width) * amp(t); });
  fade(s, 0.0, dur * 0.25 < 0.012 ? dur * 0.25 : 0.012);
  return s;
}

Signal white_noise(double dur, Rng& rng);
// In-place filters over a whole signal with a fixed or time-varying setting.
enum class Filter { Low, High, Band };
void filter(Signal& s, Filter type, double hz, double q = 0.707);
template <class HzF>
void filter_sweep(Signal& s, Filter type, HzF&& hz, double q = 0.707) {
  Biquad bq;
  for (size_t i = 0; i < s.size(); ++i) {
    double f = hz(static_cast<double>(i) / kRate);
    if (type == Filter::Low) bq.lowpass(f, q);
    else if (type == Filter::High) bq.highpass(f, q);
    else bq.bandpass(f, q);
    s[i] = bq.run(s[i]);
  }
}

// Adds `src` into `dst` starting at `at` seconds, growing `dst` if needed.
void mix(Signal& dst, const Signal& src, double at = 0.0, double gain = 1.0);
void scale(Signal& s, double gain);
void saturate(Signal& s, double drive);  // soft clip, keeps unity for small input
// Small room: a few combs and allpasses; `wet` is the reverb level.
void reverb(Signal& s, double wet, double room = 0.5, double tail = 0.35);

// Level report of a finished effect.
struct Level {
  double peak_db = -200;  // highest sample
  double rms_db = -200;   // over the whole sound
  double loud_db = -200;  // loudest 50 ms window
  double seconds = 0;
};
Level measure(const Signal& s);

// The common last pass: DC removal, trim of the silent tail, fades, level set
// so that the loudest 50 ms reach `loud_db` (never above -1 dBFS peak).
void finish(Signal& s, double loud_db, double max_sec);

// 16-bit PCM mono RIFF/WAVE bytes.
std::vector<uint8_t> encode_wav(const Signal& s, int rate = kRate);

}  // namespace z2::sndgen
