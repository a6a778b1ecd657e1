// The content converter: CP932 bytes, CR LF lines, exact record counts and
// errors that name the source file and line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "datgen/datgen.hpp"
#include "temp_dir.h"

namespace fs = std::filesystem;
using datgen::SourceError;

namespace {

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void spit(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

// Splits data-file bytes at CR LF; fails the test on a bare CR or LF.
std::vector<std::string> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "last line has no CR LF";
    if (end == std::string::npos) break;
    std::string line = bytes.substr(start, end - start);
    EXPECT_EQ(line.find('\r'), std::string::npos);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

// Runs f, which must throw SourceError, and returns it.
template <class F>
SourceError source_error(F f) {
  try {
    f();
  } catch (const SourceError& e) {
    return e;
  }
  ADD_FAILURE() << "no SourceError thrown";
  return SourceError("", 0, "");
}

using z2::test::TempDir;

// A minimal but complete source set: few records, every file present.
void write_sample(const fs::path& dir) {
  spit(dir / "name.tsv", "# names\n0\tアレク\n1\tﾎﾟﾁ\n");
  spit(dir / "ex.tsv", "0\tなし\n1\tザンドの加護\n");
  spit(dir / "map.tsv", "0\tはじまりの砂場\n");
  spit(dir / "md.tsv", "1\t行進曲\t元気な曲\tmd01.mid\n");
  spit(dir / "enemy.tsv", "0\tスライム\ten000.bmp\t0\t0\t1\tやくそう\t0\t0\t66\t59\t99\n"
                          "1\tゴミ虫\ten001.bmp\t0\t0\t0\tゴミ:空き缶\t0\t0\t0\t0\t0\n");
  spit(dir / "item.tsv", "1\tやくそう\tHPを20回復\t0\t20\t0\t0\n"
                         "400\t木の棒\tただの棒\t400\t5\t0\t9\n");
  spit(dir / "shop.tsv", "0\tやくそう\t10\n1\t400\t30\n");
  spit(dir / "wild.tsv", "0\t1\t500\n");
  spit(dir / "job.tsv", "0\t見習い\t普通の人\t0\t0\t0\n");
  spit(dir / "gomi.tsv", "3\t空き缶\tカラカラ鳴る\t0\t0\n");
  spit(dir / "monster.tsv", "5\tスライム\tぷるぷる\tmo005.bmp\t0\t2\t1\t0\t1\n");
  spit(dir / "magic.tsv", "0\t赤い風\t小さな風\t0\t1\n");
  for (int n : datgen::boss_numbers()) {
    spit(dir / "boss" / ("boss" + std::to_string(n) + ".txt"),
         "name: ボス" + std::to_string(n) + "\npic: boss" + std::to_string(n) +
             ".bmp\nbig:\nlv: 5\nhp: 40\ntalk1: やあ\ntalk2: ふむ\ntalk3: まだまだ\ntalk4: くっ\ntalk5: まいった\n");
  }
  spit(dir / "open.txt", "(never shown)\n昔々\nend\n");
  spit(dir / "staff.txt", "(never shown)\nSTAFF\n");
}

}  // namespace

TEST(Datgen, Cp932EncodesJapaneseAndRefusesWhatItCannotHold) {
  EXPECT_EQ(datgen::to_cp932("あ"), "\x82\xA0");
  EXPECT_EQ(datgen::to_cp932("ｱ"), "\xB1");             // half-width katakana: one byte
  EXPECT_EQ(datgen::to_cp932("～"), "\x81\x60");         // the full-width tilde of CP932
  EXPECT_EQ(datgen::to_cp932("①"), "\x87\x40");          // an NEC special character
  EXPECT_EQ(datgen::from_cp932("\x83\x5A\x83\x93\x83\x67"), "セント");
  try {
    datgen::to_cp932("café");  // U+00E9 has no CP932 code
    FAIL() << "accepted U+00E9";
  } catch (const std::invalid_argument& e) {
    EXPECT_NE(std::string(e.what()).find("U+00E9"), std::string::npos) << e.what();
  }
  EXPECT_THROW(datgen::to_cp932("\xF0\x9F\x98\x80"), std::invalid_argument);  // an emoji
  EXPECT_THROW(datgen::to_cp932("\xE3\x81"), std::invalid_argument);          // cut UTF-8
}

TEST(Datgen, TableRoundTripWritesEveryRecordAsCp932WithCrLf) {
  const datgen::Schema& item = datgen::schema_for("item.tsv");
  datgen::Table t = datgen::parse_table(item,
                                        "# comment line\n"
                                        "\n"
                                        "3\tおにぎり\tHPが10回復する\t0\t10\t0\t0\t# a note column\n"
                                        "401\tﾊﾘｾﾝ\t痛くない\t400\t12\t1\t44\r\n",
                                        "item.tsv");
  std::vector<std::string> lines = crlf_lines(datgen::render_table(t));
  ASSERT_EQ(lines.size(), 500u * 6u);
  // Omitted records are blank: empty strings and zeros.
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[2], "0");
  EXPECT_EQ(datgen::from_cp932(lines[3 * 6 + 0]), "おにぎり");
  EXPECT_EQ(datgen::from_cp932(lines[3 * 6 + 1]), "HPが10回復する");
  EXPECT_EQ(lines[3 * 6 + 3], "10");
  EXPECT_EQ(lines[401 * 6 + 0], "\xCA\xD8\xBE\xDD");  // half-width ﾊﾘｾﾝ, one byte each
  EXPECT_EQ(lines[401 * 6 + 2], "400");
  EXPECT_EQ(lines[401 * 6 + 5], "44");
  EXPECT_EQ(t.num(401, "it_rare"), 1);
  EXPECT_EQ(t.at(401).line, 4);
}

TEST(Datgen, ExtraEffectNamesDefaultToNone) {
  datgen::Table t = datgen::parse_table(datgen::schema_for("ex.tsv"), "0\tなし\n5\tザンドの災い\n", "ex.tsv");
  std::vector<std::string> lines = crlf_lines(datgen::render_table(t));
  ASSERT_EQ(lines.size(), 256u);
  EXPECT_EQ(datgen::from_cp932(lines[5]), "ザンドの災い");
  EXPECT_EQ(datgen::from_cp932(lines[200]), "なし");
}

TEST(Datgen, SourceFaultsNameTheFileAndLine) {
  const datgen::Schema& job = datgen::schema_for("job.tsv");
  SourceError e = source_error([&] { datgen::parse_table(job, "0\t戦士\t強い\t0\t1\n", "job.tsv"); });
  EXPECT_EQ(e.file(), "job.tsv");
  EXPECT_EQ(e.line(), 1);
  EXPECT_NE(e.message().find("found 5"), std::string::npos) << e.message();

  e = source_error([&] { datgen::parse_table(job, "# x\n0\t戦士\t強い\t0\t1k\t0\n", "job.tsv"); });
  EXPECT_EQ(e.line(), 2);
  EXPECT_NE(e.message().find("jb_cost"), std::string::npos) << e.message();

  e = source_error([&] { datgen::parse_table(job, "0\ta\tb\t0\t0\t0\n\n0\tc\td\t0\t0\t0\n", "job.tsv"); });
  EXPECT_EQ(e.line(), 3);
  EXPECT_NE(e.message().find("already given on line 1"), std::string::npos) << e.message();

  e = source_error([&] { datgen::parse_table(job, "256\ta\tb\t0\t0\t0\n", "job.tsv"); });
  EXPECT_NE(e.message().find("out of range"), std::string::npos) << e.message();

  e = source_error([&] { datgen::parse_table(job, "-1\ta\tb\t0\t0\t0\n", "job.tsv"); });
  EXPECT_NE(e.message().find("out of range"), std::string::npos) << e.message();

  e = source_error([&] { datgen::parse_table(job, "0\ta\tb\t0\t99999999999\t0\n", "job.tsv"); });
  EXPECT_NE(e.message().find("not an integer"), std::string::npos) << e.message();

  e = source_error([&] { datgen::parse_table(job, "0\t一行目\\r二行目\tb\t0\t0\t0\n", "job.tsv"); });
  EXPECT_NE(e.message().find("line break"), std::string::npos) << e.message();

  e = source_error([&] { datgen::parse_table(job, "0\t恋の♥\tb\t0\t0\t0\n", "job.tsv"); });
  EXPECT_NE(e.message().find("U+2665"), std::string::npos) << e.message();
  EXPECT_NE(std::string(e.what()).find("job.tsv:1:"), std::string::npos) << e.what();
}

TEST(Datgen, NamesInStockAndCarriedFieldsBecomeIds) {
  datgen::Table items = datgen::parse_table(datgen::schema_for("item.tsv"), "7\tやくそう\t\t0\t20\t0\t0\n", "item.tsv");
  datgen::Table gomi = datgen::parse_table(datgen::schema_for("gomi.tsv"), "12\t空き缶\t\t0\t0\n", "gomi.tsv");
  datgen::Table shop = datgen::parse_table(datgen::schema_for("shop.tsv"), "0\tやくそう\t10\n1\t42\t5\n", "shop.tsv");
  datgen::resolve_refs(shop, items, nullptr);
  EXPECT_EQ(shop.num(0, "sh_item"), 7);
  EXPECT_EQ(shop.num(1, "sh_item"), 42);

  datgen::Table enemy = datgen::parse_table(datgen::schema_for("enemy.tsv"),
                                            "0\tA\ten000.bmp\t0\t0\t0\tゴミ:空き缶\t0\t0\t0\t0\t0\n"
                                            "1\tB\ten001.bmp\t0\t0\t0\t-1\t0\t0\t0\t0\t0\n",
                                            "enemy.tsv");
  datgen::resolve_refs(enemy, items, &gomi);
  EXPECT_EQ(enemy.num(0, "en_item"), 1012);
  EXPECT_EQ(enemy.num(1, "en_item"), -1);

  datgen::Table bad = datgen::parse_table(datgen::schema_for("wild.tsv"), "\n0\tどくけし\t10\n", "wild.tsv");
  SourceError e = source_error([&] { datgen::resolve_refs(bad, items, nullptr); });
  EXPECT_EQ(e.line(), 2);
  EXPECT_NE(e.message().find("どくけし"), std::string::npos) << e.message();
}

TEST(Datgen, BossFileHasTenLinesInItsOrder) {
  datgen::Boss b = datgen::parse_boss(3,
                                      "# floor 3\nname: ドン・ガメラ\npic: boss3.bmp\nbig:\nlv: 27\nhp: 0\n"
                                      "talk1: いくぞ: 本気だ\ntalk2: b\ntalk3: c\ntalk4: d\ntalk5: e\n",
                                      "boss3.txt");
  std::vector<std::string> lines = crlf_lines(datgen::render_boss(b));
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(datgen::from_cp932(lines[0]), "ドン・ガメラ");
  EXPECT_EQ(lines[1], "boss3.bmp");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "27");
  EXPECT_EQ(lines[4], "0");
  EXPECT_EQ(datgen::from_cp932(lines[5]), "いくぞ: 本気だ");
  EXPECT_EQ(lines[9], "e");

  SourceError e = source_error([] { datgen::parse_boss(0, "name: a\npic: b\n", "boss0.txt"); });
  EXPECT_NE(e.message().find("'big' is missing"), std::string::npos) << e.message();
  e = source_error([] { datgen::parse_boss(0, "name: a\nmood: happy\n", "boss0.txt"); });
  EXPECT_EQ(e.line(), 2);
  e = source_error([] { datgen::parse_boss(0, "lv: ten\n", "boss0.txt"); });
  EXPECT_NE(e.message().find("not an integer"), std::string::npos) << e.message();
}

TEST(Datgen, PlainTextKeepsEveryLineAndItsLimit) {
  datgen::Plain p = datgen::parse_plain("first\n\nthird\n", "open.txt", 200);
  std::vector<std::string> lines = crlf_lines(datgen::render_plain(p));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "");
  std::string many;
  for (int i = 0; i < 101; ++i) many += "x\n";
  SourceError e = source_error([&] { datgen::parse_plain(many, "staff.txt", 100); });
  EXPECT_EQ(e.line(), 101);
}

TEST(Datgen, SampleSetWritesEveryFileWithExactCounts) {
  TempDir tmp;
  write_sample(tmp.path / "content");
  datgen::Content c = datgen::load_content((tmp.path / "content").string());
  std::vector<std::string> written = datgen::write_content(c, (tmp.path / "dat").string());
  EXPECT_EQ(written.size(), 12u + 26u + 2u);

  struct Count { const char* file; size_t lines; };
  const Count counts[] = {{"name.dat", 226},        {"ex.dat", 256},          {"map.dat", 256},
                          {"md.dat", 256 * 3},      {"enemy.dat", 255 * 11},  {"item.dat", 500 * 6},
                          {"shop.dat", 256 * 2},    {"wild.dat", 256 * 2},    {"job.dat", 256 * 5},
                          {"gomi.dat", 500 * 4},    {"monster.dat", 500 * 8}, {"magic.dat", 256 * 4},
                          {"boss0.dat", 10},        {"boss24.dat", 10},       {"boss99.dat", 10},
                          {"open.dat", 3},          {"staff.dat", 2}};
  for (const Count& k : counts) {
    EXPECT_EQ(crlf_lines(slurp(tmp.path / "dat" / k.file)).size(), k.lines) << k.file;
  }
  std::vector<std::string> enemy = crlf_lines(slurp(tmp.path / "dat" / "enemy.dat"));
  EXPECT_EQ(datgen::from_cp932(enemy[0]), "スライム");
  EXPECT_EQ(enemy[5], "1");       // carries item "やくそう", id 1
  EXPECT_EQ(enemy[11 + 5], "1003");  // carries garbage 3
  EXPECT_EQ(enemy[8], "66");
  std::vector<std::string> shop = crlf_lines(slurp(tmp.path / "dat" / "shop.dat"));
  EXPECT_EQ(shop[0], "1");
  EXPECT_EQ(shop[2], "400");
  EXPECT_FALSE(fs::exists(tmp.path / "dat" / "item.dat.tmp"));

  // Same sources, same bytes.
  datgen::write_content(c, (tmp.path / "dat2").string());
  for (const std::string& f : written) {
    EXPECT_EQ(slurp(tmp.path / "dat" / f), slurp(tmp.path / "dat2" / f)) << f;
  }
}

TEST(Datgen, LoadNamesTheFaultySourceFile) {
  TempDir tmp;
  write_sample(tmp.path / "content");
  spit(tmp.path / "content" / "magic.tsv", "0\t赤い風\t小さな風\t0\n");
  SourceError e = source_error([&] { datgen::load_content((tmp.path / "content").string()); });
  EXPECT_NE(e.file().find("magic.tsv"), std::string::npos) << e.file();
  EXPECT_EQ(e.line(), 1);

  write_sample(tmp.path / "content");
  fs::remove(tmp.path / "content" / "boss" / "boss99.txt");
  e = source_error([&] { datgen::load_content((tmp.path / "content").string()); });
  EXPECT_NE(e.file().find("boss99.txt"), std::string::npos) << e.file();
}

TEST(Datgen, CheckFindsBrokenGameRules) {
  TempDir tmp;
  write_sample(tmp.path / "content");
  // Sells for 20/5 = 4, bought for 4: money for nothing.
  spit(tmp.path / "content" / "shop.tsv", "0\tやくそう\t4\n");
  spit(tmp.path / "content" / "open.txt", "end\nno end line here\n");
  datgen::Content c = datgen::load_content((tmp.path / "content").string());
  std::vector<datgen::Issue> issues = datgen::check_content(c);
  auto has = [&](const std::string& file_part, const std::string& text) {
    for (const datgen::Issue& i : issues) {
      if (i.file.find(file_part) != std::string::npos && i.message.find(text) != std::string::npos) return true;
    }
    return false;
  };
  EXPECT_TRUE(has("shop.tsv", "profit"));
  EXPECT_TRUE(has("open.txt", "'end' line"));
  EXPECT_TRUE(has("enemy.tsv", "floor 0, slot 2) is drawn by a room and must be usable"));
  EXPECT_TRUE(has("monster.tsv", "must be named 'ｸﾘｰﾅｰﾔﾑﾔﾑ'"));
  EXPECT_TRUE(has("magic.tsv", "must be named 'ラナウェイ'"));
  EXPECT_TRUE(has("item.tsv", "must be named '英雄馬'"));
  EXPECT_TRUE(has("boss99.txt", "ファウスト"));
  EXPECT_TRUE(has("ex.tsv", "effect 2 acts"));
}

// Records no room draws, ファウスト's line in an ordinary mouth, and a staff roll cut short.
TEST(Datgen, CheckFindsWhatNoPlayerWouldSee) {
  TempDir tmp;
  write_sample(tmp.path / "content");
  std::string enemies;
  for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
    enemies += std::to_string(n) + "\t敵" + std::to_string(n) + "\ten00" + std::to_string(n) + ".bmp\t0\t0\t0\t0\t0\t0\t0\t0\t" +
               (n == 4 ? "95" : "0") + "\n";
  }
  // Slot 9 of floor 8 (no monster room there), floor 24, and floor 13's apostle, which its monster room calls.
  enemies += "89\t風見の目\ten089.bmp\t0\t0\t0\t0\t0\t0\t0\t0\t0\n";
  enemies += "240\t頂の風\ten240.bmp\t0\t0\t0\t0\t0\t0\t0\t0\t0\n";
  enemies += "139\t虹\ten139.bmp\t0\t0\t0\t0\t0\t0\t0\t0\t0\n";
  spit(tmp.path / "content" / "enemy.tsv", enemies);
  // The show ends at step 30 (3 s); the roll's last line would come at 5 s.
  spit(tmp.path / "content" / "open.txt", "(never shown)\n昔々\n\nend\n");
  spit(tmp.path / "content" / "staff.txt", "(never shown)\nSTAFF\nありがとう\n\n");
  datgen::Content c = datgen::load_content((tmp.path / "content").string());
  std::vector<datgen::Issue> issues = datgen::check_content(c);
  auto has = [&](const std::string& file_part, const std::string& text) {
    for (const datgen::Issue& i : issues) {
      if (i.file.find(file_part) != std::string::npos && i.message.find(text) != std::string::npos) return true;
    }
    return false;
  };
  EXPECT_TRUE(has("enemy.tsv", "no room ever draws enemy 89 (floor 8, slot 9)"));
  EXPECT_TRUE(has("enemy.tsv", "no room ever draws enemy 240 (floor 24, slot 0)"));
  EXPECT_FALSE(has("enemy.tsv", "enemy 139"));
  EXPECT_TRUE(has("enemy.tsv", "en_act5 95 is ファウスト's own line"));
  EXPECT_TRUE(has("staff.txt", "too soon for the staff roll's last line (shown at 10 s)"));

  // With the opening's end moved to 14 s, the last line is up for 4 s.
  std::string longer = "(never shown)\n";
  for (int k = 1; k < 14; ++k) longer += "昔々\n";
  spit(tmp.path / "content" / "open.txt", longer + "end\n");
  c = datgen::load_content((tmp.path / "content").string());
  issues = datgen::check_content(c);
  EXPECT_FALSE(has("staff.txt", "staff roll"));
}

// The game's real content must pass every rule and convert.
TEST(Datgen, GameContentIsSound) {
#ifdef ZANDO_SOURCE_DIR
  fs::path dir = fs::path(ZANDO_SOURCE_DIR) / "content";
#else
  fs::path dir = fs::path(__FILE__).parent_path() / ".." / ".." / "content";
#endif
  if (!fs::exists(dir / "item.tsv")) GTEST_SKIP() << "no content at " << dir;
  datgen::Content c = datgen::load_content(dir.string());
  std::vector<datgen::Issue> issues = datgen::check_content(c);
  for (const datgen::Issue& i : issues) ADD_FAILURE() << i.file << ":" << i.line << ": " << i.message;
  TempDir tmp;
  EXPECT_EQ(datgen::write_content(c, tmp.path.string()).size(), 40u);
}
