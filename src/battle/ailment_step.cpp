#include "battle/ailment_step.h"

#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/ids.h"

namespace z2 {

namespace {

std::string num(i32 n) { return std::to_string(n); }

// The confused side hits itself, dawdles or strikes at random; the turn is lost.
void confused(Game& g, const Sufferer& who) {
  GameState& s = g.s;
  const std::string& name = s.*who.name;
  msg_put(g, name + "は混乱している");
  switch (g.random(4)) {
    case 0: {
      screen_effect(g, who.red);
      msg_add(g, name + "は自分を攻撃した");
      const i32 n = sat_add(s.*who.hp_max / 15, 1);
      msg_add(g, num(n) + "のダメージ");
      s.*who.hp = sat_sub(s.*who.hp, n);
      break;
    }
    case 1: msg_add(g, name + "はぼーっとしている..."); break;
    case 2: msg_add(g, name + "は何もしなかった..."); break;
    default:
      msg_add(g, name + who.strikes);
      who.strike(g, 1);
      break;
  }
}

// An ailment that did not wear off.
AilmentStep bite(Game& g, const Sufferer& who) {
  GameState& s = g.s;
  const std::string& name = s.*who.name;
  i32& hp = s.*who.hp;
  switch (s.*who.state) {
    case ail::kPoison: {
      screen_effect(g, who.burst);
      msg_put(g, name + "は毒に苦しんでいる");
      const i32 n = sat_add(s.*who.hp_max / 10, 1);
      msg_add(g, num(n) + "の毒ダメージ");
      hp = sat_sub(hp, n);
      return AilmentStep::Act;
    }
    case ail::kSleep:
      msg_put(g, name + "は眠っている");
      msg_add(g, "zzZZZ");
      return AilmentStep::LoseTurn;
    case ail::kStone:
      msg_put(g, name + "は石化している");
      return AilmentStep::LoseTurn;
    case ail::kConfused:
      confused(g, who);
      return AilmentStep::LoseTurn;
    case ail::kRampage:
      msg_put(g, name + "は暴走している");
      who.strike(g, 2);
      return AilmentStep::LoseTurn;
    case ail::kVenom: {
      screen_effect(g, who.burst);
      msg_put(g, name + "は猛毒に苦しんでいる");
      const i32 n = sat_add(hp / 4, who.venom_extra);
      msg_add(g, num(n) + "の猛毒ダメージ");
      hp = sat_sub(hp, n);
      return AilmentStep::Act;
    }
    case ail::kCurse:
      msg_put(g, name + "は呪いによって動けない");
      return AilmentStep::LoseTurn;
    case ail::kMCurse: {
      screen_effect(g, who.purple);
      const i32 n = sat_add(hp / 3, 1);
      hp = sat_sub(hp, n);
      msg_put(g, name + "はＭ呪によってHPの１／３が無くなった");
      refresh(g);
      return AilmentStep::Act;
    }
    case ail::kLeech: {
      screen_effect(g, who.burst);
      msg_put(g, name + "は毒に苦しんでいる");
      const i32 n = sat_add(s.*who.hp_max / 10, 1);
      hp = sat_sub(hp, n);
      refresh(g);
      screen_effect(g, who.other_heals);
      msg_add(g, s.*who.other_name + "は" + num(n) + "吸収した。");
      s.*who.other_hp = sat_add(s.*who.other_hp, n);
      return AilmentStep::Act;
    }
    default:  // none, infection and unknown codes
      return AilmentStep::Act;
  }
}

}  // namespace

AilmentStep ailment_step(Game& g, const Sufferer& who) {
  GameState& s = g.s;
  for (const Recovery& r : who.recoveries) {
    if (r.state != s.*who.state || g.random(r.chance) != 0) continue;
    msg_put(g, s.*who.name + r.healed);
    // A lifted curse leaves the venom behind.
    s.*who.state = r.state == ail::kCurse ? ail::kVenom : ail::kNone;
    return AilmentStep::Act;
  }
  return bite(g, who);
}

}  // namespace z2
