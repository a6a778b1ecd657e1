#include "shell/status.h"

#include <charconv>

#include "state/carried.h"
#include "state/fixed_tables.h"
#include "state/ids.h"
#include "state/int32.h"
#include "state/item_kinds.h"

namespace z2 {
namespace {


void add_int(std::string& out, int64_t v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, static_cast<size_t>(r.ptr - buf));
}

// The last four characters of v in decimal (all of it when shorter).
void add_last4(std::string& out, int32_t v) {
  char buf[16];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  const char* from = r.ptr - buf > 4 ? r.ptr - 4 : buf;
  out.append(from, static_cast<size_t>(r.ptr - from));
}

// Values the refresh keeps in a range: lower bound, then upper.
void at_least(i32& v, i32 lo) {
  if (v < lo) v = lo;
}
void at_most(i32& v, i32 hi) {
  if (v > hi) v = hi;
}

void set_gauge(Control& c, i32 max, i32 value) {
  c.max = max;
  c.value = value;
}

void add_ailment(std::string& out, i32 code) {
  const char* label = ailment_label(code);
  if (*label == '\0') return;
  out += '<';
  out += label;
  out += '>';
}

// The score line.
void score_line(Game& g) {
  GameState& s = g.s;
  Ui& ui = g.ui;
  {
    std::string& txt = ui.score_l.text;
    txt.clear();
    txt += "点数：";
    append_score_text(txt, s.score);
    txt += "点";
  }
}

// The player's lines: name, ailment, level, points, stats, seals and class.
void player_lines(Game& g) {
  GameState& s = g.s;
  Ui& ui = g.ui;
  const Tables& t = g.t;
  {
    const i32 cexp = at_or_empty(s.class_exp, s.class_now);
    std::string& txt = ui.my_l.text;
    txt.clear();
    txt += "▼";
    txt += s.my_name;
    txt += ' ';
    add_ailment(txt, s.my_state);
    txt += "\rLV:";
    add_int(txt, s.my_lv);
    txt += " (exp.";
    add_int(txt, s.my_exp);
    txt += "/99)\r\rHP:";
    add_int(txt, s.my_hp);
    txt += '/';
    add_int(txt, s.my_hp_max);
    txt += "\r\rMP:";
    add_int(txt, s.my_mp);
    txt += '/';
    add_int(txt, s.my_mp_max);
    txt += "\r\r攻:";
    add_int(txt, s.my_atk);
    txt += " 知:";
    add_int(txt, s.my_int);
    txt += "\r体:";
    add_int(txt, s.my_body);
    txt += " 獣:";
    add_int(txt, s.my_beast);
    txt += '\r';
    if (!s.can_punch) txt += ">攻封";
    if (!s.can_magic) txt += ">魔封";
    if (!s.can_beast) txt += ">獣封";
    if (!s.can_item) txt += ">ア封";
    txt += "\rｸﾗｽ:";
    txt += at_or_empty(t.job_table, s.class_now).jb_name;
    txt += "(Lv:";
    if (cexp > 39) {
      txt += 'M';
    } else {
      add_int(txt, cexp / 10);
    }
    txt += ')';
  }
}

// Weapon and armour; ARK, money and the record; the map's caption; WILD
// (kept within 0..999 once shown); the combo.
void record_lines(Game& g) {
  GameState& s = g.s;
  Ui& ui = g.ui;
  const Tables& t = g.t;
  auto& clear = s.floor_clear;
  // Weapon and armour.
  {
    std::string& txt = ui.buki_l.text;
    txt.clear();
    txt += "武器：";
    txt += s.buki_name;
    txt += " △";
    add_int(txt, s.buki_pow);
    txt += "\r防具：";
    txt += s.bougu_name;
    txt += " △";
    add_int(txt, s.bougu_pow);
  }

  // ARK, money and the record.
  {
    std::string& txt = ui.state_l.text;
    txt.clear();
    txt += "ARK：";
    add_int(txt, s.ark);
    txt += "  ｾﾝﾄ：";
    add_int(txt, s.cent);
    txt += "セント\r\r戦：";
    add_int(txt, clear[fc::kBattles]);
    txt += " 死：";
    add_int(txt, clear[fc::kDeaths]);
    txt += " 逃：";
    add_int(txt, clear[fc::kEscapes]);
    txt += " TIME：";
    add_int(txt, s.play_time);
  }

  // The map's caption.
  {
    std::string& txt = ui.map_box.caption;
    txt.clear();
    add_int(txt, s.floor);
    txt += "階【";
    txt += at_or_empty(t.map_names, s.floor);
    txt += "】";
  }

  // WILD.
  {
    std::string& txt = ui.wild_l.text;
    txt.clear();
    txt += "WILD:";
    add_int(txt, s.wild);
    s.wild = clamp_i(s.wild, 0, 999);
  }

  // Combo.
  {
    std::string& txt = ui.combo_l.text;
    txt.clear();
    add_int(txt, s.combo);
    txt += "Combo";
    ui.combo_l.visible = s.combo > 4;
  }
}

// The experience, area and point gauges, each shown before its value is kept
// in range, and the colour of the player's lines.
void player_bounds(Game& g) {
  GameState& s = g.s;
  Ui& ui = g.ui;
  auto& clear = s.floor_clear;
  // Experience.
  set_gauge(ui.exp_l, 100, s.my_exp);

  // The four stats never go below 0.
  at_least(s.my_atk, 0);
  at_least(s.my_body, 0);
  at_least(s.my_beast, 0);
  at_least(s.my_int, 0);

  // Area gauges, shown before they are clamped.
  set_gauge(ui.zando_l, 100, clear[fc::kZando]);
  set_gauge(ui.china_l, 100, clear[fc::kChina]);
  set_gauge(ui.la_l, 100, clear[fc::kLa]);
  set_gauge(ui.japan_l, 100, clear[fc::kJapan]);
  for (int i = fc::kZando; i <= fc::kJapan; ++i) clear[static_cast<size_t>(i)] = clamp_i(clear[static_cast<size_t>(i)], 0, 99);
  at_least(s.floor, 0);

  // Hit and magic points: the upper bound first, then the maxima.
  set_gauge(ui.my_hp_l, s.my_hp_max, s.my_hp);
  set_gauge(ui.my_mp_l, s.my_mp_max, s.my_mp);
  at_most(s.my_hp, s.my_hp_max);
  at_least(s.my_hp, 0);
  at_most(s.my_mp, s.my_mp_max);
  at_least(s.my_mp, 0);
  at_least(s.my_hp_max, 1);
  at_least(s.my_mp_max, 1);

  // Money, ARK, battles and score within their bounds.
  s.cent = clamp_i(s.cent, 0, kNineNines);
  at_least(s.ark, 0);
  at_most(s.ark, s.ark_max);
  at_most(clear[fc::kBattles], kNineNines);
  at_most(s.score, kNineNines);

  // Red when a tenth or less of the hit points is left.
  ui.my_l.has_fore = true;
  ui.my_l.fore = s.my_hp > s.my_hp_max / 10 ? qRgb(41, 254, 217) : qRgb(255, 0, 0);
}

// The weapon's extra effect, the opponent's lines and its hit points, shown
// before they are clamped.
void opponent_lines(Game& g) {
  GameState& s = g.s;
  Ui& ui = g.ui;
  const Tables& t = g.t;
  // Weapon extra effect.
  {
    const std::string& ex = at_or_empty(t.ex_names, s.buki_ex);
    std::string& txt = ui.ex_l.text;
    txt.clear();
    if (ex != "なし") {
      txt += "追加効果：";
      txt += ex;
    }
  }

  // The opponent's lines.
  {
    std::string& txt = ui.e_l.text;
    txt.clear();
    txt += "▼";
    txt += s.e_name;
    txt += "\rLV:";
    add_int(txt, s.e_lv);
    txt += "\r\r\rHP:";
    add_int(txt, s.e_hp);
    txt += "\r   /";
    add_int(txt, s.e_hp_max);
    txt += "\r\r";
    if (s.e_item == -1) {
      txt += "所持:なし";
    } else if (s.e_item == 0) {
      txt += "所持:random";
    } else if (s.e_item >= carried::kGarbageBase) {
      txt += "所持:";
      // Cannot overflow: e_item is at least the base.
      txt += at_or_empty(t.gomi_table, s.e_item - carried::kGarbageBase).gm_name;
    } else {
      const ItemRecord& it = at_or_empty(t.item_table, s.e_item);
      if (it.it_rare > 1) {
        txt += "所持:幻？？？？";
      } else {
        txt += "所持:";
        txt += it.it_name;
      }
    }
    txt += "\r\r属性:<";
    txt += attribute_label(s.e_zoku);
    txt += "> ";
    add_ailment(txt, s.e_state);
  }

  // The opponent's hit points, shown before they are clamped.
  set_gauge(ui.e_hp_l, s.e_hp_max, s.e_hp);
  at_most(s.e_hp, s.e_hp_max);
  at_least(s.e_hp, 0);
}

// The menu shows with the map; its buttons with what is owned.
void menu_buttons(Game& g) {
  GameState& s = g.s;
  Ui& ui = g.ui;
  const Tables& t = g.t;
  // The menu shows with the map.
  ui.menu_com.visible = ui.map_box.visible;

  // Menu buttons: id 499 and discs above 100 are never offered.
  {
    bool items = false, gear = false;
    for (size_t i = 0; i < 499 && !(items && gear); ++i) {
      if (s.item_have[i] <= 0) continue;
      const i32 kind = t.item_table[i].it_kind;
      if (kinds::equipment(kind)) {
        gear = true;
      } else {
        items = true;
      }
    }
    auto any_owned = [](const auto& a, size_t end) {
      for (size_t i = 0; i < end; ++i)
        if (a[i] > 0) return true;
      return false;
    };
    const bool monsters = any_owned(s.monster_have, 499);
    ui.m1.visible = items;
    ui.b3.visible = items;
    ui.m2.visible = monsters;
    ui.b2.visible = monsters;
    ui.m3.visible = any_owned(s.gomi_have, 499);
    ui.m4.visible = gear;
    ui.md_b.visible = any_owned(s.md_have, 101);
  }
}

}  // namespace

const char* ailment_label(int32_t code) {
  static const char* const kLabels[] = {"",     "毒",   "眠",   "石",   "混",  "暴",
                                        "猛毒", "感染", "呪い", "Ｍ呪", "毒吸"};
  if (code < 0 || code > 10) return "";
  return kLabels[code];
}

const char* attribute_label(int32_t code) {
  static const char* const kLabels[] = {"無", "Zndo", "中国", "ＬＡ", "日本"};
  if (code < 0 || code > 4) return "";
  return kLabels[code];
}

void append_score_text(std::string& out, int32_t score) {
  const int32_t mid = score / 10000;
  const int32_t high = score / 100000000;
  // A group reads "0" only when the quotient itself is 0: any larger value
  // has at least five digits, so its last four are shown with their zeros.
  if (high != 0) {
    add_last4(out, high);
    out += "億";
  }
  if (high != 0 || mid != 0) {
    add_last4(out, mid);
    out += "万";
  }
  add_last4(out, score);
}

std::string score_text(int32_t score) {
  std::string out;
  append_score_text(out, score);
  return out;
}

void status_refresh(Game& g) {
  score_line(g);
  player_lines(g);
  record_lines(g);
  if (g.hooks.apply_stairs) g.hooks.apply_stairs(g);
  player_bounds(g);
  opponent_lines(g);
  menu_buttons(g);
  // The floor map's colosseum button and its rules.
  if (g.hooks.apply_colosseum_button) g.hooks.apply_colosseum_button(g);
  if (g.hooks.apply_floor_rules) g.hooks.apply_floor_rules(g);
}

int32_t compute_score(const GameState& s, const Tables& t) {
  auto pos = [](i32 v) -> int64_t { return v > 0 ? v : 0; };
  auto sum = [&](const auto& a) {
    int64_t n = 0;
    for (i32 v : a) n += pos(v);
    return n;
  };
  int64_t c[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < s.item_have.size(); ++i) {
    const i32 rare = t.item_table[i].it_rare;
    if (rare >= 0 && rare <= 3) c[rare] += pos(s.item_have[i]);
  }
  const auto& clear = s.floor_clear;
  const int64_t fl = sum(clear) / 10;
  const int64_t base = int64_t{s.play_time / 10} + 5 * int64_t{s.my_lv} + c[0] + 2 * c[1] + 10 * c[2] + 2 * c[3] +
                       sum(s.md_have) + 5 * sum(s.monster_have) + sum(s.gomi_have) + 10 * sum(s.magic_have) +
                       clear[fc::kDeaths] + clear[fc::kEscapes] + s.wata;
  const int64_t score = 100 * base + 5 * sum(s.class_exp) + fl + clear[fc::kZando] + clear[fc::kChina] + clear[fc::kLa] + clear[fc::kJapan] +
                        s.my_atk + s.my_body + s.my_int;
  // Each sum is at most 500 entries of 32 bits, times at most 1000: far inside 64 bits.
  if (score > kNineNines) return kNineNines;
  if (score < 0) return 0;
  return static_cast<int32_t>(score);
}

void score_update(Game& g) {
  GameState& s = g.s;
  for (size_t i = 0; i < s.monster_have.size(); ++i)
    if (s.monster_have[i] > 0) s.monster_book[i] = 1;
  for (size_t i = 0; i < s.md_have.size(); ++i)
    if (s.md_have[i] > 0) s.md_book[i] = 1;
  for (size_t i = 0; i < s.item_have.size(); ++i)
    if (s.item_have[i] > 0) s.item_book[i] = 1;
  s.score = compute_score(s, g.t);
}

}  // namespace z2
