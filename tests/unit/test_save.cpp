#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "data/cp932.h"
#include "game_handlers.h"
#include "data/reader.h"
#include "data/report.h"
#include "shell/autosave.h"
#include "data/save.h"
#include "data/save_history.h"
#include "data/tables.h"
#include "game_fixture.h"
#include "shell/status.h"
#include "shell/title.h"
#include "state/int32.h"
#include "state/vars.h"
#include "state/ids.h"
#include "temp_dir.h"

namespace z2 {
namespace {

namespace fs = std::filesystem;

std::string read_bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << bytes;
}

std::vector<std::string> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t p = 0;
  for (size_t q; (q = bytes.find("\r\n", p)) != std::string::npos; p = q + 2) lines.push_back(bytes.substr(p, q - p));
  EXPECT_EQ(p, bytes.size()) << "text after the last CR LF";
  return lines;
}

// Every saved slot, as "name" / "name[i]" references.
std::vector<VarRefParsed> saved_slots() {
  std::vector<VarRefParsed> out;
  for (const SaveRun& run : save_layout()) {
    if (run.var->type == Var::Type::Array) {
      for (int i = run.first; i < run.first + run.count; ++i) out.push_back({run.var, i});
    } else {
      out.push_back({run.var, -1});
    }
  }
  return out;
}

// Gives every saved slot its own value; strings get blanks and half-width kana.
void fill_distinct(GameState& s) {
  int k = 0;
  for (const VarRefParsed& r : saved_slots()) {
    ++k;
    std::string v;
    if (r.var->type == Var::Type::Str) {
      v = " " + std::string(r.var->name) + " の ｶﾀｶﾅ  " + std::to_string(k) + " ";
    } else if (k == 100) {
      v = std::to_string(kIntMin);
    } else if (k == 101) {
      v = std::to_string(kIntMax);
    } else {
      v = std::to_string((k * 7919) % 200003 - 100000);
    }
    ASSERT_TRUE(var_set(s, r, v)) << r.var->name;
  }
}

// Both files written; `why` says what failed otherwise.
bool save_both(Game& g, std::string* why) {
  const SaveOutcome r = save_all(g);
  *why = r.why;
  return r.saved && r.report_written;
}

struct WriteFnGuard {
  explicit WriteFnGuard(WriteFn f) { set_write_fn(f); }
  ~WriteFnGuard() { set_write_fn(nullptr); }
};

TEST(SaveFile, RoundTripOfEverySavedValue) {
  auto a = std::make_unique<GameState>();
  fill_distinct(*a);
  // Not part of the save: the fight bonuses, entry 100 and the fight itself.
  a->floor_clear[fc::kUnused] = 5;
  a->floor_clear[fc::kBufAtk] = 6;
  a->floor_clear[fc::kBufDef] = 7;
  a->e_hp = 9;
  const std::string bytes = save_bytes(*a);
  const auto lines = crlf_lines(bytes);
  EXPECT_EQ(lines.size(), 4160u);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 4160);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 4160);

  const std::string dir = test::fresh_copy("mini");
  const std::string path = dir + "save_rt.wav";
  write_bytes(path, bytes);
  auto b = std::make_unique<GameState>();
  load_save(*b, path);
  for (const VarRefParsed& r : saved_slots())
    EXPECT_EQ(var_get(*b, r), var_get(*a, r)) << r.var->name << "[" << r.index << "]";
  EXPECT_EQ(b->my_name, " my_name の ｶﾀｶﾅ  1 ");
  EXPECT_EQ(b->floor_clear[fc::kUnused], 0);
  EXPECT_EQ(b->floor_clear[fc::kBufAtk], 0);
  EXPECT_EQ(b->floor_clear[fc::kBufDef], 0);
  EXPECT_EQ(b->e_hp, 0);
  // Saved again, the bytes are the same.
  EXPECT_EQ(save_bytes(*b), bytes);
  fs::remove_all(dir);
}

TEST(SaveFile, LayoutOfANewGame) {
  auto s = std::make_unique<GameState>();
  new_game_values(*s);
  s->item_have[0] = 7;
  s->item_have[499] = 8;
  s->floor_clear[fc::kZando] = 11;
  s->floor_clear[fc::kEscapes] = 17;
  s->class_exp[255] = 3;
  const auto lines = crlf_lines(save_bytes(*s));
  ASSERT_EQ(lines.size(), 4160u);
  EXPECT_EQ(lines[0], utf8_to_cp932("アレク"));
  EXPECT_EQ(lines[2], "1");      // my_lv
  EXPECT_EQ(lines[4], "20");     // my_hp
  EXPECT_EQ(lines[14], "5");     // ark
  EXPECT_EQ(lines[15], "7");     // item_have[0]
  EXPECT_EQ(lines[514], "8");    // item_have[499]
  EXPECT_EQ(lines[2117], utf8_to_cp932("名も無き杖"));
  EXPECT_EQ(lines[2118], utf8_to_cp932("名も無きマント"));
  EXPECT_EQ(lines[2119], "11");  // floor_clear[fc::kZando]
  EXPECT_EQ(lines[2125], "17");  // floor_clear[fc::kEscapes]
  EXPECT_EQ(lines[3639], "3");   // text_speed
  EXPECT_EQ(lines[3895], "3");   // class_exp[255]
  EXPECT_EQ(lines[4159], "99");  // ark_max
}

TEST(SaveFile, LineBreaksInsideAStringCannotShiftTheLayout) {
  auto a = std::make_unique<GameState>();
  new_game_values(*a);
  a->my_name = "A\rB\x1a" "C";
  a->buki_name = "二\n行";  // a bare LF is text and survives
  a->ark_max = 123;
  const std::string bytes = save_bytes(*a);
  EXPECT_EQ(crlf_lines(bytes).size(), 4160u);
  const std::string dir = test::fresh_copy("mini");
  write_bytes(dir + "s.wav", bytes);
  auto b = std::make_unique<GameState>();
  load_save(*b, dir + "s.wav");
  EXPECT_EQ(b->my_name, "A B C");
  EXPECT_EQ(b->buki_name, "二\n行");
  EXPECT_EQ(b->ark_max, 123);
  EXPECT_EQ(b->my_lv, 1);
  fs::remove_all(dir);
}

TEST(SaveFile, AShortSaveLeavesTheRestZeroOrEmpty) {
  auto a = std::make_unique<GameState>();
  fill_distinct(*a);
  const auto lines = crlf_lines(save_bytes(*a));
  std::string head;
  for (int i = 0; i < 100; ++i) head += lines[static_cast<size_t>(i)] + "\r\n";
  const std::string dir = test::fresh_copy("mini");
  write_bytes(dir + "short.wav", head);
  auto b = std::make_unique<GameState>();
  new_game_values(*b);
  load_save(*b, dir + "short.wav");
  EXPECT_EQ(b->my_name, a->my_name);
  EXPECT_EQ(b->ark, a->ark);
  EXPECT_EQ(b->item_have[84], a->item_have[84]);  // line 100
  EXPECT_EQ(b->item_have[85], 0);
  EXPECT_EQ(b->buki_name, "");
  EXPECT_EQ(b->bougu_name, "");
  EXPECT_EQ(b->text_speed, 0);
  EXPECT_EQ(b->ark_max, 0);
  fs::remove_all(dir);
}

TEST(SaveAll, WritesTheSaveAndTheReport) {
  test::TestGame t;
  load_all(t.g, false);
  new_game(t.g);
  status_refresh(t.g);
  std::string why;
  ASSERT_TRUE(save_both(t.g, &why)) << why;
  EXPECT_EQ(read_bytes(t.g.save_path()), save_bytes(t.g.s));
  EXPECT_EQ(read_bytes(t.root + "投稿.txt"), report_bytes(t.g));
  const auto report = crlf_lines(cp932_to_utf8(read_bytes(t.root + "投稿.txt")));
  ASSERT_EQ(report.size(), 8u);
  EXPECT_EQ(report[6], "現ﾌﾛｱ:0階  称号:【弱っコ】");
  EXPECT_FALSE(fs::exists(t.g.save_path() + ".tmp"));
  EXPECT_FALSE(fs::exists(t.root + "投稿.txt.tmp"));
  // Rewritten in full at the next save.
  t.g.s.my_lv = 999;
  ASSERT_TRUE(save_both(t.g, &why)) << why;
  EXPECT_EQ(crlf_lines(cp932_to_utf8(read_bytes(t.root + "投稿.txt")))[6], "現ﾌﾛｱ:0階  称号:【ＷＩＬＤＥＲ】");
}

// The disk fills up after a number of bytes, counted over every write.
long g_budget = 0;
long full_disk_write(int fd, const char* data, size_t size) {
  if (g_budget <= 0) {
    errno = ENOSPC;
    return -1;
  }
  const long n = std::min<long>(g_budget, static_cast<long>(size));
  const long done = static_cast<long>(::write(fd, data, static_cast<size_t>(n)));
  if (done > 0) g_budget -= done;
  return done;
}

struct SavedPair {
  std::string save, report;
};

SavedPair first_save(test::TestGame& t) {
  load_all(t.g, false);
  new_game(t.g);
  status_refresh(t.g);
  std::string why;
  EXPECT_TRUE(save_both(t.g, &why)) << why;
  return {read_bytes(t.g.save_path()), read_bytes(t.root + "投稿.txt")};
}

void expect_untouched(test::TestGame& t, const SavedPair& old) {
  EXPECT_EQ(read_bytes(t.g.save_path()), old.save);
  EXPECT_EQ(read_bytes(t.root + "投稿.txt"), old.report);
  EXPECT_FALSE(fs::exists(t.g.save_path() + ".tmp"));
  EXPECT_FALSE(fs::exists(t.root + "投稿.txt.tmp"));
}

TEST(SaveAll, ADiskFullHalfwayLeavesTheOldFilesByteForByte) {
  test::TestGame t;
  const SavedPair old = first_save(t);
  t.g.s.my_lv = 77;
  t.g.s.item_have[3] = 5;
  const std::string next = save_bytes(t.g.s);
  ASSERT_NE(next, old.save);
  WriteFnGuard guard(full_disk_write);
  g_budget = static_cast<long>(next.size() / 2);  // half the save's lines
  std::string why;
  EXPECT_FALSE(save_both(t.g, &why));
  EXPECT_NE(why.find(t.g.save_path()), std::string::npos) << why;
  EXPECT_NE(why.find(file_reason(ENOSPC)), std::string::npos) << why;
  expect_untouched(t, old);
}

TEST(SaveAll, TheSaveStandsAloneWhenTheReportCannotBeWritten) {
  test::TestGame t;
  const SavedPair old = first_save(t);
  t.g.s.my_lv = 77;
  const std::string next = save_bytes(t.g.s);
  WriteFnGuard guard(full_disk_write);
  g_budget = static_cast<long>(next.size() + 10);  // the save fits, the report does not
  const SaveOutcome r = save_all(t.g);
  EXPECT_TRUE(r.saved);
  EXPECT_FALSE(r.report_written);
  EXPECT_NE(r.why.find("投稿.txt"), std::string::npos) << r.why;
  EXPECT_NE(r.why.find(file_reason(ENOSPC)), std::string::npos) << r.why;
  EXPECT_EQ(read_bytes(t.g.save_path()), next);
  EXPECT_EQ(read_bytes(t.root + "投稿.txt"), old.report) << "a report half written never replaces the old one";
  EXPECT_FALSE(fs::exists(t.g.save_path() + ".tmp"));
  EXPECT_FALSE(fs::exists(t.root + "投稿.txt.tmp"));
}

TEST(SaveAll, AFolderThatIsAFile) {
  const std::string dir = test::fresh_copy("mini");
  write_bytes(dir + "plain", "x");
  std::ostringstream out;
  HeadlessPlatform plat(out);
  ScriptedRandom rng;
  auto g = std::make_unique<Game>(plat, rng, dir + "plain/");
  bind_handlers(*g);
  std::string why;
  EXPECT_FALSE(save_both(*g, &why));
  EXPECT_NE(why.find(dir + "plain/dat/z.wav"), std::string::npos) << why;
  EXPECT_EQ(read_bytes(dir + "plain"), "x");
  // A missing dat folder: nothing is written beside it either.
  auto h = std::make_unique<Game>(plat, rng, dir + "dat/nothing/");
  bind_handlers(*h);
  EXPECT_FALSE(save_both(*h, &why));
  EXPECT_NE(why.find("z.wav"), std::string::npos) << why;
  EXPECT_FALSE(fs::exists(dir + "dat/nothing"));
  fs::remove_all(dir);
}

TEST(WriteFileAtomic, ReplacesOrKeeps) {
  const std::string dir = test::fresh_copy("mini");
  const std::string path = dir + "f.txt";
  std::string why;
  ASSERT_TRUE(write_file_atomic(path, "old\r\n", &why)) << why;
  ASSERT_TRUE(write_file_atomic(path, "new\r\n", &why)) << why;
  EXPECT_EQ(read_bytes(path), "new\r\n");
  {
    WriteFnGuard guard(full_disk_write);
    g_budget = 2;
    EXPECT_FALSE(write_file_atomic(path, "longer text\r\n", &why));
  }
  EXPECT_EQ(read_bytes(path), "new\r\n");
  EXPECT_FALSE(fs::exists(path + ".tmp"));
  fs::remove_all(dir);
}

TEST(CloseHandler, OnTheTitleScreenNothingIsWritten) {
  test::TestGame t;
  ASSERT_TRUE(t.g.ui.start_box.visible);
  EXPECT_TRUE(close_request(t.g));
  EXPECT_EQ(t.transcript(), "");
  EXPECT_FALSE(fs::exists(t.g.save_path()));
  EXPECT_FALSE(fs::exists(t.root + "投稿.txt"));
}

TEST(CloseHandler, SavesAfterTheNotice) {
  test::TestGame t;
  ASSERT_TRUE(click(t.g, "Button12"));
  const size_t before = t.transcript().size();
  EXPECT_TRUE(close_request(t.g));
  EXPECT_EQ(t.transcript().substr(before), "se: key.wav\nnotice: オートセーブ完了。また遊んでね★\n");
  EXPECT_EQ(crlf_lines(read_bytes(t.g.save_path())).size(), 4160u);
  EXPECT_TRUE(fs::exists(t.root + "投稿.txt"));
}

TEST(CloseHandler, AFailedSaveAsksAndNoKeepsTheGameOpen) {
  test::TestGame t;
  const SavedPair old = first_save(t);
  t.g.ui.start_box.visible = false;
  t.g.s.my_lv = 50;
  WriteFnGuard guard(full_disk_write);
  g_budget = 100;
  t.plat.queue_answer(false);
  const size_t before = t.transcript().size();
  EXPECT_FALSE(close_request(t.g));
  const std::string said = t.transcript().substr(before);
  EXPECT_NE(said.find("error: " + t.g.save_path() + " を保存できません"), std::string::npos) << said;
  EXPECT_NE(said.find("ask: セーブできませんでした。セーブせずに終了しますか？ -> no"), std::string::npos) << said;
  EXPECT_EQ(said.find("オートセーブ完了"), std::string::npos) << "a save that failed is never announced as done";
  expect_untouched(t, old);
  // Asked again, "yes" lets the window close without saving.
  g_budget = 100;
  t.plat.queue_answer(true);
  EXPECT_TRUE(close_request(t.g));
  expect_untouched(t, old);
}

std::string run(Game& g, HeadlessPlatform& p, std::ostringstream& out, const std::string& script) {
  const size_t before = out.str().size();
  std::istringstream in(script);
  run_script(g, p, in);
  return out.str().substr(before);
}

TEST(CloseHandler, ASecondRunContinuesWithTheSameValues) {
  test::TestGame t;
  run(t.g, t.plat, t.out,
      "click Button12\n"
      "tick Timer1\n"
      "set my_name 二 世 ｱｲｳ \n"
      "set cent 1234\n"
      "set item_have[5] 3\n"
      "set floor_clear[fc::kEscapes] 4\n"
      "set class_exp[2] 41\n"
      "set combo 12\n");
  const std::string first = run(t.g, t.plat, t.out, "dump\n");
  run(t.g, t.plat, t.out, "close\n");
  ASSERT_NE(first.find("my_name=二 世 ｱｲｳ \n"), std::string::npos) << first;

  const auto save = crlf_lines(read_bytes(t.g.save_path()));
  EXPECT_EQ(save.size(), 4160u);
  const auto report = crlf_lines(cp932_to_utf8(read_bytes(t.root + "投稿.txt")));
  ASSERT_EQ(report.size(), 8u);
  const std::string tail = "称号:【弱っコ】";
  EXPECT_EQ(report[6].substr(report[6].size() - tail.size()), tail);

  std::ostringstream out2;
  HeadlessPlatform plat2(out2);
  ScriptedRandom rng2;
  auto g2 = std::make_unique<Game>(plat2, rng2, t.root);
  bind_handlers(*g2);
  const std::string opened = run(*g2, plat2, out2, "click Button11\n");
  EXPECT_EQ(opened.find("error:"), std::string::npos) << opened;
  EXPECT_EQ(run(*g2, plat2, out2, "dump\n"), first);
}

// Links planted at the names of the temporary files lead nowhere: the files
// they point at stay as they were. A save that is itself a link (the player
// keeps it elsewhere) is written to the link's target, and the link stays.
TEST(SaveAll, LinksPlantedAtTheTemporaryNamesAndALinkedSave) {
  test::TestGame t;
  const SavedPair old = first_save(t);
  test::TempDir outside;
  const std::string victim = outside.dir() + "victim", victim2 = outside.dir() + "victim2";
  write_bytes(victim, "keep");
  write_bytes(victim2, "keep too");
  fs::create_symlink(victim, t.g.save_path() + ".tmp");
  fs::create_symlink(victim2, t.root + "投稿.txt.tmp");
  t.g.s.my_lv = 12;
  std::string why;
  ASSERT_TRUE(save_both(t.g, &why)) << why;
  EXPECT_EQ(read_bytes(victim), "keep");
  EXPECT_EQ(read_bytes(victim2), "keep too");
  EXPECT_EQ(read_bytes(t.g.save_path()), save_bytes(t.g.s));
  EXPECT_FALSE(fs::exists(fs::symlink_status(t.g.save_path() + ".tmp")));

  const std::string real = outside.dir() + "real.wav";
  fs::rename(t.g.save_path(), real);
  fs::create_symlink(real, t.g.save_path());
  const std::string before = read_bytes(real);
  t.g.s.my_lv = 13;
  ASSERT_TRUE(save_both(t.g, &why)) << why;
  EXPECT_TRUE(fs::is_symlink(t.g.save_path()));
  EXPECT_EQ(read_bytes(real), save_bytes(t.g.s));
  ASSERT_FALSE(save_copies(t.g.save_path()).empty());
  EXPECT_EQ(read_bytes(save_copies(t.g.save_path())[0].path), before);
  (void)old;
}

// Each save keeps the file it replaces; the newest five stay, a failed save
// changes none of them, and a short save that was continued is kept as it was.
TEST(SaveHistory, TheNewestFiveCopiesOfReplacedSaves) {
  test::TestGame t;
  first_save(t);
  std::string why, replaced;
  for (int k = 1; k <= 7; ++k) {
    replaced = read_bytes(t.g.save_path());
    t.g.s.my_lv = k;
    ASSERT_TRUE(save_both(t.g, &why)) << why;
  }
  std::vector<SaveCopy> copies = save_copies(t.g.save_path());
  ASSERT_EQ(copies.size(), 5u);
  EXPECT_EQ(read_bytes(copies[0].path), replaced);
  EXPECT_EQ(copies[0].path.rfind(t.root + "dat/backups/z.wav.", 0), 0u) << copies[0].path;

  {
    WriteFnGuard guard(full_disk_write);
    g_budget = 100;
    t.g.s.my_lv = 99;
    EXPECT_FALSE(save_both(t.g, &why));
  }
  const std::vector<SaveCopy> after = save_copies(t.g.save_path());
  ASSERT_EQ(after.size(), copies.size());
  for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i].path, copies[i].path);

  // Cut by a failing disk: it loads short, and the close after it keeps it whole.
  const std::string cut = read_bytes(t.g.save_path()).substr(0, 300);
  write_bytes(t.g.save_path(), cut);
  ASSERT_TRUE(click(t.g, "Button11"));
  ASSERT_FALSE(t.g.ui.start_box.visible) << t.transcript();
  ASSERT_TRUE(close_request(t.g));
  EXPECT_EQ(read_bytes(save_copies(t.g.save_path())[0].path), cut);
}

// However many damaged copies come after it, the last copy that reads cleanly is never removed.
TEST(SaveHistory, TheLastCleanCopyStays) {
  test::TestGame t;
  const SavedPair good = first_save(t);
  const std::string dir = t.root + "dat/backups/";
  fs::create_directories(dir);
  write_bytes(dir + "z.wav.2001-01-01_00-00-00", good.save);
  for (int k = 2; k <= 6; ++k) write_bytes(dir + "z.wav.200" + std::to_string(k) + "-01-01_00-00-00", "damaged");
  write_bytes(t.g.save_path(), "damaged");
  std::string why;
  ASSERT_TRUE(save_both(t.g, &why)) << why;
  const std::vector<SaveCopy> copies = save_copies(t.g.save_path());
  ASSERT_EQ(copies.size(), 6u);
  EXPECT_EQ(copies.back().path, dir + "z.wav.2001-01-01_00-00-00");
  EXPECT_EQ(copies.back().when, "2001-01-01 00:00:00");
  EXPECT_FALSE(fs::exists(dir + "z.wav.2002-01-01_00-00-00"));
}

// COUNTINUE on a damaged save offers the newest copy that reads cleanly.
TEST(SaveHistory, ContinueFromTheNewestGoodCopy) {
  test::TestGame t;
  first_save(t);
  const std::string dir = t.root + "dat/backups/";
  fs::create_directories(dir);
  auto copy_at = [&](const std::string& stamp, int lv, int floor) {
    t.g.s.my_lv = lv;
    t.g.s.floor = floor;
    write_bytes(dir + "z.wav." + stamp, save_bytes(t.g.s));
  };
  copy_at("2020-05-01_10-00-00", 7, 2);
  copy_at("2020-05-02_10-00-00", 9, 3);
  write_bytes(dir + "z.wav.2020-05-03_10-00-00", "damaged too");
  const std::string damaged = read_bytes(t.g.save_path()).substr(0, 200) + "x\r\n";
  write_bytes(t.g.save_path(), damaged);
  t.g.ui.start_box.visible = true;

  t.plat.queue_answer(false);
  size_t from = t.transcript().size();
  ASSERT_TRUE(click(t.g, "Button11"));
  std::string said = t.transcript().substr(from);
  EXPECT_NE(said.find("error: " + t.g.save_path()), std::string::npos) << said;
  EXPECT_NE(said.find("ask: バックアップから続けますか？\\r2020-05-02 10:00:00 のセーブ: アレク LV9 3階 -> no"),
            std::string::npos)
      << said;
  EXPECT_TRUE(t.g.ui.start_box.visible);
  EXPECT_EQ(read_bytes(t.g.save_path()), damaged);

  t.plat.queue_answer(true);
  ASSERT_TRUE(click(t.g, "Button11"));
  EXPECT_FALSE(t.g.ui.start_box.visible);
  EXPECT_EQ(t.g.s.my_lv, 9);
  EXPECT_EQ(t.g.s.floor, 3);
  EXPECT_FALSE(fs::exists(t.g.save_path()));
  std::vector<std::string> aside;
  for (const auto& e : fs::directory_iterator(t.root + "dat"))
    if (e.path().filename().string().rfind("z.wav.damaged-", 0) == 0) aside.push_back(e.path().string());
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(read_bytes(aside[0]), damaged);
}

// With damaged copies only, COUNTINUE on a damaged save is as it always was.
TEST(SaveHistory, DamagedCopiesOnlyOfferNothing) {
  test::TestGame t;
  first_save(t);
  const std::string dir = t.root + "dat/backups/";
  fs::create_directories(dir);
  write_bytes(dir + "z.wav.2020-05-03_10-00-00", "");
  write_bytes(t.g.save_path(), "damaged");
  t.g.ui.start_box.visible = true;
  const size_t from = t.transcript().size();
  ASSERT_TRUE(click(t.g, "Button11"));
  const std::string said = t.transcript().substr(from);
  EXPECT_EQ(said.find("ask:"), std::string::npos) << said;
  EXPECT_NE(said.find("error: "), std::string::npos) << said;
  EXPECT_TRUE(t.g.ui.start_box.visible);
  EXPECT_EQ(read_bytes(t.g.save_path()), "damaged");
}

}  // namespace
}  // namespace z2
