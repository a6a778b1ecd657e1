#include "dsp.h"

#include <algorithm>
#include <array>

namespace z2::sndgen {

namespace {

// Band-limited step correction around a discontinuity at phase 0.
double poly_blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

void put_u32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void put_u16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v & 0xFF));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void put_tag(std::vector<uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

double Osc::step(Wave w, double hz, double pw) {
  double dt = std::clamp(hz / kRate, 0.0, 0.49);
  double t = phase_;
  double y = 0;
  switch (w) {
    case Wave::Sine:
      y = std::sin(kTwoPi * t);
      break;
    case Wave::Triangle:
      y = t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t;
      break;
    case Wave::Saw:
      y = 2.0 * t - 1.0 - poly_blep(t, dt);
      break;
    case Wave::Square: {
      y = t < pw ? 1.0 : -1.0;
      y += poly_blep(t, dt);
      double t2 = t + (1.0 - pw);
      if (t2 >= 1.0) t2 -= 1.0;
      y -= poly_blep(t2, dt);
      break;
    }
  }
  phase_ += dt;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return y;
}

double adsr(double t, double dur, double a, double d, double s, double r) {
  if (t < 0 || t >= dur) return 0;
  double v;
  if (t < a) v = t / a;
  else if (t < a + d) v = 1.0 - (1.0 - s) * (t - a) / d;
  else v = s;
  double left = dur - t;
  if (left < r) v *= left / r;
  return v;
}

void Biquad::set(double b0, double b1, double b2, double a0, double a1, double a2) {
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = a1 / a0;
  a2_ = a2 / a0;
}

void Biquad::lowpass(double hz, double q) {
  hz = std::clamp(hz, 10.0, kRate * 0.45);
  double w = kTwoPi * hz / kRate, c = std::cos(w), al = std::sin(w) / (2 * q);
  set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + al, -2 * c, 1 - al);
}

void Biquad::highpass(double hz, double q) {
  hz = std::clamp(hz, 10.0, kRate * 0.45);
  double w = kTwoPi * hz / kRate, c = std::cos(w), al = std::sin(w) / (2 * q);
  set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + al, -2 * c, 1 - al);
}

void Biquad::bandpass(double hz, double q) {
  hz = std::clamp(hz, 10.0, kRate * 0.45);
  double w = kTwoPi * hz / kRate, c = std::cos(w), al = std::sin(w) / (2 * q);
  set(al, 0, -al, 1 + al, -2 * c, 1 - al);
}

Signal white_noise(double dur, Rng& rng) {
  return render(dur, [&](double) { return rng.bipolar(); });
}

void filter(Signal& s, Filter type, double hz, double q) {
  filter_sweep(s, type, [hz](double) { return hz; }, q);
}

void mix(Signal& dst, const Signal& src, double at, double gain) {
  size_t off = static_cast<size_t>(std::max(0, samples_of(at)));
  if (dst.size() < off + src.size()) dst.resize(off + src.size(), 0.0);
  for (size_t i = 0; i < src.size(); ++i) dst[off + i] += src[i] * gain;
}

void scale(Signal& s, double gain) {
  for (double& x : s) x *= gain;
}

void saturate(Signal& s, double drive) {
  for (double& x : s) x = std::tanh(x * drive) / drive;
}

void reverb(Signal& s, double wet, double room, double tail) {
  // Extend by the tail so the reverb can ring out; finish() trims silence.
  s.resize(s.size() + static_cast<size_t>(samples_of(tail)), 0.0);
  const std::array<int, 4> comb_len = {1116, 1188, 1277, 1356};
  const std::array<int, 2> ap_len = {556, 441};
  const double fb = 0.70 + 0.25 * std::clamp(room, 0.0, 1.0);
  std::vector<std::vector<double>> comb;
  std::vector<double> comb_lp(comb_len.size(), 0.0);
  for (int n : comb_len) comb.emplace_back(static_cast<size_t>(n), 0.0);
  std::vector<std::vector<double>> ap;
  for (int n : ap_len) ap.emplace_back(static_cast<size_t>(n), 0.0);
  std::vector<size_t> ci(comb.size(), 0), ai(ap.size(), 0);
  for (double& x : s) {
    double in = x * 0.25, out = 0;
    for (size_t k = 0; k < comb.size(); ++k) {
      double y = comb[k][ci[k]];
      comb_lp[k] = y * 0.6 + comb_lp[k] * 0.4;  // damping
      comb[k][ci[k]] = in + comb_lp[k] * fb;
      ci[k] = (ci[k] + 1) % comb[k].size();
      out += y;
    }
    for (size_t k = 0; k < ap.size(); ++k) {
      double b = ap[k][ai[k]];
      double y = -out + b;
      ap[k][ai[k]] = out + b * 0.5;
      ai[k] = (ai[k] + 1) % ap[k].size();
      out = y;
    }
    x += out * wet;
  }
}

void fade(Signal& s, double in_sec, double out_sec) {
  size_t n_in = std::min(s.size(), static_cast<size_t>(samples_of(in_sec)));
  size_t n_out = std::min(s.size(), static_cast<size_t>(samples_of(out_sec)));
  for (size_t i = 0; i < n_in; ++i) s[i] *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / n_in);
  for (size_t i = 0; i < n_out; ++i)
    s[s.size() - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / n_out);
}

Level measure(const Signal& s) {
  Level lv;
  lv.seconds = static_cast<double>(s.size()) / kRate;
  if (s.empty()) return lv;
  double peak = 0, sum = 0;
  for (double x : s) {
    peak = std::max(peak, std::abs(x));
    sum += x * x;
  }
  lv.peak_db = gain_to_db(peak);
  lv.rms_db = gain_to_db(std::sqrt(sum / s.size()));
  size_t win = std::min(s.size(), static_cast<size_t>(samples_of(0.05)));
  double acc = 0, loud = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    acc += s[i] * s[i];
    if (i >= win) acc -= s[i - win] * s[i - win];
    if (i + 1 >= win) loud = std::max(loud, acc / win);
  }
  lv.loud_db = gain_to_db(std::sqrt(std::max(loud, 0.0)));
  return lv;
}

void finish(Signal& s, double loud_db, double max_sec) {
  // DC blocker
  double prev_x = 0, prev_y = 0;
  for (double& x : s) {
    double y = x - prev_x + 0.995 * prev_y;
    prev_x = x;
    prev_y = y;
    x = y;
  }
  // Trim the inaudible tail (below -66 dB of the peak).
  double peak = 0;
  for (double x : s) peak = std::max(peak, std::abs(x));
  if (peak <= 0) return;
  size_t end = s.size();
  while (end > 0 && std::abs(s[end - 1]) < peak * 0.0005) --end;
  end = std::min(end + static_cast<size_t>(samples_of(0.01)), s.size());
  // A ring that outlasts the limit is faded out gently rather than cut.
  double out = std::min(0.03, 0.25 * static_cast<double>(end) / kRate);
  if (end > static_cast<size_t>(samples_of(max_sec))) {
    end = static_cast<size_t>(samples_of(max_sec));
    out = 0.15;
  }
  s.resize(end);
  fade(s, 0.002, out);
  Level lv = measure(s);
  double g = std::min(db_to_gain(loud_db - lv.loud_db), db_to_gain(-1.0 - lv.peak_db));
  scale(s, g);
}

std::vector<uint8_t> encode_wav(const Signal& s, int rate) {
  std::vector<uint8_t> b;
  const uint32_t data_bytes = static_cast<uint32_t>(s.size() * 2);
  b.reserve(44 + data_bytes);
  put_tag(b, "RIFF");
  put_u32(b, 36 + data_bytes);
  put_tag(b, "WAVE");
  put_tag(b, "fmt ");
  put_u32(b, 16);
  put_u16(b, 1);  // PCM
  put_u16(b, 1);  // mono
  put_u32(b, static_cast<uint32_t>(rate));
  put_u32(b, static_cast<uint32_t>(rate) * 2);
  put_u16(b, 2);
  put_u16(b, 16);
  put_tag(b, "data");
  put_u32(b, data_bytes);
  for (double x : s) {
    long v = std::lround(std::clamp(x, -1.0, 1.0) * 32767.0);
    put_u16(b, static_cast<uint16_t>(static_cast<int16_t>(v)));
  }
  return b;
}

}  // namespace z2::sndgen
