// Buying and selling at the shop counters (captions 買う, WILD SHOP, 売る).
#include <string>

#include "lists/list_actions.h"
#include "lists/list_panel.h"
#include "shell/messages.h"
#include "state/ids.h"
#include "state/int32.h"

namespace z2 {

namespace {

// The price of the selected row: the stock entry at the row's position.
i32 row_price(const Game& g, const std::array<ShopRecord, 256>& stock) {
  return at_or_empty(stock, g.ui.list_l.selected).price;
}

bool valid_item(i32 id) { return id >= 0 && id < 500; }

// A full stack is refused before anything is asked or paid, in the
// shopkeeper's own words.
bool refused_full(Game& g, const char* line) {
  if (g.s.item_have[static_cast<size_t>(g.s.list_sel)] < kCountCap) return false;
  msg_put(g, line);
  play_se(g, "miss.wav");
  return true;
}

// ぼうやの声 is only for a player who holds the whole seven-piece set and
// has not yet met ぼうや himself; buying it gives up one piece of each.
bool boya_allowed(const GameState& s) {
  for (int i = item::kSevenSetFirst; i <= item::kSevenSetLast; ++i)
    if (s.item_have[static_cast<size_t>(i)] <= 0) return false;
  return s.monster_have[monster::kBoya] == 0;
}

void take_one(i32& count) { count = count > 0 ? count - 1 : 0; }

void bought(Game& g, const std::string& name, i32 price) {
  GameState& s = g.s;
  s.cent = sat_sub(s.cent, price);
  play_se(g, "buy.wav");
  set_moji_l(g, name + "を買った!!\r\r他にはなにかいるかい？");
  give_capped(s.item_have[static_cast<size_t>(s.list_sel)], 1);
  list_about(g);
}

}  // namespace

void buy_item(Game& g) {
  GameState& s = g.s;
  if (!valid_item(s.list_sel)) return;
  const std::string& name = g.t.item_table[static_cast<size_t>(s.list_sel)].it_name;
  const i32 price = row_price(g, g.t.shop_table);
  if (refused_full(g, "それ以上は持てないようだね")) return;
  if (!g.plat.ask(name + "を買いますか？")) {
    play_se(g, "miss.wav");
    return;
  }
  if (s.cent < price) {
    msg_put(g, "セントがたらないようだね");
    play_se(g, "miss.wav");
    return;
  }
  if (name == "ぼうやの声") {
    if (!boya_allowed(s)) {
      set_moji_l(g, "すまないが、それは特別なんだ、君には売れないよ");
      play_se(g, "miss.wav");
      return;
    }
    for (int i = item::kSevenSetFirst; i <= item::kSevenSetLast; ++i) take_one(s.item_have[static_cast<size_t>(i)]);
  }
  bought(g, name, price);
}

void buy_wild_item(Game& g) {
  GameState& s = g.s;
  if (!valid_item(s.list_sel)) return;
  const std::string& name = g.t.item_table[static_cast<size_t>(s.list_sel)].it_name;
  const i32 price = row_price(g, g.t.wild_table);
  if (refused_full(g, "それ以上は持てねえぜ")) return;
  if (!g.plat.ask(name + "を買うかい？")) {
    play_se(g, "miss.wav");
    return;
  }
  if (s.cent < price) {
    msg_put(g, "セントがたらないようだぜ、出なおしてきな");
    play_se(g, "miss.wav");
    return;
  }
  bought(g, name, price);
}

void sell_item(Game& g) {
  GameState& s = g.s;
  if (!valid_item(s.list_sel)) return;
  const ItemRecord& it = g.t.item_table[static_cast<size_t>(s.list_sel)];
  i32& have = s.item_have[static_cast<size_t>(s.list_sel)];
  const i32 value = it.it_pow / 5;
  // Two records may share a name and the list then names the one not
  // owned: nothing can be sold that is not there.
  if (have <= 0) {
    play_se(g, "miss.wav");
    return;
  }
  if (!g.plat.ask(it.it_name + "を" + std::to_string(value) + "ｾﾝﾄで売りますか？")) {
    play_se(g, "miss.wav");
    return;
  }
  play_se(g, "buy.wav");
  set_moji_l(g, it.it_name + "を売った!!\r\r他に何か売りたいかい？");
  have -= 1;
  s.cent = sat_add(s.cent, value);
  list_refresh(g, ListMode::Sell);
}

}  // namespace z2
