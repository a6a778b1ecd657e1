// Rules the game's logic relies on. They are checked on every build so that
// a content edit cannot quietly break a fixed-role id, an enemy band or a shop.
#include <cstdio>
#include <map>
#include <set>

#include "datgen/datgen.hpp"
#include "state/carried.h"
#include "state/fixed_tables.h"
#include "state/floors.h"
#include "text_util.hpp"

namespace datgen {
namespace {

// The prizes and the fight rooms are the game's own tables (state/).
using z2::floors::kFloors;

// True when some fight room can draw enemy record n.
bool drawn_by_a_room(int n) {
  const int band = n / 10, slot = n % 10;
  if (z2::floors::monster_room(band)) return true;
  // The random rooms only take records 1..253.
  if (n < 1 || n > 253) return false;
  for (int f = band + 1; f <= z2::kTopFloor; ++f) {
    if (z2::floors::random_room(f) && slot <= 6) return true;
    if (z2::floors::advanced_room(f) && slot <= 8) return true;
  }
  return false;
}
// Item-use effects the game implements, plus a weapon and an armour.
const int kItemKinds[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                          20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39,
                          50, 51, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70,
                          71, 72, 73, 78, 79, 80, 89, 91, 94, 95, 96, 97, 98, 99, 400, 450};

struct Checker {
  const Content& c;
  std::vector<Issue> issues;

  void fail(const std::string& file, int line, const std::string& msg) { issues.push_back({file, line, msg}); }
  void fail(const Table& t, int id, const std::string& msg) {
    const Record& r = t.at(id);
    fail(t.file, r.line, (r.present ? "" : "id " + std::to_string(id) + " (not written): ") + msg);
  }

  static bool named(const Table& t, int id, std::string_view field) { return !t.text(id, field).empty(); }
  static size_t bytes(const std::string& s) { return to_cp932(s).size(); }

  void unique_names(const Table& t, std::string_view field) {
    std::map<std::string, int> seen;
    for (int i = 0; i < static_cast<int>(t.records.size()); ++i) {
      const std::string& n = t.text(i, field);
      if (n.empty()) continue;
      auto [it, fresh] = seen.emplace(n, i);
      if (!fresh) fail(t, i, "name '" + n + "' is also id " + std::to_string(it->second) + " (the list picks by name)");
    }
  }

  void max_bytes(const Table& t, int id, std::string_view field, size_t limit, const char* why) {
    const std::string& s = t.text(id, field);
    if (bytes(s) > limit) {
      fail(t, id, std::string(field) + " is " + std::to_string(bytes(s)) + " bytes, more than " + std::to_string(limit) + " (" + why + ")");
    }
  }

  void in_range(const Table& t, int id, std::string_view field, int lo, int hi) {
    int v = t.num(id, field);
    if (v < lo || v > hi) {
      fail(t, id, std::string(field) + " " + std::to_string(v) + " is outside " + std::to_string(lo) + ".." + std::to_string(hi));
    }
  }

  void need_named(const Table& t, int id, std::string_view field, const std::string& role) {
    if (!named(t, id, field)) fail(t, id, "id " + std::to_string(id) + " (" + role + ") must have a name");
  }

  void need_name(const Table& t, int id, std::string_view field, const std::string& name) {
    if (t.text(id, field) != name) fail(t, id, "id " + std::to_string(id) + " must be named '" + name + "'");
  }

  void maps() {
    const Table& t = c.table("map.tsv");
    for (int f = 0; f <= 24; ++f) need_named(t, f, "name", "floor");
  }

  void ex() {
    const Table& t = c.table("ex.tsv");
    if (t.text(0, "name") != "なし") fail(t, 0, "effect 0 is no effect and must read 'なし'");
    for (int i = 1; i <= 123; ++i) {
      const std::string& n = t.text(i, "name");
      if (n.empty() || n == "なし") fail(t, i, "effect " + std::to_string(i) + " acts and needs a name");
    }
    for (int i = 124; i < 256; ++i) {
      if (t.text(i, "name") != "なし") fail(t, i, "effect " + std::to_string(i) + " does nothing and must read 'なし'");
    }
  }

  void md() {
    const Table& t = c.table("md.tsv");
    for (int i = 0; i < 256; ++i) {
      bool want = i >= 1 && i <= 12;
      if (named(t, i, "md_name") != want) {
        fail(t, i, want ? "disc " + std::to_string(i) + " must exist" : "only discs 1..12 have music");
        continue;
      }
      if (!want) continue;
      char file[16];
      std::snprintf(file, sizeof file, "md%02d.mid", i);
      if (t.text(i, "md_file") != file) fail(t, i, std::string("disc file must be ") + file);
      max_bytes(t, i, "md_about", 84, "the list panel shows three lines");
    }
    unique_names(t, "md_name");
  }

  void items() {
    const Table& t = c.table("item.tsv");
    if (named(t, 0, "it_name")) fail(t, 0, "item 0 must stay empty: a carried item 0 means 'random'");
    bool tier[3] = {false, false, false};
    for (int i = 0; i < 500; ++i) {
      if (!named(t, i, "it_name")) continue;
      in_range(t, i, "it_rare", 0, 3);
      in_range(t, i, "it_pow", 0, z2::kNineNines);
      int kind = t.num(i, "it_kind");
      int rare = t.num(i, "it_rare");
      if (kind < 0) fail(t, i, "it_kind must not be negative");
      if (kind >= 400 && kind <= 449) {
        in_range(t, i, "it_ex", 0, 255);
        max_bytes(t, i, "it_about", 70, "the list panel shows weapons with one more line");
      } else {
        if (t.num(i, "it_ex") != 0) fail(t, i, "only a weapon has an extra effect");
        max_bytes(t, i, "it_about", 84, "the list panel shows three lines");
      }
      if (kind == 53) in_range(t, i, "it_pow", 0, 14);
      if (rare >= 0 && rare <= 2 && i != 499) tier[rare] = true;
    }
    for (int r = 0; r < 3; ++r) {
      if (!tier[r]) fail(t.file, 0, "no named item of rarity " + std::to_string(r) + ": random gifts need one");
    }
    need_name(t, 230, "it_name", "英雄馬");
    for (int i = 247; i <= 253; ++i) need_named(t, i, "it_name", "one of the seven");
    need_named(t, 255, "it_name", "the key above floor 7");
    need_named(t, 437, "it_name", "the voice of ファウスト");
    for (const z2::Milestone& m : z2::kComboPrizes) need_named(t, m.id, "it_name", "combo prize");
    for (const z2::floors::Floor& f : kFloors)
      if (f.prize == z2::floors::Prize::Item) need_named(t, f.prize_id, "it_name", "floor prize");
    for (const z2::Milestone& m : z2::kDeathPrizes) need_named(t, m.id, "it_name", "death prize");
    // Every way of using an item that the game knows is on offer somewhere.
    std::set<int> kinds;
    std::set<int> tricks;
    for (int i = 1; i < 500; ++i) {
      if (!named(t, i, "it_name")) continue;
      kinds.insert(t.num(i, "it_kind"));
      if (t.num(i, "it_kind") == 53) tricks.insert(t.num(i, "it_pow"));
    }
    for (int k : kItemKinds) {
      if (!kinds.count(k)) fail(t.file, 0, "no item uses effect kind " + std::to_string(k));
    }
    for (int k = 0; k <= 14; ++k) {
      if (!tricks.count(k)) fail(t.file, 0, "no kind-53 item with amount " + std::to_string(k));
    }
    int voice = -1;
    for (int i = 0; i < 500; ++i) {
      if (t.text(i, "it_name") == "ぼうやの声") voice = i;
    }
    if (voice < 0) {
      fail(t.file, 0, "an item named 'ぼうやの声' must exist");
    } else if (t.num(voice, "it_kind") != 78) {
      fail(t, voice, "'ぼうやの声' must be of kind 78 (it gives monster 101)");
    }
    unique_names(t, "it_name");
  }

  void shops() {
    const Table& items = c.table("item.tsv");
    for (const char* src : {"shop.tsv", "wild.tsv"}) {
      const Table& t = c.table(src);
      const char* f_item = src[0] == 's' ? "sh_item" : "wi_item";
      const char* f_price = src[0] == 's' ? "sh_price" : "wi_price";
      for (int i = 0; i < 256; ++i) {
        int item = t.num(i, f_item);
        if (item == 0) continue;
        if (item < 0 || item > 499 || !named(items, item, "it_name")) {
          fail(t, i, "stock " + std::to_string(item) + " is no named item");
          continue;
        }
        int price = t.num(i, f_price);
        int resale = items.num(item, "it_pow") / 5;
        if (price <= resale) fail(t, i, "price " + std::to_string(price) + " would buy back at a profit (sells for " + std::to_string(resale) + ")");
        if (items.num(item, "it_kind") == 39 && price <= items.num(item, "it_pow")) {
          fail(t, i, "a money bag must cost more than it holds");
        }
      }
    }
  }

  bool stocked(int item) const {
    for (const char* src : {"shop.tsv", "wild.tsv"}) {
      const Table& t = c.table(src);
      const char* f = src[0] == 's' ? "sh_item" : "wi_item";
      for (int i = 0; i < 256; ++i) {
        if (t.num(i, f) == item) return true;
      }
    }
    return false;
  }

  bool carried(int item) const {
    const Table& t = c.table("enemy.tsv");
    for (int i = 0; i < 255; ++i) {
      if (t.num(i, "en_item") == item) return true;
    }
    return false;
  }

  void obtainable() {
    const Table& items = c.table("item.tsv");
    int voice = -1;
    for (int i = 0; i < 500; ++i) {
      if (items.text(i, "it_name") == "ぼうやの声") voice = i;
    }
    if (voice >= 0) {
      const Table& shop = c.table("shop.tsv");
      bool in_shop = false;
      for (int i = 0; i < 256; ++i) in_shop = in_shop || shop.num(i, "sh_item") == voice;
      if (!in_shop) fail(shop.file, 0, "'ぼうやの声' is only sold by the SHOP and must be in its stock");
    }
    for (int i = 247; i <= 253; ++i) {
      bool random = items.num(i, "it_rare") <= 2;
      if (!stocked(i) && !carried(i) && !random) fail(items, i, "one of the seven must be obtainable");
    }
    if (!stocked(255) && !carried(255)) fail(items, 255, "the key above floor 7 must be sold or carried");
  }

  void enemies() {
    const Table& t = c.table("enemy.tsv");
    const Table& items = c.table("item.tsv");
    const Table& gomi = c.table("gomi.tsv");
    for (int i = 0; i < 255; ++i) {
      const std::string& name = t.text(i, "en_name");
      bool used = !name.empty() && name != " ";
      const bool met = drawn_by_a_room(i);
      if (met && !used) {
        fail(t, i, "enemy " + std::to_string(i) + " (floor " + std::to_string(i / 10) + ", slot " + std::to_string(i % 10) + ") is drawn by a room and must be usable");
      }
      if (!used) continue;
      if (!met) {
        fail(t, i, "no room ever draws enemy " + std::to_string(i) + " (floor " + std::to_string(i / 10) + ", slot " +
                       std::to_string(i % 10) + "): leave it empty or move it");
      }
      char pic[16];
      std::snprintf(pic, sizeof pic, "en%03d.bmp", i);
      if (t.text(i, "en_pic") != pic) fail(t, i, std::string("picture must be ") + pic);
      in_range(t, i, "en_hp", 0, z2::kNineNines);
      in_range(t, i, "en_state", 0, 10);
      in_range(t, i, "en_zoku", 0, 4);
      for (const char* a : {"en_act1", "en_act2", "en_act3", "en_act4", "en_act5"}) {
        int v = t.num(i, a);
        if (!((v >= 0 && v <= 95) || v == 99)) fail(t, i, std::string(a) + " " + std::to_string(v) + " is no action");
        if (v == 95) fail(t, i, std::string(a) + " 95 is ファウスト's own line; an ordinary enemy must not speak it");
      }
      int carry = t.num(i, "en_item");
      const z2::carried::Thing thing = z2::carried::decode(carry);
      bool ok = carry == z2::carried::kNothing || thing.kind == z2::carried::Kind::Random ||
                (thing.kind == z2::carried::Kind::Item && named(items, thing.id, "it_name")) ||
                (thing.kind == z2::carried::Kind::Garbage && named(gomi, thing.id, "gm_name"));
      if (!ok) fail(t, i, "carried " + std::to_string(carry) + " is no named item or garbage");
    }
  }

  void monsters() {
    const Table& t = c.table("monster.tsv");
    for (int i = 0; i < 500; ++i) {
      if (!named(t, i, "mo_name")) continue;
      char pic[16];
      std::snprintf(pic, sizeof pic, "mo%03d.bmp", i);
      if (t.text(i, "mo_pic") != pic) fail(t, i, std::string("picture must be ") + pic);
      in_range(t, i, "mo_kind", 0, 90);
      in_range(t, i, "mo_pow", 0, 999999);
      in_range(t, i, "mo_mp", 0, 9999);
      in_range(t, i, "mo_ex", 0, 255);
      in_range(t, i, "mo_gousei", 0, 99999);
      max_bytes(t, i, "mo_about", 56, "the list panel leaves two lines");
    }
    need_named(t, 30, "mo_name", "its count powers a skill");
    need_named(t, 101, "mo_name", "given by ぼうやの声");
    need_name(t, 102, "mo_name", "ｸﾘｰﾅｰﾔﾑﾔﾑ");
    need_name(t, 104, "mo_name", "わたっ娘");
    for (const z2::Evolution& e : z2::kEvolutions) {
      need_named(t, e.from, "mo_name", "evolves into " + std::to_string(e.to));
      need_named(t, e.to, "mo_name", "evolved from " + std::to_string(e.from));
    }
    unique_names(t, "mo_name");
  }

  void gomi() {
    const Table& t = c.table("gomi.tsv");
    int per_floor[25] = {};
    for (int i = 0; i < 500; ++i) {
      if (!named(t, i, "gm_name")) continue;
      in_range(t, i, "gm_floor", 0, 24);
      int f = t.num(i, "gm_floor");
      if (f >= 0 && f <= 24) ++per_floor[f];
      max_bytes(t, i, "gm_about", 84, "the list panel shows three lines");
    }
    need_named(t, 87, "gm_name", "the errand girl's fallback find");
    for (int f = 0; f <= z2::kTopFloor; ++f) {
      if (z2::floors::monster_room(f) && per_floor[f] < 3) fail(t.file, 0, "floor " + std::to_string(f) + " has fewer than 3 kinds of garbage to find");
    }
    unique_names(t, "gm_name");
  }

  void magic() {
    const Table& t = c.table("magic.tsv");
    for (int i = 0; i < 256; ++i) {
      if (!named(t, i, "mg_name")) continue;
      in_range(t, i, "mg_kind", 0, 24);
      in_range(t, i, "mg_ark", 0, 999);
      max_bytes(t, i, "mg_about", 84, "the list panel shows three lines");
    }
    need_name(t, 18, "mg_name", "ラナウェイ");
    if (t.num(18, "mg_kind") != 20) fail(t, 18, "ラナウェイ must be the escape spell (kind 20)");
    for (const z2::Milestone& m : z2::kLevelMagic) need_named(t, m.id, "mg_name", "taught at a level");
    for (const z2::floors::Floor& f : kFloors)
      if (f.prize == z2::floors::Prize::Magic) need_named(t, f.prize_id, "mg_name", "taught by a floor");
    unique_names(t, "mg_name");
  }

  void jobs() {
    const Table& t = c.table("job.tsv");
    for (int i = 0; i <= 22; ++i) {
      need_named(t, i, "jb_name", "class");
      in_range(t, i, "jb_cost", 0, 999999);
      in_range(t, i, "jb_wild", 0, 999);
      max_bytes(t, i, "jb_about", 70, "the list panel shows four lines above it");
    }
    unique_names(t, "jb_name");
  }

  void names() {
    const Table& t = c.table("name.tsv");
    for (int i = 0; i < 226; ++i) need_named(t, i, "name", "name list entry");
  }

  void bosses() {
    for (int n : boss_numbers()) {
      auto it = c.bosses.find(n);
      if (it == c.bosses.end()) {
        fail("boss" + std::to_string(n) + ".txt", 0, "boss file missing");
        continue;
      }
      const Boss& b = it->second;
      auto line = [&](const char* k) { auto l = b.lines.find(k); return l == b.lines.end() ? 0 : l->second; };
      if (b.name.empty()) fail(b.file, line("name"), "a boss needs a name");
      if (n == 99 && b.name != "ファウスト") fail(b.file, line("name"), "the final gauntlet is fought against 'ファウスト'");
      if (n != 99 && b.name == "ファウスト") fail(b.file, line("name"), "'ファウスト' changes the fight rules; only boss 99 may bear it");
      if (b.pic != "boss" + std::to_string(n) + ".bmp") fail(b.file, line("pic"), "picture must be boss" + std::to_string(n) + ".bmp");
      if (!b.big.empty() && b.big != "bossbig" + std::to_string(n) + ".bmp") {
        fail(b.file, line("big"), "large picture must be bossbig" + std::to_string(n) + ".bmp or empty");
      }
      if (b.lv < 1) fail(b.file, line("lv"), "level must be at least 1");
      if (b.hp < 0) fail(b.file, line("hp"), "hit points must not be negative");
      for (int k = 0; k < 5; ++k) {
        std::string key = "talk" + std::to_string(k + 1);
        if (b.talk[k].empty()) fail(b.file, line(key.c_str()), "every speech line is spoken");
        if (bytes(b.talk[k]) > 120) fail(b.file, line(key.c_str()), "speech longer than the big message box (120 bytes)");
      }
    }
  }

  void opening() {
    const auto& o = c.open.lines;
    size_t end = 0;
    for (size_t i = 1; i < o.size() && i < 200; ++i) {
      if (o[i] == "end") {
        end = i;
        break;
      }
    }
    if (end == 0) fail(c.open.file, 0, "an 'end' line among lines 2..200 ends the show");
    // Line 1 of each file is never shown.
    for (size_t i = 1; i < o.size(); ++i) {
      if (bytes(o[i]) > 44) fail(c.open.file, static_cast<int>(i + 1), "wider than the opening picture (44 bytes)");
    }
    const auto& s = c.staff.lines;
    // The show writes staff line k (counted from 0) at step 50k (5 s apart) and stops at step
    // 10 * end. The last words of the roll must stay up for at least 3 s before it stops.
    size_t last = 0;
    for (size_t i = 1; i < s.size(); ++i) {
      if (!s[i].empty()) last = i;
    }
    if (end > 0 && last * 50 + 30 > end * 10) {
      fail(c.staff.file, static_cast<int>(last + 1),
           "the show ends " + std::to_string(end) + " s after it starts, too soon for the staff roll's last line (shown at " +
               std::to_string(last * 5) + " s): shorten the roll or move the opening's 'end'");
    }
    for (size_t i = 1; i < s.size(); ++i) {
      if (bytes(s[i]) > 42) fail(c.staff.file, static_cast<int>(i + 1), "wider than the staff picture (42 bytes)");
    }
  }
};

}  // namespace

std::vector<Issue> check_content(const Content& content) {
  Checker k{content, {}};
  k.names();
  k.ex();
  k.maps();
  k.md();
  k.items();
  k.shops();
  k.enemies();
  k.obtainable();
  k.monsters();
  k.gomi();
  k.magic();
  k.jobs();
  k.bosses();
  k.opening();
  return k.issues;
}

}  // namespace datgen
