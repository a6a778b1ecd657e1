#include "battle/turns.h"

#include <string>

#include "battle/ailment_step.h"
#include "battle/outcome.h"
#include "battle/player_commands.h"
#include "data/picture.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/floors.h"
#include "state/ids.h"
#include "state/int32.h"

namespace z2 {

namespace {

std::string num(i32 n) { return std::to_string(n); }

// The player's ailments: the odds of recovery at the start of the turn, and
// how they bite.
constexpr Recovery kMyRecoveries[] = {
    {ail::kSleep, 3, "は目を覚ました!"},      {ail::kStone, 5, "の石化が解けた!"},
    {ail::kConfused, 4, "の混乱が解けた!"},   {ail::kRampage, 4, "の暴走が解けた!"},
    {ail::kCurse, 3, "の呪いが解け、猛毒状態となった!"}, {ail::kMCurse, 8, "のＭ呪が解けた!"},
};
constexpr Sufferer kPlayer{
    .recoveries = kMyRecoveries,
    .name = &GameState::my_name, .state = &GameState::my_state, .hp = &GameState::my_hp, .hp_max = &GameState::my_hp_max,
    .other_name = &GameState::e_name, .other_hp = &GameState::e_hp,
    .burst = Fx::PlayerGreenBurst, .red = Fx::PlayerRed, .purple = Fx::PlayerPurple, .other_heals = Fx::FoeBlueRise,
    .venom_extra = 0, .strikes = "は攻撃した!", .strike = attack};

struct SealRecovery {
  bool GameState::*flag;
  const char* text;
};

constexpr SealRecovery kSeals[] = {
    {&GameState::can_punch, "攻撃可能になった"},
    {&GameState::can_magic, "魔法可能になった"},
    {&GameState::can_beast, "モンスター可能になった"},
    {&GameState::can_item, "アイテム可能になった"},
};

// The player's portrait follows the hit points. A missing picture keeps the
// one shown (the data checker names the missing files).
void my_portrait(Game& g) {
  const GameState& s = g.s;
  const char* file = nullptr;
  if (s.my_hp <= s.my_hp_max / 10) {
    file = "my2.bmp";
  } else if (s.my_hp < s.my_hp_max) {
    file = "my.bmp";
  } else if (s.my_hp == s.my_hp_max) {
    file = "my1.bmp";
  }
  if (file) load_picture(g.my_bak, g.cg_dir() + file);
  stretch_copy(g.ui.my_cg.image, {0, 0, 129, 129}, g.my_bak, {0, 0, 64, 64});
  g.ui.my_cg.touched();
}

// One player's turn. With `ailment_passes` the ailment step is passed over
// (the way out of an endless run of lost turns).
void player_turn(Game& g, bool ailment_passes) {
  GameState& s = g.s;
  Ui& ui = g.ui;

  if (s.colo_count > 0) {
    ui.moji_l3.visible = false;
    ui.moji_l3.text.clear();
  }

  if (!ailment_passes && ailment_step(g, kPlayer) == AilmentStep::LoseTurn) {
    // A lost turn has no outcome check of its own: the opponent's turn makes it.
    refresh(g);
    enemy_turn(g);
    return;
  }

  if (s.floor == floors::kGravityFloor) {
    msg_put(g, "＞重力ダメージ");
    screen_effect(g, Fx::PlayerPurple);
    const i32 n = s.my_hp_max / 10 + 1;
    msg_add(g, num(n) + "ダメージ受けた");
    s.my_hp = sat_sub(s.my_hp, n);
  }

  refresh(g);
  death_check(g);
  if (!s.in_battle) return;

  for (const SealRecovery& seal : kSeals) {
    if (s.*seal.flag || g.random(10) != 0) continue;
    screen_effect(g, Fx::PlayerBlueRise);
    msg_put(g, seal.text);
    s.*seal.flag = true;
  }

  if (s.no_escape) {
    s.colo_count = s.colo_count < 99 ? s.colo_count + 1 : 99;
    if (s.colo_count == 3 || s.colo_count == 5 || s.colo_count == 7) {
      ui.moji_l3.visible = true;
      msg_big(g, s.boss_name + "\r『" + s.boss_talk[static_cast<size_t>((s.colo_count - 1) / 2)] + "』");
    }
  }

  my_portrait(g);

  set_moji_l(g, s.my_name + "の攻撃");
  ui.battle_com.visible = true;
  g.plat.repaint();
  play_se(g, "1.wav");

  // The short draw is made only when the hit points are low.
  if ((s.my_hp < s.my_hp_max / 10 && g.random(10) == 0) || s.buki_ex == ex::kTower) ui.tower_b.visible = true;
}

}  // namespace

// Both sides losing their turns forever (stone against stone with a
// generator that never lets go) would never give the player a click again.
// The real odds of even a hundred lost turns in a row are nil; past them the
// player simply gets the turn (kLostTurnCap).
void my_turn(Game& g) {
  // Called from inside a lost turn's chain (the opponent's turn hands back):
  // the loop below runs it once the current turn has returned. Every hand-back
  // is the last step of the turn that makes it, so the order is the same.
  if (g.turn_depth > 0) {
    g.turn_again = true;
    return;
  }
  struct Depth {
    Game& g;
    explicit Depth(Game& game) : g(game) { ++g.turn_depth; }
    ~Depth() {
      --g.turn_depth;
      g.turn_again = false;
    }
  } depth(g);

  for (int lost = 0;; ++lost) {
    g.turn_again = false;
    player_turn(g, lost >= kLostTurnCap);
    if (!g.turn_again) break;
  }
}

}  // namespace z2
