// Calling a monster in a fight: the MP, the activation count with the
// evolution on the 99th call, then the monster's skill (lists/monster_skills);
// and the thefts and gifts that skills share with magic.
#include "lists/monsters.h"

#include <string>
#include <utility>

#include "battle/action_steps.h"
#include "battle/outcome.h"
#include "battle/player_commands.h"
#include "lists/list_actions.h"
#include "lists/monster_skills.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/carried.h"
#include "state/ids.h"
#include "state/int32.h"
#include "state/random.h"

namespace z2 {

namespace {

constexpr int kMonsterIds = 500;
constexpr i32 kMaxActivations = 99;  // the call that reaches it evolves the monster

void lose_one(i32& have) {
  if (have > 0) --have;
}

// Picks an id 0..498 for a gift: redraws while `unwanted`, at most 500
// times, with one more draw when those found nothing; then redraws while
// `unusable`. The second search is bounded and first checks that a usable
// id exists at all; -1 when the data hold none.
constexpr int kGiftIds = 499;
constexpr int kGiftTries = 500;

template <class Unwanted, class Unusable>
int draw_gift(Game& g, Unwanted unwanted, Unusable unusable) {
  int n = g.random(kGiftIds);
  int tries = 0;
  while (unwanted(n) && tries < kGiftTries) {
    n = g.random(kGiftIds);
    ++tries;
  }
  if (tries >= kGiftTries && unwanted(n)) n = g.random(kGiftIds);
  bool any = false;
  for (int i = 0; i < kGiftIds && !any; ++i) any = !unusable(i);
  if (!any) return -1;
  for (int k = 0; unusable(n); ++k) {
    if (k >= kDrawCap) return -1;
    n = g.random(kGiftIds);
  }
  return n;
}

}  // namespace

void theft(Game& g) {
  GameState& s = g.s;
  const carried::Thing c = carried::decode(s.e_item);
  const size_t id = static_cast<size_t>(c.id);
  if (c.kind == carried::Kind::Random) {
    item_random_get(g);
  } else if (c.kind == carried::Kind::Item) {
    give_capped(s.item_have[id], 1);
    msg_add(g, g.t.item_table[id].it_name + "を盗んだ!!");
  } else if (c.kind == carried::Kind::Garbage) {
    give_capped(s.gomi_have[id], 1);
    msg_add(g, g.t.gomi_table[id].gm_name + "を盗んだ!!");
  } else {
    // -1, and anything that is not a thing the opponent can carry.
    msg_add(g, "なにももっていない");
  }
  s.e_item = carried::kNothing;
}

void give_enemy_item(Game& g) {
  const auto& items = g.t.item_table;
  auto unusable = [&](int n) {
    const ItemRecord& it = items[static_cast<size_t>(n)];
    return it.it_rare == 3 || it.it_name.empty();
  };
  auto unwanted = [&](int n) { return unusable(n) || g.s.item_have[static_cast<size_t>(n)] > 0; };
  const int n = draw_gift(g, unwanted, unusable);
  if (n <= 0) return miss(g);
  msg_add(g, items[static_cast<size_t>(n)].it_name + "を敵に持たせた!!");
  g.s.e_item = n;
}

void give_enemy_garbage(Game& g) {
  const auto& gomi = g.t.gomi_table;
  auto unusable = [&](int n) { return gomi[static_cast<size_t>(n)].gm_name.empty(); };
  auto unwanted = [&](int n) { return unusable(n) || g.s.gomi_have[static_cast<size_t>(n)] > 0; };
  const int n = draw_gift(g, unwanted, unusable);
  if (n <= 0) return miss(g);
  msg_add(g, gomi[static_cast<size_t>(n)].gm_name + "を敵に持たせた!!");
  g.s.e_item = carried::garbage(n);
}

bool call_monster(Game& g) {
  GameState& s = g.s;
  auto back_to_commands = [&] {
    g.ui.battle_com.visible = true;
    g.ui.list_box.visible = true;
  };
  int sel = s.list_sel;
  if (sel < 0 || sel >= kMonsterIds) {
    // A selection that names no monster: the fight goes on as before.
    back_to_commands();
    return false;
  }
  const MonsterRecord& chosen = g.t.monster_table[static_cast<size_t>(sel)];
  const i32 p = chosen.mo_pow;
  if (s.my_mp < chosen.mo_mp) {
    back_to_commands();
    set_moji_l(g, "MPが足りません");
    return false;
  }
  s.my_mp = sat_sub(s.my_mp, chosen.mo_mp);
  refresh(g);

  i32& lv = s.monster_lv[static_cast<size_t>(sel)];
  lv = sat_add(lv, 1);
  if (lv >= kMaxActivations) {
    lv = kMaxActivations;
    const int t = evolution_of(sel);
    // An evolved form missing from the data would swallow the monster: it
    // then stays as it is, like one without an evolution.
    if (t >= 0 && !g.t.monster_table[static_cast<size_t>(t)].mo_name.empty()) {
      const MonsterRecord& to = g.t.monster_table[static_cast<size_t>(t)];
      lose_one(s.monster_have[static_cast<size_t>(sel)]);
      i32& have_t = s.monster_have[static_cast<size_t>(t)];
      have_t = sat_add(have_t, 1);
      picture_step(g, [&] { cg_load2(g, chosen.mo_pic, to.mo_pic); });
      g.plat.notice("なんと" + chosen.mo_name + "が【" + to.mo_name + "】に進化した!!");
      lv = 0;
      sel = s.list_sel = t;
    }
  }

  const MonsterRecord& m = g.t.monster_table[static_cast<size_t>(sel)];
  msg_put(g, "「" + m.mo_name + "」を放った!!");
  picture_step(g, [&] { cg_load(g, m.mo_pic); });
  run_skill(g, sel, p, m.mo_kind);

  refresh(g);
  return true;
}

void owned_monster_refused(Game& g) { set_moji_l2(g, "ここでモンスターを放つことはできません。"); }

}  // namespace z2
