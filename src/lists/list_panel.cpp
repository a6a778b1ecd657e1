#include "lists/list_panel.h"

#include <string>

#include "battle/outcome.h"
#include "data/picture.h"
#include "shell/messages.h"
#include "shell/status.h"
#include "state/int32.h"
#include "state/item_kinds.h"

namespace z2 {

namespace {

// Counts and records are looked up by ids that may come from a save or a
// data file; anything outside the array reads as nothing.
template <size_t N>
i32 count_at(const std::array<i32, N>& a, i32 i) {
  return (i >= 0 && static_cast<size_t>(i) < N) ? a[static_cast<size_t>(i)] : 0;
}

const std::string& record_name(const Tables& t, ListTable table, i32 i) {
  switch (table) {
    case ListTable::Item: return at_or_empty(t.item_table, i).it_name;
    case ListTable::Monster: return at_or_empty(t.monster_table, i).mo_name;
    case ListTable::Garbage: return at_or_empty(t.gomi_table, i).gm_name;
    case ListTable::Magic: return at_or_empty(t.magic_table, i).mg_name;
    case ListTable::Disc: return at_or_empty(t.md_table, i).md_name;
    case ListTable::Class: return at_or_empty(t.job_table, i).jb_name;
  }
  static const std::string none;
  return none;
}

bool is_consumable(i32 kind) { return !kinds::equipment(kind); }

// Adds the name of every record of `table` below `size` that passes `keep`.
template <class Keep>
void add_names(Game& g, ListTable table, int size, Keep keep) {
  for (int i = 0; i < size; ++i) {
    const std::string& name = record_name(g.t, table, i);
    if (!name.empty() && keep(i)) g.ui.list_l.rows.push_back(name);
  }
}

// The items of the stock entries 0..last of a shop table.
void add_stock(Game& g, const std::array<ShopRecord, 256>& stock, i32 last) {
  for (i32 i = 0; i <= last && i < static_cast<i32>(stock.size()); ++i) {
    const i32 id = stock[static_cast<size_t>(i)].item;
    if (id == 0) continue;
    const std::string& name = at_or_empty(g.t.item_table, id).it_name;
    if (!name.empty()) g.ui.list_l.rows.push_back(name);
  }
}

// The monster's picture in the panel's corner; an unreadable file shows the
// default opponent picture, and failing that nothing.
void show_monster_picture(Game& g, const std::string& file) {
  Control& pic = g.ui.mon_pic;
  if (!load_picture(pic.image, g.cg_dir() + file) && !load_picture(pic.image, g.cg_dir() + "e0.bmp"))
    pic.image = QImage();
  pic.touched();
  pic.visible = true;
}

// The price of the stock entry at the selected row's position: rows and
// entries are counted alike, skipped entries or not.
i32 row_price(const Game& g, const std::array<ShopRecord, 256>& stock) {
  return at_or_empty(stock, g.ui.list_l.selected).price;
}

std::string n(i32 v) { return std::to_string(v); }

void list_lClick(Game& g) {
  const ListCaption* c = list_caption_now(g);
  if (!c) return;
  const Control& l = g.ui.list_l;
  if (l.selected < 0 || static_cast<size_t>(l.selected) >= l.rows.size()) return;
  const std::string& text = l.rows[static_cast<size_t>(l.selected)];
  if (text.empty()) return;
  // Every record of that name is taken in turn, so the last one wins.
  const int size = list_table_size(c->table);
  for (int i = 0; i < size; ++i)
    if (record_name(g.t, c->table, i) == text) g.s.list_sel = i;
  list_about(g);
}

}  // namespace

const ListCaption* list_caption_now(const Game& g) { return list_caption(g.ui.list_box.caption); }

void list_open(Game& g, ListMode mode) {
  Control& l = g.ui.list_l;
  g.ui.mon_pic.visible = false;
  g.ui.mon_pic.image = QImage();
  g.ui.mon_pic.touched();
  l.rows.clear();
  g.ui.about_l.text.clear();
  l.selected = -1;

  const GameState& s = g.s;
  const Tables& t = g.t;
  auto item_kind = [&](int i) { return t.item_table[static_cast<size_t>(i)].it_kind; };
  switch (mode) {
    case ListMode::Consumables:
    case ListMode::Sell:
      add_names(g, ListTable::Item, 500,
                [&](int i) { return s.item_have[static_cast<size_t>(i)] > 0 && is_consumable(item_kind(i)); });
      break;
    case ListMode::Monsters:
      add_names(g, ListTable::Monster, 500, [&](int i) { return s.monster_have[static_cast<size_t>(i)] > 0; });
      break;
    case ListMode::Garbage:
      add_names(g, ListTable::Garbage, 500, [&](int i) { return s.gomi_have[static_cast<size_t>(i)] > 0; });
      break;
    case ListMode::Equipment:
      // Weapons first, then armour, whatever their ids.
      add_names(g, ListTable::Item, 500,
                [&](int i) { return s.item_have[static_cast<size_t>(i)] > 0 && kinds::weapon(item_kind(i)); });
      add_names(g, ListTable::Item, 500,
                [&](int i) { return s.item_have[static_cast<size_t>(i)] > 0 && kinds::armour(item_kind(i)); });
      break;
    case ListMode::Buy:
      add_stock(g, t.shop_table, sat_add(sat_add(s.floor, s.my_lv / 6), 5));
      break;
    case ListMode::Magic:
      add_names(g, ListTable::Magic, 256, [&](int i) { return s.magic_have[static_cast<size_t>(i)] > 0; });
      break;
    case ListMode::Discs:
      add_names(g, ListTable::Disc, 256, [&](int i) { return s.md_have[static_cast<size_t>(i)] > 0; });
      break;
    case ListMode::Classes: {
      const i32 classes = sat_add(s.my_lv / 15, 2);
      add_names(g, ListTable::Class, 256, [&](int i) { return i < classes; });
      break;
    }
    case ListMode::Empty:
      break;
    case ListMode::WildShop:
      add_stock(g, t.wild_table, s.wild / 99);
      break;
  }
}

void list_about(Game& g) {
  const std::string_view cap = g.ui.list_box.caption;
  const GameState& s = g.s;
  const Tables& t = g.t;
  const i32 sel = s.list_sel;
  std::string& about = g.ui.about_l.text;

  if (cap == caption::kItems || cap == caption::kBuy || cap == caption::kWildShop || cap == caption::kSell) {
    const ItemRecord& it = at_or_empty(t.item_table, sel);
    std::string text = "◎" + it.it_name + "\r所持 > " + n(count_at(s.item_have, sel)) + "個\r";
    if (cap == caption::kBuy) text += "値段 > " + n(row_price(g, t.shop_table)) + "ｾﾝﾄ\r";
    if (cap == caption::kWildShop) text += "値段 > " + n(row_price(g, t.wild_table)) + "ｾﾝﾄ\r";
    if (cap == caption::kSell) text += "売値 > " + n(it.it_pow / 5) + "ｾﾝﾄ\r";
    about = text + "\r" + it.it_about;
  } else if (cap == caption::kMonsters || cap == caption::kOwnedMonsters) {
    const MonsterRecord& mo = at_or_empty(t.monster_table, sel);
    about = "◎" + mo.mo_name + "\r所持 > " + n(count_at(s.monster_have, sel)) + "匹 / 必要MP > " + n(mo.mo_mp) +
            "\r\r" + mo.mo_about + "\r発動回数:" + n(count_at(s.monster_lv, sel));
    show_monster_picture(g, mo.mo_pic);
  } else if (cap == caption::kGarbage || cap == caption::kFeed) {
    const GomiRecord& gm = at_or_empty(t.gomi_table, sel);
    about = "◎" + gm.gm_name + "\r所持 > " + n(count_at(s.gomi_have, sel)) + "個\r\r" + gm.gm_about;
  } else if (cap == caption::kEquipment) {
    const ItemRecord& it = at_or_empty(t.item_table, sel);
    std::string text = "◎" + it.it_name + " △" + n(it.it_pow) + "\r所持 > " + n(count_at(s.item_have, sel)) + "個\r";
    if (it.it_kind >= kinds::kArmourFirst)
      text += "\r防具、" + it.it_about;
    else
      text += "追加 >★" + at_or_empty(t.ex_names, it.it_ex) + "\r\r武器、" + it.it_about;
    about = text;
  } else if (cap == caption::kFusion) {
    const MonsterRecord& mo = at_or_empty(t.monster_table, sel);
    const i32 f = at_or_empty(t.gomi_table, sel).gm_name.empty() ? 10 : 1;
    about = "◎" + mo.mo_name + " ," + n(count_at(s.monster_have, sel)) + "匹\r合成値 > " +
            n(sat_mul(sat_mul(mo.mo_gousei, 10), f)) + "p.\r追加 >★" + at_or_empty(t.ex_names, mo.mo_ex) + "\r\r" +
            mo.mo_about;
    show_monster_picture(g, mo.mo_pic);
  } else if (cap == caption::kMagic) {
    const MagicRecord& mg = at_or_empty(t.magic_table, sel);
    about = "◎" + mg.mg_name + "\r必要ARK > " + n(mg.mg_ark) + "\r\r" + mg.mg_about;
  } else if (cap == caption::kDiscs) {
    const MdRecord& md = at_or_empty(t.md_table, sel);
    about = "◎" + md.md_name + "\r所持 > " + n(count_at(s.md_have, sel)) + "個\r\r" + md.md_about;
  } else if (cap == caption::kClassChange) {
    const JobRecord& jb = at_or_empty(t.job_table, sel);
    const i32 exp = count_at(s.class_exp, s.class_now);
    const std::string lv = exp >= 40 ? "M" : n(exp / 10);
    about = "◎" + jb.jb_name + "\r必要セント > " + n(sat_mul(jb.jb_cost, 1000)) + "セント\r必要WILD > " +
            n(jb.jb_wild) + "\rYOUR CLASS Lv > " + lv + "\r" + jb.jb_about;
  }
}

void list_refresh(Game& g, ListMode mode) {
  GameState& s = g.s;
  i32* count = nullptr;
  auto slot = [&](auto& a) -> i32* {
    return (s.list_sel >= 0 && static_cast<size_t>(s.list_sel) < a.size()) ? &a[static_cast<size_t>(s.list_sel)]
                                                                           : nullptr;
  };
  switch (mode) {
    case ListMode::Monsters: count = slot(s.monster_have); break;
    case ListMode::Garbage: count = slot(s.gomi_have); break;
    case ListMode::Magic: count = slot(s.magic_have); break;
    case ListMode::Discs: count = slot(s.md_have); break;
    case ListMode::Consumables:
    case ListMode::Equipment:
    case ListMode::Buy:
    case ListMode::Sell:
    case ListMode::WildShop: count = slot(s.item_have); break;
    case ListMode::Classes:
    case ListMode::Empty: break;
  }
  if (count && *count > 0) {
    list_about(g);
  } else {
    if (count) *count = 0;
    list_open(g, mode);
    g.ui.about_l.text.clear();
  }
  refresh(g);
}

namespace {

void cancel_bClick(Game& g) {
  play_se(g, "miss.wav");
  g.ui.list_box.visible = false;
  g.ui.shop_box.visible = false;
  if (!g.s.host_mode) return;
  g.ui.cancel_b.caption = "Cancel";
  g.ui.wata_b.visible = false;
  msg_put(g, "『また来てね』");
  battle_end(g);
  g.s.host_mode = false;
}

}  // namespace

void bind_list_panel(Game& g) {
  g.ui.list_l.on_click = list_lClick;
  g.ui.cancel_b.on_click = cancel_bClick;
}

}  // namespace z2
