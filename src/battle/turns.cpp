#include "battle/turns.h"

#include "shell/messages.h"

namespace z2 {

// The player's turn opens the command box and waits for a click.
void my_turn(Game& g) {
  set_moji_l(g, g.s.my_name + "の攻撃");
  g.ui.battle_com.visible = true;
  g.plat.repaint();
  play_se(g, "1.wav");
}

}  // namespace z2
