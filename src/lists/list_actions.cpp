// The OK button of the list panel: one frame for every caption.
#include "lists/list_actions.h"

#include "battle/outcome.h"
#include "battle/turns.h"
#include "lists/list_panel.h"
#include "shell/messages.h"
#include "shell/status.h"

namespace z2 {

namespace {

bool caption_is(const Game& g, std::string_view c) { return g.ui.list_box.caption == c; }

// Using an item, equipping, calling a monster or casting costs the turn in
// a fight: the outcome check, and the opponent's move while it goes on.
void closing_step(Game& g) {
  refresh(g);
  death_check(g);
  if (g.s.in_battle) death_check(g);
  if (g.s.in_battle) enemy_turn(g);
}

void OKClick(Game& g) {
  Ui& ui = g.ui;
  play_se(g, "item.wav");
  ui.mon_pic.visible = false;
  ui.tower_b.visible = false;
  if (ui.list_l.selected < 0) return;
  if (g.s.in_battle) {
    ui.battle_com.visible = false;
    ui.list_box.visible = false;
  }
  ui.moji_l3.visible = false;
  ui.moji_l3.text.clear();
  const int k = at_or_empty(g.t.item_table, g.s.list_sel).it_pow;

  // Items, equipment and monsters are tested one by one, the rest as one chain.
  if (caption_is(g, caption::kItems)) {
    if (use_item(g, k)) closing_step(g);
  }
  if (caption_is(g, caption::kEquipment)) {
    if (equip_item(g)) closing_step(g);
  }
  if (caption_is(g, caption::kMonsters)) {
    if (call_monster(g)) closing_step(g);
  }
  if (caption_is(g, caption::kOwnedMonsters)) {
    owned_monster_refused(g);
  } else if (caption_is(g, caption::kFeed)) {
    feed_garbage(g);
  } else if (caption_is(g, caption::kGarbage)) {
    look_garbage(g);
  } else if (caption_is(g, caption::kFusion)) {
    choose_fusion(g);
  } else if (caption_is(g, caption::kDiscs)) {
    play_disc(g);
  } else if (caption_is(g, caption::kBuy)) {
    buy_item(g);
  } else if (caption_is(g, caption::kWildShop)) {
    buy_wild_item(g);
  } else if (caption_is(g, caption::kSell)) {
    sell_item(g);
  } else if (caption_is(g, caption::kClassChange)) {
    change_class(g);
  } else if (caption_is(g, caption::kMagic)) {
    if (cast_magic(g)) closing_step(g);
  }
}

}  // namespace

void bind_list_actions(Game& g) { g.ui.OK.on_click = OKClick; }

}  // namespace z2
