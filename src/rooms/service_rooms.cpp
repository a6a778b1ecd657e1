#include "rooms/service_rooms.h"

#include <algorithm>

#include "data/cp932.h"
#include "lists/list_panel.h"
#include "rooms/host.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/int32.h"

namespace z2 {

namespace {

const Host kChurchHost{"s_Ch.bmp", "謎の女性", 1, 5, "luida.bmp"};
const Host kCleanerHost{"gomiroom.bmp", "ｸﾘｰﾅｰﾔﾑﾔﾑ", 99, 9999, "yam.bmp"};
const Host kWorkshopHost{"monster.bmp", "マーラー", 1, 5, "mara.bmp"};

constexpr const char* kShut = "閉まっていて入れません";
constexpr const char* kWorkshopPrompt =
    "どのモンスターを武具に合成させたい？\r\r(※追加効果は武器に合成した時のみ追加されます)";

// What a monster cries as it melts into the weapon.
constexpr const char* kLastWords[12] = {
    "マダ一緒ニ居タカッタノニ･･･", "ギャアアアアァァァ",  "グフ･･･",
    "嘘ダヨネ････？グフッ･･･",     "助ケテ!!死ヌノハ嫌ダヨ!!", "キャアアア････!!",
    "ドウシテ････!?",               "･･･殺サナイデ!!",        "ウギャァア･･･",
    "ボクノコト、忘レナイデ",       "アタシ、君ノ役ニタテルンダヨネ？", "死ンデモ忘レナイデ････",
};

// A room the map does not offer yet says so on the map.
void shut(Game& g) {
  play_se(g, "miss.wav");
  set_moji_l2(g, kShut);
}

// The host is in place: the list panel opens on the room's caption.
void open_list(Game& g, std::string_view caption, ListMode mode) {
  g.ui.list_box.caption = std::string(caption);
  list_open(g, mode);
  g.ui.list_box.visible = true;
  g.plat.repaint();
}

// The fusion box closes and gives the list back.
void close_fusion_box(Game& g) {
  Ui& ui = g.ui;
  ui.OK.visible = true;
  ui.cancel_b.visible = true;
  ui.list_l.enabled = true;
  ui.gousei_box.visible = false;
}

void fuse(Game& g, bool weapon) {
  GameState& s = g.s;
  const i32 fee = weapon ? 100 : 50;
  const int m = s.list_sel;
  // The box only opens on a monster the player holds; anything else is a
  // stale choice, and nothing is fused out of nothing.
  if (m < 0 || m >= 500 || s.monster_have[static_cast<size_t>(m)] < 1) {
    play_se(g, "miss.wav");
    close_fusion_box(g);
    set_moji_l(g, kWorkshopPrompt);
    return;
  }
  if (s.cent < fee) {
    play_se(g, "miss.wav");
    set_moji_l(g, "セントがたりないよ");
    return;
  }
  s.cent -= fee;
  play_se(g, "gousei.wav");
  close_fusion_box(g);

  const MonsterRecord& mo = g.t.monster_table[static_cast<size_t>(m)];
  const i32 v = fusion_value(g.t, m);
  i32& have = s.monster_have[static_cast<size_t>(m)];
  have = have > 0 ? have - 1 : 0;
  list_refresh(g, ListMode::Monsters);

  std::string& name = weapon ? s.buki_name : s.bougu_name;
  i32& pow = weapon ? s.buki_pow : s.bougu_pow;
  const std::string old_name = name;
  const i32 old_pow = pow;
  const std::string new_name = fusion_name(mo.mo_name, old_name, weapon);
  const i32 new_pow = std::min(sat_add(old_pow, v), kNineNines);

  std::string box = "【" + old_name + "】△" + std::to_string(old_pow) + " ＋ 【" + mo.mo_name + "】\r↓\rNEW>\r【" +
                    new_name + "】△" + std::to_string(new_pow);
  if (weapon) {
    if (mo.mo_ex != 0) s.buki_ex = mo.mo_ex;
    const char* words = kLastWords[g.random(12)];
    if (g.random(6) == 0) msg_put(g, mo.mo_name + "「" + words + "」");
    box += "\r(★" + at_or_empty(g.t.ex_names, s.buki_ex) + ")\r\r";
  }
  box += "ができた!!";
  g.plat.notice(box);

  name = new_name;
  pow = new_pow;
  play_se(g, "key.wav");
  set_moji_l(g, "他に合成させたいモンスターはいる？");
}

}  // namespace

i32 fusion_value(const Tables& t, int m) {
  const MonsterRecord& mo = at_or_empty(t.monster_table, m);
  const bool hatchable = !at_or_empty(t.gomi_table, m).gm_name.empty();
  return sat_mul(mo.mo_gousei, hatchable ? 10 : 100);
}

std::string fusion_name(const std::string& monster, const std::string& old_name, bool weapon) {
  return cp932_prefix(monster, 6) + cp932_prefix(old_name, 6) + (weapon ? "剣" : "服");
}

void s_chClick(Game& g) {
  host_entry(g, kChurchHost);
  set_moji_l(g, "モンスターの力を引き出して、あなたの力としてあげます。\r\rどのクラスにチェンジしたいですか？");
  open_list(g, caption::kClassChange, ListMode::Classes);
}

void Button23Click(Game& g) {
  GameState& s = g.s;
  g.ui.takara.visible = false;
  // The cleaner's book keeping runs at the door, open or shut.
  for (size_t i = 0; i < s.monster_have.size(); ++i)
    if (s.monster_have[i] > 0) s.monster_book[i] = 1;
  if (!g.ui.m3.visible) {
    shut(g);
    return;
  }
  host_entry(g, kCleanerHost);
  msg_put(g, "クリーナーヤムヤムが出現した！");
  msg_add(g, "『ゴミありますかぁ? ヤムヤム』\r\r＊どのゴミを食べさせますか?");
  open_list(g, caption::kFeed, ListMode::Garbage);
}

void s_monsterClick(Game& g) {
  if (!g.ui.m2.visible) {
    shut(g);
    return;
  }
  host_entry(g, kWorkshopHost);
  set_moji_l(g, kWorkshopPrompt);
  open_list(g, caption::kFusion, ListMode::Monsters);
}

void Button36Click(Game& g) {
  play_se(g, "miss.wav");
  close_fusion_box(g);
  set_moji_l(g, kWorkshopPrompt);
}

void Button37Click(Game& g) { fuse(g, true); }
void Button35Click(Game& g) { fuse(g, false); }

void s_erClick(Game& g) {
  GameState& s = g.s;
  g.ui.takara.visible = false;
  play_se(g, "key.wav");
  const i32 fee = s.my_mp_max;
  if (!g.plat.ask("治療には" + std::to_string(fee) + "ｾﾝﾄ必要です。治療をうけますか？")) {
    play_se(g, "miss.wav");
    return;
  }
  if (s.cent < fee) {
    set_moji_l2(g, "セントが足りません");
    return;
  }
  s.cent = sat_sub(s.cent, fee);
  s.my_hp = s.my_hp_max;
  s.my_mp = s.my_mp_max;
  s.my_state = 0;
  screen_effect(g, Fx::PlayerBlueRise);
  set_moji_l2(g, "完全回復!!");
  play_se(g, "magic.wav");
}

void name_bClick(Game& g) {
  Ui& ui = g.ui;
  // A name is one line of the save file: line breaks never get into it.
  std::string text = ui.name_l.text;
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  if (text.empty()) {
    play_se(g, "miss.wav");
    return;
  }
  ui.name_box.visible = false;
  g.plat.repaint();
  if (ui.name_b.caption == "武器にネーミング") {
    g.s.buki_name = text;
    set_moji_l2(g, "武器【" + text + "】が誕生した!!");
    play_se(g, "gousei.wav");
  } else if (ui.name_b.caption == "防具にネーミング") {
    g.s.bougu_name = text;
    set_moji_l2(g, "防具【" + text + "】が誕生した!!");
    play_se(g, "gousei.wav");
  }
}

void bind_service_rooms(Game& g) {
  Ui& ui = g.ui;
  ui.s_ch.on_click = s_chClick;
  ui.s_gomi.on_click = Button23Click;
  ui.s_monster.on_click = s_monsterClick;
  ui.Button37.on_click = Button37Click;
  ui.Button35.on_click = Button35Click;
  ui.Button36.on_click = Button36Click;
  ui.s_er.on_click = s_erClick;
  ui.name_b.on_click = name_bClick;
}

}  // namespace z2
