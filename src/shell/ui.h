#pragma once
// The control model of the one window. The game reads and writes these
// controls as the window's own handlers would; each face mirrors them.
#include <QImage>
#include <QRect>
#include <QRgb>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace z2 {

struct Game;
using Handler = void (*)(Game&);

enum class Kind { Panel, Button, Label, Gauge, Picture, Edit, List, Slider };
enum class Align { Left, Right, Center };

struct Control {
  std::string name;
  Kind kind = Kind::Label;
  Control* parent = nullptr;
  int left = 0, top = 0, width = 0, height = 0;
  std::string caption;  // buttons and panels
  std::string text;     // labels and the edit field; CR is the line break
  bool visible = true;
  bool enabled = true;
  // Look.
  bool has_back = false;
  QRgb back = 0;
  bool has_fore = false;
  QRgb fore = 0;
  int font_px = 13;
  bool bold = true;
  bool italic = false;
  Align align = Align::Left;
  bool transparent = false;
  bool glyph = false;  // a button with a glyph
  bool wraps = false;  // a message label, word-wrapped; other labels keep to their CR lines
  int spare = 0;       // free pixels beside a label that the window may draw its text into
                       // (on the left of a right-aligned one, else on the right)
  // Gauges and the slider (minimum 0).
  int max = 100;
  int value = 0;
  // The list box.
  std::vector<std::string> rows;
  int selected = -1;
  // Pictures: the drawing surface, and a counter bumped on every drawing.
  QImage image;
  uint64_t image_rev = 0;
  bool stretch = false;  // the surface is shown stretched to the control's size

  Handler on_click = nullptr;  // a click (buttons, pictures, the list's mouse handler)
  Handler on_press = nullptr;  // a mouse press (the opening pictures)
  Handler on_change = nullptr;  // the slider's change handler

  // Visible together with every panel around it.
  bool shown() const {
    for (const Control* c = this; c; c = c->parent)
      if (!c->visible) return false;
    return true;
  }
  // Where a face draws it inside its parent: its place, widened into its
  // spare room.
  QRect drawn() const { return {align == Align::Right ? left - spare : left, top, width + spare, height}; }
  // Can take a click: shown and enabled, panels around it included.
  bool usable() const {
    for (const Control* c = this; c; c = c->parent)
      if (!c->visible || !c->enabled) return false;
    return true;
  }
  // The surface has been drawn on.
  void touched() { ++image_rev; }
};

// Every control by its name; creation order is the stacking order (later on top).
#define Z2_CONTROLS(X)                                                                                   \
  /* status area */                                                                                     \
  X(e_cg) X(e_l) X(e_hp_l) X(my_cg) X(my_l) X(my_hp_l) X(my_mp_l) X(exp_l) X(ex_l) X(buki_l) X(state_l) \
  X(state_l2) X(zando_t) X(china_t) X(la_t) X(japan_t) X(zando_l) X(china_l) X(la_l) X(japan_l)         \
  X(combo_l) X(score_l) X(wild_l)                                                                       \
  /* main picture and messages */                                                                       \
  X(cg) X(moji_l) X(moji_l3) X(wata) X(sp_l) X(sp_t) X(BitBtn1)                                         \
  /* map */                                                                                             \
  X(map_box) X(haikei) X(moji_l2) X(s_battle) X(rand_b) X(p_b) X(colosiam_b) X(gouketu_b) X(s_ch)       \
  X(s_shop) X(s_gomi) X(s_wild) X(s_monster) X(s_er) X(takara)                                          \
  /* command panels */                                                                                  \
  X(battle_com) X(b1) X(b2) X(b3) X(b4) X(Button7) X(tower_b)                                           \
  X(menu_com) X(m4) X(m1) X(md_b) X(m2) X(Button44) X(m3) X(st_b2) X(st_b1)                             \
  X(shop_box) X(Button41) X(Button42) X(wata_b)                                                         \
  X(gousei_box) X(Button37) X(Button35) X(Button36)                                                     \
  X(name_box) X(name_l) X(name_b)                                                                       \
  X(lv_box) X(Button27) X(Button28) X(lv2_b) X(lv3_b) X(Button29) X(Button30) X(Button31) X(Button51)   \
  /* list panel */                                                                                      \
  X(list_box) X(list_l) X(about_l) X(mon_pic) X(OK) X(cancel_b)                                         \
  /* developer panel */                                                                                 \
  X(debug_box) X(Button3) X(Button4) X(Button5) X(Button6) X(Button10) X(Button8) X(Button9)            \
  X(Button13) X(Button14) X(Button15) X(Button16) X(Button17) X(Button18) X(Button23) X(Button19)       \
  X(Button20) X(Button21) X(Button22) X(Button24) X(Button25) X(Button26) X(Button32) X(Button33)       \
  X(Button34) X(Button38) X(Button39) X(Button40) X(Button43) X(Button47) X(Button46) X(Button48)       \
  X(Button49) X(Button50) X(Button52) X(Button53) X(Button54) X(Button55) X(Button56) X(Button57) X(a_l) \
  /* title and opening, on top */                                                                       \
  X(start_box) X(Image1) X(Button11) X(Button12) X(Button45)                                            \
  X(open_box) X(open1) X(open2)

struct Ui {
#define Z2_DECLARE(n) Control n;
  Z2_CONTROLS(Z2_DECLARE)
#undef Z2_DECLARE

  Ui();
  Ui(const Ui&) = delete;
  Ui& operator=(const Ui&) = delete;

  Control* find(std::string_view name);
  const std::vector<Control*>& all() const { return all_; }

 private:
  // The constructor's steps, one screen area each, in the order they are laid out.
  void lay_status();
  void lay_main_picture();
  void lay_map();
  void lay_commands();
  void lay_list();
  void lay_debug_panel();
  void lay_title();

  std::vector<Control*> all_;
};

// Window facts shared by both faces.
constexpr int kWindowOuterW = 653;
constexpr int kWindowOuterH = 432;
constexpr QRgb kSilver = 0xFFC0C0C0u;
constexpr const char* kWindowCaption = "ZANDO ARENA 2";

}  // namespace z2
