#include "smf.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace z2::sndgen {

namespace {

void put_vlq(std::vector<uint8_t>& b, uint32_t v) {
  uint8_t tmp[5];
  int n = 0;
  tmp[n++] = static_cast<uint8_t>(v & 0x7F);
  while ((v >>= 7) != 0) tmp[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
  while (n > 0) b.push_back(tmp[--n]);
}

void put_be(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint8_t u7(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 127)); }

}  // namespace

void SmfTrack::add(uint32_t tick, int prio, std::vector<uint8_t> bytes) {
  evs_.push_back({tick, prio, static_cast<uint32_t>(evs_.size()), std::move(bytes)});
}

void SmfTrack::use(int ch) {
  if (std::find(channels_.begin(), channels_.end(), ch) == channels_.end()) channels_.push_back(ch);
}

void SmfTrack::tempo(uint32_t tick, double bpm) {
  uint32_t us = static_cast<uint32_t>(std::lround(60000000.0 / bpm));
  add(tick, 1, {0xFF, 0x51, 0x03, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
                static_cast<uint8_t>(us)});
}

void SmfTrack::time_signature(uint32_t tick, int num, int den) {
  uint8_t pow2 = 0;
  while ((1 << pow2) < den) ++pow2;
  // Metronome click every quarter note (24 clocks), 8 thirty-seconds per quarter.
  add(tick, 1, {0xFF, 0x58, 0x04, static_cast<uint8_t>(num), pow2, 24, 8});
}

void SmfTrack::key_signature(uint32_t tick, int sharps, bool minor) {
  add(tick, 1, {0xFF, 0x59, 0x02, static_cast<uint8_t>(static_cast<int8_t>(sharps)),
                static_cast<uint8_t>(minor ? 1 : 0)});
}

void SmfTrack::text(uint32_t tick, uint8_t type, const std::string& s) {
  std::vector<uint8_t> b = {0xFF, type};
  put_vlq(b, static_cast<uint32_t>(s.size()));
  b.insert(b.end(), s.begin(), s.end());
  add(tick, 1, std::move(b));
}

void SmfTrack::program(uint32_t tick, int ch, int prog) {
  use(ch);
  add(tick, 1, {static_cast<uint8_t>(0xC0 | ch), u7(prog)});
}

void SmfTrack::control(uint32_t tick, int ch, int cc, int value) {
  use(ch);
  add(tick, 1, {static_cast<uint8_t>(0xB0 | ch), u7(cc), u7(value)});
}

void SmfTrack::note(int ch, uint32_t on, uint32_t off, int key, int vel) {
  if (off <= on || key < 0 || key > 127 || vel <= 0) return;
  use(ch);
  notes_.push_back({ch, key, std::clamp(vel, 1, 127), on, off});
}

std::vector<uint8_t> SmfTrack::encode(uint32_t end_tick) const {
  std::vector<Ev> evs = evs_;
  uint32_t seq = static_cast<uint32_t>(evs.size());
  auto push = [&](uint32_t tick, int prio, std::vector<uint8_t> bytes) {
    evs.push_back({tick, prio, seq++, std::move(bytes)});
  };
  if (!name_.empty()) {
    std::vector<uint8_t> b = {0xFF, 0x03};
    put_vlq(b, static_cast<uint32_t>(name_.size()));
    b.insert(b.end(), name_.begin(), name_.end());
    evs.push_back({0, 0, 0, std::move(b)});  // before anything else at tick 0
  }

  // Per channel and key, in start order: cut overlaps, clip to the end.
  std::map<std::pair<int, int>, std::vector<Note>> by_key;
  for (const Note& n : notes_) by_key[{n.ch, n.key}].push_back(n);
  for (auto& [ck, list] : by_key) {
    std::stable_sort(list.begin(), list.end(), [](const Note& a, const Note& b) { return a.on < b.on; });
    for (size_t i = 0; i < list.size(); ++i) {
      Note n = list[i];
      if (i + 1 < list.size()) n.off = std::min(n.off, list[i + 1].on);
      n.off = std::min(n.off, end_tick);
      if (n.on >= n.off) continue;
      push(n.on, 2, {static_cast<uint8_t>(0x90 | n.ch), u7(n.key), u7(n.vel)});
      push(n.off, 0, {static_cast<uint8_t>(0x80 | n.ch), u7(n.key), 64});
    }
  }
  // Close cleanly: sustain off and all notes off on every channel used.
  std::vector<int> chs = channels_;
  std::sort(chs.begin(), chs.end());
  for (int ch : chs) {
    push(end_tick, 3, {static_cast<uint8_t>(0xB0 | ch), 64, 0});
    push(end_tick, 3, {static_cast<uint8_t>(0xB0 | ch), 123, 0});
  }

  std::stable_sort(evs.begin(), evs.end(), [](const Ev& a, const Ev& b) {
    if (a.tick != b.tick) return a.tick < b.tick;
    if (a.prio != b.prio) return a.prio < b.prio;
    return a.seq < b.seq;
  });

  std::vector<uint8_t> body;
  uint32_t now = 0;
  for (const Ev& e : evs) {
    uint32_t t = std::min(e.tick, end_tick);
    put_vlq(body, t - now);
    now = t;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  put_vlq(body, end_tick - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});

  std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
  put_be(chunk, static_cast<uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<uint8_t> encode_smf(int ppq, const std::vector<SmfTrack>& tracks, uint32_t end_tick) {
  std::vector<uint8_t> b = {'M', 'T', 'h', 'd'};
  put_be(b, 6, 4);
  put_be(b, 1, 2);  // format 1
  put_be(b, static_cast<uint32_t>(tracks.size()), 2);
  put_be(b, static_cast<uint32_t>(ppq), 2);
  for (const SmfTrack& t : tracks) {
    std::vector<uint8_t> c = t.encode(end_tick);
    b.insert(b.end(), c.begin(), c.end());
  }
  return b;
}

}  // namespace z2::sndgen
