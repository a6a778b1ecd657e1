// The buttons that open the list panel: the battle commands モンスター,
// アイテム and 魔法, and the map menu's 武器・防具, アイテム, ＭＤ, モンスター
// and ゴミ. Each says why when it refuses.
#include "lists/list_openers.h"

#include "lists/list_panel.h"
#include "shell/messages.h"
#include "state/ids.h"

namespace z2 {

namespace {

void refuse(Game& g, const char* why) {
  play_se(g, "miss.wav");
  set_moji_l(g, why);
}

}  // namespace

void open_list(Game& g, std::string_view caption, ListMode mode) {
  play_se(g, "key.wav");
  g.ui.list_box.caption = std::string(caption);
  g.ui.list_box.visible = true;
  list_open(g, mode);
}

namespace {

// モンスター (b2 in a fight, m2 on the map): these refusals hold anywhere.
void m2Click(Game& g) {
  const GameState& s = g.s;
  if (s.class_now == cls::kHalver) return refuse(g, "クラスによって使用不可");
  if (s.buki_ex == ex::kNoBeast) return refuse(g, "追加効果によって使用不可");
  if (!s.can_beast) return refuse(g, "敵の魔法によって使用不可");
  g.ui.tower_b.visible = false;
  open_list(g, s.in_battle ? caption::kMonsters : caption::kOwnedMonsters, ListMode::Monsters);
  g.ui.mon_pic.visible = true;
}

// アイテム (b3 in a fight, m1 on the map): the seals only bind in a fight.
void m1Click(Game& g) {
  GameState& s = g.s;
  if (s.buki_ex == ex::kNoItem && s.in_battle) return refuse(g, "追加効果によって使用不可");
  if (!s.can_item && s.in_battle) return refuse(g, "敵の魔法によって使用不可");
  open_list(g, caption::kItems, ListMode::Consumables);
  for (size_t i = 0; i < s.item_have.size(); ++i)
    if (s.item_have[i] > 0) s.item_book[i] = 1;
}

// 魔法 (b4).
void b4Click(Game& g) {
  const GameState& s = g.s;
  if (s.buki_ex == ex::kNoMagic) return refuse(g, "追加効果によって使用不可");
  if (!s.can_magic) return refuse(g, "敵の魔法によって使用不可");
  g.ui.tower_b.visible = false;
  open_list(g, caption::kMagic, ListMode::Magic);
}

void m3Click(Game& g) { open_list(g, caption::kGarbage, ListMode::Garbage); }
void m4Click(Game& g) { open_list(g, caption::kEquipment, ListMode::Equipment); }
void md_bClick(Game& g) { open_list(g, caption::kDiscs, ListMode::Discs); }

}  // namespace

void bind_list_openers(Game& g) {
  Ui& ui = g.ui;
  ui.b2.on_click = m2Click;
  ui.m2.on_click = m2Click;
  ui.b3.on_click = m1Click;
  ui.m1.on_click = m1Click;
  ui.b4.on_click = b4Click;
  ui.m3.on_click = m3Click;
  ui.m4.on_click = m4Click;
  ui.md_b.on_click = md_bClick;
}

}  // namespace z2
