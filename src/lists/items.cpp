// Using a consumable and equipping a weapon or armour, both chosen in the
// list panel.
#include <string>

#include "battle/player_commands.h"
#include "battle/rewards.h"
#include "battle/turns.h"
#include "lists/list_actions.h"
#include "lists/list_panel.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/ids.h"
#include "state/int32.h"
#include "state/random.h"

namespace z2 {

namespace {

constexpr i32 kPowCap = 999999999;

std::string n(i32 v) { return std::to_string(v); }

// The types that only make sense against an opponent.
bool fight_only(i32 kind) {
  switch (kind) {
    case 27: case 28: case 32: case 33: case 34: case 35: case 36:
    case 50: case 51: case 53: case 54: case 55: case 56: case 58:
    case 64: case 65: case 66: case 69: case 72: case 94: case 95:
      return true;
    default:
      return false;
  }
}

// One ailment roll of the type-53 items: the chance, the picture and the line.
struct AilmentRoll {
  int hits, out_of;
  unsigned fx;
  i32 state;
  const char* text;
};
constexpr AilmentRoll kAilmentRolls[] = {
    {2, 3, 8, 2, "敵を眠らせた!!"},       {1, 2, 8, 3, "敵を石化させた!!"},
    {3, 4, 6, 1, "敵を毒化させた!!"},     {2, 3, 8, 4, "敵を混乱させた!!"},
    {1, 2, 8, 5, "敵を暴走させた!!"},     {1, 2, 15, 8, "敵を呪いにさせた!!"},
    {2, 3, 6, 6, "敵を猛毒にさせた!!"},   {1, 2, 6, 7, "敵を感染にさせた!!"},
    {1, 2, 15, 9, "敵をＭ呪にさせた!!"}, {2, 3, 6, 10, "敵を毒吸にさせた!!"},
};

// The sure cuts of the opponent's hit points: a divisor, how many parts go.
struct HpCut {
  i32 div, parts;
  const char* text;
};
constexpr HpCut kHpCuts[] = {
    {10, 1, "敵のHPの10%を消滅させた!!"}, {5, 1, "敵のHPの20%を消滅させた!!"},
    {3, 1, "敵のHPの33%を消滅させた!!"},  {2, 1, "敵のHPの50%を消滅させた!!"},
    {3, 2, "敵のHPの66%を消滅させた!!"},
};

void ailment_item(Game& g, i32 k) {
  GameState& s = g.s;
  if (k >= 0 && k < 10) {
    const AilmentRoll& r = kAilmentRolls[k];
    if (g.random(r.out_of) < r.hits) {
      screen_effect(g, r.fx);
      s.e_state = r.state;
      msg_add(g, r.text);
    } else {
      msg_add(g, "Miss!!");
    }
  } else if (k >= 10 && k < 15) {
    const HpCut& c = kHpCuts[k - 10];
    screen_effect(g, 12);
    s.e_hp = sat_sub(s.e_hp, sat_mul(c.parts, s.e_hp / c.div));
    msg_add(g, c.text);
  }
}

// fx 11 and a line "<what>が K 上がった!" with the value raised by K.
void raise(Game& g, i32& value, i32 k, const std::string& what) {
  screen_effect(g, 11);
  value = sat_add(value, k);
  msg_add(g, what + "が" + n(k) + "上がった!");
}

// Types 3, 4, 70, 71: the weapon's or the armour's power grows.
void grow(Game& g, const char* head, const std::string& name, i32& pow, i32 k) {
  screen_effect(g, 11);
  msg_add(g, std::string(head) + name + "】が" + n(k) + "上がった!\r\r△" + n(pow) + "→△" + n(sat_add(pow, k)));
  pow = sat_add(pow, k);
}

// Types 30, 31: the power is multiplied, never past the cap.
void multiply(Game& g, const char* head, std::string& name, i32& pow, i32 k, const std::string& item_name) {
  msg_add(g, std::string(head) + name + "】△" + n(pow) + "の威力を" + n(k) + "倍!!");
  screen_effect(g, 11);
  pow = sat_mul(pow, k);
  if (pow > kPowCap) pow = kPowCap;
  name = item_name;
}

// Types 37, 38: the naming box takes over; its button does the naming.
void open_naming(Game& g, const char* prompt, const char* button) {
  Ui& ui = g.ui;
  ui.name_l.text.clear();
  ui.list_box.visible = false;
  set_moji_l2(g, prompt);
  ui.name_b.caption = button;
  ui.name_box.visible = true;
  g.plat.repaint();
}

// Type 24: an owned monster of id below 254 gains activations. Without one
// the draw could never end, so the item does nothing and comes back.
bool boost_monster(Game& g, i32 k) {
  GameState& s = g.s;
  bool any = false;
  for (int i = 0; i < 254; ++i) any = any || s.monster_have[static_cast<size_t>(i)] > 0;
  if (!g.ui.m2.visible || !any) return false;
  screen_effect(g, 9);
  int a = g.random(254);
  for (int tries = 1; s.monster_have[static_cast<size_t>(a)] <= 0 && tries < kDrawCap; ++tries) a = g.random(254);
  if (s.monster_have[static_cast<size_t>(a)] <= 0) {
    // The cap of the draws: the first owned one stands in.
    a = 0;
    while (s.monster_have[static_cast<size_t>(a)] <= 0) ++a;
  }
  i32& lv = s.monster_lv[static_cast<size_t>(a)];
  lv = sat_add(lv, k);
  if (lv > 98) lv = 98;
  msg_add(g, "モンスター「" + g.t.monster_table[static_cast<size_t>(a)].mo_name + "」の発動回数が" + n(k) + "上がった!");
  return true;
}

// The effect of a consumable of `kind`; false when it had none and the item
// comes back.
bool item_effect(Game& g, i32 kind, i32 k, const std::string& name) {
  GameState& s = g.s;
  switch (kind) {
    case 0:
      screen_effect(g, 3);
      s.my_hp = sat_add(s.my_hp, k);
      msg_add(g, "HPが" + n(k) + "回復した!");
      break;
    case 1:
      screen_effect(g, 17);
      s.my_mp = sat_add(s.my_mp, k);
      msg_add(g, "HPが" + n(k) + "回復した!");
      break;
    case 2:
      screen_effect(g, 1);
      s.my_hp = sat_sub(s.my_hp, k);
      msg_add(g, "HPが" + n(k) + "減った!");
      break;
    case 3: grow(g, "武器【", s.buki_name, s.buki_pow, k); break;
    case 4: grow(g, "防具【", s.bougu_name, s.bougu_pow, k); break;
    case 5: msg_add(g, name + "は砕けてしまった。"); break;
    case 6:
      s.ark = sat_add(s.ark, k);
      msg_add(g, "ＡＲＫが" + n(k) + "上がった!!");
      break;
    case 7: raise(g, s.my_hp_max, k, "MAXHP"); break;
    case 8: raise(g, s.my_mp_max, k, "MAXMP"); break;
    case 9: raise(g, s.my_atk, k, "【攻撃力】"); break;
    case 10: raise(g, s.my_body, k, "【防御力】"); break;
    case 11: raise(g, s.floor_clear[fc::kZando], k, "【ｻﾞﾝﾄﾞ】"); break;
    case 12: raise(g, s.floor_clear[fc::kLa], k, "【ＬＡ】"); break;
    case 13: raise(g, s.floor_clear[fc::kJapan], k, "【日本】"); break;
    case 14:
    case 16:
    case 17:
    case 18: {
      // Gauges the game names but does not keep.
      const char* what = kind == 14 ? "【裏切り】" : kind == 16 ? "【過去】" : kind == 17 ? "【全能】" : "【謎】";
      screen_effect(g, 11);
      msg_add(g, std::string(what) + "が" + n(k) + "上がった!");
      break;
    }
    case 15: raise(g, s.floor_clear[fc::kChina], k, "【中国】"); break;
    case 19: raise(g, s.floor_clear[fc::kBattles], k, "【戦闘回数】"); break;
    case 20: raise(g, s.floor_clear[fc::kDeaths], k, "【死亡回数】"); break;
    case 21:
      screen_effect(g, 11);
      msg_add(g, "スペシャリストに１歩近づいた!");
      break;
    case 22:
      screen_effect(g, 11);
      msg_add(g, "経験値が" + n(k) + "上がった!");
      s.my_exp = sat_add(s.my_exp, k);
      break;
    case 23:
      screen_effect(g, 3);
      s.my_state = ail::kNone;
      msg_add(g, "ステータスが通常に戻った!!");
      break;
    case 24:
      if (!boost_monster(g, k)) {
        msg_add(g, "なにも起きなかった");
        return false;
      }
      break;
    case 25:
      screen_effect(g, 11);
      msg_add(g, "LVが" + n(k) + "上がった!");
      raise_level(s, k);
      break;
    case 26:
      screen_effect(g, 3);
      s.my_hp = s.my_hp_max;
      s.my_mp = s.my_mp_max;
      s.my_state = ail::kNone;
      msg_add(g, "完全回復した!!\rステータスが通常に戻った!!");
      break;
    case 27:
      screen_effect(g, 8);
      s.e_lv = 1;
      msg_add(g, "敵のＬＶが1になった!!");
      break;
    case 28:
      screen_effect(g, 12);
      s.e_lv = s.e_lv > 1 ? s.e_lv - 1 : 1;
      msg_add(g, "敵のＬＶが1さがった!");
      screen_effect(g, 11);
      raise_level(s, 1);
      msg_add(g, "敵のＬＶを吸い取った!!");
      break;
    case 29:
      if (s.my_state == ail::kPoison || s.my_state == ail::kVenom || s.my_state == ail::kLeech) {
        screen_effect(g, 3);
        s.my_state = ail::kNone;
        msg_add(g, "毒がなおった!");
      } else {
        msg_add(g, "なにも起きなかった");
        return false;
      }
      break;
    case 30: multiply(g, "武器【", s.buki_name, s.buki_pow, k, name); break;
    case 31: multiply(g, "防具【", s.bougu_name, s.bougu_pow, k, name); break;
    case 32:
      screen_effect(g, 10);
      s.e_lv = sat_add(s.e_lv, 1);
      msg_add(g, "敵のＬＶを1上げた!");
      break;
    case 33:
      screen_effect(g, 9);
      s.buf_def() = 0;
      msg_add(g, "守備力が元にもどった!!");
      break;
    case 34:
      screen_effect(g, 9);
      s.buf_atk() = 0;
      msg_add(g, "腕力が元にもどった!!");
      break;
    case 35:
      screen_effect(g, 8);
      s.e_buf_def = 0;
      msg_add(g, "敵の守備力が元にもどった!!");
      break;
    case 36:
      screen_effect(g, 8);
      s.e_buf_atk = 0;
      msg_add(g, "敵の腕力が元にもどった!!");
      break;
    case 37: open_naming(g, "武器の名前を入力してください", "武器にネーミング"); break;
    case 38: open_naming(g, "防具の名前を入力してください", "防具にネーミング"); break;
    case 39:
      s.cent = sat_add(s.cent, k);
      msg_add(g, n(k) + "ｾﾝﾄ入手した!!");
      break;
    case 50: raise(g, s.buf_atk(), k, "一時的に【腕力】"); break;
    case 51: raise(g, s.buf_def(), k, "一時的に【守備力】"); break;
    case 53: ailment_item(g, k); break;
    case 54:
      screen_effect(g, 12);
      s.e_buf_atk = sat_sub(s.e_buf_atk, k);
      msg_add(g, "一時的に敵の【腕力】が" + n(k) + "下がった!");
      break;
    case 55:
      screen_effect(g, 12);
      s.e_buf_def = sat_sub(s.e_buf_def, k);
      msg_add(g, "一時的に敵の【守備力】が" + n(k) + "下がった!");
      break;
    case 56:
      msg_put(g, "妖魔の力が解き放たれた。");
      beast_hit(g, k);
      magic_hit(g, k);
      break;
    case 57:
      s.my_state = ail::kStone;
      screen_effect(g, 16);
      msg_put(g, s.my_name + "は石化してしまった...");
      break;
    case 58:
      msg_put(g, "隕石が降り注いだ!!");
      attack(g, k);
      enemy_attack(g, k);
      break;
    case 59:
      screen_effect(g, 3);
      msg_add(g, "攻撃可能になった");
      s.can_punch = true;
      break;
    case 60:
      screen_effect(g, 3);
      msg_add(g, "魔法可能になった");
      s.can_magic = true;
      break;
    case 61:
      screen_effect(g, 3);
      msg_add(g, "モンスター可能になった");
      s.can_beast = true;
      break;
    case 62:
      screen_effect(g, 3);
      msg_add(g, "アイテム可能になった");
      s.can_item = true;
      break;
    case 63:
      screen_effect(g, 11);
      msg_add(g, "【WILD】が" + n(k) + "上がった!!");
      s.wild = sat_add(s.wild, k);
      break;
    case 64:
      msg_put(g, "＞ＷＩＬＤ ＳＴＹＬＥ!!!");
      magic_hit(g, s.wild / 10);
      break;
    case 65:
      msg_put(g, "＞ＷＩＬＤ ＲＵＮＩＮＧ!!!");
      beast_hit(g, s.wild / 10);
      break;
    case 66:
      msg_put(g, "＞ＷＩＬＤ分ダメージ!!");
      screen_effect(g, 4);
      s.e_hp = sat_sub(s.e_hp, s.wild);
      msg_add(g, n(s.wild) + "ダメージ与えた!!");
      break;
    case 67:
      screen_effect(g, 13);
      screen_effect(g, 11);
      msg_add(g, "攻撃力と引き換えに、【WILD】が20上がった!!");
      s.my_atk = sat_sub(s.my_atk, 1);
      s.wild = sat_add(s.wild, 20);
      break;
    case 68:
      screen_effect(g, 13);
      screen_effect(g, 11);
      msg_add(g, "最大HPと引き換えに、【WILD】が80上がった!!");
      s.my_hp_max = sat_sub(s.my_hp_max, 10);
      s.wild = sat_add(s.wild, 80);
      break;
    case 69:
    case 72: {
      msg_put(g, kind == 69 ? "＞ＷＩＬＤさよなら!!" : "＞ＷＩＬＤこんにちは!!");
      screen_effect(g, 4);
      const i32 d = kind == 69 ? sat_mul(s.wild, 10) : sat_mul(10, sat_sub(999, s.wild));
      s.e_hp = sat_sub(s.e_hp, d);
      msg_add(g, n(d) + "ダメージ与えた!!");
      screen_effect(g, 9);
      msg_add(g, "【WILD】が0になった!!");
      s.wild = 0;
      break;
    }
    case 70: grow(g, "武器【", s.buki_name, s.buki_pow, s.wild); break;
    case 71: grow(g, "防具【", s.bougu_name, s.bougu_pow, s.wild); break;
    case 73: raise(g, s.my_beast, k, "【獣力】"); break;
    case 78:
      s.monster_have[101] = sat_add(s.monster_have[101], 1);
      msg_put(g, "モンスター【" + g.t.monster_table[101].mo_name + "】を入手した!!");
      break;
    case 79: raise(g, s.my_int, k, "【知力】"); break;
    case 80:
      raise(g, s.my_int, k, "【知力】");
      refresh(g);
      screen_effect(g, 13);
      s.my_atk = sat_sub(s.my_atk, 1);
      msg_add(g, "【攻撃力】が1下がった!");
      break;
    case 89:
      screen_effect(g, 11);
      raise_level(s, k);
      msg_add(g, "LVが" + n(k) + "上がった!");
      break;
    case 91: {
      screen_effect(g, 3);
      s.my_hp = sat_add(s.my_hp, k);
      msg_add(g, "HPが" + n(k) + "回復した!");
      const i32 cost = sat_add(k / 100, 1);
      s.ark = sat_sub(s.ark, cost);
      msg_add(g, "ARKが" + n(cost) + "減った");
      break;
    }
    case 94:
      screen_effect(g, 9);
      msg_add(g, "行き返りが50％の確率で約束された");
      s.death_guard = 2;
      break;
    case 95:
      screen_effect(g, 8);
      msg_add(g, s.e_name + "はメロメロになった!");
      screen_effect(g, 3);
      msg_add(g, "HPを" + n(s.e_hp) + "回復させてくれた。");
      s.my_hp = sat_add(s.my_hp, s.e_hp);
      break;
    case 96:
      msg_add(g, "なにも起きなかった");
      return false;
    case 97:
      screen_effect(g, 11);
      s.buki_ex = ex::kNone;
      msg_put(g, "武器の特殊効果が消えた!!");
      break;
    case 98:
      screen_effect(g, 11);
      raise_level(s, 10);
      msg_add(g, "LVが10上がった!!");
      screen_effect(g, 11);
      s.my_atk = sat_add(s.my_atk, 10);
      msg_add(g, "攻撃力が10上がった!!");
      screen_effect(g, 11);
      s.my_int = sat_add(s.my_int, 10);
      msg_add(g, "知力が10上がった!!");
      break;
    case 99:
      screen_effect(g, 11);
      s.buki_ex = g.random(124);
      msg_put(g, "【★" + g.t.ex_names[static_cast<size_t>(s.buki_ex)] + "】の特殊効果が追加された!!");
      break;
    default:
      // Every other type is spent with no effect.
      break;
  }
  return true;
}

// The chosen entry is not owned (two records share a name and the list named
// the other one): nothing is spent and the turn is not lost.
bool not_owned(Game& g) {
  const i32 sel = g.s.list_sel;
  if (sel >= 0 && sel < 500 && g.s.item_have[static_cast<size_t>(sel)] > 0) return false;
  play_se(g, "miss.wav");
  resume_turn(g);
  return true;
}

}  // namespace

void resume_turn(Game& g) {
  if (!g.s.in_battle) return;
  g.ui.battle_com.visible = true;
  g.ui.list_box.visible = true;
  g.plat.repaint();
}

bool use_item(Game& g, int k) {
  if (not_owned(g)) return false;
  GameState& s = g.s;
  i32& have = s.item_have[static_cast<size_t>(s.list_sel)];
  const ItemRecord& it = g.t.item_table[static_cast<size_t>(s.list_sel)];
  have -= 1;
  msg_put(g, "【" + it.it_name + "】を使った!!");
  if (fight_only(it.it_kind) && !s.in_battle) {
    set_moji_l2(g, "戦闘中以外使用不可能");
    have = sat_add(have, 1);
  } else if (!item_effect(g, it.it_kind, k, it.it_name)) {
    have = sat_add(have, 1);
  }
  list_refresh(g, ListMode::Consumables);
  return true;
}

bool equip_item(Game& g) {
  GameState& s = g.s;
  if (!g.plat.ask("装備すると今装備している物は消滅します。よろしいですか？")) {
    play_se(g, "miss.wav");
    resume_turn(g);
    return false;
  }
  if (not_owned(g)) return false;
  const ItemRecord& it = g.t.item_table[static_cast<size_t>(s.list_sel)];
  play_se(g, "key.wav");
  s.item_have[static_cast<size_t>(s.list_sel)] -= 1;
  list_refresh(g, ListMode::Equipment);
  const i32 k = it.it_pow;
  if (it.it_kind >= 400 && it.it_kind <= 449) {
    msg_put(g, "武器【" + it.it_name + "】△" + n(k) + "を装備した!!");
    s.buki_name = it.it_name;
    s.buki_pow = k;
    s.buki_ex = it.it_ex;
  } else if (it.it_kind >= 450 && it.it_kind <= 499) {
    msg_put(g, "防具【" + it.it_name + "】△" + n(k) + "を装備した!!");
    s.bougu_name = it.it_name;
    s.bougu_pow = k;
  }
  play_se(g, "soubi.wav");
  refresh(g);
  return true;
}

}  // namespace z2
