#include "rooms/chest.h"

#include <string>

#include "battle/outcome.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "state/int32.h"

namespace z2 {

namespace {

void trap(Game& g) {
  GameState& s = g.s;
  msg_put(g, "罠だ!!");
  if (g.random(5) != 0) {
    screen_effect(g, Fx::PlayerRed);
    const i32 damage = sat_add(s.my_hp_max / 2, 1);
    s.my_hp = sat_sub(s.my_hp, damage);
    msg_add(g, std::to_string(damage) + "ダメージ食らった!!");
    // The trap can kill: the outcome check runs the death part.
    death_check(g);
  } else {
    msg_add(g, "咄嗟に避けた。");
  }
}

}  // namespace

void takaraClick(Game& g) {
  GameState& s = g.s;
  Control& chest = g.ui.takara;
  play_se(g, "item.wav");
  chest.visible = false;
  chest.left = 10 + g.random(300);
  chest.top = 10 + g.random(250);
  msg_put(g, "宝箱を開いた!!");
  const int c = g.random(20);
  if (c <= 15) {
    item_random_get(g);
  } else if (c == 16) {
    msg_put(g, "何も入っていなかった...");
  } else if (c <= 18) {
    const i32 n = g.random(500);
    msg_put(g, std::to_string(n) + "セントはいっていた!!");
    s.cent = sat_add(s.cent, n);
  } else {
    trap(g);
  }
}

void bind_chest(Game& g) {
  g.ui.takara.on_click = takaraClick;
}

}  // namespace z2
