// The line reader of every data file: the rules a data author relies on, and
// what a broken file does to a load.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "data/cp932.h"
#include "data/reader.h"
#include "data/tables.h"
#include "game_fixture.h"
#include "state/game_state.h"
#include "temp_dir.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

DataReader reader(const std::string& bytes) { return DataReader(bytes, "test.dat"); }

std::string sj(const std::string& utf8) { return utf8_to_cp932(utf8); }

// The message of the error a read raises, or "" when it reads.
template <class F>
std::string error_of(F&& f) {
  try {
    f();
  } catch (const DataError& e) {
    return e.what();
  }
  return "";
}

using test::TempDir;

void write_bytes(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

// The mini fixture's data folder copied into a fresh folder.
void copy_mini(const TempDir& d) {
  fs::create_directories(d.path / "dat");
  for (const auto& e : fs::directory_iterator(fs::path(ZANDO_FIXTURES) / "mini" / "dat"))
    fs::copy_file(e.path(), d.path / "dat" / e.path().filename());
}

}  // namespace

TEST(LineReader, EmptyLinesBeforeAnIntegerArePassedOver) {
  auto r = reader("\r\n\r\n  \r\n42\r\n7\r\n");
  EXPECT_EQ(r.read_int(), 42);
  EXPECT_EQ(r.read_int(), 7);
}

TEST(LineReader, AnEmptyLineWhereAStringIsExpectedIsAnEmptyString) {
  auto r = reader("\r\n5\r\nname\r\n");
  EXPECT_EQ(r.read_string(), "");
  EXPECT_EQ(r.read_int(), 5);
  EXPECT_EQ(r.read_string(), "name");
}

TEST(LineReader, AnEmptyLineShiftsOnlyFieldsBeforeAnInteger) {
  // Record: string, int, string. The blank line in front of the integer is
  // skipped; the one in front of the second string becomes that string.
  auto r = reader(sj("剣") + "\r\n\r\n12\r\n\r\n" + sj("盾") + "\r\n");
  EXPECT_EQ(r.read_string(), "剣");
  EXPECT_EQ(r.read_int(), 12);
  EXPECT_EQ(r.read_string(), "");
  EXPECT_EQ(r.read_string(), "盾");
}

TEST(LineReader, TextAfterAnIntegerOnItsLineIsIgnored) {
  auto r = reader("12 abc\r\nnext\r\n-3\tcomment 99\r\n");
  EXPECT_EQ(r.read_int(), 12);
  EXPECT_EQ(r.read_string(), "next");
  EXPECT_EQ(r.read_int(), -3);
  EXPECT_TRUE(r.at_end());
}

TEST(LineReader, StringsKeepTheirBlanks) {
  auto r = reader("  two  blanks  \r\n");
  EXPECT_EQ(r.read_string(), "  two  blanks  ");
}

TEST(LineReader, AShortFileReadsZeroAndEmptyPastItsEnd) {
  auto r = reader("only\r\n3\r\n");
  EXPECT_EQ(r.read_string(), "only");
  EXPECT_EQ(r.read_int(), 3);
  EXPECT_EQ(r.read_int(), 0);
  EXPECT_EQ(r.read_string(), "");
  EXPECT_EQ(r.read_int(), 0);
  EXPECT_EQ(r.read_string(), "");
}

TEST(LineReader, AnEmptyFileReadsZeroAndEmpty) {
  auto r = reader("");
  EXPECT_TRUE(r.at_end());
  EXPECT_EQ(r.read_string(), "");
  EXPECT_EQ(r.read_int(), 0);
}

TEST(LineReader, TheLastLineNeedsNoLineEnd) {
  auto r = reader("a\r\n17");
  EXPECT_EQ(r.read_string(), "a");
  EXPECT_EQ(r.read_int(), 17);
  EXPECT_EQ(r.read_int(), 0);
}

TEST(LineReader, ABareLfIsPartOfTheText) {
  auto r = reader("one\ntwo\r\nthree\r\n");
  EXPECT_EQ(r.read_string(), "one\ntwo");
  EXPECT_EQ(r.read_string(), "three");
}

TEST(LineReader, ACrAloneEndsALine) {
  auto r = reader("a\rb\r\r\nc");
  EXPECT_EQ(r.read_string(), "a");
  EXPECT_EQ(r.read_string(), "b");
  EXPECT_EQ(r.read_string(), "");
  EXPECT_EQ(r.read_string(), "c");
}

TEST(LineReader, LfAfterCrBelongsToTheLineEndOnlyOnce) {
  // CR LF LF: the second LF starts the next line's text.
  auto r = reader("a\r\n\nb\r\n");
  EXPECT_EQ(r.read_string(), "a");
  EXPECT_EQ(r.read_string(), "\nb");
}

TEST(LineReader, ByteOneAEndsTheFile) {
  auto r = reader("5\r\nname\r\n\x1A" "7\r\nlost\r\n");
  EXPECT_EQ(r.read_int(), 5);
  EXPECT_EQ(r.read_string(), "name");
  EXPECT_TRUE(r.at_end());
  EXPECT_EQ(r.read_int(), 0);
  EXPECT_EQ(r.read_string(), "");
}

TEST(LineReader, ByteOneAInsideALineCutsIt) {
  auto r = reader("ab\x1A" "cd\r\n");
  EXPECT_EQ(r.read_string(), "ab");
  EXPECT_EQ(r.read_string(), "");
}

TEST(LineReader, Cp932TextIsReadIntoUtf8) {
  const std::string line = "\x83\x58\x83\x89\x83\x43\x83\x80";  // スライム
  auto r = reader(line + "\r\n");
  EXPECT_EQ(r.read_string(), "スライム");
}

TEST(LineReader, HalfWidthKatakanaIsReadIntoUtf8) {
  // ﾌｧｳｽﾄ is one byte per character in CP932.
  const std::string line = "\xCC\xA7\xB3\xBD\xC4";
  auto r = reader(line + "\r\n" + sj("ｾﾝﾄ") + "\r\n");
  EXPECT_EQ(r.read_string(), "ﾌｧｳｽﾄ");
  EXPECT_EQ(r.read_string(), "ｾﾝﾄ");
  EXPECT_EQ(cp932_length("ﾌｧｳｽﾄ"), 5u);
}

TEST(LineReader, ASecondByteThatLooksLikeABlankOrDigitStaysInItsCharacter) {
  // 「ソ」 is 83 5C; 「ー」 is 81 5B: trail bytes in the ASCII range.
  const std::string text = "ソーダ";
  auto r = reader(sj(text) + "\r\n");
  EXPECT_EQ(r.read_string(), text);
}

TEST(LineReader, BytesThatAreNotCp932AreKeptAndWrittenBackAsTheyWere) {
  // 80, A0 and FD..FF are never CP932; 82 41 is a lead byte with a trail that
  // makes no character; ED 40 and FA 54 decode but would be written back
  // under other codes (NEC and IBM duplicates); a lead byte ends the line.
  const std::string line = std::string("a\x80" "b\xA0" "c\xFD\xFE\xFF" "\x82" "A" "\xED\x40" "\xFA\x54") +
                           sj("スライム") + "\x83";
  auto r = reader(line + "\r\n");
  const std::string s = r.read_string();
  EXPECT_EQ(s.front(), 'a');
  EXPECT_NE(s.find("スライム"), std::string::npos);
  EXPECT_EQ(s.find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_EQ(utf8_to_cp932(s), line);
  EXPECT_EQ(cp932_length(s), line.size());
  // Every cut of the typing is a prefix of the bytes, never a changed byte.
  for (size_t n = 0; n <= line.size(); ++n) {
    const std::string cut = utf8_to_cp932(cp932_prefix(s, n));
    EXPECT_LE(cut.size(), n);
    EXPECT_EQ(line.compare(0, cut.size(), cut), 0) << n;
  }
}

TEST(LineReader, AnyBytesComeBackExactly) {
  // Random byte strings, weighted towards lead bytes and the duplicate rows.
  uint32_t x = 12345;
  auto next = [&x] {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return x;
  };
  const unsigned char picks[] = {0x81, 0x82, 0x83, 0x87, 0x88, 0xA0, 0xB1, 0xED, 0xEE, 0xF0, 0xFA, 0xFC, 0xFD, 0xFF, 0x40, 0x5C, 0x7F, 0x80};
  for (int n = 0; n < 3000; ++n) {
    std::string bytes;
    const size_t len = next() % 12;
    for (size_t i = 0; i < len; ++i)
      bytes += static_cast<char>(next() % 3 ? picks[next() % sizeof picks] : static_cast<unsigned char>(next()));
    const std::string text = cp932_to_utf8(bytes);
    ASSERT_EQ(utf8_to_cp932(text), bytes) << n;
    ASSERT_EQ(cp932_length(text), bytes.size()) << n;
    // Typing shows two more bytes a step: what a step shows stays on screen.
    std::string before;
    for (size_t cut = 2; cut <= bytes.size() + 1; cut += 2) {
      const std::string now = cp932_bytes_prefix(bytes, cut);
      ASSERT_EQ(now.compare(0, before.size(), before), 0) << n << " at " << cut;
      ASSERT_EQ(now, cp932_prefix(text, cut));
      before = now;
    }
    ASSERT_EQ(before, text);
  }
}

TEST(TypedText, OnlyWhatCp932HoldsMayBeTyped) {
  EXPECT_TRUE(cp932_holds("アレク ｱﾚｸ Alec ①髙"));
  EXPECT_EQ(cp932_first_foreign("アレク"), "");
  EXPECT_FALSE(cp932_holds("アレ😀ク"));
  EXPECT_EQ(cp932_first_foreign("アレ😀ク"), "😀");
  EXPECT_EQ(cp932_first_foreign("한글"), "한");
  // A character that only stands for a raw byte read from a file is not typed text.
  const std::string raw = cp932_to_utf8("\x80");
  EXPECT_FALSE(cp932_holds(raw));
  // Broken UTF-8 is refused and shown as the replacement character.
  EXPECT_EQ(cp932_first_foreign("a\xC3"), "\xEF\xBF\xBD");
}

TEST(LineReader, SignsAreAccepted) {
  auto r = reader("+8\r\n-0\r\n-12\r\n");
  EXPECT_EQ(r.read_int(), 8);
  EXPECT_EQ(r.read_int(), 0);
  EXPECT_EQ(r.read_int(), -12);
}

TEST(LineReader, LeadingZerosAreAccepted) {
  auto r = reader("007\r\n");
  EXPECT_EQ(r.read_int(), 7);
}

TEST(LineReader, TheLimitsOf32BitsRead) {
  auto r = reader("2147483647\r\n-2147483648\r\n");
  EXPECT_EQ(r.read_int(), 2147483647);
  EXPECT_EQ(r.read_int(), INT32_MIN);
}

TEST(LineReader, AnIntegerBeyond32BitsIsAnError) {
  for (const char* big : {"2147483648", "-2147483649", "4294967296", "99999999999999999999"}) {
    auto r = reader(std::string(big) + "\r\n");
    const std::string err = error_of([&] { r.read_int(); });
    EXPECT_NE(err, "") << big;
    EXPECT_NE(err.find("test.dat"), std::string::npos) << err;
  }
}

TEST(LineReader, OnlyTheFirst32CharactersOfALongTokenCount) {
  // 32 zeros, then digits that fall past the token and are ignored as the rest of the line.
  auto r = reader(std::string(32, '0') + "1234\r\n5\r\n");
  EXPECT_EQ(r.read_int(), 0);
  EXPECT_EQ(r.read_int(), 5);
  // 31 zeros and a 9: the ninth digit is the 32nd character and counts.
  auto r2 = reader(std::string(31, '0') + "9" + "77\r\n");
  EXPECT_EQ(r2.read_int(), 9);
  // 33 significant digits: the first 32 do not fit in 32 bits.
  auto r3 = reader(std::string(33, '1') + "\r\n");
  EXPECT_NE(error_of([&] { r3.read_int(); }), "");
}

TEST(LineReader, ATokenThatIsNotANumberIsAnErrorNamingFileAndLine) {
  for (const char* bad : {"abc", "12abc", "-", "+", "--5", "1-2", "0x10", "１２"}) {
    auto r = reader(std::string("1\r\n\r\n") + sj(bad) + "\r\n");
    EXPECT_EQ(r.read_int(), 1);
    const std::string err = error_of([&] { r.read_int(); });
    EXPECT_NE(err, "") << bad;
    EXPECT_NE(err.find("test.dat"), std::string::npos) << err;
    EXPECT_NE(err.find("3"), std::string::npos) << "the line number: " << err;
  }
  try {
    reader("\r\n\r\nx\r\n").read_int();
    ADD_FAILURE() << "x is not a number";
  } catch (const DataError& e) {
    EXPECT_EQ(e.line(), 3);
  }
}

TEST(LineReader, DataErrorKeepsTheFileAndTheReason) {
  auto r = reader("zz\r\n");
  try {
    r.read_int();
    FAIL() << "no error";
  } catch (const DataError& e) {
    EXPECT_EQ(e.file(), "test.dat");
    EXPECT_FALSE(e.reason().empty());
  }
}

TEST(LineReader, AMissingFileIsAnErrorWithTheSystemReason) {
  TempDir d;
  const std::string path = d.dir() + "nothing.dat";
  try {
    DataReader::open(path);
    FAIL() << "no error";
  } catch (const DataError& e) {
    EXPECT_EQ(e.file(), path);
    EXPECT_NE(e.reason().find("ファイルがありません"), std::string::npos) << e.reason();
  }
}

TEST(LineReader, AFolderInPlaceOfAFileIsAnError) {
  TempDir d;
  fs::create_directories(d.path / "item.dat");
  EXPECT_NE(error_of([&] { DataReader::open(d.dir() + "item.dat"); }), "");
}

TEST(LineReader, AFileIsReadAsItsBytes) {
  TempDir d;
  write_bytes(d.path / "x.dat", sj("名前") + "\r\n123\r\n");
  auto r = DataReader::open(d.dir() + "x.dat");
  EXPECT_EQ(r.read_string(), "名前");
  EXPECT_EQ(r.read_int(), 123);
}

TEST(TableLoad, AMalformedIntegerStopsTheLoadThere) {
  TempDir d;
  copy_mini(d);
  // The second item record's kind is not a number.
  std::string items = sj("やくそう") + "\r\n" + sj("説明") + "\r\n1\r\n20\r\n0\r\n0\r\n" + sj("どくけし") + "\r\n" +
                      sj("説明") + "\r\nXX\r\n30\r\n0\r\n0\r\n";
  write_bytes(d.path / "dat" / "item.dat", items);

  Tables t;
  t.ex_names[0] = "old";
  t.enemy(0).en_name = "old";
  t.item_table[0].it_name = "old";
  t.item_table[1].it_name = "old";
  t.item_table[1].it_pow = 999;
  t.shop_table[0].item = 12345;
  t.magic_table[0].mg_name = "old";
  t.monster_table[0].mo_name = "old";

  std::string err;
  try {
    load_tables(t, d.dir() + "dat/");
  } catch (const DataError& e) {
    err = e.file();
  }
  EXPECT_EQ(err, d.dir() + "dat/item.dat");
  // Files before it: their new contents.
  EXPECT_EQ(t.ex_names[0], "なし");
  EXPECT_EQ(t.enemy(0).en_name, "スライム");
  // The failing file: its records up to the error.
  EXPECT_EQ(t.item_table[0].it_name, "やくそう");
  EXPECT_EQ(t.item_table[0].it_pow, 20);
  EXPECT_EQ(t.item_table[1].it_name, "どくけし");
  EXPECT_EQ(t.item_table[1].it_pow, 999) << "fields after the error are not read";
  // Files after it: untouched.
  EXPECT_EQ(t.shop_table[0].item, 12345);
  EXPECT_EQ(t.monster_table[0].mo_name, "old");
  EXPECT_EQ(t.magic_table[0].mg_name, "old");
}

TEST(TableLoad, AShortFileLeavesTheRestEmpty) {
  TempDir d;
  copy_mini(d);
  Tables t;
  t.magic_table[5].mg_name = "stale";
  t.magic_table[5].mg_ark = 7;
  load_tables(t, d.dir() + "dat/");
  EXPECT_EQ(t.magic_table[0].mg_name, "ファイア");
  EXPECT_EQ(t.magic_table[5].mg_name, "");
  EXPECT_EQ(t.magic_table[5].mg_ark, 0);
  EXPECT_EQ(t.map_names[1], "草の回廊");
  EXPECT_EQ(t.map_names[2], "");
}

TEST(TableLoad, AMissingFileStopsTheLoadWithTheRestUnread) {
  TempDir d;
  copy_mini(d);
  fs::remove(d.path / "dat" / "job.dat");
  Tables t;
  t.gomi_table[3].gm_name = "old";
  std::string file;
  try {
    load_tables(t, d.dir() + "dat/");
  } catch (const DataError& e) {
    file = e.file();
  }
  EXPECT_EQ(file, d.dir() + "dat/job.dat");
  EXPECT_EQ(t.wild_table[0].item, 2);
  EXPECT_EQ(t.gomi_table[3].gm_name, "old");
}

TEST(TableLoad, ItemKindsAreReadAsTheyStand) {
  TempDir d;
  copy_mini(d);
  std::string items;
  for (int kind : {400, 449, 450, 500, -1}) items += "x\r\n\r\n" + std::to_string(kind) + "\r\n1\r\n0\r\n0\r\n";
  write_bytes(d.path / "dat" / "item.dat", items);
  Tables t;
  load_tables(t, d.dir() + "dat/");
  EXPECT_EQ(t.item_table[0].it_kind, 400);
  EXPECT_EQ(t.item_table[1].it_kind, 449);
  EXPECT_EQ(t.item_table[2].it_kind, 450);
  EXPECT_EQ(t.item_table[3].it_kind, 500);
  EXPECT_EQ(t.item_table[4].it_kind, -1);
}

TEST(BossReader, BossNumberNamesTheFile) {
  TempDir d;
  const std::string boss = sj("七番") + "\r\nb7.bmp\r\n\r\n12\r\n0\r\n" + sj("来い") + "\r\n\r\n\r\n\r\n" + sj("負け") + "\r\n";
  write_bytes(d.path / "dat" / "boss7.dat", boss);
  write_bytes(d.path / "dat" / "boss99.dat", "G\r\ng.bmp\r\nbig.bmp\r\n99\r\n5000\r\n");
  GameState s;
  load_boss(s, d.dir() + "dat/", 7);
  EXPECT_EQ(s.boss_name, "七番");
  EXPECT_EQ(s.boss_pic, "b7.bmp");
  EXPECT_EQ(s.boss_big_pic, "");
  EXPECT_EQ(s.boss_lv, 12);
  EXPECT_EQ(s.boss_hp, 0);
  EXPECT_EQ(s.boss_talk[0], "来い");
  EXPECT_EQ(s.boss_talk[1], "");
  EXPECT_EQ(s.boss_talk[4], "負け");
  load_boss(s, d.dir() + "dat/", 99);
  EXPECT_EQ(s.boss_name, "G");
  EXPECT_EQ(s.boss_hp, 5000);
  EXPECT_EQ(s.boss_talk[0], "") << "a short boss file leaves its lines empty";
}

TEST(BossReader, AMissingBossFileIsAnError) {
  TempDir d;
  GameState s;
  s.boss_name = "before";
  EXPECT_NE(error_of([&] { load_boss(s, d.dir() + "dat/", 3); }), "");
  EXPECT_EQ(s.boss_name, "before");
}

TEST(SaveReader, AShortSaveLeavesTheRestZeroOrEmpty) {
  TempDir d;
  write_bytes(d.path / "z.wav", sj("アレク 二世") + "\r\n77\r\n5\r\n");
  GameState s;
  s.cent = 500;
  s.buki_name = "stale";
  load_save(s, d.dir() + "z.wav");
  EXPECT_EQ(s.my_name, "アレク 二世");
  EXPECT_EQ(s.score, 77);
  EXPECT_EQ(s.my_lv, 5);
  EXPECT_EQ(s.floor, 0);
  EXPECT_EQ(s.cent, 0);
  EXPECT_EQ(s.buki_name, "");
}

TEST(SaveReader, ASaveThatIsNotLinesOfTheGamesOwnIsDamaged) {
  TempDir d;
  // Empty, cut to nothing by an end-of-file byte, converted to LF or to CR.
  for (const char* bytes : {"", "\x1a" "name\r\n1\r\n", "name\n1\n2\n", "name\r1\r2\r"}) {
    write_bytes(d.path / "z.wav", bytes);
    GameState s;
    s.my_lv = 9;
    const std::string err = error_of([&] { load_save(s, d.dir() + "z.wav"); });
    EXPECT_NE(err.find("z.wav"), std::string::npos) << "[" << bytes << "] " << err;
    EXPECT_EQ(s.my_lv, 9);
  }
  // One CR LF is enough: a short save still reads.
  write_bytes(d.path / "z.wav", "name\r\n7");
  GameState s;
  EXPECT_EQ(error_of([&] { load_save(s, d.dir() + "z.wav"); }), "");
  EXPECT_EQ(s.score, 7);
}

TEST(SaveReader, AMalformedSaveStopsAtTheBadLine) {
  TempDir d;
  write_bytes(d.path / "z.wav", "name\r\n1\r\n2\r\nbad\r\n4\r\n");
  GameState s;
  s.my_hp = 33;
  const std::string err = error_of([&] { load_save(s, d.dir() + "z.wav"); });
  EXPECT_NE(err.find("z.wav"), std::string::npos) << err;
  EXPECT_EQ(s.my_name, "name");
  EXPECT_EQ(s.my_lv, 2);
  EXPECT_EQ(s.my_hp, 33) << "values after the bad line are not read";
}

// NEW GAME and COUNTINUE read the master files again each time; files that
// have not changed are not parsed again, and what a read returns is always
// what the files hold now.
TEST(TableLoad, AReadAgainGivesTheSameTables) {
  // Written at build time, so old enough to be kept.
  const std::string dat = std::string(ZANDO_FIXTURES) + "/mini/dat/";
  Tables parsed;
  load_tables(parsed, dat);
  const std::shared_ptr<const Tables> first = read_tables(dat);
  const std::shared_ptr<const Tables> second = read_tables(dat);
  for (const auto& t : {first, second}) {
    ASSERT_TRUE(t);
    EXPECT_EQ(t->item_table[1].it_name, "やくそう");
    EXPECT_EQ(t->item_table[1].it_pow, parsed.item_table[1].it_pow);
    EXPECT_EQ(t->magic_table[0].mg_name, "ファイア");
    EXPECT_EQ(t->map_names[1], "草の回廊");
    EXPECT_EQ(t->enemy(0).en_name, "スライム");
    EXPECT_EQ(t->monster_table[0].mo_name, parsed.monster_table[0].mo_name);
    EXPECT_EQ(t->enemy(-1).en_name, "") << "no master file writes the boss files' slot";
  }
}

TEST(TableLoad, AFileChangedSinceTheLastReadIsReadAgain) {
  TempDir d;
  copy_mini(d);
  const std::string dat = d.dir() + "dat/";
  // Old enough for its times to vouch for it.
  usleep(2'100'000);
  ASSERT_EQ(read_tables(dat)->item_table[1].it_name, "やくそう");

  // Rewritten in place, same size: the new name.
  std::string items = test::read_bytes(d.path / "dat" / "item.dat");
  const std::string old_name = sj("やくそう"), new_name = sj("どくそう");
  const size_t at = items.find(old_name);
  ASSERT_NE(at, std::string::npos);
  items.replace(at, new_name.size(), new_name);
  write_bytes(d.path / "dat" / "item.dat", items);
  EXPECT_EQ(read_tables(dat)->item_table[1].it_name, "どくそう");

  // Broken: the error comes again on every read, and a mended file reads.
  write_bytes(d.path / "dat" / "magic.dat", sj("ファイア") + "\r\n\r\nXX\r\n");
  for (int i = 0; i < 2; ++i) EXPECT_THROW(read_tables(dat), DataError);
  fs::copy_file(fs::path(ZANDO_FIXTURES) / "mini" / "dat" / "magic.dat", d.path / "dat" / "magic.dat",
                fs::copy_options::overwrite_existing);
  const std::shared_ptr<const Tables> mended = read_tables(dat);
  EXPECT_EQ(mended->magic_table[0].mg_name, "ファイア");
  EXPECT_EQ(mended->item_table[1].it_name, "どくそう");

  // Gone: the read fails.
  fs::remove(d.path / "dat" / "job.dat");
  EXPECT_THROW(read_tables(dat), DataError);
}
