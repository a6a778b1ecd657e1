#include "data/tables.h"

#include <array>
#include <memory>
#include <mutex>
#include <optional>

#include "data/file_stamp.h"
#include "data/reader.h"
#include "state/floors.h"
#include "state/ids.h"
#include "state/vars.h"

namespace z2 {
namespace {

template <class A>
void read_strings(DataReader& r, A& a) {
  for (auto& x : a) x = r.read_string();
}

// Each reader moves `rec` to the record it is about to read, so a DataError
// can be placed in the file.
void read_name(Tables& t, DataReader& r, int& rec) {
  rec = 0;
  for (auto& x : t.name_list) {
    x = r.read_string();
    ++rec;
  }
}
void read_ex(Tables& t, DataReader& r, int& rec) {
  rec = 0;
  for (auto& x : t.ex_names) {
    x = r.read_string();
    ++rec;
  }
}
void read_map(Tables& t, DataReader& r, int& rec) {
  rec = 0;
  for (auto& x : t.map_names) {
    x = r.read_string();
    ++rec;
  }
}
void read_md(Tables& t, DataReader& r, int& rec) {
  rec = 0;
  for (auto& m : t.md_table) {
    m.md_name = r.read_string();
    m.md_about = r.read_string();
    m.md_file = r.read_string();
    ++rec;
  }
}
void read_enemy(Tables& t, DataReader& r, int& rec) {
  for (rec = 0; rec < 255; ++rec) {
    EnemyRecord& e = t.enemy(rec);
    e = EnemyRecord{};
    e.en_name = r.read_string();
    e.en_pic = r.read_string();
    e.en_hp = r.read_int();
    e.en_state = r.read_int();
    e.en_zoku = r.read_int();
    e.en_item = r.read_int();
    for (auto& a : e.en_act) a = r.read_int();
  }
}
void read_item(Tables& t, DataReader& r, int& rec) {
  rec = 0;
  for (auto& it : t.item_table) {
    it.it_name = r.read_string();
    it.it_about = r.read_string();
    it.it_kind = r.read_int();
    it.it_pow = r.read_int();
    it.it_rare = r.read_int();
    it.it_ex = r.read_int();
    ++rec;
  }
}
void read_shop_table(std::array<ShopRecord, 256>& table, DataReader& r, int& rec) {
  rec = 0;
  for (auto& sh : table) {
    sh.item = r.read_int();
    sh.price = r.read_int();
    ++rec;
  }
}
void read_shop(Tables& t, DataReader& r, int& rec) { read_shop_table(t.shop_table, r, rec); }
void read_wild(Tables& t, DataReader& r, int& rec) { read_shop_table(t.wild_table, r, rec); }
void read_job(Tables& t, DataReader& r, int& rec) {
  rec = 0;
  for (auto& j : t.job_table) {
    j.jb_name = r.read_string();
    j.jb_about = r.read_string();
    j.jb_spare = r.read_int();
    j.jb_cost = r.read_int();
    j.jb_wild = r.read_int();
    ++rec;
  }
}
void read_gomi(Tables& t, DataReader& r, int& rec) {
  rec = 0;
  for (auto& g : t.gomi_table) {
    g.gm_name = r.read_string();
    g.gm_about = r.read_string();
    g.gm_floor = r.read_int();
    g.gm_spare = r.read_int();
    ++rec;
  }
}
void read_monster(Tables& t, DataReader& r, int& rec) {
  rec = 0;
  for (auto& m : t.monster_table) {
    m.mo_name = r.read_string();
    m.mo_about = r.read_string();
    m.mo_pic = r.read_string();
    m.mo_kind = r.read_int();
    m.mo_pow = r.read_int();
    m.mo_mp = r.read_int();
    m.mo_ex = r.read_int();
    m.mo_gousei = r.read_int();
    ++rec;
  }
}
void read_magic(Tables& t, DataReader& r, int& rec) {
  rec = 0;
  for (auto& m : t.magic_table) {
    m.mg_name = r.read_string();
    m.mg_about = r.read_string();
    m.mg_kind = r.read_int();
    m.mg_ark = r.read_int();
    ++rec;
  }
}

struct MasterFile {
  const char* name;
  void (*read)(Tables&, DataReader&, int&);
};

// The order in which the game reads them.
constexpr MasterFile kMasterFiles[kMasterFileCount] = {
    {"name.dat", read_name}, {"ex.dat", read_ex},       {"map.dat", read_map},   {"md.dat", read_md},
    {"enemy.dat", read_enemy}, {"item.dat", read_item}, {"shop.dat", read_shop}, {"wild.dat", read_wild},
    {"job.dat", read_job},   {"gomi.dat", read_gomi},   {"monster.dat", read_monster}, {"magic.dat", read_magic},
};

}  // namespace

const char* master_file_name(int i) { return kMasterFiles[i].name; }

void load_master_file(Tables& t, const std::string& dat, int i, int* record) {
  int rec = 0;
  int& r_rec = record ? *record : rec;
  r_rec = 0;
  auto r = DataReader::open(dat + kMasterFiles[i].name);
  kMasterFiles[i].read(t, r, r_rec);
}

namespace {

// The master files as last read whole. NEW GAME and COUNTINUE read all twelve
// again, since a data author may have changed them meanwhile; while every file
// is still the one read last time, the tables read then are used instead of
// parsing again. Only a read without errors is kept, so an error is met (and
// reported) anew.
class TablesCache {
 public:
  using Stamps = std::array<FileStamp, kMasterFileCount>;

  // The stamps of the files in `dat`, or nullopt when one is missing.
  static std::optional<Stamps> stamp(const std::string& dat) {
    Stamps s;
    for (int i = 0; i < kMasterFileCount; ++i) {
      std::optional<FileStamp> f = FileStamp::of(dat + kMasterFiles[i].name);
      if (!f) return std::nullopt;
      s[static_cast<size_t>(i)] = *f;
    }
    return s;
  }

  // What was read at `earlier` still holds for every file.
  static bool vouch(const Stamps& now, const Stamps& earlier) {
    for (size_t i = 0; i < now.size(); ++i)
      if (!now[i].vouches_for(earlier[i])) return false;
    return true;
  }

  // The tables read from `dat`, if every file is still what it was then.
  std::shared_ptr<const Tables> find(const std::string& dat, const Stamps& now) {
    std::lock_guard lock(mu_);
    return tables_ && dat == dat_ && vouch(now, stamps_) ? tables_ : nullptr;
  }

  // `t` was read from `dat`, whose files had the stamps `before`.
  void keep(std::shared_ptr<const Tables> t, const std::string& dat, const Stamps& before) {
    // Changed while it was read: the next read must not trust it.
    const std::optional<Stamps> after = stamp(dat);
    if (!after || !vouch(*after, before)) return;
    std::lock_guard lock(mu_);
    dat_ = dat;
    stamps_ = before;
    tables_ = std::move(t);
  }

 private:
  std::mutex mu_;
  std::string dat_;
  Stamps stamps_;
  std::shared_ptr<const Tables> tables_;
};

TablesCache& tables_cache() {
  static TablesCache cache;
  return cache;
}

}  // namespace

void load_tables(Tables& t, const std::string& dat) {
  for (int i = 0; i < kMasterFileCount; ++i) load_master_file(t, dat, i);
}

std::shared_ptr<const Tables> read_tables(const std::string& dat) {
  const std::optional<TablesCache::Stamps> stamps = TablesCache::stamp(dat);
  if (stamps)
    if (std::shared_ptr<const Tables> kept = tables_cache().find(dat, *stamps)) return kept;
  auto t = std::make_shared<Tables>();
  load_tables(*t, dat);
  if (stamps) tables_cache().keep(t, dat, *stamps);
  return t;
}

void load_save(GameState& s, const std::string& path) {
  auto r = DataReader::open(path);
  r.require_crlf_lines();
  for (const SaveRun& run : save_layout()) {
    const Var& v = *run.var;
    switch (v.type) {
      case Var::Type::Str: s.*(v.sp) = r.read_string(); break;
      case Var::Type::Int: s.*(v.ip) = r.read_int(); break;
      case Var::Type::Bool: s.*(v.bp) = r.read_int() != 0; break;
      case Var::Type::Array: {
        auto a = v.arr(s);
        for (int i = 0; i < run.count; ++i) a[static_cast<size_t>(run.first + i)] = r.read_int();
        break;
      }
    }
  }
}

void load_boss(GameState& s, const std::string& dat, int n) {
  auto r = DataReader::open(dat + "boss" + std::to_string(n & 0xFF) + ".dat");
  s.boss_name = r.read_string();
  s.boss_pic = r.read_string();
  s.boss_big_pic = r.read_string();
  s.boss_lv = r.read_int();
  s.boss_hp = r.read_int();
  for (auto& line : s.boss_talk) line = r.read_string();
}

void load_opening_texts(GameState& s, const std::string& dat) {
  auto o = DataReader::open(dat + "open.dat");
  auto st = DataReader::open(dat + "staff.dat");
  read_strings(o, s.open_text);
  read_strings(st, s.staff_text);
}

std::string colosseum_bgm(int floor) {
  const floors::Floor* f = floors::floor_row(floor);
  return f ? f->music : "";
}

}  // namespace z2
