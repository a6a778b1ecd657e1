#include "state/game_state.h"
#include "state/ids.h"

namespace z2 {

void new_game_values(GameState& s) {
  s.my_name = "アレク";
  s.score = 0;
  s.floor = 0;
  s.my_lv = 1;
  s.my_exp = 0;
  s.my_hp = 20;
  s.my_hp_max = 20;
  s.my_mp = 2;
  s.my_mp_max = 2;
  s.my_atk = 0;
  s.my_body = 0;
  s.my_int = 0;
  s.my_beast = 0;
  s.my_state = 0;
  s.cent = 0;
  s.ark = 5;
  s.ark_max = 99;
  s.wild = 0;
  s.combo = 0;
  s.buki_name = "名も無き杖";
  s.buki_pow = 0;
  s.buki_ex = 0;
  s.bougu_name = "名も無きマント";
  s.bougu_pow = 0;
  s.class_now = cls::kNovice;
  s.play_time = 0;
  s.text_speed = 3;
  s.wata = 0;
  s.wata_out = 0;
  s.item_have.fill(0);
  s.monster_have.fill(0);
  s.monster_lv.fill(0);
  s.gomi_have.fill(0);
  s.magic_have.fill(0);
  s.md_have.fill(0);
  s.item_book.fill(0);
  s.monster_book.fill(0);
  s.md_book.fill(0);
  s.class_exp.fill(0);
  // The unused entry and the fight bonuses after the counters are not part of a game.
  for (int i = 0; i <= fc::kEscapes; ++i)
    if (i != fc::kUnused) s.floor_clear[static_cast<size_t>(i)] = 0;
}

}  // namespace z2
