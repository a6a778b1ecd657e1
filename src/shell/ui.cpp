#include "shell/ui.h"

namespace z2 {
namespace {

struct Place {
  int l, t, w, h;
};

void make(Control& c, Kind k, Control* parent, Place p, std::string caption = {}, bool visible = true) {
  c.kind = k;
  c.parent = parent;
  c.left = p.l;
  c.top = p.t;
  c.width = p.w;
  c.height = p.h;
  c.caption = std::move(caption);
  c.visible = visible;
  if (k == Kind::Picture) c.image = QImage();
}

void look(Control& c, QRgb fore, QRgb back) {
  c.has_fore = true;
  c.fore = fore;
  c.has_back = true;
  c.back = back;
}

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);

void gauge(Control& c, Place p) {
  make(c, Kind::Gauge, nullptr, p);
  c.max = 100;
}

}  // namespace

namespace {

QImage blank_surface(int w, int h) {
  // Blank surfaces of one size share their pixels until drawn on (drawing
  // copies first): a new game has some two megabytes of them, most of which
  // are never drawn on.
  thread_local std::vector<QImage> kept;
  for (const QImage& k : kept)
    if (k.width() == w && k.height() == h) return k;
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(kSilver);
  kept.push_back(img);
  return img;
}

}  // namespace

Ui::Ui() {
#define Z2_NAME(n) n.name = #n; all_.push_back(&n);
  Z2_CONTROLS(Z2_NAME)
#undef Z2_NAME
  lay_status();
  lay_main_picture();
  lay_map();
  lay_commands();
  lay_list();
  lay_debug_panel();
  lay_title();
  // Picture surfaces start blank at their own size (stretched ones hold a file's picture).
  for (Control* c : all_)
    if (c->kind == Kind::Picture && !c->stretch) c->image = blank_surface(c->width, c->height);
}

// The status area: the two portraits, their labels and the gauges.
void Ui::lay_status() {
  make(e_cg, Kind::Picture, nullptr, {0, 0, 129, 129});
  make(e_l, Kind::Label, nullptr, {0, 132, 129, 141});
  look(e_l, qRgb(255, 191, 245), qRgb(128, 0, 64));
  gauge(e_hp_l, {0, 168, 121, 11});
  make(my_cg, Kind::Picture, nullptr, {336, 0, 129, 129});
  make(my_l, Kind::Label, nullptr, {336, 132, 129, 141});
  look(my_l, qRgb(41, 254, 217), qRgb(1, 48, 99));
  gauge(my_hp_l, {344, 180, 121, 11});
  gauge(my_mp_l, {344, 204, 121, 11});
  gauge(exp_l, {388, 157, 77, 9});
  make(ex_l, Kind::Label, nullptr, {0, 276, 257, 13});
  make(buki_l, Kind::Label, nullptr, {0, 289, 257, 28});
  make(state_l, Kind::Label, nullptr, {0, 316, 257, 53});
  make(state_l2, Kind::Label, nullptr, {0, 356, 257, 33});
  // The small captions left of the area gauges.
  const struct {
    Control* c;
    Place p;
    const char* text;
  } captions[] = {{&zando_t, {2, 359, 45, 13}, "ZANDO"},
                  {&china_t, {2, 373, 45, 13}, "中国"},
                  {&la_t, {138, 359, 29, 13}, "Ｌ.Ａ."},
                  {&japan_t, {138, 373, 29, 13}, "日本"}};
  for (const auto& cap : captions) {
    make(*cap.c, Kind::Label, nullptr, cap.p);
    cap.c->text = cap.text;
    cap.c->font_px = 11;
  }
  gauge(zando_l, {48, 360, 88, 11});
  gauge(china_l, {48, 374, 88, 11});
  gauge(la_l, {168, 360, 88, 11});
  gauge(japan_l, {168, 374, 88, 11});
  make(combo_l, Kind::Label, nullptr, {221, 332, 34, 12}, {}, false);
  combo_l.align = Align::Right;
  combo_l.spare = 40;  // the empty second line of the money panel
  make(score_l, Kind::Label, nullptr, {0, 389, 257, 17});
  score_l.align = Align::Right;
  look(score_l, kWhite, kBlack);
  make(wild_l, Kind::Label, nullptr, {1, 392, 34, 12});
  wild_l.spare = 30;  // the score line is right-aligned
}

// The main picture, the messages and the text speed.
void Ui::lay_main_picture() {
  make(cg, Kind::Picture, nullptr, {132, 0, 200, 200});
  make(moji_l, Kind::Label, nullptr, {132, 204, 201, 69});
  look(moji_l, kBlack, kWhite);
  moji_l.font_px = 12;
  moji_l.wraps = true;
  make(moji_l3, Kind::Label, nullptr, {132, 0, 201, 93}, {}, false);
  moji_l3.transparent = true;
  moji_l3.wraps = true;
  moji_l3.italic = true;
  moji_l3.has_fore = true;
  moji_l3.fore = qRgb(215, 255, 193);
  make(wata, Kind::Picture, nullptr, {145, 152, 48, 48}, {}, false);
  wata.stretch = true;
  make(sp_l, Kind::Slider, nullptr, {0, 412, 137, 24});
  sp_l.max = 10;
  sp_l.value = 3;
  make(sp_t, Kind::Label, nullptr, {4, 436, 137, 13});
  sp_t.text = "速←文字スピード→遅";
  make(BitBtn1, Kind::Button, nullptr, {144, 416, 161, 25}, "再生中のＭＤを停止");
  BitBtn1.glyph = true;
}

void Ui::lay_map() {
  make(map_box, Kind::Panel, nullptr, {0, 0, 333, 273}, "MAP", false);
  make(haikei, Kind::Picture, &map_box, {4, 12, 325, 193});
  haikei.stretch = true;
  make(moji_l2, Kind::Label, &map_box, {4, 208, 325, 61});
  look(moji_l2, kBlack, kWhite);
  moji_l2.font_px = 12;
  moji_l2.wraps = true;
  make(s_battle, Kind::Button, &map_box, {8, 16, 91, 25}, "モンスタールーム");
  make(rand_b, Kind::Button, &map_box, {8, 48, 91, 25}, "ランダムルーム", false);
  make(p_b, Kind::Button, &map_box, {120, 16, 91, 25}, "上級ﾗﾝﾀﾞﾑﾙｰﾑ", false);
  make(colosiam_b, Kind::Button, &map_box, {120, 96, 91, 25}, "コロシアム");
  make(gouketu_b, Kind::Button, &map_box, {120, 136, 91, 25}, "豪傑達の黄昏", false);
  gouketu_b.glyph = true;
  make(s_ch, Kind::Button, &map_box, {120, 176, 91, 25}, "チャーチ", false);
  make(s_shop, Kind::Button, &map_box, {236, 16, 91, 25}, "ＳＨＯＰ");
  make(s_gomi, Kind::Button, &map_box, {236, 48, 89, 25}, "ゴミ処理室");
  make(s_wild, Kind::Button, &map_box, {236, 80, 91, 25}, "ＷＩＬＤ ＳＨＯＰ");
  make(s_monster, Kind::Button, &map_box, {8, 176, 91, 25}, "モンスター屋");
  make(s_er, Kind::Button, &map_box, {236, 176, 91, 25}, "Ｅ．Ｒ．");
  make(takara, Kind::Picture, &map_box, {48, 96, 40, 40}, {}, false);
  takara.stretch = true;
}

// The command panels; they share one place.
void Ui::lay_commands() {
  const Place cmd{260, 276, 205, 129};
  make(battle_com, Kind::Panel, nullptr, cmd, "戦闘コマンド", false);
  make(b1, Kind::Button, &battle_com, {4, 12, 97, 25}, "パンチ");
  make(b2, Kind::Button, &battle_com, {104, 12, 97, 25}, "モンスター");
  make(b3, Kind::Button, &battle_com, {4, 40, 97, 25}, "アイテム");
  make(b4, Kind::Button, &battle_com, {104, 40, 97, 25}, "魔法");
  make(Button7, Kind::Button, &battle_com, {4, 68, 97, 25}, "逃げる");
  make(tower_b, Kind::Button, &battle_com, {104, 68, 97, 25}, "タワー", false);
  tower_b.has_fore = true;
  tower_b.fore = qRgb(255, 0, 0);

  make(menu_com, Kind::Panel, nullptr, cmd, "ＭＥＮＵ", false);
  make(m4, Kind::Button, &menu_com, {4, 12, 97, 25}, "武器・防具");
  make(m1, Kind::Button, &menu_com, {104, 12, 97, 25}, "アイテム");
  make(md_b, Kind::Button, &menu_com, {4, 40, 97, 25}, "ＭＤ");
  make(m2, Kind::Button, &menu_com, {104, 40, 97, 25}, "モンスター");
  make(Button44, Kind::Button, &menu_com, {4, 68, 97, 25}, "ステータス");
  make(m3, Kind::Button, &menu_com, {104, 68, 97, 25}, "ゴミ");
  make(st_b2, Kind::Button, &menu_com, {4, 96, 97, 25}, "", false);
  make(st_b1, Kind::Button, &menu_com, {104, 96, 97, 25}, "", false);

  make(shop_box, Kind::Panel, nullptr, cmd, "SHOP MENU", false);
  make(Button41, Kind::Button, &shop_box, {20, 20, 169, 29}, "買い物");
  make(Button42, Kind::Button, &shop_box, {20, 52, 169, 29}, "売り物");
  make(wata_b, Kind::Button, &shop_box, {20, 84, 169, 29}, "わたっ娘にお願い(51ｾﾝﾄ)", false);

  make(gousei_box, Kind::Panel, nullptr, cmd, "どちらに合成する？", false);
  make(Button37, Kind::Button, &gousei_box, {20, 20, 169, 29}, "武器に合成(100ｾﾝﾄ)");
  make(Button35, Kind::Button, &gousei_box, {20, 52, 169, 29}, "防具に合成(50ｾﾝﾄ)");
  make(Button36, Kind::Button, &gousei_box, {20, 84, 169, 29}, "Cancel");

  make(name_box, Kind::Panel, nullptr, cmd, "NAMING", false);
  make(name_l, Kind::Edit, &name_box, {12, 28, 181, 21});
  make(name_b, Kind::Button, &name_box, {12, 64, 181, 29}, "武器にネーミング");

  make(lv_box, Kind::Panel, nullptr, cmd, "SELECT UP", false);
  make(Button27, Kind::Button, &lv_box, {8, 16, 93, 25}, "最大ＨＰｕｐ");
  make(Button28, Kind::Button, &lv_box, {8, 44, 93, 25}, "最大ＭＰｕｐ");
  make(lv2_b, Kind::Button, &lv_box, {8, 72, 93, 25}, "ARK +20", false);
  make(lv3_b, Kind::Button, &lv_box, {8, 100, 93, 25}, "セント +1000", false);
  make(Button29, Kind::Button, &lv_box, {104, 16, 93, 25}, "攻撃力ｕｐ");
  make(Button30, Kind::Button, &lv_box, {104, 44, 93, 25}, "知力ｕｐ");
  make(Button31, Kind::Button, &lv_box, {104, 72, 93, 25}, "体力ｕｐ");
  make(Button51, Kind::Button, &lv_box, {104, 100, 93, 25}, "獣力ｕｐ");
}

void Ui::lay_list() {
  make(list_box, Kind::Panel, nullptr, {468, 0, 177, 405}, "リスト", false);
  list_box.font_px = 11;
  make(list_l, Kind::List, &list_box, {4, 12, 169, 265});
  look(list_l, qRgb(41, 254, 217), kBlack);  // colour word 14286377
  list_l.font_px = 11;
  make(about_l, Kind::Label, &list_box, {4, 277, 169, 92});
  look(about_l, kWhite, qRgb(0, 64, 128));  // colour word 8404992
  about_l.font_px = 12;
  about_l.wraps = true;
  make(mon_pic, Kind::Picture, &list_box, {141, 337, 30, 30}, {}, false);
  mon_pic.stretch = true;
  make(OK, Kind::Button, &list_box, {4, 372, 85, 29}, "OK");
  make(cancel_b, Kind::Button, &list_box, {92, 372, 81, 29}, "Cancel");
}

// The developer panel: two columns of buttons.
void Ui::lay_debug_panel() {
  make(debug_box, Kind::Panel, nullptr, {660, -4, 269, 425}, "DEBUG", false);
  struct B {
    Control* c;
    const char* cap;
  };
  const B buttons[] = {
      {&Button3, "敵出現"}, {&Button4, "敵の攻撃"}, {&Button5, "自分の攻撃"}, {&Button6, "攻撃"},
      {&Button10, "敵攻撃"}, {&Button8, "死亡確認"}, {&Button9, "画面効果"}, {&Button13, "戦闘終了"},
      {&Button14, "LIST_MODE"}, {&Button15, "ITEM_MODE"}, {&Button16, "list_about"}, {&Button17, "cg_load"},
      {&Button18, "ゴミ全部所持"}, {&Button23, "クリーナー"}, {&Button19, "クリーナー"},
      {&Button20, "セーブせず終了"}, {&Button21, "EXP=99"}, {&Button22, "MP,HP最強"},
      {&Button24, "MONSTER_lv:99"}, {&Button25, "LVUP"}, {&Button26, "ぼうやシリーズ"},
      {&Button32, "武器アップ"}, {&Button33, "モンスター全所持"}, {&Button34, "魔法全て所持"},
      {&Button38, "逃げる１００"}, {&Button39, "ファントムキー"}, {&Button40, "７階までクリア"},
      {&Button43, "敵をころす"}, {&Button47, "ＭＤ"}, {&Button46, "OPENING"}, {&Button48, "ITEM"},
      {&Button49, "しぬ"}, {&Button50, "わたっこ"}, {&Button52, "わたっこ出現"}, {&Button53, "WILD"},
      {&Button54, "COMBO"}, {&Button55, "たから"}, {&Button56, "ランダムルーム"},
      {&Button57, "上級ﾗﾝﾀﾞﾑﾙｰﾑ"},
  };
  int i = 0;
  for (const B& b : buttons) {
    make(*b.c, Kind::Button, &debug_box, {4 + 132 * (i / 20), 16 + 20 * (i % 20), 129, 19}, b.cap);
    ++i;
  }
  make(a_l, Kind::Label, &debug_box, {4 + 132 * (i / 20), 18 + 20 * (i % 20), 129, 15});
}

// The title and the opening.
void Ui::lay_title() {
  make(start_box, Kind::Panel, nullptr, {0, 0, 645, 405}, "STARTER");
  make(Image1, Kind::Picture, &start_box, {4, 12, 637, 389});
  Image1.stretch = true;
  make(Button11, Kind::Button, &start_box, {264, 280, 117, 21}, "COUNTINUE");
  make(Button12, Kind::Button, &start_box, {264, 320, 117, 21}, "NEW GAME");
  make(Button45, Kind::Button, &start_box, {264, 360, 117, 21}, "OPENING");
  make(open_box, Kind::Panel, nullptr, {0, 0, 645, 405}, "", false);
  open_box.has_back = true;
  open_box.back = kBlack;
  make(open1, Kind::Picture, &open_box, {8, 12, 393, 281});
  make(open2, Kind::Picture, &open_box, {224, 296, 401, 101});
}

Control* Ui::find(std::string_view name) {
  for (Control* c : all_)
    if (c->name == name) return c;
  return nullptr;
}

}  // namespace z2
