#pragma once
// The fixed rule tables that are not per floor: the monsters' evolutions and
// the milestones that pay a prize (levels, combos, deaths). The game, the
// data checker and the content generators all read these; the per-floor
// facts are state/floors.h.

namespace z2 {

// Nine nines: the cap of money, the record of battles, the score, an
// opponent's level and a weapon's or armour's power.
inline constexpr int kNineNines = 999999999;

// Monster id -> the monster it becomes on its 99th call.
struct Evolution {
  int from, to;
};
inline constexpr Evolution kEvolutions[] = {
    {0, 112},  {1, 84},  {7, 6},   {13, 78}, {15, 77}, {18, 19}, {19, 20}, {20, 21}, {25, 109},
    {26, 82},  {30, 83}, {35, 36}, {36, 37}, {38, 5},  {41, 43}, {42, 43}, {46, 47}, {47, 48},
    {49, 54},  {50, 51}, {52, 53}, {55, 59}, {56, 60}, {62, 63}, {63, 64}, {65, 66}, {69, 110},
    {70, 71},  {72, 29}, {74, 85}, {76, 86}, {79, 81}, {80, 79}, {100, 111},
};

// The evolved id of a monster, or -1 when it does not evolve.
constexpr int evolution_of(int id) {
  for (const Evolution& e : kEvolutions)
    if (e.from == id) return e.to;
  return -1;
}

// A value reached (a level, a streak, a count) and the id it pays.
struct Milestone {
  int at;
  int id;
};

// The magic learnt on reaching a level.
inline constexpr Milestone kLevelMagic[] = {
    {10, 22}, {20, 0},  {30, 1},   {40, 2},   {50, 3},   {60, 4},   {70, 5},   {90, 6},
    {110, 7}, {150, 8}, {200, 9},  {300, 11}, {400, 12}, {500, 13}, {700, 14}, {998, 20},
};

// The item won by a streak of victories.
inline constexpr Milestone kComboPrizes[] = {
    {10, 8},    {20, 52},   {30, 495},  {50, 46},   {100, 496},
    {200, 447}, {300, 246}, {400, 244}, {500, 498}, {998, 497},
};

// The item brought back from hell after so many deaths.
inline constexpr Milestone kDeathPrizes[] = {{99, 238}, {299, 240}, {499, 216}, {777, 217}, {999, 239}};

// The id a milestone pays at v, or -1.
template <unsigned long N>
constexpr int milestone(const Milestone (&table)[N], int v) {
  for (const Milestone& m : table)
    if (m.at == v) return m.id;
  return -1;
}

}  // namespace z2
