// The data checker: the shipped program folder is clean, every kind of fault
// in the `faulty` set is reported where it is, and a sound set built here
// reports nothing until one thing is broken.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/check.h"
#include "data/cp932.h"
#include "data/tables.h"
#include "game_fixture.h"
#include "rooms/floor_map.h"
#include "shell/title.h"
#include "state/floors.h"

namespace fs = std::filesystem;

namespace {

std::string join(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\n";
  return s;
}

bool has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool any_starts(const std::vector<std::string>& lines, const std::string& prefix) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

#define EXPECT_LINE(lines, text) EXPECT_TRUE(has(lines, text)) << "missing: " << (text) << "\nin:\n" << join(lines)
#define EXPECT_NO_LINE_STARTING(lines, text) \
  EXPECT_FALSE(any_starts(lines, text)) << "unexpected: " << (text) << "\nin:\n" << join(lines)

// ---------------------------------------------------------------------------

TEST(CheckData, ShippedContentIsClean) {
  const std::string root = ZANDO_GAME_DIR;
  if (!fs::exists(root + "/dat/enemy.dat")) GTEST_SKIP() << "no converted content in " << root;
  std::ostringstream out;
  const int status = z2::check_data_main(root, out);
  EXPECT_EQ(status, 0) << out.str();
  EXPECT_EQ(out.str(), "check-data: no problems found\n");
}

class CheckFaultySet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { lines_ = new std::vector<std::string>(z2::check_data(ZANDO_FIXTURES "/faulty")); }
  static void TearDownTestSuite() {
    delete lines_;
    lines_ = nullptr;
  }
  const std::vector<std::string>& lines() const { return *lines_; }
  static std::vector<std::string>* lines_;
};
std::vector<std::string>* CheckFaultySet::lines_ = nullptr;

TEST_F(CheckFaultySet, ExitStatusAndSummary) {
  std::ostringstream out;
  EXPECT_EQ(z2::check_data_main(ZANDO_FIXTURES "/faulty", out), 1);
  const std::string text = out.str();
  EXPECT_EQ(text, join(lines()) + "check-data: " + std::to_string(lines().size()) + " problems\n");
}

TEST_F(CheckFaultySet, UnreadableAndMalformedFiles) {
  EXPECT_LINE(lines(), "dat/ex.dat: missing");
  // A bad number is placed by record and line; the files after it are still read.
  EXPECT_LINE(lines(), "dat/job.dat: record 1: 9行目が数値ではありません「x1」");
  EXPECT_LINE(lines(), "dat/boss1.dat: 4行目が数値ではありません「強い」");
  EXPECT_LINE(lines(), "dat/boss3.dat: missing");
  EXPECT_LINE(lines(), "dat/staff.dat: missing");
  // A file that could not be read is not judged any further.
  EXPECT_NO_LINE_STARTING(lines(), "dat/job.dat: record 21");
  EXPECT_NO_LINE_STARTING(lines(), "dat/boss4.dat");
  EXPECT_NO_LINE_STARTING(lines(), "dat/boss99.dat");
  EXPECT_NO_LINE_STARTING(lines(), "dat/magic.dat: record 0:");
  // The save file is no business of the checker.
  EXPECT_NO_LINE_STARTING(lines(), "dat/z.wav");
}

TEST_F(CheckFaultySet, OpeningNeedsAnEndLine) {
  // "end" on the first line does not count: that line is never shown.
  EXPECT_LINE(lines(), "dat/open.dat: no \"end\" line among lines 2..200: the opening would never end by itself");
}

TEST_F(CheckFaultySet, FloorBandsWithoutOrdinaryEnemies) {
  EXPECT_LINE(lines(), "dat/enemy.dat: records 20..26: floor 2 has no usable ordinary enemy (a name and a picture)");
  // Floor 24 has no monster room: no fight there draws its own band.
  EXPECT_NO_LINE_STARTING(lines(), "dat/enemy.dat: records 240..246");
  // Band 0 has record 0 and band 1 records 10..14.
  EXPECT_NO_LINE_STARTING(lines(), "dat/enemy.dat: records 0..6");
  EXPECT_NO_LINE_STARTING(lines(), "dat/enemy.dat: records 10..16");
  EXPECT_LINE(lines(), "dat/enemy.dat: record 2 (名無しの絵): has a name but no picture, so no fight ever draws it");
}

TEST_F(CheckFaultySet, IncompleteRareSlots) {
  EXPECT_LINE(lines(), "dat/enemy.dat: record 17 (絵なしエクストラ): the extra enemy of floor 1 needs a picture");
  EXPECT_LINE(lines(), "dat/enemy.dat: record 18: the floor master of floor 1 needs a name");
  EXPECT_LINE(lines(), "dat/enemy.dat: record 29: the phantom's apostle of floor 2 needs a name");
  // Floor 24 has no monster room: nobody calls its rare visitors.
  EXPECT_NO_LINE_STARTING(lines(), "dat/enemy.dat: record 249");
  EXPECT_NO_LINE_STARTING(lines(), "dat/enemy.dat: record 7 ");
  EXPECT_NO_LINE_STARTING(lines(), "dat/enemy.dat: record 19 ");
}

TEST_F(CheckFaultySet, RandomRoomsWithoutRecords) {
  // Records 1..6 are a blank name, a name without picture and four empty ones;
  // record 0 is never drawn by the random rooms.
  EXPECT_LINE(
      lines(),
      "dat/enemy.dat: floor 0: the random rooms find no usable record (slots 0..6 of floors 0..0, records 1..253)");
  EXPECT_LINE(
      lines(),
      "dat/enemy.dat: floor 1: the random rooms find no usable record (slots 0..6 of floors 0..0, records 1..253)");
  // From floor 2 on band 1 is in reach.
  EXPECT_NO_LINE_STARTING(lines(), "dat/enemy.dat: floor 2:");
  EXPECT_NO_LINE_STARTING(lines(), "dat/enemy.dat: floor 24:");
}

TEST_F(CheckFaultySet, CarriedThingsWithoutName) {
  EXPECT_LINE(
      lines(),
      "dat/enemy.dat: record 11 (泥棒): carries 3, which is no named item (1..499) nor named garbage (1000 + id)");
  EXPECT_LINE(lines(),
              "dat/enemy.dat: record 13 (ゴミ持ち): carries 1042, which is no named item (1..499) nor named garbage "
              "(1000 + id)");
  EXPECT_NO_LINE_STARTING(lines(), "dat/enemy.dat: record 14 ");
}

TEST_F(CheckFaultySet, RarityTiers) {
  EXPECT_LINE(lines(), "dat/item.dat: no named item of rarity 2 among ids 0..498: the random item draw needs one");
  EXPECT_NO_LINE_STARTING(lines(), "dat/item.dat: no named item of rarity 0");
  EXPECT_NO_LINE_STARTING(lines(), "dat/item.dat: no named item of rarity 1");
  EXPECT_LINE(lines(), "dat/gomi.dat: no named garbage among ids 0..498: the garbage draws need one");
}

TEST_F(CheckFaultySet, FixedRoleIdsWithoutName) {
  EXPECT_LINE(lines(), "dat/item.dat: record 230: item 230 (given after 6000 minutes of play) has no name");
  EXPECT_LINE(lines(), "dat/item.dat: record 247: item 247 (one of the seven asked for ぼうやの声) has no name");
  EXPECT_LINE(lines(), "dat/item.dat: record 253: item 253 (one of the seven asked for ぼうやの声) has no name");
  EXPECT_LINE(lines(), "dat/item.dat: record 255: item 255 (key to the stairs above floor 7) has no name");
  EXPECT_LINE(lines(), "dat/item.dat: record 437: item 437 (prize for beating ファウスト) has no name");
  EXPECT_LINE(lines(), "dat/item.dat: record 137: item 137 (prize of floor 10) has no name");
  EXPECT_LINE(lines(), "dat/item.dat: record 497: item 497 (prize for 998 wins in a row) has no name");
  EXPECT_LINE(lines(), "dat/item.dat: record 239: item 239 (prize for 999 deaths) has no name");
  EXPECT_LINE(lines(), "dat/monster.dat: record 30: monster 30 (counted by a monster skill) has no name");
  EXPECT_LINE(lines(), "dat/monster.dat: record 101: monster 101 (given by ぼうやの声) has no name");
  EXPECT_LINE(lines(), "dat/monster.dat: record 102: monster 102 (the cleaner, prize of floor 14) has no name");
  EXPECT_LINE(lines(), "dat/monster.dat: record 104: monster 104 (the errand girl) has no name");
  EXPECT_LINE(lines(), "dat/magic.dat: record 18: magic 18 (learnt at the 99th escape) has no name");
  EXPECT_LINE(lines(), "dat/magic.dat: record 22: magic 22 (learnt at level 10) has no name");
  EXPECT_LINE(lines(), "dat/magic.dat: record 21: magic 21 (prize of floor 23) has no name");
  EXPECT_LINE(lines(), "dat/gomi.dat: record 87: garbage 87 (the errand girl's fallback find) has no name");
  EXPECT_LINE(lines(), "dat/map.dat: record 5: floor 5 has no name");
  EXPECT_NO_LINE_STARTING(lines(), "dat/map.dat: record 4:");
  EXPECT_NO_LINE_STARTING(lines(), "dat/map.dat: record 25:");
}

TEST_F(CheckFaultySet, EvolutionTargetsWithoutName) {
  EXPECT_LINE(lines(), "dat/monster.dat: record 6: monster 7 (進化元) evolves into it, but it has no name");
  EXPECT_LINE(lines(), "dat/monster.dat: record 112: monster 0 (ぷよ) evolves into it, but it has no name");
  // Monster 13 does not exist, so its missing evolution does not matter.
  EXPECT_NO_LINE_STARTING(lines(), "dat/monster.dat: record 78:");
}

TEST_F(CheckFaultySet, ShopEntriesWithoutItem) {
  EXPECT_LINE(lines(), "dat/shop.dat: record 1: sells item 3, which has no name");
  EXPECT_LINE(lines(), "dat/shop.dat: record 3: sells item 600, which has no name");
  EXPECT_LINE(lines(), "dat/wild.dat: record 2: sells item 5, which has no name");
  EXPECT_NO_LINE_STARTING(lines(), "dat/shop.dat: record 0:");
  // An entry without an item moves every later price onto the wrong row.
  EXPECT_LINE(lines(),
              "dat/shop.dat: record 2: no item (id 0) before record 3: every later row would show the price of the "
              "entry before it");
  EXPECT_NO_LINE_STARTING(lines(), "dat/wild.dat: record 0:");
  EXPECT_NO_LINE_STARTING(lines(), "dat/wild.dat: record 1:");
}

TEST_F(CheckFaultySet, PicturesNamedByTheData) {
  EXPECT_LINE(lines(), "dat/enemy.dat: record 10 (迷子の敵): picture cg/nopic.bmp is missing");
  EXPECT_LINE(lines(), "dat/enemy.dat: record 12 (壊れ絵): picture cg/broken.bmp cannot be read as a picture");
  EXPECT_LINE(lines(), "dat/monster.dat: record 1 (迷い子): picture cg/nomo.bmp is missing");
  EXPECT_LINE(lines(), "dat/monster.dat: record 2 (絵なし): the monster has no picture");
  EXPECT_LINE(lines(), "dat/boss2.dat: the boss has no name");
  EXPECT_LINE(lines(), "dat/boss2.dat: picture cg/nob.bmp is missing");
  EXPECT_LINE(lines(), "dat/boss2.dat: large picture cg/nobig.bmp is missing");
  // An empty large picture is allowed: the game shows its fallback.
  EXPECT_NO_LINE_STARTING(lines(), "dat/boss0.dat");
  EXPECT_NO_LINE_STARTING(lines(), "dat/enemy.dat: record 0 ");
  EXPECT_NO_LINE_STARTING(lines(), "dat/monster.dat: record 0 (ぷよ): picture");
  // The set has no garbage at all, so nothing hatches monster 0.
  EXPECT_LINE(lines(),
              "dat/monster.dat: record 0 (ぷよ): nothing yields this monster (no enemy or boss of its name is met, no "
              "garbage of its id is found, nothing evolves into it)");
}

TEST_F(CheckFaultySet, PicturesTheGameNames) {
  EXPECT_LINE(lines(), "cg/my1.bmp: missing (player portrait at full HP)");
  EXPECT_LINE(lines(), "cg/takara.bmp: missing (treasure chest)");
  EXPECT_LINE(lines(), "cg/s_Ch.bmp: missing (church room)");
  EXPECT_LINE(lines(), "cg/die.bmp: cannot be read as a picture (portrait of the fallen)");
  EXPECT_LINE(lines(), "cg/haikei1.bmp: missing (background of floor 1)");
  EXPECT_LINE(lines(), "cg/haikei24.bmp: missing (background of floor 24)");
  EXPECT_NO_LINE_STARTING(lines(), "cg/haikei0.bmp");
  EXPECT_NO_LINE_STARTING(lines(), "cg/my.bmp");
  EXPECT_NO_LINE_STARTING(lines(), "cg/e0.bmp");
}

TEST_F(CheckFaultySet, SoundsAndMusic) {
  EXPECT_LINE(lines(), "dat/miss.wav: not a wave file (refused command)");
  EXPECT_LINE(lines(), "dat/next.wav: missing (progress notices)");
  EXPECT_LINE(lines(), "dat/open.mid: missing (title music)");
  EXPECT_LINE(lines(), "dat/arm.mid: missing (colosseum music of floor 1, 11)");
  EXPECT_LINE(lines(), "dat/rworld.mid: missing (colosseum music of floor 24)");
  EXPECT_LINE(lines(), "dat/md.dat: record 0 (迷子の曲): music dat/nothere.mid is missing");
  EXPECT_LINE(lines(), "dat/md.dat: record 1 (無音の曲): the disc has no music file");
  EXPECT_LINE(lines(), "dat/md.dat: record 2 (壊れた曲): music dat/bad.mid is not a MIDI file");
  EXPECT_NO_LINE_STARTING(lines(), "dat/md.dat: record 3");
  EXPECT_NO_LINE_STARTING(lines(), "dat/key.wav");
  EXPECT_NO_LINE_STARTING(lines(), "dat/ere.mid");
  EXPECT_NO_LINE_STARTING(lines(), "dat/md.dat: no named disc");
}

// ---------------------------------------------------------------------------
// A complete set written here: clean, then broken one way at a time.

class CheckBuiltSet : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("zando2_check_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "dat");
    fs::create_directories(root_ / "cg");
    write_clean();
  }
  void TearDown() override { fs::remove_all(root_); }

  std::string root() const { return root_.string(); }

  void data(const std::string& file, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += z2::utf8_to_cp932(l) + "\r\n";
    std::ofstream(root_ / "dat" / file, std::ios::binary) << text;
  }
  void picture(const std::string& file) {
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(0xFF336699u);
    ASSERT_TRUE(img.save(QString::fromStdString((root_ / "cg" / file).string()), "BMP"));
  }
  void sound(const std::string& file) {
    const bool wave = file.ends_with(".wav");
    // A piece of one note: the synthesizer gets nothing less.
    std::string bytes = wave ? std::string("RIFF\x24\0\0\0WAVEfmt ", 16)
                             : std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0c"
                                           "\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0", 34);
    std::ofstream(root_ / "dat" / file, std::ios::binary) << bytes;
  }

  // Every record a room can draw, and no other.
  std::vector<std::string> enemy_lines(int blank_from = 255, int blank_to = -1) {
    std::vector<std::string> l;
    for (int n = 0; n < 255; ++n) {
      const bool blank = (n >= blank_from && n <= blank_to) || !z2::enemy_drawn(n);
      for (const std::string& v :
           {blank ? std::string() : "敵" + std::to_string(n), blank ? std::string() : std::string("en.bmp"),
            std::string("0"), std::string("0"), std::string("1"), std::string("0"), std::string("1"), std::string("2"),
            std::string("3"), std::string("4"), std::string("99")}) {
        l.push_back(v);
      }
    }
    return l;
  }

  // The spells that a level, a floor or the 99th escape teach; 10 and 25.. are taught by nothing.
  static std::vector<std::string> magic_lines(int extra = -1) {
    std::vector<std::string> l;
    for (int i = 0; i < 256; ++i) {
      const bool taught = (i <= 24 && i != 10) || i == extra;
      l.insert(l.end(), {taught ? "術" + std::to_string(i) : "", "説明", "0", "1"});
    }
    return l;
  }

  std::vector<std::string> item_lines(int bad_record = -1) {
    std::vector<std::string> l;
    for (int i = 0; i < 500; ++i) {
      // Rarities 0..2 are found at random; item 499 is beyond every random draw, and the shop sells it.
      l.insert(l.end(), {i == 0 ? "" : "品" + std::to_string(i), "説明", i == 499 ? "7" : "1", i == bad_record ? "十" : "10",
                         std::to_string(i == 499 ? 3 : i % 3), "0"});
    }
    return l;
  }

  void write_clean() {
    std::vector<std::string> l;
    for (int i = 0; i < 226; ++i) l.push_back("名" + std::to_string(i));
    data("name.dat", l);
    data("ex.dat", std::vector<std::string>(256, "なし"));
    l.clear();
    for (int i = 0; i < 25; ++i) l.push_back("階" + std::to_string(i));
    data("map.dat", l);
    data("md.dat", {"", "", "", "曲", "よい曲", "md01.mid"});
    data("enemy.dat", enemy_lines());
    data("item.dat", item_lines());
    data("shop.dat", {"1", "10", "499", "99"});
    data("wild.dat", {"2", "50"});
    l.clear();
    for (int i = 0; i < 256; ++i) l.insert(l.end(), {"職" + std::to_string(i), "説明", "0", "1", "0"});
    data("job.dat", l);
    l.clear();
    for (int i = 0; i < 500; ++i) l.insert(l.end(), {"ゴミ" + std::to_string(i), "説明", std::to_string(i % 25), "0"});
    data("gomi.dat", l);
    l.clear();
    // Garbage 0..498 hatches the monster of its id; 499 is beyond every garbage draw.
    for (int i = 0; i < 500; ++i)
      l.insert(l.end(), {i == 499 ? "" : "獣" + std::to_string(i), "説明", "mo.bmp", "0", "1", "1", "0", "1"});
    data("monster.dat", l);
    data("magic.dat", magic_lines());
    for (int n = 0; n <= 25; ++n) {
      data("boss" + std::to_string(n == 25 ? 99 : n) + ".dat",
           {"ボス", "boss.bmp", "", "3", "0", "a", "b", "c", "d", "e"});
    }
    data("open.dat", {"最初の行", "はじまり", "end"});
    data("staff.dat", {"最初の行", "作った人"});
    for (const auto& f : z2::fixed_pictures()) picture(f.name);
    for (int f = 0; f < 25; ++f) picture("haikei" + std::to_string(f) + ".bmp");
    for (const char* f : {"en.bmp", "mo.bmp", "boss.bmp"}) picture(f);
    for (const auto& f : z2::fixed_sounds()) sound(f.name);
    for (int f = 0; f < 25; ++f) {
      if (!z2::colosseum_bgm(f).empty()) sound(z2::colosseum_bgm(f));
    }
    sound("md01.mid");
  }

  fs::path root_;
};

TEST_F(CheckBuiltSet, CleanSetReportsNothing) {
  EXPECT_EQ(join(z2::check_data(root())), "");
  std::ostringstream out;
  EXPECT_EQ(z2::check_data_main(root(), out), 0);
  EXPECT_EQ(out.str(), "check-data: no problems found\n");
}

TEST_F(CheckBuiltSet, FixedNamesCoverWhatTheGameLoads) {
  std::vector<std::string> pics, sounds;
  for (const auto& f : z2::fixed_pictures()) pics.push_back(f.name);
  for (const auto& f : z2::fixed_sounds()) sounds.push_back(f.name);
  for (const char* p : {"my.bmp", "e0.bmp", "map-1.bmp", "0_2.bmp", "haikei-1.bmp", "yam2.bmp", "title.bmp"}) {
    EXPECT_TRUE(std::find(pics.begin(), pics.end(), p) != pics.end()) << p;
  }
  for (const char* s : {"miss.wav", "key.wav", "1.wav", "open.mid", "new.mid"}) {
    EXPECT_TRUE(std::find(sounds.begin(), sounds.end(), s) != sounds.end()) << s;
  }
}

TEST_F(CheckBuiltSet, OneMissingPicture) {
  fs::remove(root_ / "cg" / "takara.bmp");
  EXPECT_EQ(join(z2::check_data(root())), "cg/takara.bmp: missing (treasure chest)\n");
}

TEST_F(CheckBuiltSet, OneUnreadablePictureSharedByRecords) {
  std::ofstream(root_ / "cg" / "boss.bmp", std::ios::binary) << "BM?";
  const auto lines = z2::check_data(root());
  ASSERT_EQ(lines.size(), 26u) << join(lines);  // every boss file names it
  EXPECT_EQ(lines[0], "dat/boss0.dat: picture cg/boss.bmp cannot be read as a picture");
  EXPECT_EQ(lines[25], "dat/boss99.dat: picture cg/boss.bmp cannot be read as a picture");
}

TEST_F(CheckBuiltSet, OneEmptyBand) {
  data("enemy.dat", enemy_lines(220, 226));
  EXPECT_EQ(join(z2::check_data(root())),
            "dat/enemy.dat: records 220..226: floor 22 has no usable ordinary enemy (a name and a picture)\n");
}

TEST_F(CheckBuiltSet, OneIncompleteRareSlot) {
  auto l = enemy_lines();
  l[228 * 11 + 1] = "";  // the floor master of floor 22 loses its picture
  data("enemy.dat", l);
  EXPECT_EQ(join(z2::check_data(root())),
            "dat/enemy.dat: record 228 (敵228): the floor master of floor 22 needs a picture\n");
}

TEST_F(CheckBuiltSet, RandomRoomsOnTheFirstFloors) {
  // Only record 0 is left in band 0: the monster room still has it, the random rooms of floors 0 and 1 do not.
  data("enemy.dat", enemy_lines(1, 6));
  EXPECT_EQ(
      join(z2::check_data(root())),
      "dat/enemy.dat: floor 0: the random rooms find no usable record (slots 0..6 of floors 0..0, records 1..253)\n"
      "dat/enemy.dat: floor 1: the random rooms find no usable record (slots 0..6 of floors 0..0, records 1..253)\n");
}

TEST_F(CheckBuiltSet, OneMalformedFileIsNotJudgedFurther) {
  data("item.dat", item_lines(230));
  EXPECT_EQ(join(z2::check_data(root())), "dat/item.dat: record 230: 1384行目が数値ではありません「十」\n");
}

TEST_F(CheckBuiltSet, NoRarityTwoItem) {
  auto l = item_lines();
  for (int i = 0; i < 500; ++i) {
    if (l[static_cast<size_t>(i * 6 + 4)] == "2") l[static_cast<size_t>(i * 6 + 4)] = "3";
  }
  // Item 499 is beyond the draw: it does not help.
  l[499 * 6 + 4] = "2";
  data("item.dat", l);
  const auto lines = z2::check_data(root());
  EXPECT_LINE(lines, "dat/item.dat: no named item of rarity 2 among ids 0..498: the random item draw needs one");
  // The former rarity-2 items are now found nowhere; the seven that ぼうや lost are only asked for.
  EXPECT_LINE(lines,
              "dat/item.dat: record 5 (品5): nothing gives this item (no random find, no shop, no enemy a room draws, "
              "no prize)");
  EXPECT_LINE(lines,
              "dat/item.dat: record 248 (品248): nothing gives this item (no random find, no shop, no enemy a room "
              "draws, no prize)");
  // A prize is given by its rule: 497 for 998 wins in a row.
  EXPECT_NO_LINE_STARTING(lines, "dat/item.dat: record 497 ");
}

TEST_F(CheckBuiltSet, MissingDiscMusicAndMissingBoss) {
  fs::remove(root_ / "dat" / "md01.mid");
  fs::remove(root_ / "dat" / "boss99.dat");
  EXPECT_EQ(join(z2::check_data(root())),
            "dat/boss99.dat: missing\n"
            "dat/md.dat: record 1 (曲): music dat/md01.mid is missing\n");
}

TEST_F(CheckBuiltSet, ShopItemWithoutName) {
  data("shop.dat", {"1", "10", "-5", "99", "499", "99"});
  EXPECT_EQ(join(z2::check_data(root())), "dat/shop.dat: record 1: sells item -5, which has no name\n");
}

TEST_F(CheckBuiltSet, AGapInTheStockIsReportedOnceAndTheEmptyEndIsNone) {
  data("wild.dat", {"2", "50", "0", "0", "0", "0", "3", "50"});
  EXPECT_EQ(join(z2::check_data(root())),
            "dat/wild.dat: record 1: no item (id 0) before record 3: every later row would show the price of the "
            "entry before it\n");
}

// A negative price would pay the player for buying; every numeric field is
// held to the range its rules give it, named by file, record and field.
TEST_F(CheckBuiltSet, ValuesOutOfRange) {
  data("shop.dat", {"1", "-500", "499", "99"});
  EXPECT_EQ(join(z2::check_data(root())), "dat/shop.dat: record 0: price -500 is out of range (0 or more)\n");
}

// Music the synthesizer cannot play: each of these is named, not just the ones
// that lack the first four bytes of a MIDI file.
TEST_F(CheckBuiltSet, MusicThatCannotBePlayed) {
  const std::string head("MThd\0\0\0\6\0\0\0\1\0\x60", 14);
  const auto track = [](const std::string& events) {
    return std::string("MTrk\0\0\0", 7) + static_cast<char>(events.size()) + events;
  };
  const std::string note("\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0", 12);
  const std::vector<std::string> broken = {
      "",                                                      // zero length
      head,                                                    // header only
      (head + track(note)).substr(0, 30),                      // cut off
      "a text file\r\n",                                      // text
      "MThd\x01\x02\x03garbage garbage",                      // garbage after the magic
      head + track(std::string("\0\xff\x2f\0", 4)),          // nothing to play
      head + track(std::string("\0\x3c\x64\x60\x80\x3c\0", 7)),  // data before any status
      std::string("MThd\0\0\0\6\0\0\0\1\xe7\x28", 14) + track(note),  // SMPTE time
  };
  for (const std::string& bytes : broken) {
    std::ofstream(root_ / "dat" / "open.mid", std::ios::binary | std::ios::trunc) << bytes;
    const auto lines = z2::check_data(root());
    ASSERT_EQ(lines.size(), 1u) << join(lines);
    EXPECT_EQ(lines[0].rfind("dat/open.mid: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("(title music)"), std::string::npos) << lines[0];
  }
  std::ofstream(root_ / "dat" / "open.mid", std::ios::binary | std::ios::trunc) << head + track(note);
  EXPECT_EQ(join(z2::check_data(root())), "");
}

TEST_F(CheckBuiltSet, ShortFilesAreNoErrorButTheirGapsAre) {
  // A short file reads as empty records: only what the rules need is reported.
  data("magic.dat", {"術0", "説明", "0", "1"});
  const auto lines = z2::check_data(root());
  EXPECT_LINE(lines, "dat/magic.dat: record 18: magic 18 (learnt at the 99th escape) has no name");
  EXPECT_NO_LINE_STARTING(lines, "dat/magic.dat: record 0:");
  for (const auto& l : lines) EXPECT_EQ(l.rfind("dat/magic.dat: record ", 0), 0u) << l;
}

// Records no room draws: slot 9 of a floor without a monster room, floors 23
// and 24, and 254 (the random rooms stop at 253).
TEST_F(CheckBuiltSet, EnemiesNoRoomDraws) {
  auto l = enemy_lines();
  for (int n : {89, 219, 239, 240, 254}) {
    l[static_cast<size_t>(n * 11)] = "迷子" + std::to_string(n);
    l[static_cast<size_t>(n * 11 + 1)] = "en.bmp";
  }
  data("enemy.dat", l);
  EXPECT_EQ(join(z2::check_data(root())),
            "dat/enemy.dat: record 89 (迷子89): no room ever draws it (floor 8, slot 9)\n"
            "dat/enemy.dat: record 219 (迷子219): no room ever draws it (floor 21, slot 9)\n"
            "dat/enemy.dat: record 239 (迷子239): no room ever draws it (floor 23, slot 9)\n"
            "dat/enemy.dat: record 240 (迷子240): no room ever draws it (floor 24, slot 0)\n"
            "dat/enemy.dat: record 254 (迷子254): no room ever draws it (floor 25, slot 4)\n");
}

TEST(CheckRooms, EnemyRecordsInReach) {
  // The monster room of floor 22 reaches its apostle; the advanced rooms of floors 16 and 23 the floor
  // masters below them; the random rooms never record 0 nor 254.
  EXPECT_TRUE(z2::enemy_drawn(229));
  EXPECT_TRUE(z2::enemy_drawn(218));
  EXPECT_TRUE(z2::enemy_drawn(88));
  EXPECT_TRUE(z2::enemy_drawn(0));
  EXPECT_FALSE(z2::enemy_drawn(219));
  EXPECT_FALSE(z2::enemy_drawn(230));
  EXPECT_FALSE(z2::enemy_drawn(250));
  EXPECT_FALSE(z2::enemy_drawn(-1));
  EXPECT_FALSE(z2::enemy_drawn(255));
}

// The fight rooms the checker reasons about are the buttons the floor map shows.
TEST(CheckRooms, FightRoomsAreTheFloorMapsButtons) {
  z2::test::TestGame r;
  z2::load_tables(r.g.t, r.g.dat_dir());
  z2::new_game(r.g);
  for (int f = 0; f < 25; ++f) {
    SCOPED_TRACE("floor " + std::to_string(f));
    r.g.s.floor = f;
    z2::apply_floor_rules(r.g);
    EXPECT_EQ(z2::floors::monster_room(f), r.g.ui.s_battle.visible);
    EXPECT_EQ(z2::floors::random_room(f), r.g.ui.rand_b.visible);
    EXPECT_EQ(z2::floors::advanced_room(f), r.g.ui.p_b.visible);
  }
}

TEST_F(CheckBuiltSet, SpellsNothingTeaches) {
  data("magic.dat", magic_lines(10));
  EXPECT_EQ(join(z2::check_data(root())), "dat/magic.dat: record 10 (術10): no level, floor or escape teaches this spell\n");
}

TEST_F(CheckBuiltSet, MonstersNothingYields) {
  // Without garbage of their ids: monster 300 joins (an enemy of its name is met), monster 112
  // evolves from monster 0, and nothing gives monster 301.
  std::vector<std::string> l;
  for (int i = 0; i < 500; ++i) {
    const bool gone = i == 300 || i == 301 || i == 112;
    l.insert(l.end(), {gone ? "" : "ゴミ" + std::to_string(i), "説明", std::to_string(i % 25), "0"});
  }
  data("gomi.dat", l);
  std::vector<std::string> m;
  for (int i = 0; i < 500; ++i)
    m.insert(m.end(), {i == 499 ? "" : "獣" + std::to_string(i), "説明", "mo.bmp", "0", "1", "1", "0", "1"});
  data("monster.dat", m);
  auto e = enemy_lines();
  e[5 * 11] = "獣300";  // an ordinary enemy of floor 0 bears monster 300's name
  data("enemy.dat", e);
  EXPECT_EQ(join(z2::check_data(root())),
            "dat/monster.dat: record 301 (獣301): nothing yields this monster (no enemy or boss of its name is met, no "
            "garbage of its id is found, nothing evolves into it)\n");
}

TEST_F(CheckBuiltSet, MonstersOfABossOrOfAnEnemyNobodyMeets) {
  std::vector<std::string> l;
  for (int i = 0; i < 500; ++i)
    l.insert(l.end(), {i == 7 || i == 8 ? "" : "ゴミ" + std::to_string(i), "説明", std::to_string(i % 25), "0"});
  data("gomi.dat", l);
  // Monster 7 bears the bosses' name; monster 8 the name of an enemy on floor 24, where nobody goes.
  std::vector<std::string> m;
  for (int i = 0; i < 500; ++i) {
    const std::string name = i == 7 ? "ボス" : i == 8 ? "頂の敵" : i == 499 ? "" : "獣" + std::to_string(i);
    m.insert(m.end(), {name, "説明", "mo.bmp", "0", "1", "1", "0", "1"});
  }
  data("monster.dat", m);
  auto e = enemy_lines();
  e[243 * 11] = "頂の敵";
  e[243 * 11 + 1] = "en.bmp";
  data("enemy.dat", e);
  const auto lines = z2::check_data(root());
  EXPECT_LINE(lines, "dat/enemy.dat: record 243 (頂の敵): no room ever draws it (floor 24, slot 3)");
  EXPECT_LINE(lines,
              "dat/monster.dat: record 8 (頂の敵): nothing yields this monster (no enemy or boss of its name is met, no "
              "garbage of its id is found, nothing evolves into it)");
  EXPECT_NO_LINE_STARTING(lines, "dat/monster.dat: record 7 ");
  EXPECT_EQ(lines.size(), 2u) << join(lines);
}

// The shop's ladder: of two goods that do the same, the dearer must be stronger, and a dearer
// lasting gain must give more per cent.
TEST_F(CheckBuiltSet, PriceLadder) {
  auto l = item_lines();
  auto set = [&](int id, const std::string& name, const std::string& kind, const std::string& pow,
                 const std::string& ex = "0") {
    l[static_cast<size_t>(id * 6)] = name;
    l[static_cast<size_t>(id * 6 + 2)] = kind;
    l[static_cast<size_t>(id * 6 + 3)] = pow;
    l[static_cast<size_t>(id * 6 + 5)] = ex;
  };
  set(10, "力の種", "9", "1");
  set(11, "剛力の種", "9", "3");     // 3 for 2000: less per cent than 1 for 250
  set(12, "鬼の菓子", "9", "60");    // 60 for 10000: more per cent than both
  set(13, "十粒", "9", "60");        // the same power, dearer
  set(20, "薬草", "0", "30");        // healing is no lasting gain: a dearer, stronger dose is fine
  set(21, "大薬草", "0", "40");
  set(30, "爆弾", "53", "14");       // a trick of the same number does the same
  set(31, "大爆弾", "53", "14");
  set(32, "眠り粉", "53", "0");      // another trick
  set(33, "金の鍵", "96", "0");      // keys do nothing when used: each is bought for itself
  set(34, "銀の鍵", "96", "0");
  set(40, "棒", "400", "10");
  set(41, "光る棒", "400", "5", "9"); // a weapon with an extra effect is another thing
  data("item.dat", l);
  data("shop.dat", {"10", "250", "11", "2000", "12", "10000", "13", "90000", "20", "20", "21", "100", "30", "3000",
                    "31", "8000", "32", "9000", "40", "100", "41", "500", "33", "10", "34", "5000", "499", "99"});
  EXPECT_EQ(join(z2::check_data(root())),
            "dat/shop.dat: record 1 (剛力の種): sold for 2000, more than record 0 (力の種) for 250, yet gives less per "
            "cent (3 against 1)\n"
            "dat/shop.dat: record 3 (十粒): sold for 90000, more than record 0 (力の種) for 250, yet gives less per "
            "cent (60 against 1)\n"
            "dat/shop.dat: record 3 (十粒): sold for 90000, more than record 1 (剛力の種) for 2000, yet gives less per "
            "cent (60 against 3)\n"
            "dat/shop.dat: record 3 (十粒): sold for 90000, more than record 2 (鬼の菓子) for 10000, which does the "
            "same with no less power\n"
            "dat/shop.dat: record 7 (大爆弾): sold for 8000, more than record 6 (爆弾) for 3000, which does the same\n");
}

TEST_F(CheckBuiltSet, MissingFolderIsOneLine) {
  fs::remove_all(root_ / "cg");
  EXPECT_EQ(join(z2::check_data(root())), "cg/: no such folder in " + root() + "/\n");
  EXPECT_EQ(join(z2::check_data(root() + "/nowhere")),
            "dat/: no such folder in " + root() + "/nowhere/\ncg/: no such folder in " + root() + "/nowhere/\n");
}

}  // namespace
