#include "rooms/choice_box.h"

#include <string>

#include "battle/outcome.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/int32.h"

namespace z2 {

namespace {

// What a button raises, by how much, and how the visitor says goodbye.
enum class Stat { HpMax, MpMax, Atk, Int, Body, Beast, Ark, Cent };

struct Choice {
  Stat stat;
  i32 base;    // the raise is base + random(spread), or base alone
  i32 spread;  // 0: no draw
  const char* head;
  const char* tail;
  const char* farewell;
};

constexpr Choice kChoices[] = {
    {Stat::HpMax, 4, 4, "最大HPが", "上がった!!", "『よかったネ、バイバイ☆』"},
    {Stat::MpMax, 1, 2, "最大MPが", "上がった!!", "『ＭＰ重要ダネ、チャオ♪』"},
    {Stat::Atk, 1, 0, "攻撃力が", "上がった!!", "『強くなったゾ、See YA!!』"},
    {Stat::Int, 1, 0, "知力が", "上がった!!", "『賢くなったソ、サイチェン♪』"},
    {Stat::Body, 1, 0, "体力が", "上がった!!", "『やったネ、またね！』"},
    {Stat::Beast, 1, 0, "獣力が", "上がった!!", "『やったネ、またね！』"},
    {Stat::Ark, 20, 0, "ARKが", "上がった!!", "『ARK重要ダネ、チャオ♪』"},
    {Stat::Cent, 1000, 0, "セントが", "pｾﾝﾄ上がった!!", "『セント重要ダネ、チャオ♪』"},
};

i32& value_of(GameState& s, Stat stat) {
  switch (stat) {
    case Stat::HpMax: return s.my_hp_max;
    case Stat::MpMax: return s.my_mp_max;
    case Stat::Atk: return s.my_atk;
    case Stat::Int: return s.my_int;
    case Stat::Body: return s.my_body;
    case Stat::Beast: return s.my_beast;
    case Stat::Ark: return s.ark;
    case Stat::Cent: return s.cent;
  }
  return s.my_atk;
}

void choose(Game& g, Stat stat) {
  GameState& s = g.s;
  const Choice& c = kChoices[static_cast<int>(stat)];
  play_se(g, "lvup.wav");
  screen_effect(g, Fx::PlayerYellowRise);
  const i32 k = c.spread > 0 ? c.base + g.random(c.spread) : c.base;
  msg_put(g, c.head + std::to_string(k) + c.tail);
  i32& v = value_of(s, stat);
  v = sat_add(v, k);
  refresh(g);
  g.ui.lv_box.visible = false;
  if (s.host_mode) msg_put(g, c.farewell);
  battle_end(g);
  s.host_mode = false;
}

void Button27Click(Game& g) { choose(g, Stat::HpMax); }
void Button28Click(Game& g) { choose(g, Stat::MpMax); }
void Button29Click(Game& g) { choose(g, Stat::Atk); }
void Button30Click(Game& g) { choose(g, Stat::Int); }
void Button31Click(Game& g) { choose(g, Stat::Body); }
void Button51Click(Game& g) { choose(g, Stat::Beast); }
void lv2_bClick(Game& g) { choose(g, Stat::Ark); }
void lv3_bClick(Game& g) { choose(g, Stat::Cent); }

}  // namespace

void bind_choice_box(Game& g) {
  Ui& ui = g.ui;
  ui.Button27.on_click = Button27Click;
  ui.Button28.on_click = Button28Click;
  ui.Button29.on_click = Button29Click;
  ui.Button30.on_click = Button30Click;
  ui.Button31.on_click = Button31Click;
  ui.Button51.on_click = Button51Click;
  ui.lv2_b.on_click = lv2_bClick;
  ui.lv3_b.on_click = lv3_bClick;
}

}  // namespace z2
