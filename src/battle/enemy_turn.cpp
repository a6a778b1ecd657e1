// The opponent's half of the fight: its ailment, its choice of action, its
// ordinary hit, and the hand-back to the player.
#include <string>

#include "battle/ailment_step.h"
#include "battle/enemy_actions.h"
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

// The opponent's ailments: the odds of recovery at the start of its turn, and
// how they bite.
constexpr Recovery kRecoveries[] = {
    {ail::kSleep, 4, "は目を覚ました!"},      {ail::kStone, 7, "の石化が解けた!"},
    {ail::kConfused, 5, "の混乱が解けた!"},   {ail::kRampage, 4, "の暴走が解けた!"},
    {ail::kCurse, 4, "の呪いが解け、猛毒状態となった!"}, {ail::kMCurse, 10, "のＭ呪が解けた!"},
};
constexpr Sufferer kOpponent{
    .recoveries = kRecoveries,
    .name = &GameState::e_name, .state = &GameState::e_state, .hp = &GameState::e_hp, .hp_max = &GameState::e_hp_max,
    .other_name = &GameState::my_name, .other_hp = &GameState::my_hp,
    .burst = Fx::FoeGreenBurst, .red = Fx::FoeRed, .purple = Fx::FoePurple, .other_heals = Fx::PlayerBlueRise,
    .venom_extra = 1, .strikes = "は攻撃してきた!", .strike = enemy_attack};

// The five action fields of the opponent's record; an opponent without a
// record of the table (a value set by hand) only flicks.
ActionSet record_actions(const Game& g) {
  const int id = g.s.e_id;
  if (id < -1 || id > 254) return {};
  return g.t.enemy(id).en_act;
}


}  // namespace

void enemy_turn(Game& g) {
  GameState& s = g.s;

  // The top floor's opponents shake off what the player gave them.
  if (s.floor == kTopFloor && s.e_state != ail::kNone && g.random(3) == 0) {
    screen_effect(g, Fx::FoeBlueRise);
    s.e_state = ail::kNone;
    msg_put(g, s.e_name + "は異常状態を解除した!!");
  }
  // ファウスト hands its ailment over to the player.
  if (s.e_name == kFaustName && s.e_state != ail::kNone && g.random(3) == 0) {
    screen_effect(g, Fx::FoeBlueRise);
    screen_effect(g, Fx::PlayerPurple);
    s.my_state = s.e_state;
    s.e_state = ail::kNone;
    msg_put(g, s.e_name + "は異常状態をこちらに転換させた!!");
  }

  if (ailment_step(g, kOpponent) == AilmentStep::LoseTurn) {
    // The player's turn judges the fight first; no check here.
    refresh(g);
    my_turn(g);
    return;
  }

  refresh(g);
  death_check(g);
  if (!s.in_battle) return;

  msg_put(g, s.e_name + "の攻撃");
  // Each pick draws its numbers, also the ones the colosseum overrides.
  int code = pick_action(g, record_actions(g));
  if (s.no_escape) {
    if (const ActionSet* set = colosseum_set(s.floor)) code = pick_action(g, *set);
    if (s.e_name == kFaustName) code = pick_action(g, kFaustSet);
  }
  enemy_action(g, code);

  refresh(g);
  death_check(g);
  if (s.in_battle) my_turn(g);
}

void enemy_attack(Game& g, int power) {
  GameState& s = g.s;

  i32 d = s.my_hp_max / 20;
  d = sat_add(d, sat_mul(power, 3));
  d = sat_add(d, s.e_lv);
  d = sat_add(d, s.e_buf_atk);
  d = sat_sub(d, s.bougu_pow / 4);
  d = sat_sub(d, sat_add(sat_mul(s.my_body, 2), 1));
  d = sat_sub(d, s.buf_def());
  if (d <= 1) d = g.random(s.my_hp / 20) + 1;

  const int roll = g.random(28);
  if (roll <= 25) {
    screen_effect(g, Fx::PlayerRed);
    msg_add(g, num(d) + "ダメージくらった!");
  } else if (roll == 26) {
    msg_add(g, "Miss!!");
    d = 0;
  } else {
    msg_add(g, s.my_name + "は防御した!!");
    d = d / 2 + 1;
    screen_effect(g, Fx::PlayerRed);
    msg_add(g, num(d) + "ダメージくらった!");
  }

  // The ascetic takes half, and every blow, even a miss, wears the body.
  if (s.class_now == cls::kAscetic) {
    d /= 2;
    s.my_hp_max = sat_sub(s.my_hp_max, s.my_hp_max / 110 + 1);
  }

  s.my_hp = sat_sub(s.my_hp, d);
  refresh(g);

  // Armour wear: both rolls are always made.
  const bool wear = g.random(3) == 0;
  if (wear && s.buki_ex != ex::kArmourKeep) s.bougu_pow = sat_sub(s.bougu_pow, s.bougu_pow / 8 + 1);
  const bool extra_wear = g.random(3) == 0;
  if (extra_wear && s.buki_ex == ex::kArmourWear) s.bougu_pow = sat_sub(s.bougu_pow, s.bougu_pow / 5 + 1);
  if (s.bougu_pow < 0) s.bougu_pow = 0;

  if (s.e_state == ail::kInfected) {
    screen_effect(g, Fx::FoeRed);
    const i32 n = s.e_hp_max / 8;
    msg_put(g, s.e_name + "は感染によって" + num(n) + "のダメージを受けている");
    s.e_hp = sat_sub(s.e_hp, n);
    refresh(g);
  }
}

}  // namespace z2
