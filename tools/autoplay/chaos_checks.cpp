#include "chaos_checks.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "battle/rewards.h"
#include "state/carried.h"
#include "state/fixed_tables.h"
#include "state/ids.h"
#include "state/int32.h"
#include "state/vars.h"

namespace z2::autoplay {

namespace {

constexpr i32 kOwnedCap = 99;

using Get = i32 (*)(const GameState&);

// A value that the step itself keeps in range: after the step it may stand
// outside only where it stood before, and no further out.
struct Kept {
  const char* name;
  Get get;
  i32 lo, hi;
};

// How far outside lo..hi a value stands (0 inside).
int64_t outside(i32 v, i32 lo, i32 hi) {
  if (v < lo) return int64_t{lo} - v;
  if (v > hi) return int64_t{v} - hi;
  return 0;
}

#define Z2_FIELD(f) [](const GameState& s) { return s.f; }

constexpr Kept kKept[] = {
    // my_exp has no range of its own here: items and skills add to it outside
    // a fight (the next victory turns it into a level) and the opponent's
    // "不幸の音" may take it below 0.
    {"my_lv", Z2_FIELD(my_lv), 1, kMaxLevel},
    {"combo", Z2_FIELD(combo), 0, 999},
    {"play_time", Z2_FIELD(play_time), 0, 9999},
    {"text_speed", Z2_FIELD(text_speed), 0, 10},
    {"wata", Z2_FIELD(wata), 0, 99},
    {"wata_out", Z2_FIELD(wata_out), 0, 1},
    {"my_state", Z2_FIELD(my_state), ail::kNone, ail::kLeech},
    {"e_state", Z2_FIELD(e_state), ail::kNone, ail::kLeech},
    {"buki_ex", Z2_FIELD(buki_ex), 0, 255},
    {"class_now", Z2_FIELD(class_now), 0, 255},
    {"floor", Z2_FIELD(floor), 0, kTopFloor},
    {"colo_count", Z2_FIELD(colo_count), 0, 99},
    {"e_zoku", Z2_FIELD(e_zoku), zoku::kNone, zoku::kJapan},
    {"floor_clear[105]", Z2_FIELD(floor_clear[fc::kDeaths]), 0, 1000},
    // The weapon effect 122 counts escapes past the 99 of the escape command.
    {"floor_clear[107]", Z2_FIELD(floor_clear[fc::kEscapes]), 0, kIntMax},
};

#undef Z2_FIELD

std::string at(const char* name, size_t i, i32 v) {
  return std::string(name) + "[" + std::to_string(i) + "]=" + std::to_string(v);
}
std::string is(const char* name, i32 v) { return std::string(name) + "=" + std::to_string(v); }

template <size_t N>
void kept_array(std::vector<std::string>& out, const char* name, const std::array<i32, N>& before,
                const std::array<i32, N>& after, size_t first, size_t last, i32 lo, i32 hi) {
  for (size_t i = first; i <= last && i < N; ++i) {
    const int64_t now = outside(after[i], lo, hi);
    if (now > outside(before[i], lo, hi))
      out.push_back(at(name, i, after[i]) + ": left " + std::to_string(lo) + ".." + std::to_string(hi) +
                    " (was " + std::to_string(before[i]) + ")");
  }
}

// An owned count is never negative, and passes 99 only by a prize that the
// rules add without the cap, one at a time.
template <size_t N>
void owned(std::vector<std::string>& out, const char* name, const std::array<i32, N>& before,
           const std::array<i32, N>& after, bool by_hand, bool (*uncapped)(size_t)) {
  for (size_t i = 0; i < N; ++i) {
    const i32 b = before[i], a = after[i];
    if (a < 0) {
      out.push_back(at(name, i, a) + ": below 0 (was " + std::to_string(b) + ")");
      continue;
    }
    if (a <= kOwnedCap || a <= b || by_hand) continue;
    if (uncapped && uncapped(i) && int64_t{a} - b == 1) continue;
    out.push_back(at(name, i, a) + ": above 99 (was " + std::to_string(b) + ")");
  }
}

template <size_t N>
void flags(std::vector<std::string>& out, const char* name, const std::array<i32, N>& a) {
  for (size_t i = 0; i < N; ++i)
    if (a[i] != 0 && a[i] != 1) out.push_back(at(name, i, a[i]) + ": a flag is 0 or 1");
}

bool valid_e_item(i32 v) { return v == carried::kNothing || carried::decode(v).kind != carried::Kind::Nothing; }

void clamped(std::vector<std::string>& out, const char* name, i32 v, i32 lo, i32 hi) {
  if (v < lo || v > hi)
    out.push_back(is(name, v) + ": outside " + std::to_string(lo) + ".." + std::to_string(hi) + " after a refresh");
}

}  // namespace

std::vector<std::string> check_step(const GameState& before, const GameState& after, const StepFacts& facts) {
  std::vector<std::string> out;
  const GameState& s = after;

  owned(out, "item_have", before.item_have, s.item_have, facts.by_hand,
        [](size_t i) { return uncapped_prize_item(static_cast<int>(i)); });
  // The floor-14 prize adds the cleaner without the cap.
  owned(out, "monster_have", before.monster_have, s.monster_have, facts.by_hand,
        [](size_t i) { return i == monster::kCleaner; });
  owned(out, "gomi_have", before.gomi_have, s.gomi_have, facts.by_hand, nullptr);
  owned(out, "md_have", before.md_have, s.md_have, facts.by_hand, nullptr);
  flags(out, "magic_have", s.magic_have);
  flags(out, "item_book", s.item_book);
  flags(out, "monster_book", s.monster_book);
  flags(out, "md_book", s.md_book);

  if (!facts.by_hand) {
    for (const Kept& k : kKept) {
      const i32 a = k.get(s), b = k.get(before);
      if (outside(a, k.lo, k.hi) > outside(b, k.lo, k.hi))
        out.push_back(is(k.name, a) + ": left " + std::to_string(k.lo) + ".." + std::to_string(k.hi) + " (was " +
                      std::to_string(b) + ")");
    }
    kept_array(out, "floor_clear", before.floor_clear, s.floor_clear, 0, 99, 0, kWonMark);
    kept_array(out, "monster_lv", before.monster_lv, s.monster_lv, 0, 499, 0, 99);
    // A mastered class stays at 41.
    kept_array(out, "class_exp", before.class_exp, s.class_exp, 0, 255, 0, 41);
    if (!valid_e_item(s.e_item) && valid_e_item(before.e_item)) out.push_back(is("e_item", s.e_item) + ": no such carried thing");
  }

  if (facts.refreshed) {
    if (s.my_hp_max < 1) out.push_back(is("my_hp_max", s.my_hp_max) + ": below 1 after a refresh");
    if (s.my_mp_max < 1) out.push_back(is("my_mp_max", s.my_mp_max) + ": below 1 after a refresh");
    clamped(out, "my_hp", s.my_hp, 0, std::max(s.my_hp_max, 0));
    clamped(out, "my_mp", s.my_mp, 0, std::max(s.my_mp_max, 0));
    clamped(out, "e_hp", s.e_hp, 0, std::max(s.e_hp_max, 0));
    clamped(out, "cent", s.cent, 0, kNineNines);
    clamped(out, "wild", s.wild, 0, 999);
    // The lower bound is applied first, so a negative ark_max wins.
    if (s.ark > s.ark_max || (s.ark_max >= 0 && s.ark < 0))
      out.push_back(is("ark", s.ark) + ": outside 0.." + std::to_string(s.ark_max) + " after a refresh");
    clamped(out, "floor", s.floor, 0, kTopFloor);
    for (int i = fc::kZando; i <= fc::kJapan; ++i)
      if (s.floor_clear[static_cast<size_t>(i)] < 0 || s.floor_clear[static_cast<size_t>(i)] > 99)
        out.push_back(at("floor_clear", static_cast<size_t>(i), s.floor_clear[static_cast<size_t>(i)]) +
                      ": outside 0..99 after a refresh");
    clamped(out, "my_atk", s.my_atk, 0, kIntMax);
    clamped(out, "my_body", s.my_body, 0, kIntMax);
    clamped(out, "my_int", s.my_int, 0, kIntMax);
    clamped(out, "my_beast", s.my_beast, 0, kIntMax);
    clamped(out, "score", s.score, 0, kNineNines);
    clamped(out, "floor_clear[106]", s.floor_clear[fc::kBattles], 0, kNineNines);
  }
  return out;
}

std::vector<std::string> dump_lines(GameState& s) {
  std::vector<std::string> out;
  for (const SaveRun& run : save_layout()) {
    const Var& v = *run.var;
    if (v.type != Var::Type::Array) {
      out.push_back(std::string(v.name) + "=" + var_get(s, {&v, -1}));
      continue;
    }
    std::span<i32> a = v.arr(s);
    for (int i = run.first; i < run.first + run.count; ++i)
      if (a[static_cast<size_t>(i)] != 0)
        out.push_back(std::string(v.name) + "[" + std::to_string(i) + "]=" + std::to_string(a[static_cast<size_t>(i)]));
  }
  return out;
}

std::vector<std::string> dump_differences(const std::vector<std::string>& before,
                                          const std::vector<std::string>& after, size_t limit) {
  std::vector<std::string> out;
  size_t i = 0, j = 0;
  while ((i < before.size() || j < after.size()) && out.size() < limit) {
    if (i < before.size() && j < after.size() && before[i] == after[j]) {
      ++i, ++j;
      continue;
    }
    if (i < before.size()) out.push_back("before: " + before[i++]);
    if (j < after.size()) out.push_back("after: " + after[j++]);
  }
  return out;
}

}  // namespace z2::autoplay
