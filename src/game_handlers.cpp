// The composition of the game: every handler bound to its control, and the
// hooks by which lower folders run steps that higher ones own. This is the
// only file that knows every subsystem.
#include "game_handlers.h"

#include "battle/encounter.h"
#include "battle/enemy_actions.h"
#include "battle/player_commands.h"
#include "lists/list_actions.h"
#include "lists/list_openers.h"
#include "lists/list_panel.h"
#include "rooms/chest.h"
#include "rooms/choice_box.h"
#include "rooms/debug_panel.h"
#include "rooms/errand_girl.h"
#include "rooms/fight_rooms.h"
#include "rooms/floor_map.h"
#include "rooms/service_rooms.h"
#include "rooms/shops.h"
#include "shell/messages.h"
#include "shell/status.h"
#include "shell/title.h"

namespace z2 {

void bind_handlers(Game& g) {
  bind_messages(g);
  bind_title(g);
  bind_floor_map(g);
  bind_fight_rooms(g);
  bind_encounter(g);
  bind_player_commands(g);
  bind_list_panel(g);
  bind_list_actions(g);
  bind_list_openers(g);
  bind_errand_girl(g);
  bind_service_rooms(g);
  bind_chest(g);
  bind_choice_box(g);
  bind_debug_panel(g);
  bind_shops(g);

  g.timer1.on_fire = status_refresh;
  g.timer2.on_fire = minute_tick;
  g.timer3.on_fire = opening_step;

  g.hooks.apply_stairs = apply_stairs;
  g.hooks.apply_colosseum_button = apply_colosseum_button;
  g.hooks.apply_floor_rules = apply_floor_rules;
}

}  // namespace z2
