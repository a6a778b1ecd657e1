// When the disk, the data or the pictures let the game down: it reports what
// went wrong, keeps running and loses nothing that was already safe.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "data/cp932.h"
#include "data/reader.h"
#include "game_fixture.h"
#include "data/save.h"
#include "shell/autosave.h"
#include "platform/headless/headless.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/title.h"
#include "state/random.h"
#include "state/vars.h"
#include "temp_dir.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

using test::TempDir;

// Every file write fails as on a full disk, for as long as it lives.
long full_disk(int, const char*, size_t) {
  errno = ENOSPC;
  return -1;
}
struct FullDisk {
  FullDisk() { set_write_fn(full_disk); }
  ~FullDisk() { set_write_fn(nullptr); }
};

void write_bytes(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

using test::read_bytes;

// A plain picture of one colour, saved as a bitmap.
void write_bmp(const fs::path& p, QRgb colour, int w = 64, int h = 64) {
  fs::create_directories(p.parent_path());
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  ASSERT_TRUE(img.save(QString::fromStdString(p.string()), "BMP")) << p;
}

// A file named .bmp that holds no picture.
void write_garbage_bmp(const fs::path& p) { write_bytes(p, "BM this is not a bitmap at all\r\n\x00\x01\x02"); }

// The mini data set copied into `root`/dat, with the pictures a start needs.
void make_root(const fs::path& root) {
  fs::create_directories(root / "dat");
  for (const auto& e : fs::directory_iterator(fs::path(ZANDO_FIXTURES) / "mini" / "dat"))
    fs::copy_file(e.path(), root / "dat" / e.path().filename());
  write_bmp(root / "cg" / "my.bmp", qRgb(10, 200, 30));
  write_bmp(root / "cg" / "haikei0.bmp", qRgb(0, 0, 200));
  write_bmp(root / "cg" / "haikei-1.bmp", qRgb(200, 0, 0));
  write_bmp(root / "cg" / "e0.bmp", qRgb(90, 90, 90));
  write_bmp(root / "cg" / "map-1.bmp", qRgb(1, 2, 3));
}

// Both files written; `why` says what failed otherwise.
bool save_both(Game& g, std::string* why) {
  const SaveOutcome r = save_all(g);
  *why = r.why;
  return r.saved && r.report_written;
}

// A headless game over a folder, with its transcript.
struct Session {
  std::ostringstream out;
  HeadlessPlatform plat{out};
  SeededRandom rng{1};
  std::unique_ptr<Game> g;
  explicit Session(const fs::path& root) : g(std::make_unique<Game>(plat, rng, root.string())) { bind_handlers(*g); }
  std::string text() const { return out.str(); }
  bool said(const std::string& piece) const { return out.str().find(piece) != std::string::npos; }
  // The transcript lines that start with `tag`.
  int count(const std::string& tag) const {
    std::istringstream in(out.str());
    int n = 0;
    for (std::string l; std::getline(in, l);) n += l.rfind(tag, 0) == 0;
    return n;
  }
};

}  // namespace

// ---- saving ----

TEST(SaveFaults, AFolderThatCannotExistFailsTheSaveWithAReason) {
  TempDir d;
  write_bytes(d.path / "afile", "x");
  Session r(d.path / "afile");  // dat/ would have to live inside a regular file
  new_game_values(r.g->s);
  std::string why;
  EXPECT_FALSE(save_both(*r.g, &why));
  EXPECT_NE(why.find("z.wav"), std::string::npos) << why;
  EXPECT_NE(why.find("途中のフォルダーがフォルダーではありません"), std::string::npos) << why;
  EXPECT_EQ(read_bytes(d.path / "afile"), "x");
}

TEST(SaveFaults, AFullDiskLeavesTheOldSaveAsItWas) {
  TempDir d;
  make_root(d.path);
  const std::string old_save = "old\r\n1\r\n2\r\n";
  write_bytes(d.path / "dat" / "z.wav", old_save);
  const FullDisk full;
  Session r(d.path);
  new_game_values(r.g->s);
  std::string why;
  EXPECT_FALSE(save_both(*r.g, &why));
  EXPECT_NE(why.find("ディスクに空きがありません"), std::string::npos) << why;
  EXPECT_EQ(read_bytes(d.path / "dat" / "z.wav"), old_save);
  EXPECT_FALSE(fs::exists(fs::symlink_status(d.path / "dat" / "z.wav.tmp"))) << "no temporary file is left behind";
  EXPECT_FALSE(fs::exists(d.path / "投稿.txt")) << "the report is not written when the save fails";
}

TEST(SaveFaults, ASaveThatCannotReplaceTheOldFileKeepsIt) {
  TempDir d;
  make_root(d.path);
  fs::create_directories(d.path / "dat" / "z.wav" / "inside");  // a folder in the save's place
  Session r(d.path);
  new_game_values(r.g->s);
  std::string why;
  EXPECT_FALSE(save_both(*r.g, &why));
  EXPECT_FALSE(why.empty());
  EXPECT_TRUE(fs::is_directory(d.path / "dat" / "z.wav" / "inside"));
  EXPECT_FALSE(fs::exists(d.path / "dat" / "z.wav.tmp"));
}

TEST(SaveFaults, ASuccessfulSaveReplacesTheFileWhole) {
  TempDir d;
  make_root(d.path);
  write_bytes(d.path / "dat" / "z.wav", std::string(100000, 'x'));
  Session r(d.path);
  new_game_values(r.g->s);
  r.g->s.my_name = "名前 あり";
  std::string why;
  ASSERT_TRUE(save_both(*r.g, &why)) << why;
  const std::string bytes = read_bytes(d.path / "dat" / "z.wav");
  EXPECT_EQ(bytes, save_bytes(r.g->s));
  EXPECT_EQ(bytes.find('x'), std::string::npos);
  EXPECT_FALSE(fs::exists(d.path / "dat" / "z.wav.tmp"));
}

TEST(SaveFaults, CloseReportsAFailedSaveAndTheGameCanGoOn) {
  TempDir d;
  make_root(d.path);
  const FullDisk full;
  Session r(d.path);
  startup(*r.g);
  r.plat.queue_answer(true);  // NEW GAME
  ASSERT_TRUE(click(*r.g, "Button12"));
  r.plat.queue_answer(false);  // do not quit without the save
  EXPECT_FALSE(close_request(*r.g)) << "the window stays open when the player wants to keep the game";
  EXPECT_FALSE(r.said("オートセーブ完了")) << "only a save that was written is announced";
  EXPECT_EQ(r.count("error: "), 1) << r.text();
  EXPECT_TRUE(r.said("ディスクに空きがありません")) << r.text();
  EXPECT_FALSE(fs::exists(d.path / "dat" / "z.wav"));
  // Still playing: the refresh runs and the game state is the new game's.
  timer_fire(*r.g, 1);
  EXPECT_EQ(r.g->s.my_lv, 1);
  // Once the disk has room, the next close saves.
  set_write_fn(nullptr);
  EXPECT_TRUE(close_request(*r.g));
  EXPECT_EQ(read_bytes(d.path / "dat" / "z.wav"), save_bytes(r.g->s));
}

TEST(SaveFaults, ClosingWithoutASaveWhenThePlayerSaysSo) {
  TempDir d;
  write_bytes(d.path / "afile", "x");
  Session r(d.path / "afile");
  r.g->ui.start_box.visible = false;  // a game is running
  new_game_values(r.g->s);
  r.plat.queue_answer(true);
  EXPECT_TRUE(close_request(*r.g));
  EXPECT_EQ(r.count("error: "), 1) << r.text();
  EXPECT_EQ(r.count("ask: "), 1) << r.text();
}

// Remembers what the save file held when the farewell came up.
class WatchingPlatform : public HeadlessPlatform {
 public:
  WatchingPlatform(std::ostream& out, fs::path save) : HeadlessPlatform(out), save_(std::move(save)) {}
  void notice(const std::string& text) override {
    if (text.find("オートセーブ") != std::string::npos) at_farewell = fs::exists(save_) ? read_bytes(save_) : "(none)";
    HeadlessPlatform::notice(text);
  }
  std::string at_farewell;

 private:
  fs::path save_;
};

TEST(SaveFaults, TheFarewellComesOnceTheSaveIsOnDisk) {
  TempDir d;
  make_root(d.path);
  std::ostringstream out;
  WatchingPlatform plat(out, d.path / "dat" / "z.wav");
  SeededRandom rng(1);
  auto g = std::make_unique<Game>(plat, rng, d.path.string());
  bind_handlers(*g);
  startup(*g);
  ASSERT_TRUE(click(*g, "Button12"));
  g->s.cent = 777;
  EXPECT_TRUE(close_request(*g));
  EXPECT_EQ(plat.at_farewell, save_bytes(g->s));
}

TEST(SaveFaults, AReportThatCannotBeWrittenIsSaidAndTheCloseGoesOn) {
  TempDir d;
  make_root(d.path);
  fs::create_directories(d.path / "投稿.txt" / "inside");  // a folder in the report's place
  Session r(d.path);
  startup(*r.g);
  r.plat.queue_answer(true);
  ASSERT_TRUE(click(*r.g, "Button12"));
  r.g->s.my_name = "のこる";
  const size_t before = r.text().size();
  EXPECT_TRUE(close_request(*r.g)) << "the window closes: the game itself is saved";
  const std::string said = r.text().substr(before);
  EXPECT_NE(said.find("投稿.txt を保存できません"), std::string::npos) << said;
  EXPECT_NE(said.find("投稿.txtは書けなかったけど、ゲームはちゃんとセーブしたよ。"), std::string::npos) << said;
  EXPECT_NE(said.find("notice: オートセーブ完了。また遊んでね★"), std::string::npos) << said;
  EXPECT_EQ(said.find("ask: "), std::string::npos) << "nothing to decide: " << said;
  EXPECT_EQ(read_bytes(d.path / "dat" / "z.wav"), save_bytes(r.g->s));
  EXPECT_TRUE(fs::is_directory(d.path / "投稿.txt" / "inside"));
}

TEST(SaveFaults, AnUnattendedCloseSavesTheSameAndAsksNothing) {
  TempDir d;
  make_root(d.path);
  Session r(d.path);
  startup(*r.g);
  r.plat.queue_answer(true);
  ASSERT_TRUE(click(*r.g, "Button12"));
  const size_t before = r.text().size();
  EXPECT_TRUE(close_request(*r.g, true));
  EXPECT_EQ(r.text().substr(before), "se: key.wav\n") << "no farewell box with nobody to close it";
  EXPECT_EQ(read_bytes(d.path / "dat" / "z.wav"), save_bytes(r.g->s));
  EXPECT_TRUE(fs::exists(d.path / "投稿.txt"));
}

TEST(SaveFaults, AnUnattendedCloseThatCannotSaveSaysWhyAndKeepsTheOldSave) {
  TempDir d;
  make_root(d.path);
  write_bytes(d.path / "dat" / "z.wav", "old\r\n");
  const FullDisk full;
  Session r(d.path);
  startup(*r.g);
  r.g->ui.start_box.visible = false;
  new_game_values(r.g->s);
  EXPECT_TRUE(close_request(*r.g, true)) << "nobody can answer, so the program ends";
  EXPECT_EQ(r.count("error: "), 1) << r.text();
  EXPECT_EQ(r.count("ask: "), 0) << r.text();
  EXPECT_EQ(read_bytes(d.path / "dat" / "z.wav"), "old\r\n");
}

// ---- loading ----

TEST(LoadFaults, AMissingMasterFileOnNewGameKeepsTheTitle) {
  TempDir d;
  make_root(d.path);
  for (const char* f : {"map.dat", "md.dat", "enemy.dat", "item.dat"}) fs::remove(d.path / "dat" / f);
  Session r(d.path);
  startup(*r.g);
  r.plat.queue_answer(true);
  ASSERT_TRUE(click(*r.g, "Button12"));
  EXPECT_EQ(r.count("error: "), 1) << r.text();
  EXPECT_TRUE(r.said("map.dat")) << r.text();
  EXPECT_FALSE(r.said("md.dat")) << "the load stops at the first missing file";
  // Nothing has changed: the title with its music, no half-read tables, no game.
  EXPECT_TRUE(r.g->ui.start_box.visible);
  EXPECT_FALSE(r.g->ui.map_box.visible);
  EXPECT_FALSE(r.said("bgm: not")) << r.text();
  EXPECT_FALSE(r.said("get2.wav")) << r.text();
  EXPECT_EQ(r.g->t.ex_names[1], "");
  EXPECT_EQ(r.g->s.my_lv, 0);
  // Closing on the title writes nothing.
  EXPECT_TRUE(close_request(*r.g));
  EXPECT_FALSE(fs::exists(d.path / "dat" / "z.wav"));
  EXPECT_FALSE(fs::exists(d.path / "投稿.txt"));
  // With the files back, NEW GAME works in the same session.
  for (const char* f : {"map.dat", "md.dat", "enemy.dat", "item.dat"})
    fs::copy_file(fs::path(ZANDO_FIXTURES) / "mini" / "dat" / f, d.path / "dat" / f);
  r.plat.queue_answer(true);
  ASSERT_TRUE(click(*r.g, "Button12"));
  EXPECT_EQ(r.count("error: "), 1) << r.text();
  EXPECT_TRUE(r.g->ui.map_box.visible);
  EXPECT_EQ(r.g->s.my_lv, 1);
  EXPECT_EQ(r.g->t.ex_names[1], "毒の刃");
}

TEST(LoadFaults, ContinueWithoutASaveSaysSoAndStaysOnTheTitle) {
  TempDir d;
  make_root(d.path);
  Session r(d.path);
  startup(*r.g);
  ASSERT_TRUE(click(*r.g, "Button11"));
  EXPECT_EQ(r.count("error: "), 0) << r.text();
  EXPECT_EQ(r.count("notice: "), 1) << r.text();
  EXPECT_TRUE(r.g->ui.start_box.visible);
  EXPECT_FALSE(r.g->ui.map_box.visible);
}

TEST(LoadFaults, ContinueWithAMissingMasterFileLeavesEverythingAsItWas) {
  TempDir d;
  make_root(d.path);
  fs::remove(d.path / "dat" / "magic.dat");
  GameState saved;
  new_game_values(saved);
  saved.my_name = "セーブ太郎";
  saved.cent = 4321;
  const std::string bytes = save_bytes(saved);
  write_bytes(d.path / "dat" / "z.wav", bytes);
  Session r(d.path);
  startup(*r.g);
  ASSERT_TRUE(click(*r.g, "Button11"));
  EXPECT_EQ(r.count("error: "), 1) << r.text();
  EXPECT_TRUE(r.said("magic.dat")) << r.text();
  EXPECT_TRUE(r.g->ui.start_box.visible);
  EXPECT_EQ(r.g->s.my_name, "") << "nothing of the save reaches the running game";
  EXPECT_EQ(r.g->t.monster_table[0].mo_name, "");
  EXPECT_TRUE(close_request(*r.g));
  EXPECT_EQ(read_bytes(d.path / "dat" / "z.wav"), bytes);
}

TEST(LoadFaults, AHalfSaveContinuesWithTheRestZero) {
  TempDir d;
  make_root(d.path);
  GameState saved;
  new_game_values(saved);
  saved.my_name = "半分";
  saved.play_time = 55;
  std::string bytes = save_bytes(saved);
  // Keep the first 1000 lines.
  size_t pos = 0;
  for (int i = 0; i < 1000; ++i) pos = bytes.find("\r\n", pos) + 2;
  write_bytes(d.path / "dat" / "z.wav", bytes.substr(0, pos));
  Session r(d.path);
  startup(*r.g);
  timer_fire(*r.g, 2);  // a minute on the title
  timer_fire(*r.g, 1);
  ASSERT_TRUE(click(*r.g, "Button11"));
  EXPECT_EQ(r.count("error: "), 0) << r.text();
  EXPECT_EQ(r.g->s.my_name, "半分");
  EXPECT_EQ(r.g->s.my_lv, saved.my_lv);
  EXPECT_EQ(r.g->s.play_time, 0);
}

TEST(LoadFaults, AGarbageSaveIsReportedNotTrusted) {
  TempDir d;
  make_root(d.path);
  write_bytes(d.path / "dat" / "z.wav", "name\r\nnot a score\r\n");
  Session r(d.path);
  startup(*r.g);
  ASSERT_TRUE(click(*r.g, "Button11"));
  EXPECT_EQ(r.count("error: "), 1) << r.text();
  EXPECT_TRUE(r.said("z.wav")) << r.text();
  EXPECT_TRUE(r.g->ui.start_box.visible);
  // Neither reading it nor closing afterwards touches the save on disk.
  EXPECT_TRUE(close_request(*r.g));
  EXPECT_EQ(read_bytes(d.path / "dat" / "z.wav"), "name\r\nnot a score\r\n");
}

TEST(LoadFaults, AMissingOpeningTextDoesNotStartTheShow) {
  TempDir d;
  make_root(d.path);
  fs::remove(d.path / "dat" / "staff.dat");
  Session r(d.path);
  startup(*r.g);
  ASSERT_TRUE(click(*r.g, "Button45"));
  EXPECT_EQ(r.count("error: "), 1) << r.text();
  EXPECT_TRUE(r.said("staff.dat"));
  EXPECT_FALSE(r.g->ui.open_box.visible);
  EXPECT_FALSE(r.g->timer3.enabled);
  EXPECT_TRUE(r.g->ui.start_box.visible);
}

TEST(LoadFaults, AnOpeningWithoutEndStopsAfterItsLastText) {
  TempDir d;
  make_root(d.path);
  write_bytes(d.path / "dat" / "open.dat", "first\r\nsecond\r\n");
  Session r(d.path);
  startup(*r.g);
  ASSERT_TRUE(click(*r.g, "Button45"));
  for (int i = 0; i < 2100 && r.g->timer3.enabled; ++i) timer_fire(*r.g, 3);
  EXPECT_FALSE(r.g->timer3.enabled);
  EXPECT_FALSE(r.g->ui.open_box.visible);
}

// ---- pictures ----

TEST(PictureFaults, AGarbagePlayerPictureIsReportedAndTheStartGoesOn) {
  TempDir d;
  make_root(d.path);
  write_garbage_bmp(d.path / "cg" / "my.bmp");
  Session r(d.path);
  startup(*r.g);
  EXPECT_EQ(r.count("error: "), 1) << r.text();
  EXPECT_TRUE(r.said("my.bmp"));
  EXPECT_TRUE(r.g->s.can_punch);
  EXPECT_TRUE(r.said("bgm: open.mid"));
  // And the title works.
  r.plat.queue_answer(true);
  ASSERT_TRUE(click(*r.g, "Button12"));
  EXPECT_TRUE(r.g->ui.map_box.visible);
}

TEST(PictureFaults, AGarbageFloorBackgroundOnNewGameIsReportedAfterTheNewGame) {
  TempDir d;
  make_root(d.path);
  write_garbage_bmp(d.path / "cg" / "haikei0.bmp");
  Session r(d.path);
  startup(*r.g);
  r.plat.queue_answer(true);
  ASSERT_TRUE(click(*r.g, "Button12"));
  EXPECT_EQ(r.count("error: "), 1) << r.text();
  EXPECT_TRUE(r.said("haikei0.bmp")) << r.text();
  EXPECT_EQ(r.g->s.my_lv, 1) << "the new game itself is not lost";
  EXPECT_TRUE(r.g->ui.map_box.visible);
}

TEST(PictureFaults, AGarbageFloorBackgroundOnContinueFallsBack) {
  TempDir d;
  make_root(d.path);
  GameState saved;
  new_game_values(saved);
  saved.floor = 1;
  write_bytes(d.path / "dat" / "z.wav", save_bytes(saved));
  write_garbage_bmp(d.path / "cg" / "haikei1.bmp");
  Session r(d.path);
  startup(*r.g);
  ASSERT_TRUE(click(*r.g, "Button11"));
  EXPECT_EQ(r.count("error: "), 0) << r.text();
  const QImage& bg = r.g->ui.haikei.image;
  ASSERT_FALSE(bg.isNull());
  EXPECT_EQ(bg.pixel(0, 0), qRgb(200, 0, 0)) << "haikei-1.bmp stands in";
}

TEST(PictureFaults, LoadersFallBackToTheDefaultPicture) {
  TempDir d;
  make_root(d.path);
  write_garbage_bmp(d.path / "cg" / "broken.bmp");
  Session r(d.path);
  QImage buf;
  load_cg(*r.g, buf, "broken.bmp", "e0.bmp");
  EXPECT_EQ(buf.pixel(5, 5), qRgb(90, 90, 90));
  load_cg(*r.g, buf, "missing.bmp", "map-1.bmp");
  EXPECT_EQ(buf.pixel(5, 5), qRgb(1, 2, 3));
}

TEST(PictureFaults, APictureAndItsFallbackBothBrokenIsAnErrorThatLeavesTheBufferAlone) {
  TempDir d;
  make_root(d.path);
  write_garbage_bmp(d.path / "cg" / "broken.bmp");
  write_garbage_bmp(d.path / "cg" / "e0.bmp");
  Session r(d.path);
  QImage buf(8, 8, QImage::Format_RGB32);
  buf.fill(qRgb(7, 7, 7));
  EXPECT_THROW(load_cg(*r.g, buf, "broken.bmp", "e0.bmp"), PictureError);
  EXPECT_EQ(buf.pixel(1, 1), qRgb(7, 7, 7));
  // Through a handler it reaches the error box and the game goes on.
  r.g->ui.s_battle.on_click = [](Game& g) { e_cg_load(g, "broken.bmp"); };
  r.g->ui.map_box.visible = true;
  ASSERT_TRUE(click(*r.g, "s_battle"));
  EXPECT_EQ(r.count("error: "), 1) << r.text();
}

TEST(PictureFaults, ATruncatedBitmapIsNotAPicture) {
  TempDir d;
  make_root(d.path);
  const std::string good = read_bytes(d.path / "cg" / "my.bmp");
  write_bytes(d.path / "cg" / "half.bmp", good.substr(0, 40));
  QImage out(4, 4, QImage::Format_RGB32);
  out.fill(qRgb(1, 1, 1));
  EXPECT_FALSE(load_picture(out, (d.path / "cg" / "half.bmp").string()));
  EXPECT_EQ(out.size(), QSize(4, 4));
}

// ---- sound ----

TEST(SoundFaults, MissingSoundsAndMusicAreSilent) {
  TempDir d;
  make_root(d.path);
  fs::remove_all(d.path / "dat" / "1.wav");
  Session r(d.path);
  startup(*r.g);
  EXPECT_NO_THROW(play_se(*r.g, "no-such.wav"));
  EXPECT_NO_THROW(play_bgm(*r.g, "no-such.mid"));
  EXPECT_NO_THROW(play_bgm(*r.g, "not"));
  EXPECT_EQ(r.count("error: "), 0) << r.text();
  EXPECT_TRUE(r.said("se: no-such.wav"));
  EXPECT_TRUE(r.said("bgm: no-such.mid"));
}

// ---- damaged saves: any number in any saved value ----

TEST(DamagedSave, APlayTimeAtTheTopOfTheRangeStaysAtTheCap) {
  TempDir d;
  make_root(d.path);
  GameState saved;
  new_game_values(saved);
  saved.play_time = INT32_MAX;
  write_bytes(d.path / "dat" / "z.wav", save_bytes(saved));
  Session r(d.path);
  startup(*r.g);
  ASSERT_TRUE(click(*r.g, "Button11"));
  EXPECT_EQ(r.g->s.play_time, INT32_MAX);
  timer_fire(*r.g, 2);
  EXPECT_EQ(r.g->s.play_time, 9999);
}

// Every saved number at an edge of the 32-bit range, then every control the
// screen offers clicked twice with refreshes between: nothing may overflow
// or index out of range (the sanitizer build checks), and the refresh brings
// the player's values back into their ranges.
TEST(DamagedSave, EdgeValuesEverywhereKeepTheGamePlayable) {
  for (const i32 edge : {INT32_MAX, INT32_MIN, -1}) {
    SCOPED_TRACE(edge);
    TempDir d;
    make_root(d.path);
    GameState saved;
    new_game_values(saved);
    for (const SaveRun& run : save_layout()) {
      const Var& v = *run.var;
      if (v.type == Var::Type::Int) saved.*(v.ip) = edge;
      if (v.type == Var::Type::Array)
        for (int i = run.first; i < run.first + run.count; ++i) v.arr(saved)[static_cast<size_t>(i)] = edge;
    }
    write_bytes(d.path / "dat" / "z.wav", save_bytes(saved));
    Session r(d.path);
    startup(*r.g);
    r.g->ui.debug_box.visible = true;  // its buttons too
    ASSERT_TRUE(click(*r.g, "Button11"));
    EXPECT_EQ(r.g->s.floor, edge);
    for (int round = 0; round < 2; ++round) {
      timer_fire(*r.g, 1);
      timer_fire(*r.g, 2);
      for (Control* c : r.g->ui.all()) {
        if (c->name == "Button11" || c->name == "Button12" || !c->on_click) continue;
        click(*r.g, c->name);
        timer_fire(*r.g, 1);
      }
    }
    timer_fire(*r.g, 1);
    EXPECT_GE(r.g->s.floor, 0);
    EXPECT_GE(r.g->s.my_hp_max, 1);
    EXPECT_LE(r.g->s.my_hp, r.g->s.my_hp_max);
    EXPECT_GE(r.g->s.cent, 0);
  }
}
