#pragma once
// The floors, one row each: the rooms that stand on it, the battle commands
// it allows, whether it is a rest floor, its handicap, what its colosseum
// asks at the door, plays and pays, and the actions of its colosseum boss.
// The game, the data checker and the content generators all read this one
// table.
#include <array>
#include <cstdint>

#include "state/ids.h"

namespace z2::floors {

// The room buttons of the floor map.
struct Rooms {
  bool s_battle, s_shop, s_monster, s_gomi, s_ch, s_wild, rand_b, p_b;
};

// The battle commands: パンチ, モンスター, アイテム, 魔法.
struct Commands {
  bool b1, b2, b3, b4;
};

// The floor never lets the player stand above 1/hp of the hit points and
// 1/mp of the magic points (0: no limit).
struct Handicap {
  int32_t hp, mp;
};

// What the colosseum asks before it lets the player in.
enum class Gate : uint8_t { None, Wild, Cents, LevelOne };
struct Door {
  Gate gate;
  int32_t at_least;  // WILD or cents
  const char* why;
};

// What a won colosseum pays (floors that are climbed past pay nothing).
enum class Prize : uint8_t { None, Magic, Item, Monster };

struct Floor {
  Rooms rooms;
  Commands commands;
  bool rest;  // won by reaching it: no colosseum of its own
  Handicap handicap;
  Door door;
  const char* music;  // of its colosseum
  Prize prize;
  int32_t prize_id;
  std::array<int, 5> actions;  // of its colosseum boss, most likely first
};

inline constexpr Rooms kNoRooms{};
inline constexpr Rooms kTown{true, true, true, true, true, false, false, false};
inline constexpr Commands kAll{true, true, true, true};
inline constexpr Door kOpen{Gate::None, 0, nullptr};

// clang-format off
inline constexpr Floor kFloors[kTopFloor + 1] = {
    //  battle shop   monst  gomi   church wild   rand   hard
    {{true, true, false, false, false, false, false, false}, kAll, false, {}, kOpen, "ere.mid", Prize::None, 0, {0, 1, 5, 25, 31}},     // 0
    {{true, true, false, true, false, false, false, false}, kAll, false, {}, kOpen, "arm.mid", Prize::None, 0, {0, 82, 58, 9, 25}},     // 1
    {{true, false, false, false, false, false, false, false}, kAll, false, {}, kOpen, "sai.mid", Prize::None, 0, {1, 1, 17, 19, 4}},    // 2
    {{true, true, true, false, true, false, false, false}, kAll, false, {}, kOpen, "11m.mid", Prize::None, 0, {0, 82, 9, 2, 33}},       // 3
    {{true, false, false, true, false, false, false, false}, kAll, false, {}, kOpen, "gfsn.mid", Prize::None, 0, {0, 1, 57, 35, 16}},   // 4
    {{true, true, false, true, false, false, false, false}, kAll, false, {}, kOpen, "end.mid", Prize::None, 0, {0, 1, 41, 15, 22}},     // 5
    {{true, true, true, false, false, true, false, false}, kAll, false, {}, kOpen, "mayoi.mid", Prize::None, 0, {82, 99, 81, 45, 49}},  // 6
    {{true, true, true, true, true, false, false, false}, kAll, false, {}, kOpen, "vic.mid", Prize::None, 0, {0, 99, 63, 83, 24}},      // 7
    {{false, false, false, false, false, false, true, false}, kAll, false, {}, kOpen, "always.mid", Prize::Magic, 23, {0, 99, 33, 2, 14}},        // 8
    {kNoRooms, {true, true, false, true}, false, {}, kOpen, "dont.mid", Prize::Magic, 24, {0, 99, 34, 15, 4}},                                   // 9
    {{false, false, false, false, false, true, false, false}, {true, true, true, false}, false, {}, kOpen, "ere.mid", Prize::Item, 137, {0, 99, 41, 40, 21}},  // 10
    {kNoRooms, {true, false, true, false}, false, {}, kOpen, "arm.mid", Prize::Item, 274, {0, 99, 81, 22, 36}},                                  // 11
    {kNoRooms, {true, true, false, false}, false, {}, kOpen, "sai.mid", Prize::Item, 494, {0, 99, 23, 24, 61}},                                  // 12
    {kTown, kAll, true, {}, kOpen, "", Prize::None, 0, {}},                                                                                      // 13
    {kNoRooms, kAll, false, {2, 0}, kOpen, "11m.mid", Prize::Monster, monster::kCleaner, {0, 99, 63, 64, 57}},                                   // 14
    {kNoRooms, kAll, false, {2, 2}, kOpen, "gfsn.mid", Prize::Magic, 16, {0, 0, 99, 16, 45}},                                                    // 15
    {{false, false, false, false, false, true, false, true}, kAll, false, {}, kOpen, "best.mid", Prize::Item, 493, {0, 84, 57, 60, 61}},        // 16
    {kNoRooms, kAll, false, {4, 0}, kOpen, "end.mid", Prize::Magic, 17, {0, 84, 57, 99, 34}},                                                    // 17
    {{true, true, true, true, true, true, false, false}, kAll, true, {}, kOpen, "mayoi.mid", Prize::None, 0, {}},                               // 18
    {kNoRooms, kAll, false, {}, {Gate::Wild, 300, "ここには【WILD】が300以上ないと入れません"}, "ending.mid", Prize::Magic, 15, {0, 99, 57, 40, 45}},  // 19
    {kNoRooms, {false, true, true, true}, false, {}, {Gate::Cents, 3000, "ここにはセントが3000ｾﾝﾄ以上ないと入れません"}, "dec05.mid", Prize::Magic, 19, {0, 99, 72, 86, 32}},  // 20
    {kNoRooms, kAll, false, {}, kOpen, "dec06.mid", Prize::Item, 276, {0, 90, 91, 92, 99}},                                                      // 21
    {kTown, kAll, true, {}, kOpen, "best.mid", Prize::None, 0, {}},                                                                              // 22
    {{false, false, false, false, false, true, true, true}, kAll, false, {}, kOpen, "", Prize::Magic, 21, {0, 99, 88, 85, 87}},                 // 23
    {kNoRooms, kAll, false, {}, {Gate::LevelOne, 0, "ここにはＬＶ１でないと入れません"}, "rworld.mid", Prize::Item, 275, {99, 84, 45, 81, 92}},  // 24
};
// clang-format on

// The floors with a rule of their own outside their row. Below the
// champion's floor a won colosseum takes the player one floor up; winning on
// it makes the player the colosseum's champion, and its way up needs its key
// (item::kFloor7Key); above it a win opens the door up.
inline constexpr int kChampionFloor = 7;
inline constexpr int kGravityFloor = 21;  // every turn costs the player a tenth of the maximum HP
inline constexpr int kHarshWordsFloor = 23;  // the boss's opening words hurt

// The row of a floor, or nullptr for a floor off the map.
constexpr const Floor* floor_row(int32_t f) { return f >= 0 && f <= kTopFloor ? &kFloors[f] : nullptr; }

constexpr bool rest_floor(int32_t f) { return floor_row(f) && floor_row(f)->rest; }

// The fight rooms: the monster room draws the floor's own band, the random
// room slots 0..6 of the bands below, the advanced room slots 0..8 of them.
constexpr bool monster_room(int32_t f) { return floor_row(f) && floor_row(f)->rooms.s_battle; }
constexpr bool random_room(int32_t f) { return floor_row(f) && floor_row(f)->rooms.rand_b; }
constexpr bool advanced_room(int32_t f) { return floor_row(f) && floor_row(f)->rooms.p_b; }

}  // namespace z2::floors
