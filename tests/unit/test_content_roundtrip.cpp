// The build's converter and the game's reader agree: the content sources,
// converted into a scratch folder and read back the way the game reads them,
// give the values written in the sources (parsed here on their own).
#include <gtest/gtest.h>

#if __has_include(<datgen/datgen.hpp>)

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "data/tables.h"
#include "datgen/datgen.hpp"

namespace fs = std::filesystem;

namespace {

const fs::path kContent = fs::path(ZANDO_SOURCE_DIR) / "content";

std::vector<std::string> text_lines(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  if (!lines.empty() && lines.front().rfind("\xEF\xBB\xBF", 0) == 0) lines.front().erase(0, 3);
  return lines;
}

std::vector<std::string> split_tabs(const std::string& s) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    size_t tab = s.find('\t', start);
    out.push_back(s.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return out;
    start = tab + 1;
  }
}

// id -> the record's fields, as written in a source table.
using Source = std::map<int, std::vector<std::string>>;

Source read_source(const std::string& file, size_t fields) {
  Source src;
  for (const std::string& line : text_lines(kContent / file)) {
    if (line.empty() || line[0] == '#') continue;
    auto cols = split_tabs(line);
    if (cols.size() == fields + 2 && !cols.back().empty() && cols.back()[0] == '#') cols.pop_back();
    EXPECT_EQ(cols.size(), fields + 1) << file << ": " << line;
    if (cols.size() != fields + 1) continue;
    src[std::stoi(cols[0])] = std::vector<std::string>(cols.begin() + 1, cols.end());
  }
  return src;
}

struct Converted {
  fs::path dir;
  z2::Tables t;
  Converted() {
    dir = fs::temp_directory_path() / ("zando2_roundtrip_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    datgen::write_content(datgen::load_content(kContent.string()), dir.string());
    z2::load_tables(t, dir.string() + "/");
  }
  ~Converted() { fs::remove_all(dir); }
};

class ContentRoundTrip : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (fs::exists(kContent / "item.tsv")) conv_ = new Converted;
  }
  static void TearDownTestSuite() {
    delete conv_;
    conv_ = nullptr;
  }
  void SetUp() override {
    if (!conv_) GTEST_SKIP() << "no content sources in " << kContent;
  }
  const z2::Tables& t() const { return conv_->t; }
  std::string dat() const { return conv_->dir.string() + "/"; }

  // Item or garbage reference as the source writes it (an id or a name) -> id.
  static int item_ref(const std::string& v) {
    static const Source items = read_source("item.tsv", 6);
    static const Source gomi = read_source("gomi.tsv", 4);
    if (!v.empty() && (std::isdigit(static_cast<unsigned char>(v[0])) || v[0] == '-')) return std::stoi(v);
    const std::string garbage = "ゴミ:";
    const bool is_gomi = v.rfind(garbage, 0) == 0;
    const std::string name = is_gomi ? v.substr(garbage.size()) : v;
    for (const auto& [id, f] : is_gomi ? gomi : items) {
      if (f[0] == name) return is_gomi ? 1000 + id : id;
    }
    ADD_FAILURE() << "no source record is named " << v;
    return -999;
  }

  // Compares every written record of `file` with what the game read; `read`
  // gives a record's fields in file order (numbers in decimal), `refs` the
  // field positions holding an item reference. Records the source leaves out
  // must read with an empty (or, for ex.dat, "なし") first field.
  void compare(const std::string& file, size_t fields, int records,
               const std::function<std::vector<std::string>(int)>& read, std::vector<size_t> refs = {},
               const std::string& blank_name = "") {
    const Source src = read_source(file, fields);
    ASSERT_FALSE(src.empty()) << file;
    for (int id = 0; id < records; ++id) {
      const std::vector<std::string> got = read(id);
      ASSERT_EQ(got.size(), fields);
      auto it = src.find(id);
      if (it == src.end()) {
        EXPECT_EQ(got[0], blank_name) << file << " id " << id << " is not written";
        continue;
      }
      for (size_t f = 0; f < fields; ++f) {
        std::string want = it->second[f];
        if (std::find(refs.begin(), refs.end(), f) != refs.end()) want = std::to_string(item_ref(want));
        EXPECT_EQ(got[f], want) << file << " id " << id << " field " << f + 1;
      }
    }
  }

  static Converted* conv_;
};
Converted* ContentRoundTrip::conv_ = nullptr;

using V = std::vector<std::string>;
std::string s(int v) { return std::to_string(v); }

TEST_F(ContentRoundTrip, SampleRecords) {
  // Spot checks first, so a failure names something a person can look up.
  const Source items = read_source("item.tsv", 6);
  ASSERT_TRUE(items.count(230));
  const auto& it = t().item_table[230];
  EXPECT_EQ(it.it_name, items.at(230)[0]);
  EXPECT_EQ(it.it_about, items.at(230)[1]);
  EXPECT_EQ(s(it.it_kind), items.at(230)[2]);
  EXPECT_EQ(s(it.it_pow), items.at(230)[3]);
  EXPECT_EQ(s(it.it_rare), items.at(230)[4]);
  EXPECT_EQ(s(it.it_ex), items.at(230)[5]);

  const Source enemies = read_source("enemy.tsv", 11);
  ASSERT_TRUE(enemies.count(0));
  const auto& e = t().enemy(0);
  EXPECT_EQ(e.en_name, enemies.at(0)[0]);
  EXPECT_EQ(e.en_pic, enemies.at(0)[1]);
  EXPECT_EQ(s(e.en_hp), enemies.at(0)[2]);
  EXPECT_EQ(s(e.en_act[4]), enemies.at(0)[10]);
  // The boss slot in front of record 0 stays empty.
  EXPECT_EQ(t().enemy(-1).en_name, "");
}

TEST_F(ContentRoundTrip, EveryMasterTable) {
  const z2::Tables& tb = t();
  compare("name.tsv", 1, 226, [&](int i) { return V{tb.name_list[i]}; });
  compare(
      "ex.tsv", 1, 256, [&](int i) { return V{tb.ex_names[i]}; }, {}, "なし");
  compare("map.tsv", 1, 256, [&](int i) { return V{tb.map_names[i]}; });
  compare("md.tsv", 3, 256, [&](int i) {
    const auto& m = tb.md_table[i];
    return V{m.md_name, m.md_about, m.md_file};
  });
  compare("enemy.tsv", 11, 255,
          [&](int i) {
            const auto& e = tb.enemy(i);
            return V{e.en_name,      e.en_pic,       s(e.en_hp),     s(e.en_state),  s(e.en_zoku),  s(e.en_item),
                     s(e.en_act[0]), s(e.en_act[1]), s(e.en_act[2]), s(e.en_act[3]), s(e.en_act[4])};
          },
          {5});
  compare("item.tsv", 6, 500, [&](int i) {
    const auto& x = tb.item_table[i];
    return V{x.it_name, x.it_about, s(x.it_kind), s(x.it_pow), s(x.it_rare), s(x.it_ex)};
  });
  // A row the source leaves out sells item 0, which the shops skip.
  compare(
      "shop.tsv", 2, 256,
      [&](int i) {
        return V{s(tb.shop_table[i].item), s(tb.shop_table[i].price)};
      },
      {0}, "0");
  compare(
      "wild.tsv", 2, 256,
      [&](int i) {
        return V{s(tb.wild_table[i].item), s(tb.wild_table[i].price)};
      },
      {0}, "0");
  compare("job.tsv", 5, 256, [&](int i) {
    const auto& j = tb.job_table[i];
    return V{j.jb_name, j.jb_about, s(j.jb_spare), s(j.jb_cost), s(j.jb_wild)};
  });
  compare("gomi.tsv", 4, 500, [&](int i) {
    const auto& g = tb.gomi_table[i];
    return V{g.gm_name, g.gm_about, s(g.gm_floor), s(g.gm_spare)};
  });
  compare("monster.tsv", 8, 500, [&](int i) {
    const auto& m = tb.monster_table[i];
    return V{m.mo_name, m.mo_about, m.mo_pic, s(m.mo_kind), s(m.mo_pow), s(m.mo_mp), s(m.mo_ex), s(m.mo_gousei)};
  });
  compare("magic.tsv", 4, 256, [&](int i) {
    const auto& m = tb.magic_table[i];
    return V{m.mg_name, m.mg_about, s(m.mg_kind), s(m.mg_ark)};
  });
}

TEST_F(ContentRoundTrip, EveryBossFile) {
  for (int n : datgen::boss_numbers()) {
    std::map<std::string, std::string> src;
    for (const std::string& line : text_lines(kContent / "boss" / ("boss" + std::to_string(n) + ".txt"))) {
      if (line.empty() || line[0] == '#') continue;
      const size_t colon = line.find(':');
      ASSERT_NE(colon, std::string::npos) << line;
      std::string v = line.substr(colon + 1);
      if (!v.empty() && v[0] == ' ') v.erase(0, 1);
      src[line.substr(0, colon)] = v;
    }
    z2::GameState st;
    z2::load_boss(st, dat(), n);
    SCOPED_TRACE("boss " + std::to_string(n));
    EXPECT_EQ(st.boss_name, src["name"]);
    EXPECT_EQ(st.boss_pic, src["pic"]);
    EXPECT_EQ(st.boss_big_pic, src["big"]);
    EXPECT_EQ(s(st.boss_lv), src["lv"]);
    EXPECT_EQ(s(st.boss_hp), src["hp"]);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(st.boss_talk[static_cast<size_t>(k)], src["talk" + std::to_string(k + 1)]);
  }
}

TEST_F(ContentRoundTrip, OpeningTexts) {
  z2::GameState st;
  z2::load_opening_texts(st, dat());
  const auto open = text_lines(kContent / "open.txt");
  const auto staff = text_lines(kContent / "staff.txt");
  ASSERT_LE(open.size(), st.open_text.size());
  ASSERT_LE(staff.size(), st.staff_text.size());
  for (size_t k = 0; k < st.open_text.size(); ++k) {
    EXPECT_EQ(st.open_text[k], k < open.size() ? open[k] : "") << "open line " << k + 1;
  }
  for (size_t k = 0; k < st.staff_text.size(); ++k) {
    EXPECT_EQ(st.staff_text[k], k < staff.size() ? staff[k] : "") << "staff line " << k + 1;
  }
}

}  // namespace

#else

TEST(ContentRoundTrip, NeedsTheConverter) { GTEST_SKIP() << "built without the content converter"; }

#endif
