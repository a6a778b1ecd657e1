#include "compose.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <stdexcept>

#include "rng.h"
#include "smf.h"

namespace z2::sndgen {

namespace {

constexpr int kLead = 0, kLead2 = 1, kComp = 2, kPad = 3, kBass = 4, kDrums = 9;
constexpr int kNone = 1 << 20;

int floor_div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int mod(int a, int b) { return ((a % b) + b) % b; }

[[noreturn]] void fail(const std::string& piece, const std::string& what) {
  throw std::logic_error(piece + ": " + what);
}

// ---------------------------------------------------------------- harmony

std::vector<int> chord_pcs(const ChordSym& c) {
  std::vector<int> v;
  for (int iv : c.ivals) {
    int pc = mod(c.root + iv, 12);
    if (std::find(v.begin(), v.end(), pc) == v.end()) v.push_back(pc);
  }
  return v;
}

bool has(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

// The scale bent toward a chord: a chord tone outside the scale replaces the
// scale tone a semitone away (the raised seventh under V in minor, and so on).
std::vector<int> adapted_scale(const std::vector<int>& scale, const ChordSym& c, bool adapt) {
  std::vector<int> s = scale;
  if (!adapt) return s;
  std::vector<int> pcs = chord_pcs(c);
  for (int cp : pcs) {
    if (has(s, cp)) continue;
    for (int d : {-1, 1}) {
      int e = mod(cp + d, 12);
      auto it = std::find(s.begin(), s.end(), e);
      if (it != s.end() && !has(pcs, e)) {
        *it = cp;
        break;
      }
    }
  }
  std::sort(s.begin(), s.end());
  return s;
}

// Scale degrees as a continuous index: 0 is the tonic key, n the octave above.
struct ScaleMap {
  std::vector<int> pcs;
  int tonic = 60;
  int size() const { return static_cast<int>(pcs.size()); }
  int key(int idx) const {
    int n = size(), o = floor_div(idx, n);
    return tonic + pcs[static_cast<size_t>(idx - o * n)] + 12 * o;
  }
  int pc(int idx) const { return pcs[static_cast<size_t>(mod(idx, size()))]; }
  int index_near(int k) const {
    int n = size(), o = floor_div(k - tonic, 12), best = o * n, dist = 1 << 20;
    for (int i = (o - 1) * n; i <= (o + 2) * n; ++i) {
      int d = std::abs(key(i) - k);
      if (d < dist) {
        dist = d;
        best = i;
      }
    }
    return best;
  }
};

// ---------------------------------------------------------------- structure

struct Span {
  int start, len;  // sixteenths from the section start; never crosses a bar
  ChordSym chord;
};

struct SectionPlan {
  const Section* sec = nullptr;
  int bars = 0;
  std::vector<Span> spans;
};

const Span& span_at(const std::vector<Span>& spans, int step) {
  for (const Span& s : spans)
    if (step >= s.start && step < s.start + s.len) return s;
  return spans.back();
}

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : s) {
    if (c == sep) {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  out.push_back(cur);
  return out;
}

std::vector<std::string> words(const std::string& s) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : s) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

// ---------------------------------------------------------------- rhythm

struct RNote {
  int on, len;  // sixteenths from the bar start
};

struct Cell {
  std::vector<RNote> notes;  // offsets within the beat
  double weight;
  bool rest_or_hold;         // starts without a new note on the beat
  bool hold;                 // extends the previous note instead
};

std::vector<Cell> cells_for(int len, double d) {
  if (len == 4) {
    return {
        {{{0, 4}}, 1.3 - d, false, false},
        {{{0, 2}, {2, 2}}, 1.0, false, false},
        {{{0, 3}, {3, 1}}, 0.5, false, false},
        {{{0, 2}, {2, 1}, {3, 1}}, 0.45 * d, false, false},
        {{{0, 1}, {1, 1}, {2, 2}}, 0.35 * d, false, false},
        {{{0, 1}, {1, 1}, {2, 1}, {3, 1}}, 0.5 * d * d, false, false},
        {{{2, 2}}, 0.15, true, false},
        {{}, 0.9 * (1.0 - d), true, true},
    };
  }
  if (len == 6) {
    return {
        {{{0, 6}}, 1.3 - d, false, false},
        {{{0, 4}, {4, 2}}, 1.0, false, false},
        {{{0, 2}, {2, 2}, {4, 2}}, 0.8, false, false},
        {{{0, 3}, {3, 1}, {4, 2}}, 0.35, false, false},
        {{{0, 2}, {2, 4}}, 0.3, false, false},
        {{}, 0.8 * (1.0 - d), true, true},
    };
  }
  return {{{{0, len}}, 1.0, false, false}};
}

std::vector<RNote> gen_bar(const std::vector<int>& meter, double d, double sync, Rng& rng) {
  std::vector<RNote> out;
  int pos = 0;
  for (size_t b = 0; b < meter.size(); ++b) {
    int len = meter[b];
    std::vector<Cell> cells = cells_for(len, d);
    std::vector<double> w;
    for (const Cell& c : cells) w.push_back((b == 0 && c.rest_or_hold) ? 0.0 : std::max(0.0, c.weight));
    const Cell& c = cells[rng.weighted(w)];
    if (c.hold && !out.empty()) {
      out.back().len += len;
    } else {
      bool merged = false;
      // Syncopation: an off-beat eighth tied over into this beat.
      if (b > 0 && !out.empty() && !c.notes.empty() && c.notes[0].on == 0 && c.notes.size() > 1 &&
          out.back().on + out.back().len == pos && out.back().len == 2 && (pos - out.back().on) == 2 &&
          rng.chance(sync)) {
        out.back().len += c.notes[0].len;
        merged = true;
      }
      for (size_t i = merged ? 1 : 0; i < c.notes.size(); ++i)
        out.push_back({pos + c.notes[i].on, c.notes[i].len});
    }
    pos += len;
  }
  return out;
}

// A phrase ending: the first beat moves, then one long note to the bar end.
std::vector<RNote> gen_end_bar(const std::vector<int>& meter, double d, Rng& rng) {
  int total = 0;
  for (int b : meter) total += b;
  if (rng.chance(0.25 * (1.0 - d))) return {{0, total}};
  std::vector<Cell> cells = cells_for(meter[0], d);
  std::vector<double> w;
  for (const Cell& c : cells) w.push_back(c.rest_or_hold ? 0.0 : std::max(0.0, c.weight));
  std::vector<RNote> out = cells[rng.weighted(w)].notes;
  out.push_back({meter[0], total - meter[0]});
  return out;
}

// Scale-step moves of a melody. In five-note scales a step is already a third
// or so, hence fewer skips and smaller leaps there.
std::vector<int> gen_moves(size_t n, double leap, int scale_size, Rng& rng) {
  std::vector<int> m;
  int pending = 0;
  const bool wide = scale_size <= 5;
  if (wide) leap *= 0.5;
  const double skip = wide ? 0.1 : 0.35 - leap;
  const int max_leap = wide ? 3 : 4;
  for (size_t i = 0; i < n; ++i) {
    if (pending != 0) {
      m.push_back(pending);
      pending = 0;
      continue;
    }
    int dir = rng.chance(0.5) ? 1 : -1;
    double r = rng.uniform();
    if (r < 0.07) {
      m.push_back(0);
    } else if (r < 0.65) {
      m.push_back(dir);
    } else if (r < 0.65 + skip) {
      m.push_back(2 * dir);
    } else if (r < 0.65 + skip + leap) {
      m.push_back(dir * rng.between(3, max_leap));
      pending = -dir;
    } else {
      m.push_back(dir);
    }
  }
  return m;
}

// ---------------------------------------------------------------- melody

struct Material {
  std::vector<RNote> r1, r2;
  std::vector<int> m1, m2;
};

struct MelodyPlan {
  Material M, N;
  std::vector<RNote> endM, endN, preC, endC;
  std::vector<int> endMm, endNm, preCm, endCm;
  int anchor = 0;     // scale steps above the tonic for the first note
  int lift = 2;       // contrast: the second idea starts this much higher
  int seq_shift = 0;  // the answering phrase starts this much away
};

MelodyPlan plan_melody(const std::vector<int>& meter, double d, double leap, double sync, int scale_size,
                       Rng& rng) {
  MelodyPlan p;
  auto material = [&](double dens) {
    Material m;
    m.r1 = gen_bar(meter, dens, sync, rng);
    m.r2 = gen_bar(meter, dens, sync, rng);
    m.m1 = gen_moves(m.r1.size(), leap, scale_size, rng);
    m.m2 = gen_moves(m.r2.size(), leap, scale_size, rng);
    return m;
  };
  p.M = material(d);
  p.N = material(std::clamp(d + (rng.chance(0.5) ? 0.2 : -0.2), 0.05, 0.95));
  p.endM = gen_end_bar(meter, d, rng);
  p.endN = gen_end_bar(meter, d, rng);
  p.preC = gen_bar(meter, d, sync, rng);
  p.endC = gen_end_bar(meter, d, rng);
  p.endMm = gen_moves(p.endM.size(), leap, scale_size, rng);
  p.endNm = gen_moves(p.endN.size(), leap, scale_size, rng);
  p.preCm = gen_moves(p.preC.size(), leap, scale_size, rng);
  p.endCm = gen_moves(p.endC.size(), leap, scale_size, rng);
  const int anchors[] = {0, 2, 4, 7};
  p.anchor = anchors[rng.below(4)];
  p.lift = rng.between(2, 4);
  const int shifts[] = {0, 1, -1, 2};
  p.seq_shift = shifts[rng.below(4)];
  return p;
}

struct MelNote {
  int on, len;  // sixteenths from the section start
  int idx, key;
  bool strong;
};

class Realizer {
 public:
  Realizer(const Piece& p, const std::vector<Span>& spans, int oct)
      : p_(p), spans_(spans), bar_len_(0) {
    for (int b : p.meter) bar_len_ += b;
    lo_ = p.tonic + p.mel_lo + 12 * oct;
    hi_ = p.tonic + p.mel_hi + 12 * oct;
    ScaleMap base{p.scale, p.tonic};
    n_ = base.size();
    center_ = base.index_near((lo_ + hi_) / 2);
    cur_ = base.index_near(p.tonic + 12 * oct);
    oct_idx_ = n_ * oct;
  }

  int cur() const { return cur_; }
  int oct_idx() const { return oct_idx_; }
  std::vector<MelNote>& notes() { return notes_; }

  // One bar of rhythm and moves. `start` pins the first note's index;
  // `cadence` makes the last note land on the cadence tone.
  void bar(int bar_no, const std::vector<RNote>& r, const std::vector<int>& moves,
           std::optional<int> start, bool cadence) {
    int bar_start = bar_no * bar_len_;
    size_t first = notes_.size();
    int before = cur_;
    for (size_t i = 0; i < r.size(); ++i) {
      int on = bar_start + r[i].on;
      const Span& sp = span_at(spans_, on);
      ScaleMap sm = map_for(sp);
      int mv = moves[i];
      int cand = (i == 0 && start) ? *start : cur_ + mv;
      if (!(i == 0 && start)) {
        // Drift back toward the middle of the range instead of wandering off.
        if ((cand > center_ + 4 && mv > 0) || (cand < center_ - 4 && mv < 0)) cand = cur_ - mv;
        if (sm.key(cand) > hi_) cand = cur_ - std::abs(mv);
        if (sm.key(cand) < lo_) cand = cur_ + std::abs(mv);
      }
      while (sm.key(cand) > hi_) cand -= n_;
      while (sm.key(cand) < lo_) cand += n_;
      bool strong = is_strong(r[i], on, sp);
      if (strong) cand = snap(cand, sp, sm, mv >= 0 ? 1 : -1, mv != 0 && !(i == 0 && start) ? cur_ : kNone);
      // No more than three of the same note in a row.
      size_t k = notes_.size();
      if (k >= 2 && notes_[k - 1].idx == cand && notes_[k - 2].idx == cand && !strong)
        cand += (cand > center_) ? -1 : 1;
      notes_.push_back({on, r[i].len, cand, sm.key(cand), strong});
      cur_ = cand;
    }
    if (cadence && notes_.size() > first) land(first, before);
  }

 private:
  ScaleMap map_for(const Span& sp) const {
    return ScaleMap{adapted_scale(p_.scale, sp.chord, p_.adapt), p_.tonic};
  }

  int beat_len_at(int bar_off) const {
    int pos = 0;
    for (int b : p_.meter) {
      if (bar_off < pos + b) return b;
      pos += b;
    }
    return p_.meter.back();
  }

  bool is_beat(int bar_off) const {
    int pos = 0;
    for (int b : p_.meter) {
      if (bar_off == pos) return true;
      pos += b;
    }
    return false;
  }

  bool is_strong(const RNote& r, int on, const Span& sp) const {
    int off = r.on;
    if (off == 0 || on == sp.start) return true;
    if (is_beat(off) && r.len >= beat_len_at(off)) return true;
    if (p_.meter.size() == 4 && off == 8) return true;
    return r.len >= 6;
  }

  std::vector<int> usable_tones(const Span& sp, const ScaleMap& sm) const {
    std::vector<int> out;
    for (int pc : chord_pcs(sp.chord))
      if (has(sm.pcs, pc)) out.push_back(pc);
    return out;
  }

  // Nearest chord tone, leaning the way the melody moves; `avoid` (the note
  // just played) is skipped so that a step does not collapse into a repeat.
  int snap(int idx, const Span& sp, const ScaleMap& sm, int dir, int avoid) const {
    std::vector<int> tones = usable_tones(sp, sm);
    if (tones.empty()) return idx;
    // In five-note scales a neighbour is far already: look no further than one step.
    const int reach = sm.size() <= 5 ? 1 : 3;
    for (int d : {0, dir, -dir, 2 * dir, -2 * dir, 3 * dir, -3 * dir}) {
      if (std::abs(d) > reach) break;
      int c = idx + d;
      if (c != avoid && has(tones, sm.pc(c)) && sm.key(c) >= lo_ && sm.key(c) <= hi_) return c;
    }
    return idx;
  }

  // The cadence: the last note goes to the nearest tonic (or, over a dominant,
  // its root or fifth; elsewhere a chord tone); the note before approaches it
  // by step.
  void land(size_t first, int before) {
    MelNote& last = notes_.back();
    const Span& sp = span_at(spans_, last.on);
    ScaleMap sm = map_for(sp);
    std::vector<int> targets;
    if (sp.chord.root == 0) targets = {0};
    else if (sp.chord.root == 7) targets = {7, 2};
    else targets = usable_tones(sp, sm);
    if (targets.empty()) targets = {sm.pc(last.idx)};
    int from = notes_.size() - first >= 2 ? notes_[notes_.size() - 2].idx : before;
    int best = last.idx, dist = 1 << 20;
    for (int c = from - 2 * n_; c <= from + 2 * n_; ++c) {
      if (!has(targets, sm.pc(c)) || sm.key(c) < lo_ || sm.key(c) > hi_) continue;
      int dd = std::abs(c - from) * 2 + (c > from ? 1 : 0);  // ties resolve downward
      if (dd < dist) {
        dist = dd;
        best = c;
      }
    }
    last.idx = best;
    last.key = sm.key(best);
    if (notes_.size() - first >= 2) {
      MelNote& pen = notes_[notes_.size() - 2];
      int prev = notes_.size() - first >= 3 ? notes_[notes_.size() - 3].idx : before;
      int step = prev >= best ? 1 : -1;
      ScaleMap pm = map_for(span_at(spans_, pen.on));
      if (!pen.strong || std::abs(pen.idx - best) > 2) {
        pen.idx = best + step;
        pen.key = pm.key(pen.idx);
      }
    }
    cur_ = best;
  }

  const Piece& p_;
  const std::vector<Span>& spans_;
  int bar_len_, lo_ = 0, hi_ = 0, n_ = 7, center_ = 0, cur_ = 0, oct_idx_ = 0;
  std::vector<MelNote> notes_;
};

std::string unit_template(int units) {
  switch (units) {
    case 1: return "C";
    case 2: return "MC";
    case 3: return "MmC";
    case 4: return "MmMC";
    case 5: return "MmNMC";
    case 6: return "MmNnMC";
    case 7: return "MmMCNnC";
    case 8: return "MmMCNnMC";
    default: return "";
  }
}

std::vector<MelNote> realize_melody(const Piece& p, const SectionPlan& sp, const MelodyPlan& mp) {
  Realizer r(p, sp.spans, sp.sec->oct);
  std::string t = unit_template(sp.bars / 2);
  if (t.empty() || sp.bars % 2 != 0) fail(p.file, "a melody section needs 2..16 bars, an even number");
  int anchor = r.oct_idx() + mp.anchor;
  int n_anchor = 0;
  for (size_t u = 0; u < t.size(); ++u) {
    int b = static_cast<int>(u) * 2;
    switch (t[u]) {
      case 'M':
        r.bar(b, mp.M.r1, mp.M.m1, anchor, false);
        r.bar(b + 1, mp.M.r2, mp.M.m2, std::nullopt, false);
        break;
      case 'm':
        r.bar(b, mp.M.r1, mp.M.m1, anchor + mp.seq_shift, false);
        r.bar(b + 1, mp.endM, mp.endMm, std::nullopt, true);
        break;
      case 'N':
        n_anchor = r.cur() + mp.lift;
        r.bar(b, mp.N.r1, mp.N.m1, n_anchor, false);
        r.bar(b + 1, mp.N.r2, mp.N.m2, std::nullopt, false);
        break;
      case 'n':
        r.bar(b, mp.N.r1, mp.N.m1, n_anchor, false);
        r.bar(b + 1, mp.endN, mp.endNm, std::nullopt, true);
        break;
      default:  // 'C'
        r.bar(b, mp.preC, mp.preCm, std::nullopt, false);
        r.bar(b + 1, mp.endC, mp.endCm, std::nullopt, true);
        break;
    }
  }
  return r.notes();
}

// ---------------------------------------------------------------- voicing

std::vector<int> voice_chord(const ChordSym& c, int tonic_pc, int lo, int hi, size_t nv,
                             const std::vector<int>& prev) {
  std::vector<int> pcs;
  for (int pc : chord_pcs(c)) pcs.push_back(mod(pc + tonic_pc, 12));
  while (pcs.size() < nv) pcs.push_back(pcs[(pcs.size() - chord_pcs(c).size()) % chord_pcs(c).size()]);
  // Three voices for a seventh chord: root, third and seventh (the fifth adds least).
  if (pcs.size() == 4 && nv == 3) pcs.erase(pcs.begin() + 2);
  if (pcs.size() > nv) pcs.resize(nv);
  double target = prev.empty() ? (lo + hi) / 2.0 : 0.0;
  if (!prev.empty()) {
    for (int k : prev) target += k;
    target /= static_cast<double>(prev.size());
  }
  std::vector<int> best;
  double best_score = 1e9;
  for (size_t rot = 0; rot < pcs.size(); ++rot) {
    for (int base = lo; base < lo + 12; ++base) {
      if (mod(base, 12) != pcs[rot]) continue;
      std::vector<int> v = {base};
      for (size_t k = 1; k < pcs.size(); ++k) {
        int pc = pcs[(rot + k) % pcs.size()];
        int n = v.back() + 1;
        while (mod(n, 12) != pc) ++n;
        v.push_back(n);
      }
      if (v.back() > hi) continue;
      double score = 0;
      if (prev.size() == v.size()) {
        for (size_t k = 0; k < v.size(); ++k) score += std::abs(v[k] - prev[k]);
      } else {
        double mean = 0;
        for (int k : v) mean += k;
        score = std::abs(mean / static_cast<double>(v.size()) - target) * 2.0;
      }
      if (v.size() > 1 && v[1] - v[0] < 3 && v[0] < 55) score += 4;  // muddy low cluster
      if (score < best_score) {
        best_score = score;
        best = v;
      }
    }
  }
  return best;
}

int nearest_key(int pc, int near, int lo, int hi) {
  int best = lo, dist = 1 << 20;
  for (int k = lo; k <= hi; ++k) {
    if (mod(k, 12) != mod(pc, 12)) continue;
    int d = std::abs(k - near);
    if (d < dist) {
      dist = d;
      best = k;
    }
  }
  return best;
}

// ---------------------------------------------------------------- drums

struct DrumLine {
  int key;
  const char* pat;
};

struct DrumStyle {
  const char* name;
  int steps;
  std::vector<DrumLine> main, alt;
  int crash_key, crash_vel;
  const char* fill;
  int fill_steps;
};

const std::vector<DrumStyle>& drum_styles() {
  static const std::vector<DrumStyle> s = {
      {"rock", 16,
       {{36, "x.......x.x....."}, {38, "....X.......X..."}, {42, "x.o.x.o.x.o.x.o."}},
       {{36, "x.....x.x.x....."}, {38, "....X.......X..."}, {42, "x.o.x.o.x.o.x.ox"}},
       49, 100, "toms", 8},
      {"battle", 16,
       {{36, "x.....x.x.....x."}, {38, "....X.......X..."}, {42, "xoxoxoxoxoxoxoxo"}},
       {{36, "x.....x.x..x..x."}, {38, "....X.......X.gX"}, {42, "xoxoxoxoxoxoxoxo"}},
       49, 110, "snare", 8},
      {"double", 16,
       {{36, "x.x.x.x.x.x.x.x."}, {38, "....X.......X..."}, {51, "x.o.x.o.x.o.x.o."}},
       {},
       49, 110, "toms", 8},
      {"halftime", 16,
       {{36, "x.........x....."}, {38, "........X......."}, {42, "x.o.x.o.x.o.x.o."}},
       {{36, "x.....x...x....."}, {38, "........X......."}, {42, "x.o.x.o.x.o.x.o."}},
       49, 105, "toms", 4},
      {"funk", 16,
       {{36, "x.....x...x..x.."}, {38, "....X..g.g..X..g"}, {42, "xoxoxoxoxoxoxo.o"},
        {46, "..............x."}, {54, "....o.......o..."}},
       {},
       49, 90, "snare", 4},
      {"march", 16,
       {{36, "X.......x......."}, {38, "x...X.gox...X.go"}, {42, "o.o.o.o.o.o.o.o."}},
       {},
       49, 95, "roll", 4},
      {"anthem", 16,
       {{36, "X.......x.x....."}, {38, "....X.......X..."}, {42, "x.x.x.x.x.x.x.x."}},
       {{36, "X.......x......x"}, {38, "....X.......X..."}, {42, "x.x.x.x.x.x.x.x."}},
       49, 115, "toms", 8},
      {"ballad", 16,
       {{36, "x.........o....."}, {37, "....o.......o..."}, {42, "o.g.o.g.o.g.o.g."}},
       {},
       51, 70, "soft", 4},
      {"spooky", 16,
       {{36, "x..............."}, {45, "..........o....."}, {53, "......g.......g."}},
       {{36, "x.......o......."}, {41, "............g.g."}, {53, "......g........."}},
       0, 0, "soft", 4},
      {"chase", 16,
       {{36, "X.x...x.X.x...x."}, {38, "....X.......X..x"}, {42, "xoxoxoxoxoxoxoxo"}},
       {},
       49, 110, "snare", 8},
      {"chinese", 16,
       {{36, "x.......x......."}, {76, "x...x...x...x.x."}, {77, "..o...o...o....."}, {41, "....o.......o..."}},
       {},
       52, 80, "soft", 4},
      {"festival", 16,
       {{35, "x.......x......."}, {41, "X..x..x.X.x.x..."}, {37, "..x...x...x...x."}, {39, "....x.......x..."},
        {80, "o.o.o.o.o.o.o.o."}},
       {},
       0, 0, "taiko", 8},
      {"waltz", 12,
       {{36, "x..........."}, {37, "....o...o..."}, {42, "o.g.o.g.o.g."}},
       {},
       51, 60, "soft", 4},
      {"lullaby", 12,
       {{36, "o..........."}, {70, "g.g.g.g.g.g."}, {81, "o..........."}},
       {{36, "o..........."}, {70, "g.g.g.g.g.g."}},
       0, 0, "none", 0},
      {"odd7", 14,
       {{36, "X.......x....."}, {38, "....X.....X..."}, {42, "x.x.x.x.x.x.x."}},
       {{36, "X...x...x....."}, {38, "....X.....X..."}, {42, "x.x.x.x.x.x.x."}},
       49, 100, "toms", 6},
  };
  return s;
}

const DrumStyle& drum_style(const std::string& piece, const std::string& name, int steps) {
  for (const DrumStyle& s : drum_styles()) {
    if (name != s.name) continue;
    if (s.steps != steps) fail(piece, "drum style " + name + " does not fit the meter");
    for (const auto* lines : {&s.main, &s.alt})
      for (const DrumLine& l : *lines)
        if (static_cast<int>(std::string(l.pat).size()) != steps) fail(piece, "bad drum line in " + name);
    return s;
  }
  fail(piece, "unknown drum style " + name);
}

int drum_vel(char c) {
  switch (c) {
    case 'g': return 40;
    case 'o': return 64;
    case 'x': return 92;
    case 'X': return 116;
    default: return (c >= '1' && c <= '9') ? (c - '0') * 14 : 0;
  }
}

// ---------------------------------------------------------------- renderer

class Renderer {
 public:
  explicit Renderer(const Piece& p) : p_(p), rng_(seed_of(p.file, 0xA11)) {
    for (int b : p.meter) bar_len_ += b;
    tonic_pc_ = mod(p.tonic, 12);
  }

  Rendered run();

 private:
  uint32_t tick(int step) const {
    return static_cast<uint32_t>(step * kStepTicks + (mod(step, 2) == 1 ? p_.swing : 0));
  }
  int jitter(int v, int amount = 4) { return v + rng_.between(-amount, amount); }

  SectionPlan parse_section(const Section& s) const;
  int beat_index(int bar_off, int* beat_len = nullptr, int* beat_start = nullptr) const;
  void note(SmfTrack& t, int ch, int on_step, int len_steps, int key, int vel, double legato = 1.0,
            int extra_ticks = 0);
  void melody(const SectionPlan& sp, const std::vector<MelNote>& mel, int base);
  void harmony(const SectionPlan& sp, const std::vector<MelNote>& mel, int base);
  void counter(const SectionPlan& sp, int base);
  void comp(const Span& s, int base, const std::string& style, int dyn);
  void pad(const Span& s, int base, const std::string& style, int dyn);
  void bass(const Span& s, const Span* next, int base, int bar_no, const std::string& style, int dyn);
  void drums(int bar_start, int bar_no, const std::string& style, bool fill, int dyn);

  const Piece& p_;
  Rng rng_;
  int bar_len_ = 0, tonic_pc_ = 0;
  std::vector<SmfTrack> tracks_;
  SmfTrack* lead_ = nullptr;
  SmfTrack* lead2_ = nullptr;
  SmfTrack* comp_ = nullptr;
  SmfTrack* pad_ = nullptr;
  SmfTrack* bass_ = nullptr;
  SmfTrack* drum_ = nullptr;
  std::vector<int> comp_prev_, pad_prev_;
  int bass_prev_ = 40, power_prev_ = 45, counter_prev_ = 0;
};

SectionPlan Renderer::parse_section(const Section& s) const {
  SectionPlan sp;
  sp.sec = &s;
  std::vector<std::string> bars = split(s.prog, '|');
  for (const std::string& bar : bars) {
    std::vector<std::string> toks = words(bar);
    if (toks.empty()) fail(p_.file, std::string("empty bar in section ") + s.id);
    if (bar_len_ % static_cast<int>(toks.size()) != 0) fail(p_.file, "chords do not divide the bar");
    int each = bar_len_ / static_cast<int>(toks.size());
    for (size_t i = 0; i < toks.size(); ++i)
      sp.spans.push_back({sp.bars * bar_len_ + static_cast<int>(i) * each, each, parse_chord(toks[i])});
    ++sp.bars;
  }
  return sp;
}

int Renderer::beat_index(int bar_off, int* beat_len, int* beat_start) const {
  int pos = 0;
  for (size_t i = 0; i < p_.meter.size(); ++i) {
    if (bar_off < pos + p_.meter[i]) {
      if (beat_len) *beat_len = p_.meter[i];
      if (beat_start) *beat_start = pos;
      return static_cast<int>(i);
    }
    pos += p_.meter[i];
  }
  if (beat_len) *beat_len = p_.meter.back();
  if (beat_start) *beat_start = pos - p_.meter.back();
  return static_cast<int>(p_.meter.size()) - 1;
}

void Renderer::note(SmfTrack& t, int ch, int on_step, int len_steps, int key, int vel, double legato,
                    int extra_ticks) {
  uint32_t on = tick(on_step) + static_cast<uint32_t>(extra_ticks);
  uint32_t full = tick(on_step + len_steps);
  uint32_t len = full > on ? full - on : 0;
  uint32_t cut = static_cast<uint32_t>(std::lround(static_cast<double>(len) * std::clamp(legato, 0.05, 1.0)));
  cut = std::max<uint32_t>(std::min<uint32_t>(len, 40), cut);
  t.note(ch, on, on + cut, key, std::clamp(vel, 1, 127));
}

void Renderer::melody(const SectionPlan& sp, const std::vector<MelNote>& mel, int base) {
  const Section& s = *sp.sec;
  for (const MelNote& m : mel) {
    int off = mod(m.on, bar_len_);
    int vel = 90 + s.dyn + (off == 0 ? 10 : 0);
    int bl = 4, bs = 0;
    beat_index(off, &bl, &bs);
    if (off == bs) vel += 4;
    else vel -= 4;
    vel = jitter(vel, 3);
    double leg = p_.legato;
    if (s.voice == 0 || s.voice >= 2) note(*lead_, kLead, base + m.on, m.len, m.key, vel, leg);
    if (s.voice == 1) note(*lead2_, kLead2, base + m.on, m.len, m.key, vel, leg);
    if (s.voice == 2) note(*lead2_, kLead2, base + m.on, m.len, m.key - 12, vel - 8, leg);
    if (s.voice == 3) note(*lead2_, kLead2, base + m.on, m.len, m.key + 12, vel - 12, leg);
  }
}

void Renderer::harmony(const SectionPlan& sp, const std::vector<MelNote>& mel, int base) {
  for (const MelNote& m : mel) {
    const Span& span = span_at(sp.spans, m.on);
    ScaleMap sm{adapted_scale(p_.scale, span.chord, p_.adapt), p_.tonic};
    std::vector<int> pcs = chord_pcs(span.chord);
    int h = m.idx - 2;
    if (m.strong && !has(pcs, sm.pc(h))) {
      for (int d : {3, 4, 1}) {
        if (has(pcs, sm.pc(m.idx - d))) {
          h = m.idx - d;
          break;
        }
      }
    }
    int vel = jitter(74 + sp.sec->dyn, 3);
    note(*lead2_, kLead2, base + m.on, m.len, sm.key(h), vel, p_.legato);
  }
}

// Held guide tones (thirds and sevenths) moving by the smallest step.
void Renderer::counter(const SectionPlan& sp, int base) {
  int lo = p_.tonic - 8, hi = p_.tonic + 7;
  if (counter_prev_ == 0) counter_prev_ = p_.tonic;
  for (const Span& s : sp.spans) {
    std::vector<int> pcs = chord_pcs(s.chord);
    std::vector<int> pref;
    if (pcs.size() > 1) pref.push_back(pcs[1]);
    if (pcs.size() > 3) pref.push_back(pcs[3]);
    if (pref.empty()) pref = pcs;
    int best = counter_prev_, dist = 1 << 20;
    for (int pc : pref) {
      int k = nearest_key(pc + tonic_pc_, counter_prev_, lo, hi);
      int d = std::abs(k - counter_prev_);
      if (d < dist) {
        dist = d;
        best = k;
      }
    }
    counter_prev_ = best;
    note(*lead2_, kLead2, base + s.start, s.len, best, jitter(66 + sp.sec->dyn, 2), 0.98);
  }
}

void Renderer::comp(const Span& s, int base, const std::string& style, int dyn) {
  if (style == "none") return;
  int at = base + s.start, bar_off = mod(s.start, bar_len_);
  auto voicing = [&](size_t nv, int lo, int hi) {
    comp_prev_ = voice_chord(s.chord, tonic_pc_, lo, hi, nv, comp_prev_);
    return comp_prev_;
  };
  auto hit = [&](const std::vector<int>& v, int step, int len, int vel, double leg, int spread = 0) {
    for (size_t i = 0; i < v.size(); ++i)
      note(*comp_, kComp, step, len, v[i], jitter(vel, 3), leg, spread * static_cast<int>(i));
  };
  auto beats = [&](auto&& fn) {  // fn(beat index in bar, beat start step, beat length)
    int pos = 0;
    for (size_t i = 0; i < p_.meter.size(); ++i) {
      int b = p_.meter[i];
      if (pos >= bar_off && pos < bar_off + s.len) fn(static_cast<int>(i), base + s.start - bar_off + pos, b);
      pos += b;
    }
  };
  int v0 = 72 + dyn;
  if (style == "pad") {
    hit(voicing(4, 52, 76), at, s.len, v0 - 6, 0.98);
  } else if (style == "block") {
    auto v = voicing(3, 52, 74);
    beats([&](int, int st, int bl) { hit(v, st, bl, v0, 0.7); });
  } else if (style == "march") {
    auto v = voicing(3, 55, 76);
    beats([&](int i, int st, int) {
      if (i % 2 == 1) hit(v, st, 2, v0, 0.8);
    });
  } else if (style == "waltz") {
    auto v = voicing(3, 55, 74);
    beats([&](int i, int st, int) {
      if (i > 0) hit(v, st, 2, v0 - 4, 0.85);
    });
  } else if (style == "offbeat") {
    auto v = voicing(3, 55, 76);
    beats([&](int, int st, int bl) { hit(v, st + bl / 2, 2, v0, 0.6); });
  } else if (style == "arp8" || style == "arp16") {
    auto v = voicing(3, 52, 72);
    v.push_back(v[0] + 12);
    std::vector<int> order = {0, 1, 2, 3, 2, 1};
    int step = style == "arp8" ? 2 : 1;
    for (int t = 0, i = 0; t < s.len; t += step, ++i) {
      int k = v[static_cast<size_t>(order[static_cast<size_t>(i) % order.size()])];
      note(*comp_, kComp, at + t, step * 2, k, jitter(v0 - 6 + (t % 4 == 0 ? 8 : 0), 3), 1.0);
    }
  } else if (style == "alberti") {
    auto v = voicing(3, 52, 72);
    const size_t order[] = {0, 2, 1, 2};
    for (int t = 0, i = 0; t < s.len; t += 2, ++i)
      note(*comp_, kComp, at + t, 2, v[order[i % 4]], jitter(v0 - 8, 3), 0.95);
  } else if (style == "power8" || style == "powerhalf") {
    int root = nearest_key(s.chord.root + tonic_pc_, power_prev_, 40, 52);
    power_prev_ = root;
    std::vector<int> v = {root, root + 7, root + 12};
    if (style == "power8") {
      for (int t = 0; t < s.len; t += 2) {
        int bl = 4, bs = 0;
        beat_index(mod(bar_off + t, bar_len_), &bl, &bs);
        bool on_beat = mod(bar_off + t, bar_len_) == bs;
        hit(v, at + t, 2, v0 + (on_beat ? 12 : -4), 0.55);
      }
    } else {
      int half = s.len >= 8 && s.len % 2 == 0 ? s.len / 2 : s.len;
      for (int t = 0; t < s.len; t += half) hit(v, at + t, half, v0 + 10, 0.95);
    }
  } else if (style == "funk") {
    if (bar_len_ != 16) fail(p_.file, "funk comping needs 4/4");
    auto v = voicing(3, 58, 76);
    const int pos[] = {2, 6, 7, 10, 14};
    for (int ps : pos)
      if (ps >= bar_off && ps < bar_off + s.len) hit(v, base + s.start - bar_off + ps, 1, v0 + 4, 0.6);
  } else if (style == "strum") {
    auto v = voicing(4, 52, 74);
    std::vector<std::pair<int, bool>> pat;  // step, downstroke
    if (bar_len_ == 16) pat = {{0, true}, {4, true}, {6, false}, {10, false}, {12, true}, {14, false}};
    else if (bar_len_ == 12) pat = {{0, true}, {4, true}, {6, false}, {8, true}, {10, false}};
    else beats([&](int, int st, int) { pat.push_back({st - (base + s.start - bar_off), true}); });
    for (size_t i = 0; i < pat.size(); ++i) {
      int ps = pat[i].first;
      if (ps < bar_off || ps >= bar_off + s.len) continue;
      int next = i + 1 < pat.size() ? pat[i + 1].first : bar_len_;
      int len = std::min(next, bar_off + s.len) - ps;
      std::vector<int> notes = v;
      if (!pat[i].second) {
        notes.assign(v.end() - 3, v.end());
        std::reverse(notes.begin(), notes.end());
      }
      hit(notes, base + s.start - bar_off + ps, len, v0 - (pat[i].second ? 0 : 10), 0.9, 10);
    }
  } else if (style == "stab") {
    auto v = voicing(3, 55, 76);
    std::vector<std::pair<int, int>> pat;
    if (bar_len_ == 16) pat = {{0, 2}, {3, 1}, {6, 2}, {12, 2}};
    else beats([&](int, int st, int) { pat.push_back({st - (base + s.start - bar_off), 2}); });
    for (auto [ps, len] : pat)
      if (ps >= bar_off && ps < bar_off + s.len) hit(v, base + s.start - bar_off + ps, len, v0 + 8, 0.7);
  } else {
    fail(p_.file, "unknown comp style " + style);
  }
}

void Renderer::pad(const Span& s, int base, const std::string& style, int dyn) {
  if (style == "none" || !pad_) return;
  if (style == "pad") {
    pad_prev_ = voice_chord(s.chord, tonic_pc_, 48, 72, 4, pad_prev_);
    for (int k : pad_prev_) note(*pad_, kPad, base + s.start, s.len, k, jitter(60 + dyn, 2), 0.98);
  } else if (style == "pulse") {
    pad_prev_ = voice_chord(s.chord, tonic_pc_, 52, 72, 3, pad_prev_);
    for (int t = 0; t < s.len; t += 2)
      for (int k : pad_prev_) note(*pad_, kPad, base + s.start + t, 2, k, jitter(58 + dyn, 3), 0.6);
  } else {
    fail(p_.file, "unknown pad style " + style);
  }
}

void Renderer::bass(const Span& s, const Span* next, int base, int bar_no, const std::string& style, int dyn) {
  int at = base + s.start, bar_off = mod(s.start, bar_len_);
  int root = nearest_key(s.chord.root + tonic_pc_, bass_prev_, 31, 50);
  bass_prev_ = root;
  bool has_fifth = has(s.chord.ivals, 7);
  int fifth = has_fifth ? root + 7 : root + s.chord.ivals.back();
  if (fifth > 55) fifth -= 12;
  int third = root + (s.chord.ivals.size() > 1 ? s.chord.ivals[1] : 7);
  int v0 = 96 + dyn;
  auto n = [&](int step, int len, int key, int vel, double leg) {
    note(*bass_, kBass, step, len, key, jitter(vel, 3), leg);
  };
  auto beats = [&](auto&& fn) {
    int pos = 0, k = 0;
    for (size_t i = 0; i < p_.meter.size(); ++i) {
      int b = p_.meter[i];
      if (pos >= bar_off && pos < bar_off + s.len) fn(k++, base + s.start - bar_off + pos, b);
      pos += b;
    }
  };
  int next_root = next ? nearest_key(next->chord.root + tonic_pc_, root, 31, 50) : root;
  if (style == "whole") {
    n(at, s.len, root, v0 - 4, 0.95);
  } else if (style == "half") {
    int half = (s.len >= 8 && s.len % 2 == 0) ? s.len / 2 : s.len;
    for (int t = 0, i = 0; t < s.len; t += half, ++i) n(at + t, half, i % 2 == 0 ? root : fifth, v0 - 4, 0.9);
  } else if (style == "root5") {
    beats([&](int k, int st, int bl) {
      if (k % 2 == 0) n(st, bl, (k / 2) % 2 == 0 ? root : fifth, v0, 0.8);
    });
  } else if (style == "waltz") {
    n(at, p_.meter[0], bar_no % 2 == 0 ? root : fifth, v0, 0.85);
  } else if (style == "eighths") {
    for (int t = 0; t < s.len; t += 2) {
      int key = root;
      if (t == s.len - 2 && s.len >= 8 && next && next_root != root) key = fifth;
      n(at + t, 2, key, v0 + ((bar_off + t) % 4 == 0 ? 8 : -4), 0.8);
    }
  } else if (style == "octaves") {
    for (int t = 0, i = 0; t < s.len; t += 2, ++i) n(at + t, 2, i % 2 == 0 ? root : root + 12, v0 - (i % 2) * 8, 0.7);
  } else if (style == "gallop") {
    for (int t = 0; t + 4 <= s.len; t += 4) {
      n(at + t, 2, root, v0 + 6, 0.8);
      n(at + t + 2, 1, root, v0 - 8, 0.8);
      n(at + t + 3, 1, root, v0 - 8, 0.8);
    }
  } else if (style == "funk") {
    if (bar_len_ != 16) fail(p_.file, "funk bass needs 4/4");
    int seventh = root + (has(s.chord.ivals, 10) || (s.chord.ivals.size() > 1 && s.chord.ivals[1] == 3) ? 10 : 7);
    struct F { int pos, len, key; int vel; };
    const F pat[] = {{0, 3, root, 12}, {3, 1, root, -10}, {6, 1, root + 12, 0}, {8, 2, root, 6},
                     {10, 1, fifth, -6}, {11, 1, root, -10}, {14, 1, seventh, 0}, {15, 1, root + 12, -8}};
    for (const F& f : pat)
      if (f.pos >= bar_off && f.pos < bar_off + s.len) n(base + s.start - bar_off + f.pos, f.len, f.key, v0 + f.vel, 0.7);
  } else if (style == "walking") {
    int count = 0;
    beats([&](int, int, int) { ++count; });
    beats([&](int k, int st, int bl) {
      int key = root;
      if (k == count - 1 && k > 0) key = next_root + (next_root > root ? -1 : 1);
      else if (k == 1) key = third;
      else if (k == 2) key = fifth;
      n(st, bl, key, v0 - 4 + (k == 0 ? 6 : 0), 0.9);
    });
  } else if (style == "drone") {
    n(at, s.len, root, v0 - 10, 0.98);
    n(at, s.len, root + 7, v0 - 24, 0.98);
  } else if (style == "arp") {
    const int offs[] = {0, 7, 12, 7};
    for (int t = 0, i = 0; t < s.len; t += 2, ++i) n(at + t, 2, root + offs[i % 4], v0 - 8, 0.95);
  } else if (style == "tresillo") {
    for (int t = 0; t + 8 <= s.len; t += 8) {
      n(at + t, 3, root, v0 + 6, 0.8);
      n(at + t + 3, 3, root, v0 - 4, 0.8);
      n(at + t + 6, 2, root + 12, v0 - 6, 0.7);
    }
    if (s.len % 8 != 0) n(at + s.len - s.len % 8, s.len % 8, root, v0, 0.8);
  } else if (style == "pedal8") {
    int tonic = nearest_key(tonic_pc_, 38, 31, 50);
    for (int t = 0; t < s.len; t += 2) n(at + t, 2, tonic, v0 + ((bar_off + t) % 4 == 0 ? 8 : -6), 0.7);
  } else if (style == "dotted") {
    beats([&](int k, int st, int bl) { n(st, bl, k % 2 == 0 ? root : fifth, v0 - 6, 0.9); });
  } else {
    fail(p_.file, "unknown bass style " + style);
  }
}

void Renderer::drums(int bar_start, int bar_no, const std::string& name, bool fill, int dyn) {
  const DrumStyle& st = drum_style(p_.file, name, bar_len_);
  const auto& lines = (!st.alt.empty() && bar_no % 2 == 1) ? st.alt : st.main;
  int fill_from = (fill && st.fill_steps > 0 && std::string(st.fill) != "none") ? bar_len_ - st.fill_steps : bar_len_;
  auto hit = [&](int step, int key, int vel, int extra = 0) {
    note(*drum_, kDrums, bar_start + step, 1, key, jitter(vel + dyn, 4), 0.5, extra);
  };
  if (bar_no == 0 && st.crash_key > 0) hit(0, st.crash_key, st.crash_vel);
  for (const DrumLine& l : lines) {
    for (int i = 0; i < fill_from; ++i) {
      int v = drum_vel(l.pat[i]);
      if (v > 0) hit(i, l.key, v);
    }
  }
  if (fill_from >= bar_len_) return;
  int len = bar_len_ - fill_from;
  std::string f = st.fill;
  if (f == "toms") {
    const int toms[] = {50, 48, 47, 45, 43, 41};
    hit(fill_from, 36, 100);
    for (int i = 0; i < len; ++i) hit(fill_from + i, toms[i * 6 / len], 72 + 40 * i / len);
  } else if (f == "snare") {
    hit(fill_from, 36, 100);
    for (int i = 0; i < len; ++i) hit(fill_from + i, 38, 52 + 64 * i / len);
  } else if (f == "roll") {
    for (int i = 0; i < len * 2; ++i) hit(fill_from + i / 2, 38, 44 + 70 * i / (len * 2), (i % 2) * (kStepTicks / 2));
  } else if (f == "taiko") {
    for (int i = 0; i < len; i += 2) hit(fill_from + i, (i / 2) % 2 == 0 ? 41 : 43, 84 + 36 * i / len);
    hit(fill_from, 35, 100);
  } else if (f == "soft") {
    if (len >= 4) hit(fill_from + len - 4, 45, 56);
    hit(fill_from + len - 2, 43, 64);
  } else {
    fail(p_.file, "unknown fill " + f);
  }
}

// How much louder than the piano each General MIDI program sounds at the same
// velocity and volume (dB, with the game's soundfont); channel volumes are
// corrected by it so the parts keep their intended balance.
double program_loudness_db(int prog) {
  static const std::map<int, double> measured = {
      {0, 0.0},   {4, 6.5},   {8, 0.6},   {10, 3.0},  {11, 7.9},  {16, 4.8},  {19, 2.3},  {24, 4.4},
      {27, 2.7},  {28, 1.0},  {29, 3.1},  {30, 6.1},  {32, 5.0},  {33, 5.2},  {34, 3.3},  {35, 5.7},
      {36, 5.9},  {38, 5.0},  {39, 4.8},  {40, 7.1},  {42, 9.0},  {43, 7.0},  {46, 8.0},  {48, 17.8},
      {49, 3.1},  {50, 7.7},  {52, 4.8},  {53, 4.6},  {56, 3.3},  {58, 2.3},  {60, 10.9}, {61, -0.4},
      {62, 5.7},  {65, 5.2},  {68, 4.8},  {71, 5.3},  {72, 7.6},  {73, 7.5},  {80, 7.2},  {81, 9.7},
      {89, 1.0},  {94, 2.8},  {99, 5.7},  {106, -1.1}, {107, 1.5},
  };
  auto it = measured.find(prog);
  return it == measured.end() ? 5.0 : it->second;
}

// Channel volume follows roughly 40·log10(cc/127) dB.
int balanced_volume(int vol, int prog) {
  const double reference_db = 3.0;
  double cc = vol * std::pow(10.0, -(program_loudness_db(prog) - reference_db) / 40.0);
  return std::clamp(static_cast<int>(std::lround(cc)), 1, 127);
}

// The electronic and power kits hit harder than the others.
int kit_volume(int vol, int kit) {
  double trim_db = kit == 24 || kit == 25 ? 4.0 : kit == 16 ? 2.5 : kit == 40 ? -2.0 : 0.0;
  double cc = vol * std::pow(10.0, -trim_db / 40.0);
  return std::clamp(static_cast<int>(std::lround(cc)), 1, 127);
}

int key_sharps(int tonic_pc, bool minor) {
  static const int major[12] = {0, -5, 2, -3, 4, -1, 6, 1, -4, 3, -2, 5};
  return major[mod(tonic_pc + (minor ? 3 : 0), 12)];
}

Rendered Renderer::run() {
  if (p_.meter.empty() || p_.scale.empty() || p_.sections.empty() || p_.form.empty())
    fail(p_.file, "incomplete piece");

  std::map<char, SectionPlan> plans;
  for (const Section& s : p_.sections) {
    if (plans.count(s.id)) fail(p_.file, std::string("duplicate section ") + s.id);
    plans[s.id] = parse_section(s);
  }
  // Motifs per section; a section may borrow another's.
  std::map<char, MelodyPlan> motifs;
  for (const Section& s : p_.sections) {
    if (!s.melody || s.melody_of) continue;
    Rng r(seed_of(p_.file, static_cast<uint64_t>(s.id)));
    double d = s.density >= 0 ? s.density : p_.density;
    motifs[s.id] = plan_melody(p_.meter, d, p_.leap, p_.sync, static_cast<int>(p_.scale.size()), r);
  }
  for (const Section& s : p_.sections)
    if (s.melody && s.melody_of && !motifs.count(s.melody_of))
      fail(p_.file, std::string("section ") + s.id + " borrows a missing melody");

  tracks_.reserve(8);
  tracks_.emplace_back(p_.title);
  SmfTrack& cond = tracks_.back();
  cond.time_signature(0, p_.ts_num, p_.ts_den);
  cond.key_signature(0, key_sharps(tonic_pc_, p_.minor), p_.minor);
  cond.tempo(0, p_.bpm);

  auto setup = [&](const char* name, int ch, int prog, int vol, int pan, int rev, int cho) {
    tracks_.emplace_back(name);
    SmfTrack& t = tracks_.back();
    t.control(0, ch, 121, 0);
    t.program(0, ch, prog);
    t.control(0, ch, 7, ch == kDrums ? kit_volume(vol, prog) : balanced_volume(vol, prog));
    t.control(0, ch, 10, pan);
    t.control(0, ch, 91, rev);
    t.control(0, ch, 93, cho);
    return tracks_.size() - 1;
  };
  size_t i_lead = setup("Lead", kLead, p_.lead, p_.lead_vol, 64, p_.reverb, p_.chorus);
  size_t i_lead2 = setup("Second", kLead2, p_.lead2, p_.lead2_vol, 84, p_.reverb, p_.chorus);
  size_t i_comp = setup("Chords", kComp, p_.comp, p_.comp_vol, 44, p_.reverb, p_.chorus);
  size_t i_pad = p_.pad >= 0 ? setup("Pad", kPad, p_.pad, p_.pad_vol, 76, p_.reverb + 10, p_.chorus + 10) : 0;
  size_t i_bass = setup("Bass", kBass, p_.bass, p_.bass_vol, 64, p_.reverb / 3, 0);
  size_t i_drum = setup("Drums", kDrums, p_.kit, p_.drum_vol, 64, p_.reverb, 0);
  lead_ = &tracks_[i_lead];
  lead2_ = &tracks_[i_lead2];
  comp_ = &tracks_[i_comp];
  pad_ = p_.pad >= 0 ? &tracks_[i_pad] : nullptr;
  bass_ = &tracks_[i_bass];
  drum_ = &tracks_[i_drum];

  int pos = 0;
  const Span* last_span = nullptr;
  for (size_t f = 0; f < p_.form.size(); ++f) {
    auto it = plans.find(p_.form[f]);
    if (it == plans.end()) fail(p_.file, std::string("form names a missing section ") + p_.form[f]);
    const SectionPlan& sp = it->second;
    const Section& s = *sp.sec;
    bool last_section = f + 1 == p_.form.size();

    if (s.melody) {
      const MelodyPlan& mp = motifs.at(s.melody_of ? s.melody_of : s.id);
      std::vector<MelNote> mel = realize_melody(p_, sp, mp);
      melody(sp, mel, pos);
      if (s.harmony && s.voice == 0) harmony(sp, mel, pos);
    }
    if (s.counter && s.voice == 0 && !s.harmony) counter(sp, pos);

    const std::string& cs = s.comp.empty() ? p_.comp_style : s.comp;
    const std::string& ps = s.pad.empty() ? p_.pad_style : s.pad;
    const std::string& bs = s.bass.empty() ? p_.bass_style : s.bass;
    const std::string& ds = s.drums.empty() ? p_.drums : s.drums;
    for (size_t k = 0; k < sp.spans.size(); ++k) {
      const Span& span = sp.spans[k];
      const Span* next = k + 1 < sp.spans.size() ? &sp.spans[k + 1] : nullptr;
      comp(span, pos, cs, s.dyn);
      pad(span, pos, ps, s.dyn);
      bass(span, next, pos, span.start / bar_len_, bs, s.dyn);
    }
    for (int b = 0; b < sp.bars; ++b)
      drums(pos + b * bar_len_, b, ds, (s.fill || last_section) && b == sp.bars - 1, s.dyn);
    last_span = &sp.spans.back();
    pos += sp.bars * bar_len_;
  }
  // The piece loops: it must close on the tonic or the dominant.
  if (last_span->chord.root != 0 && last_span->chord.root != 7)
    fail(p_.file, "the last chord must be the tonic or the dominant");

  uint32_t end_tick = static_cast<uint32_t>(pos * kStepTicks);
  Rendered out;
  out.bytes = encode_smf(kPpq, tracks_, end_tick);
  double us = std::round(60000000.0 / p_.bpm);
  out.seconds = static_cast<double>(end_tick) / kPpq * us / 1e6;
  return out;
}

}  // namespace

ChordSym parse_chord(const std::string& tok) {
  size_t i = 0;
  int acc = 0;
  while (i < tok.size() && (tok[i] == 'b' || tok[i] == '#')) acc += tok[i++] == 'b' ? -1 : 1;
  size_t j = i;
  while (j < tok.size() && (tok[j] == 'I' || tok[j] == 'V' || tok[j] == 'i' || tok[j] == 'v')) ++j;
  std::string num = tok.substr(i, j - i), up;
  if (num.empty()) throw std::logic_error("bad chord " + tok);
  bool lower = std::islower(static_cast<unsigned char>(num[0])) != 0;
  for (char c : num) up += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static const char* numerals[] = {"I", "II", "III", "IV", "V", "VI", "VII"};
  static const int degree[] = {0, 2, 4, 5, 7, 9, 11};
  int n = -1;
  for (int k = 0; k < 7; ++k)
    if (up == numerals[k]) n = k;
  if (n < 0) throw std::logic_error("bad chord " + tok);
  ChordSym c;
  c.root = mod(degree[n] + acc, 12);
  std::string suf = tok.substr(j);
  if (suf.empty()) c.ivals = lower ? std::vector<int>{0, 3, 7} : std::vector<int>{0, 4, 7};
  else if (suf == "o") c.ivals = {0, 3, 6};
  else if (suf == "+") c.ivals = {0, 4, 8};
  else if (suf == "7") c.ivals = lower ? std::vector<int>{0, 3, 7, 10} : std::vector<int>{0, 4, 7, 10};
  else if (suf == "maj7") c.ivals = lower ? std::vector<int>{0, 3, 7, 11} : std::vector<int>{0, 4, 7, 11};
  else if (suf == "o7") c.ivals = {0, 3, 6, 9};
  else if (suf == "h7") c.ivals = {0, 3, 6, 10};
  else if (suf == "sus4") c.ivals = {0, 5, 7};
  else if (suf == "sus2") c.ivals = {0, 2, 7};
  else if (suf == "5") c.ivals = {0, 7};
  else if (suf == "6") c.ivals = lower ? std::vector<int>{0, 3, 7, 9} : std::vector<int>{0, 4, 7, 9};
  else throw std::logic_error("bad chord " + tok);
  return c;
}

Rendered render_piece(const Piece& p) {
  Renderer r(p);
  Rendered out = r.run();
  return out;
}

}  // namespace z2::sndgen
