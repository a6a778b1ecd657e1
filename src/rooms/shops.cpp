// Entering the shops and the shop menu's two counters. What is bought or
// sold is the list panel's business (lists/shops.cpp).
#include "rooms/shops.h"

#include "lists/list_panel.h"
#include "rooms/errand_girl.h"
#include "rooms/host.h"
#include "shell/messages.h"

namespace z2 {

namespace {

constexpr int kWildDoor = 50;  // the WILD shop lets in no one weaker

void show_counter(Game& g, const char* line, std::string_view caption, ListMode mode) {
  set_moji_l(g, line);
  g.ui.list_box.caption = std::string(caption);
  g.ui.list_box.visible = true;
  list_open(g, mode);
}

void s_shopClick(Game& g) {
  g.ui.takara.visible = false;
  g.ui.shop_box.visible = true;
  host_entry(g, {"shop.bmp", "タンホイザー", 15, 100, "tan.bmp"});
  show_counter(g, "何が欲しい？", caption::kBuy, ListMode::Buy);
  wata_arrival(g);
}

void s_wildClick(Game& g) {
  if (g.s.wild < kWildDoor) {
    play_se(g, "miss.wav");
    set_moji_l2(g, "【WILD】が低すぎて入店を断られました。");
    return;
  }
  host_entry(g, {"wild.bmp", "ザクレブ", 1500, 15000, "tan2.bmp"});
  show_counter(g, "よく来たな！ここは真の闘士のみが集う場所だぜ", caption::kWildShop, ListMode::WildShop);
}

void Button41Click(Game& g) {
  play_se(g, "key.wav");
  show_counter(g, "何が欲しい？", caption::kBuy, ListMode::Buy);
}

void Button42Click(Game& g) {
  play_se(g, "key.wav");
  show_counter(g, "どれを売る？", caption::kSell, ListMode::Sell);
}

}  // namespace

void bind_shops(Game& g) {
  Ui& ui = g.ui;
  ui.s_shop.on_click = s_shopClick;
  ui.s_wild.on_click = s_wildClick;
  ui.Button41.on_click = Button41Click;
  ui.Button42.on_click = Button42Click;
}

}  // namespace z2
