#include "rooms/errand_girl.h"

#include <string>

#include "battle/outcome.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "state/ids.h"
#include "state/int32.h"

namespace z2 {

namespace {

constexpr i32 kFee = 51;
constexpr i32 kMaxErrands = 99;
constexpr i32 kJoinsOnErrand = 98;
// The garbage she brings when her search finds nothing named.
constexpr int kFallbackGomi = 87;

void show_picture(Game& g) { g.ui.wata.visible = true; }

void portrait(Game& g, const char* file) {
  picture_step(g, [&] { e_cg_load(g, file); });
}

// Garbage she picked up: up to 500 draws for a named one.
void found_garbage(Game& g) {
  GameState& s = g.s;
  const auto& table = g.t.gomi_table;
  int b = 0;
  bool named = false;
  for (int k = 0; k < 500 && !named; ++k) {
    b = g.random(499);
    named = !table[static_cast<size_t>(b)].gm_name.empty();
  }
  if (!named || b == 0) b = kFallbackGomi;
  const std::string& name = table[static_cast<size_t>(b)].gm_name;
  if (name.empty()) {
    // Data without the fallback garbage: she comes back empty-handed.
    msg_put(g, "『なにもなかったよ、ゴメンね。』");
    return;
  }
  msg_put(g, "ゴミ【" + name + "】を入手した!!");
  give_capped(s.gomi_have[static_cast<size_t>(b)], 1);
}

void lose_cents(Game& g, i32 n) {
  g.s.cent = sat_sub(g.s.cent, n);
  if (g.s.cent < 0) g.s.cent = 0;
}

void report(Game& g) {
  GameState& s = g.s;
  g.ui.wata.visible = false;
  msg_put(g, "『わたっ娘だよっ。アイテム探しに行ってきたよ。』");
  const int a = g.random(12);
  if (a == 0) {
    const i32 n = g.random(500);
    msg_put(g, "『" + std::to_string(n) + "ｾﾝﾄ見つけたよ。』");
    msg_add(g, std::to_string(n) + "ｾﾝﾄ入手した");
    s.cent = sat_add(s.cent, n);
  } else if (a <= 5) {
    msg_add(g, "『こんなの見つけたよ』");
    item_random_get(g);
  } else if (a <= 7) {
    msg_add(g, "『こんなの見つけたよ』");
    found_garbage(g);
  } else if (a == 8) {
    msg_put(g, "『なにもなかったよ、ゴメンね。』");
  } else if (a == 9) {
    msg_put(g, "『ケガしちゃった。慰謝料80ｾﾝﾄもらうよ』");
    msg_add(g, "80ｾﾝﾄ失った。");
    lose_cents(g, 80);
  } else if (a == 10) {
    msg_put(g, "『大ケガしちゃった。慰謝料200ｾﾝﾄもらうよ』");
    msg_add(g, "200ｾﾝﾄ失った。");
    lose_cents(g, 200);
  } else {
    const i32 n = 3 + g.random(5);
    msg_put(g, "『" + std::to_string(n) + "Ark見つけたよ。』");
    msg_add(g, std::to_string(n) + "Ark入手した");
    s.ark = sat_add(s.ark, n);
  }

  if (s.wata == kJoinsOnErrand) {
    msg_put(g, "『あ、あと、えとね、えとね");
    msg_add(g, "な、な、仲間に･･･");
    msg_add(g, "して？』");
    play_se(g, "key.wav");
    g.plat.notice("【わたっ娘】が仲間になった!!");
    give_capped(s.monster_have[monster::kErrandGirl], 1);
    play_se(g, "key.wav");
  }
  msg_add(g, "『じゃあね～』");
  s.wata_out = 0;
  portrait(g, "tan.bmp");
}

}  // namespace

void wata_arrival(Game& g) {
  Control& w = g.ui.wata;
  w.left = 145;
  w.top = 152;
  w.visible = false;
  if (w.image.isNull()) {
    load_picture(w.image, g.cg_dir() + "wata.bmp");
    w.touched();
  }
  const i32 out = g.s.wata_out;
  if ((out == 0 && g.random(15) == 0) || (out == 1 && g.random(6) == 0)) show_picture(g);
}

void wataClick(Game& g) {
  play_se(g, "key.wav");
  portrait(g, "wata.bmp");
  if (g.s.wata_out == 1) {
    report(g);
    return;
  }
  set_moji_l(g, "『わたっ娘だよっ。51ｾﾝﾄでお手伝いするよ。\r\r51ｾﾝﾄの内1ｾﾝﾄはわた税だよ。』");
  g.ui.wata.visible = false;
  g.ui.wata_b.visible = true;
}

void wata_bClick(Game& g) {
  GameState& s = g.s;
  play_se(g, "key.wav");
  if (s.cent < kFee) {
    play_se(g, "miss.wav");
    set_moji_l(g, "ｾﾝﾄが足りないよ");
    return;
  }
  g.ui.wata_b.visible = false;
  s.cent -= kFee;
  msg_put(g, "ちょっと行ってくるから、まっててね");
  s.wata_out = 1;
  msg_add(g, "わたっ娘は旅だって行った。");
  portrait(g, "tan.bmp");
  s.wata = sat_add(s.wata, 1);
  if (s.wata > kMaxErrands) s.wata = kMaxErrands;
}

void bind_errand_girl(Game& g) {
  Ui& ui = g.ui;
  ui.wata.on_click = wataClick;
  ui.wata_b.on_click = wata_bClick;
}

}  // namespace z2
