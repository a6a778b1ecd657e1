#pragma once
// The one record of every player, world, fight and host variable, and the
// master tables read from the data files. Strings are held in UTF-8; they are
// converted to and from CP932 at the file boundary.
#include <array>
#include <cstdint>
#include <string>

#include "state/ids.h"

namespace z2 {

using i32 = int32_t;

struct GameState {
  // --- player, saved ---
  std::string my_name;
  i32 score = 0;
  i32 floor = 0;
  i32 my_lv = 0;
  i32 my_exp = 0;
  i32 my_hp = 0;
  i32 my_hp_max = 0;
  i32 my_mp = 0;
  i32 my_mp_max = 0;
  i32 my_atk = 0;
  i32 my_body = 0;
  i32 my_int = 0;
  i32 my_beast = 0;
  i32 my_state = 0;
  i32 cent = 0;
  i32 ark = 0;
  i32 ark_max = 0;
  i32 wild = 0;
  i32 combo = 0;
  std::string buki_name;
  i32 buki_pow = 0;
  i32 buki_ex = 0;
  std::string bougu_name;
  i32 bougu_pow = 0;
  i32 class_now = cls::kNovice;
  i32 play_time = 0;
  i32 text_speed = 0;
  i32 wata = 0;
  i32 wata_out = 0;

  std::array<i32, 500> item_have{};
  std::array<i32, 500> monster_have{};
  std::array<i32, 500> monster_lv{};
  std::array<i32, 500> gomi_have{};
  std::array<i32, 256> magic_have{};
  std::array<i32, 256> md_have{};
  std::array<i32, 500> item_book{};
  std::array<i32, 500> monster_book{};
  std::array<i32, 256> md_book{};
  std::array<i32, 256> class_exp{};
  std::array<i32, 111> floor_clear{};

  // key_have[k] is item_have[247 + k]: the seven-piece set, the floor-7 key
  // (k = 8) and the voice of Faust (k = 190) are ordinary items.
  i32& key_have(int k) { return item_have[static_cast<size_t>(item::kKeyBase + k)]; }
  i32 key_have(int k) const { return item_have[static_cast<size_t>(item::kKeyBase + k)]; }

  // Fight bonuses live in unsaved entries of floor_clear.
  i32& buf_atk() { return floor_clear[fc::kBufAtk]; }
  i32& buf_beast() { return floor_clear[fc::kBufBeast]; }
  i32& buf_def() { return floor_clear[fc::kBufDef]; }

  // --- transient ---
  bool can_punch = false;
  bool can_magic = false;
  bool can_beast = false;
  bool can_item = false;
  bool in_battle = false;
  bool host_mode = false;
  bool no_escape = false;
  i32 colo_count = 0;
  bool room_battle = false;
  bool hard_room = false;
  i32 death_guard = 0;
  i32 list_sel = 0;
  i32 open_page = 0;
  i32 msg_wait = 400;

  // --- current opponent (or host) ---
  i32 e_id = 0;
  std::string e_name;
  i32 e_lv = 0;
  i32 e_hp = 0;
  i32 e_hp_max = 0;
  i32 e_state = 0;
  i32 e_buf_atk = 0;
  i32 e_buf_def = 0;
  i32 e_zoku = 0;
  i32 e_item = 0;

  // --- boss file last read ---
  std::string boss_name;
  std::string boss_pic;
  std::string boss_big_pic;
  i32 boss_lv = 0;
  i32 boss_hp = 0;
  std::array<std::string, 5> boss_talk;

  // --- opening show texts ---
  std::array<std::string, 200> open_text;
  std::array<std::string, 100> staff_text;
};

// ---- master tables ----
struct MdRecord { std::string md_name, md_about, md_file; };

struct EnemyRecord {
  std::string en_name;
  std::string en_pic;
  i32 en_lv = 0;
  i32 en_hp = 0;
  i32 en_hp_max = 0;
  i32 en_state = 0;
  i32 en_atk = 0;
  i32 en_def = 0;
  i32 en_zoku = 0;
  i32 en_item = 0;
  std::array<i32, 5> en_act{};
};

struct ItemRecord {
  std::string it_name, it_about;
  i32 it_kind = 0, it_pow = 0, it_rare = 0, it_ex = 0;
};
struct ShopRecord { i32 item = 0, price = 0; };
struct JobRecord {
  std::string jb_name, jb_about;
  i32 jb_spare = 0, jb_cost = 0, jb_wild = 0;
};
struct GomiRecord {
  std::string gm_name, gm_about;
  i32 gm_floor = 0, gm_spare = 0;
};
struct MonsterRecord {
  std::string mo_name, mo_about, mo_pic;
  i32 mo_kind = 0, mo_pow = 0, mo_mp = 0, mo_ex = 0, mo_gousei = 0;
};
struct MagicRecord {
  std::string mg_name, mg_about;
  i32 mg_kind = 0, mg_ark = 0;
};

struct Tables {
  std::array<std::string, 226> name_list;
  std::array<std::string, 256> ex_names;
  std::array<std::string, 256> map_names;
  std::array<MdRecord, 256> md_table;
  // Entry 0 is the opponent slot -1 of the boss files; record n is at n + 1.
  std::array<EnemyRecord, 256> enemy_slots;
  std::array<ItemRecord, 500> item_table;
  std::array<ShopRecord, 256> shop_table;
  std::array<ShopRecord, 256> wild_table;
  std::array<JobRecord, 256> job_table;
  std::array<GomiRecord, 500> gomi_table;
  std::array<MonsterRecord, 500> monster_table;
  std::array<MagicRecord, 256> magic_table;

  // Enemy record -1..254.
  EnemyRecord& enemy(int n) { return enemy_slots[static_cast<size_t>(n + 1)]; }
  const EnemyRecord& enemy(int n) const { return enemy_slots[static_cast<size_t>(n + 1)]; }
};

// Safe look-ups for ids that come from data or saves and may be out of range:
// an id outside the table reads as an empty record.
template <class T, size_t N>
const T& at_or_empty(const std::array<T, N>& a, i32 id) {
  static const T empty{};
  return (id >= 0 && static_cast<size_t>(id) < N) ? a[static_cast<size_t>(id)] : empty;
}

// The new-game values of every saved variable.
void new_game_values(GameState& s);

}  // namespace z2
