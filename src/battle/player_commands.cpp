#include "battle/player_commands.h"

#include <string>

#include "battle/encounter.h"
#include "battle/extra_effects.h"
#include "battle/outcome.h"
#include "battle/turns.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/ids.h"
#include "state/int32.h"

namespace z2 {

namespace {

std::string num(i32 n) { return std::to_string(n); }

// beast_hit and magic_hit differ only in the stat, the bonus and the effect.
void stat_hit(Game& g, int a, i32 stat, i32 bonus, Fx effect) {
  i32 n = sat_add(sat_add(sat_add(sat_add(sat_mul(4, a), sat_mul(3, stat)), g.s.my_lv / 2), 1), bonus);
  if (a == 0) n /= 2;
  if (n < 1) n = 1;
  screen_effect(g, effect);
  msg_add(g, num(n) + "ダメージ与えた!");
  g.s.e_hp = sat_sub(g.s.e_hp, n);
  refresh(g);
}

// The infected player pays for every swing of the weapon.
void infection_bite(Game& g) {
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerRed);
  const i32 n = s.my_hp_max / 4;
  msg_put(g, s.my_name + "は感染によって" + num(n) + "のダメージを受けた");
  s.my_hp = sat_sub(s.my_hp, n);
  refresh(g);
}

void refuse(Game& g, const char* reason) {
  play_se(g, "miss.wav");
  set_moji_l(g, reason);
}

// The command box closes while a command runs, so that it cannot run twice.
void close_commands(Game& g) {
  Ui& ui = g.ui;
  ui.moji_l3.visible = false;
  ui.moji_l3.text.clear();
  ui.battle_com.visible = false;
  g.plat.repaint();
}

// ---- the class effects of a punch ----

struct HexRoll {
  i32 code;
  const char* text;
};

// The hex fist's roll 0..9 and what it inflicts.
constexpr HexRoll kHexes[] = {
    {ail::kStone, "敵を石化させた!!"},    {ail::kSleep, "敵を眠らさせた!!"},  {ail::kPoison, "敵を毒化させた!!"},
    {ail::kConfused, "敵を混乱させた!!"}, {ail::kRampage, "敵を暴走させた!!"}, {ail::kVenom, "敵を猛毒化させた!!"},
    {ail::kInfected, "敵を感染させた!!"}, {ail::kCurse, "敵を呪い化させた!!"}, {ail::kMCurse, "敵をＭ呪化させた!!"},
    {ail::kLeech, "敵を毒吸化させた!!"},
};

}  // namespace

void class_punch_effect(Game& g) {
  GameState& s = g.s;
  switch (s.class_now) {
    case cls::kHealingFist:
      screen_effect(g, Fx::PlayerBlueRise);
      s.my_hp = sat_add(s.my_hp, s.my_hp_max / 13 + 1);
      refresh(g);
      break;
    case cls::kStar:
      screen_effect(g, Fx::PlayerYellowRise);
      s.ark = sat_add(s.ark, 5);
      refresh(g);
      break;
    case cls::kDoublePunch:
      attack(g, 1);
      break;
    case cls::kHexFist:
      if (s.e_state == ail::kNone) {
        const i32 r = g.random(35);
        if (r < 10) {
          const HexRoll& h = kHexes[r];
          s.e_state = h.code;
          screen_effect(g, ailment_flash(h.code, true));
          msg_add(g, h.text);
        }
      }
      break;
    case cls::kVampire:
      if (g.random(2) == 0) {
        msg_add(g, "＞吸血");
        screen_effect(g, Fx::FoePink);
        screen_effect(g, Fx::PlayerBlueRise);
        const i32 n = s.my_hp_max / 5;
        s.e_hp = sat_sub(s.e_hp, n);
        s.my_hp = sat_add(s.my_hp, n);
      }
      break;
    case cls::kMagicEater:
      if (g.random(2) == 0) {
        msg_add(g, "＞喰う");
        screen_effect(g, Fx::FoeYellowFall);
        screen_effect(g, Fx::PlayerLilacRise);
        s.my_mp = sat_add(s.my_mp, s.my_mp_max / 12 + 1);
      }
      break;
    case cls::kThief:
      if (g.random(4) == 0) {
        msg_add(g, "＞泥棒");
        screen_effect(g, Fx::FoeWhite);
        steal(g, false);
      }
      break;
    case cls::kHalver:
      if (g.random(4) == 0) {
        msg_add(g, "＞Ｍ法");
        screen_effect(g, Fx::FoePurple);
        msg_add(g, "HPが半分にさせた!!");
        s.e_hp /= 2;
      }
      break;
    default:
      break;
  }
}

namespace {

// After the player's action: the opponent's turn while the fight goes on;
// after a won fight in the monster room, now and then the next opponent at once.
void hand_over(Game& g, int next_chance) {
  if (g.s.in_battle) {
    enemy_turn(g);
    return;
  }
  if (g.random(next_chance) == 0 && !g.ui.lv_box.visible) next_enemy(g);
}

void wear_weapon(Game& g, int div) {
  i32& pow = g.s.buki_pow;
  pow = sat_sub(pow, pow / div + 1);
}

// ---- the commands ----

void b1Click(Game& g) {
  GameState& s = g.s;
  if (s.buki_ex == ex::kNoPunch) return refuse(g, "追加効果により攻撃できません");
  if (!s.can_punch) return refuse(g, "敵の魔法によって攻撃できません");

  g.ui.list_box.visible = false;
  g.ui.tower_b.visible = false;
  play_se(g, "punch.wav");
  close_commands(g);

  attack(g, 1);

  // Both wear draws are made at every punch; the weapon's effect decides
  // which of them counts.
  const bool wears = g.random(3) == 0;
  if (wears && s.buki_ex != ex::kNoWear) wear_weapon(g, 8);
  const bool wears_more = g.random(3) == 0;
  if (wears_more && s.buki_ex == ex::kExtraWear) wear_weapon(g, 5);
  if (s.buki_pow < 0) s.buki_pow = 0;

  class_punch_effect(g);
  punch_extra_effect(g);

  refresh(g);
  death_check(g);
  hand_over(g, 17);
}

// The tower strike: five times the punch plus ten, no class or weapon effect,
// and it ignores the punch's seal; it costs the weapon a fifth.
void tower_bClick(Game& g) {
  GameState& s = g.s;
  g.ui.list_box.visible = false;
  play_se(g, "tower.wav");
  close_commands(g);

  attack(g, 5);
  wear_weapon(g, 5);
  if (s.buki_pow < 0) s.buki_pow = 0;

  refresh(g);
  death_check(g);
  hand_over(g, 14);
}

void Button7Click(Game& g) {
  GameState& s = g.s;
  if (s.buki_ex == ex::kNoEscape) return refuse(g, "追加効果によって使用不可");

  i32& escapes = s.floor_clear[fc::kEscapes];
  give_capped(escapes, 1);
  s.wild = sat_sub(s.wild, 5);
  // Weapon effect 122 may have counted past the 99th escape: the spell is
  // still learnt on the next one.
  if (escapes >= kCountCap && s.magic_have[magic::kRunAway] == 0) {
    s.magic_have[magic::kRunAway] = 1;
    msg_add(g, "魔法【ラナウェイ】を覚えた!!");
  }

  close_commands(g);
  g.ui.tower_b.visible = false;
  g.ui.list_box.visible = false;

  if (s.no_escape) {
    msg_put(g, "逃走不可能!!");
    enemy_turn(g);
    return;
  }
  switch (g.random(4)) {
    case 0:
      play_se(g, "miss.wav");
      msg_put(g, "ずっこけた!!");
      enemy_turn(g);
      break;
    case 1:
      play_se(g, "miss.wav");
      msg_put(g, "逃亡失敗!!");
      enemy_turn(g);
      break;
    default:
      play_se(g, "walk.wav");
      msg_put(g, "逃亡成功!!");
      battle_end(g);
      break;
  }
}

}  // namespace

void attack(Game& g, int a) {
  GameState& s = g.s;

  i32 d = g.random(2);
  d = sat_add(d, sat_mul(sat_mul(3, a), s.my_atk));
  d = sat_add(d, s.my_lv);
  d = sat_add(d, s.buki_pow / 5);
  d = sat_add(d, s.buf_atk());
  d = sat_sub(d, s.e_buf_def);
  if (d < 1) d = 1;

  if (s.class_now == cls::kWildStyle) d = sat_add(d, sat_mul(d / 9, s.wild / 100));
  if (s.class_now == cls::kGambler) d = g.random(3) == 0 ? sat_mul(3, d) : 0;
  d = extra_damage_factor(g, d);
  if (s.class_now == cls::kLastStand) d = sat_mul(2, d);
  if (s.class_now == cls::kBerserker) {
    d = sat_mul(2, d);
    s.my_hp = sat_sub(s.my_hp, s.my_hp / 10);
  }
  refresh(g);

  const i32 r = g.random(40);
  if (r <= 34) {
    screen_effect(g, Fx::FoeRed);
  } else if (r == 35) {
    screen_effect(g, Fx::FoeRed);
    msg_add(g, "SUPERｸﾘﾃｨｶﾙ!!");
    d = sat_add(sat_mul(3, d), 10);
  } else if (r <= 37) {
    screen_effect(g, Fx::FoeRed);
    msg_add(g, "ｸﾘﾃｨｶﾙ!!");
    d = sat_add(sat_mul(2, d), 5);
  } else if (r == 38) {
    msg_add(g, "Miss!!");
    d = 0;
  } else {
    msg_add(g, "敵は防御した!!");
    d = d / 2 + 1;
    screen_effect(g, Fx::FoeRed);
  }
  if (r != 38) msg_add(g, num(d) + "ダメージ与えた!");

  // The tower's ten come on top of what the message shows, even on a miss.
  if (g.ui.tower_b.visible) {
    g.ui.tower_b.visible = false;
    d = sat_add(d, 10);
  }
  s.e_hp = sat_sub(s.e_hp, d);
  refresh(g);

  if (s.my_state == ail::kInfected) infection_bite(g);
}

void beast_hit(Game& g, int a) { stat_hit(g, a, g.s.my_beast, g.s.buf_beast(), Fx::FoePink); }

void magic_hit(Game& g, int a) { stat_hit(g, a, g.s.my_int, 0, Fx::FoeYellow); }

void bind_player_commands(Game& g) {
  g.ui.b1.on_click = b1Click;
  g.ui.tower_b.on_click = tower_bClick;
  g.ui.Button7.on_click = Button7Click;
}

}  // namespace z2
