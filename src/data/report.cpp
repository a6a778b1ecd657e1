#include "data/report.h"

#include "data/cp932.h"
#include "state/ids.h"

namespace z2 {
namespace {

struct TitleRow {
  const char* names[3];  // B < X, 2B < X, 3B < X
};

constexpr TitleRow kRows[8] = {
    {{"冒険者", "大冒険者", "ＷＩＬＤ ＳＴＹＬＥ"}},
    {{"金持ち", "大金持ち", "黄金王ヴォマクト"}},
    {{"拳を求める者", "拳を極めし者", "拳王"}},
    {{"大巨人", "超巨人", "超々巨人"}},
    {{"見習魔法使い", "一流魔法使い", "大魔導師"}},
    {{"獣使い", "ドラゴン使い", "猫殺し士"}},
    {{"地獄の番人", "地獄の死神", "地獄の冥界王"}},
    {{"逃げる者", "逃げ続ける者", "逃亡士ガルボン"}},
};

struct LevelBand {
  i32 lo, hi;
  const char* title;
};

constexpr LevelBand kBands[] = {
    {0, 10, "弱っコ"},
    {11, 29, "凡人"},
    {30, 49, "闘士"},
    {100, 110, "Lv100コロシアマー"},
    {200, 210, "Lv200コロシアマー"},
    {300, 310, "Lv300コロシアマー"},
    {400, 410, "Lv400コロシアマー"},
    {500, 510, "Ａ級コロシアマー"},
    {600, 610, "Ｓ級コロシアマー"},
    {700, 710, "SS級コロシアマー"},
    {800, 810, "SSS級コロシアマー"},
    {900, 910, "ザンドコロシアマー"},
    {999, 999, "ＷＩＬＤＥＲ"},
};

template <class A>
int count_ones(const A& a) {
  int n = 0;
  for (i32 v : a) n += v == 1;
  return n;
}

}  // namespace

std::string report_title(const GameState& s) {
  const i32 deaths = s.floor_clear[fc::kDeaths];
  const i32 escapes = s.floor_clear[fc::kEscapes];
  // 64 bits: the four stats together (and 3·B) can pass the 32-bit range.
  const int64_t b = int64_t{s.wild / 20} +
                    (int64_t{s.my_atk} + s.my_int + s.my_body + s.my_beast) / 4 + s.cent / 300 + deaths / 6 +
                    escapes / 6;
  const int64_t stats[8] = {s.wild / 10, s.cent / 200, s.my_atk, s.my_body, s.my_int, s.my_beast, deaths, escapes};

  const char* title = "????";
  for (int r = 0; r < 8; ++r) {
    const int64_t x = stats[r];
    if (b < x) title = kRows[r].names[0];
    if (2 * b < x) title = kRows[r].names[1];
    if (3 * b < x) title = kRows[r].names[2];
  }
  for (const LevelBand& band : kBands)
    if (s.my_lv >= band.lo && s.my_lv <= band.hi) title = band.title;
  if (s.key_have(key::kFaustVoice) > 0) title = "ﾌｧｳｽﾄの声を聞いた者";
  return title;
}

std::string report_text(const GameState& s, const Tables& t, const std::string& score_caption) {
  int named_items = 0;
  for (const ItemRecord& it : t.item_table) named_items += !it.it_name.empty();
  const auto n = [](i32 v) { return std::to_string(v); };

  std::string out;
  out.reserve(512);
  // A line break inside a name would split its line: the report keeps eight.
  auto line = [&](const std::string& text) {
    for (char c : text) out += (c == '\r' || c == '\n') ? ' ' : c;
    out += "\r\n";
  };
  line("★ザンドコロシアム２データ");
  line("LV:" + n(s.my_lv) + "  攻:" + n(s.my_atk) + " 知:" + n(s.my_int) + " 防:" + n(s.my_body) +
       " 獣:" + n(s.my_beast));
  line("武器:" + s.buki_name + "△" + n(s.buki_pow));
  line("防具:" + s.bougu_name + "△" + n(s.bougu_pow));
  line("戦:" + n(s.floor_clear[fc::kBattles]) + " 死:" + n(s.floor_clear[fc::kDeaths]) + " 逃:" + n(s.floor_clear[fc::kEscapes]) +
       " 時:" + n(s.play_time));
  line("ﾓﾝｽﾀｰ図鑑:" + n(count_ones(s.monster_book)) + "匹  魔法図鑑:" + n(count_ones(s.magic_have)) +
       "個  ITEM図鑑:" + n(count_ones(s.item_book)) + "/" + n(named_items));
  line("現ﾌﾛｱ:" + n(s.floor) + "階  称号:【" + report_title(s) + "】");
  line(score_caption);
  return out;
}

}  // namespace z2
