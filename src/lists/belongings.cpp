// The list actions away from the fight: looking at garbage, feeding the
// cleaner, choosing a monster to fuse, playing a disc and changing class.
// None of them costs a turn; every one keeps the list panel open.
#include <string>

#include "data/picture.h"
#include "lists/list_actions.h"
#include "lists/list_panel.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/int32.h"

namespace z2 {

namespace {

// The chosen entry, when it is an index of a table of `size` records.
bool sel_in(const Game& g, int size) { return g.s.list_sel >= 0 && g.s.list_sel < size; }

size_t sel(const Game& g) { return static_cast<size_t>(g.s.list_sel); }

// One copy of an owned thing is used up; a count never goes below 0.
void use_one(i32& count) { count = count > 0 ? count - 1 : 0; }

// The hatched monster grows out of the middle of the main picture.
void hatch_zoom(Game& g) {
  Control& cg = g.ui.cg;
  auto frame = [&](int k, int ms) {
    stretch_copy(cg.image, {100 - 10 * k, 100 - 10 * k, 100 + 10 * k, 100 + 10 * k}, g.bak20, {0, 0, 20, 20});
    cg.touched();
    g.plat.repaint();
    g.plat.pause(ms);
  };
  for (int k = 0; k <= 12; ++k) frame(k, 2);
  for (int k = 13; k >= 10; --k) frame(k, 10);
  stretch_copy(cg.image, {0, 0, 200, 200}, g.bak20, {0, 0, 20, 20});
  cg.touched();
  g.plat.repaint();
}

}  // namespace

void look_garbage(Game& g) { set_moji_l2(g, "ただのゴミのようだが・・・・"); }

void feed_garbage(Game& g) {
  GameState& s = g.s;
  // Only garbage the player holds can be fed: a stale choice feeds nothing.
  if (!sel_in(g, 500) || s.gomi_have[sel(g)] < 1) {
    play_se(g, "miss.wav");
    return;
  }
  const size_t n = sel(g);
  play_se(g, "taberu.wav");
  use_one(s.gomi_have[n]);
  refresh(g);
  msg_put(g, "【" + g.t.gomi_table[n].gm_name + "】をあげた。");
  screen_effect(g, Fx::CleanerChews);

  // Garbage n hatches monster n, when there is one.
  const MonsterRecord& mo = g.t.monster_table[n];
  if (!mo.mo_name.empty()) {
    s.monster_have[n] = sat_add(s.monster_have[n], 1);
    msg_add(g, "『むしゃむしゃ・・・・ウグググ、なにかうまれル!!』");
    picture_step(g, [&] { load_cg(g, g.bak20, mo.mo_pic, "e0.bmp"); });
    hatch_zoom(g);
    msg_add(g, "モンスター【" + mo.mo_name + "】が生まれた!");
    g.plat.notice("モンスター【" + mo.mo_name + "】が仲間になった!");
    set_moji_l(g, "『もっともっとちょうだい？』\r\r＊どれを食べさせますか？");
  } else {
    msg_add(g, "『むしゃむしゃ・・・・まじゅっっ、ヤックヤック!!』");
    g.plat.notice("なにも生まれなかった。");
  }
  list_refresh(g, ListMode::Garbage);
}

void choose_fusion(Game& g) {
  if (!sel_in(g, 500)) return;
  Ui& ui = g.ui;
  ui.OK.visible = false;
  ui.cancel_b.visible = false;
  ui.list_l.enabled = false;
  ui.gousei_box.visible = true;
  set_moji_l(g, g.t.monster_table[sel(g)].mo_name + "を\r武器に合成させる？それとも防具？\r\r"
                "※武器に合成する場合はそのモンスターが持つ特殊効果が追加されます");
  g.plat.repaint();
}

void play_disc(Game& g) {
  // Only a disc the player holds can be played: a stale choice plays nothing.
  if (!sel_in(g, 256) || g.s.md_have[sel(g)] < 1) {
    play_se(g, "miss.wav");
    return;
  }
  const MdRecord& md = g.t.md_table[sel(g)];
  set_moji_l2(g, "【" + md.md_name + "】の曲が流れ出した・・・・");
  // A disc is used up by playing it; the music goes on after the last one.
  use_one(g.s.md_have[sel(g)]);
  play_bgm(g, md.md_file);
  list_refresh(g, ListMode::Discs);
}

void change_class(Game& g) {
  if (!sel_in(g, 256)) return;
  GameState& s = g.s;
  const JobRecord& jb = g.t.job_table[sel(g)];
  const i32 price = sat_mul(jb.jb_cost, 1000);
  if (s.cent < price) {
    set_moji_l(g, "セントが足りません");
    play_se(g, "miss.wav");
    return;
  }
  if (!g.plat.ask(jb.jb_name + "にチェンジしますか？")) {
    play_se(g, "miss.wav");
    return;
  }
  play_se(g, "class.wav");
  screen_effect(g, Fx::PlayerWhite);
  set_moji_l(g, jb.jb_name + "にクラスチェンジした!!\r\rどうしますか？");
  // The class already held costs its price again: the church does not ask why.
  s.cent = sat_sub(s.cent, price);
  s.class_now = g.s.list_sel;
  play_se(g, "1.wav");
}

}  // namespace z2
