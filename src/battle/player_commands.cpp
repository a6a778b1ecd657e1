#include "battle/player_commands.h"

#include <string>

#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/int32.h"

namespace z2 {

namespace {

// beast_hit and magic_hit differ only in the stat, the bonus and the effect.
void stat_hit(Game& g, int a, i32 stat, i32 bonus, unsigned effect) {
  i32 n = sat_add(sat_add(sat_add(sat_add(sat_mul(4, a), sat_mul(3, stat)), g.s.my_lv / 2), 1), bonus);
  if (a == 0) n /= 2;
  if (n < 1) n = 1;
  screen_effect(g, effect);
  msg_add(g, std::to_string(n) + "ダメージ与えた!");
  g.s.e_hp = sat_sub(g.s.e_hp, n);
  status_refresh(g);
  g.plat.repaint();
}

}  // namespace

void attack(Game&, int) {}

void beast_hit(Game& g, int a) { stat_hit(g, a, g.s.my_beast, g.s.buf_beast(), 4); }

void magic_hit(Game& g, int a) { stat_hit(g, a, g.s.my_int, 0, 18); }

void bind_player_commands(Game&) {}

}  // namespace z2
