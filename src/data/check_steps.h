#pragma once
// The data checker's own parts. check.cpp runs the steps in order; each step
// has a file of its own: check_records.cpp (each file's records and values),
// check_reach.cpp (what the rules can reach), check_files.cpp (pictures,
// sounds and music).
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>
#include "data/check.h"
#include "data/picture.h"
#include "data/reader.h"
#include "data/tables.h"
#include "state/carried.h"
#include "state/fixed_tables.h"
#include "state/floors.h"
#include "state/game_state.h"
#include "state/ids.h"
#include "state/item_kinds.h"

namespace z2::checker {

// ---- names the game uses as they stand ----

inline constexpr FixedFile kPictures[] = {
    {"my.bmp", "player portrait"},
    {"my1.bmp", "player portrait at full HP"},
    {"my2.bmp", "player portrait at low HP"},
    {"die.bmp", "portrait of the fallen"},
    {"e0.bmp", "fallback of every opponent and action picture"},
    {"map-1.bmp", "colosseum room and fallback room picture"},
    {"map-2.bmp", "room of the final gauntlet"},
    {"map0.bmp", "fight room picture"},
    {"0_2.bmp", "fallback large boss picture"},
    {"haikei-1.bmp", "fallback floor background"},
    {"tan.bmp", "shopkeeper"},
    {"tan2.bmp", "WILD shopkeeper"},
    {"luida.bmp", "church host"},
    {"mara.bmp", "monster workshop host"},
    {"yam.bmp", "garbage room host"},
    {"yam2.bmp", "garbage room host, second frame"},
    {"hoku.bmp", "the far northerner"},
    {"wata.bmp", "the errand girl"},
    {"shop.bmp", "shop room"},
    {"wild.bmp", "WILD shop room"},
    {"s_Ch.bmp", "church room"},
    {"gomiroom.bmp", "garbage room"},
    {"monster.bmp", "monster workshop room"},
    {"title.bmp", "title screen"},
    {"takara.bmp", "treasure chest"},
};

inline constexpr FixedFile kSounds[] = {
    {"1.wav", "offer and start-up sound"},
    {"battle.wav", "entering a fight room"},
    {"but.wav", "map button"},
    {"buy.wav", "buying"},
    {"class.wav", "class change"},
    {"get2.wav", "title button"},
    {"gousei.wav", "synthesis"},
    {"item.wav", "using an item"},
    {"key.wav", "buttons and notices"},
    {"lv.wav", "level-up"},
    {"lvup.wav", "stat choice"},
    {"m.wav", "calling a monster"},
    {"magic.wav", "casting magic"},
    {"miss.wav", "refused command"},
    {"next.wav", "progress notices"},
    {"punch.wav", "punch and colosseum entry"},
    {"soubi.wav", "equipping"},
    {"taberu.wav", "feeding"},
    {"tower.wav", "tower strike"},
    {"walk.wav", "stairs"},
    {"open.mid", "title music"},
    {"new.mid", "opening music"},
    {"best.mid", "final gauntlet music"},
};

// ---- ids with a fixed role in the game's rules ----

struct Role {
  int id;
  std::string role;
};

// The items with a role: the fixed ones, then the prizes of the floors, the
// streaks and the deaths.
inline std::vector<Role> item_roles() {
  std::vector<Role> r = {{item::kPlayTimeGift, "given after 6000 minutes of play"}};
  for (int i = item::kSevenSetFirst; i <= item::kSevenSetLast; ++i) r.push_back({i, "one of the seven asked for ぼうやの声"});
  r.push_back({item::kFloor7Key, "key to the stairs above floor 7"});
  r.push_back({item::kFaustVoice, "prize for beating ファウスト"});
  for (int f = 0; f <= kTopFloor; ++f) {
    if (floors::kFloors[f].prize == floors::Prize::Item)
      r.push_back({floors::kFloors[f].prize_id, "prize of floor " + std::to_string(f)});
  }
  for (const Milestone& m : kComboPrizes) r.push_back({m.id, "prize for " + std::to_string(m.at) + " wins in a row"});
  for (const Milestone& m : kDeathPrizes) r.push_back({m.id, "prize for " + std::to_string(m.at) + " deaths"});
  return r;
}

inline const Role kMonsterRoles[] = {
    {30, "counted by a monster skill"},
    {101, "given by ぼうやの声"},
    {monster::kCleaner, "the cleaner, prize of floor 14"},
    {104, "the errand girl"},
};

// The spells the escape, the levels and the floors teach.
inline std::vector<Role> magic_roles() {
  std::vector<Role> r = {{magic::kRunAway, "learnt at the 99th escape"}};
  for (const Milestone& m : kLevelMagic) r.push_back({m.id, "learnt at level " + std::to_string(m.at)});
  for (int f = 0; f <= kTopFloor; ++f) {
    if (floors::kFloors[f].prize == floors::Prize::Magic)
      r.push_back({floors::kFloors[f].prize_id, "prize of floor " + std::to_string(f)});
  }
  return r;
}

inline const Role kGomiRoles[] = {
    {87, "the errand girl's fallback find"},
};

inline const Role kJobRoles[] = {
    {0, "the class every game starts in"},
    {21, "the class that mastering class 20 leads to"},
};

inline constexpr int kFloors = kTopFloor + 1;  // floors 0..24

// Floors where fights other than the colosseum happen, and so garbage turns up.
inline bool fights_on(int floor) {
  return floors::monster_room(floor) || floors::random_room(floor) || floors::advanced_room(floor);
}

inline constexpr int kRandomDraws = 499;  // random(499): ids 0..498 of items and garbage
inline constexpr int kDiscDraws = 255;    // random(255): discs 0..254
inline const char* const kRareTitle[3] = {"extra enemy", "floor master", "phantom's apostle"};

enum MasterIndex { kName, kEx, kMap, kMd, kEnemy, kItem, kShop, kWild, kJob, kGomi, kMonster, kMagic };

inline bool real_name(const std::string& n) { return !n.empty() && n != " "; }

// An enemy record the encounter and the random rooms may draw.
inline bool usable(const EnemyRecord& e) { return real_name(e.en_name) && !e.en_pic.empty(); }

inline std::string quoted(const std::string& name) { return name.empty() ? std::string() : " (" + name + ")"; }

class Checker {
 public:
  explicit Checker(std::string root) : root_(std::move(root)) {
    if (!root_.empty() && root_.back() != '/') root_ += '/';
  }

  std::vector<std::string> run();

 private:
  void report(const std::string& line) { lines_.push_back(line); }
  static std::string dat(const std::string& f) { return "dat/" + f; }
  static std::string master(int i) { return dat(master_file_name(i)); }
  static std::string rec(int i, int n) { return master(i) + ": record " + std::to_string(n); }

  // ---- each file's records and values (check_records.cpp) ----
  bool openable(const std::string& rel);
  void read_master_files();
  void read_boss_files();
  void read_opening();
  void enemies();
  void carried(int n, const EnemyRecord& e);
  void items();
  void shops();
  void monsters();
  void gomi();
  void floors();
  void price_ladders();
  static bool same_effect(const ItemRecord& a, const ItemRecord& b);
  void values();
  void in_range(const std::string& where, const char* field, i32 v, i32 lo, i32 hi);

  template <class Roles, class NameOf>
  void names_of(int file, const Roles& roles, const char* what, NameOf name_of) {
    for (const Role& r : roles) {
      if (name_of(static_cast<size_t>(r.id)).empty()) {
        report(rec(file, r.id) + ": " + what + " " + std::to_string(r.id) + " (" + r.role + ") has no name");
      }
    }
  }

  // ---- what the rules can reach (check_reach.cpp) ----
  static bool prize(int id);
  void spells_taught();
  bool sold(i32 item) const;
  bool item_obtainable(int id) const;
  bool gomi_obtainable(int id) const;
  void monsters_obtainable();

  // ---- pictures, sounds and music (check_files.cpp) ----
  enum class Pic { Ok, Missing, Unreadable };
  Pic picture_state(const std::string& file);
  void picture(const std::string& where, const std::string& file);
  void fixed_picture(const std::string& file, const std::string& use);
  void pictures();
  std::string sound_fault(const std::string& file);
  void sounds();

  std::string root_;
  std::unique_ptr<Tables> t_ = std::make_unique<Tables>();
  bool ok_[kMasterFileCount] = {};
  std::map<std::string, Pic> pics_;
  std::vector<std::string> boss_names_;
  std::vector<std::string> lines_;
};

}  // namespace z2::checker
