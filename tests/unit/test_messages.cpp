#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "data/cp932.h"
#include "platform/headless/headless.h"
#include "recording_platform.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/messages.h"
#include "shell/music_loop.h"
#include "state/random.h"

namespace z2 {
namespace {

using Steps = std::vector<std::string>;

// A game over an empty program folder, with every repaint's message line kept.
struct MsgGame {
  MsgGame() : g(plat, rng, std::filesystem::temp_directory_path().string() + "/zando2_msg_none/") {
    bind_handlers(g);
    plat.on_repaint = [this] {
      shown.push_back(g.ui.moji_l.text);
      mirrored.push_back(g.ui.moji_l2.text);
      big.push_back(g.ui.moji_l3.text);
    };
  }
  void forget() {
    shown.clear();
    mirrored.clear();
    big.clear();
    plat.pauses.clear();
    plat.elapsed_ms = 0;
  }
  test::RecordingPlatform plat;
  ScriptedRandom rng;
  Game g;
  Steps shown, mirrored, big;
};

TEST(Typing, ThreeWideCharactersTypeOneAStepThenRepeat) {
  MsgGame m;
  msg_put(m.g, "あいう");
  // Six bytes: six steps, whole after three; then the closing repaint.
  EXPECT_EQ(m.shown, (Steps{"あ", "あい", "あいう", "あいう", "あいう", "あいう", "あいう"}));
  EXPECT_EQ(m.mirrored, m.shown);
  EXPECT_EQ(m.plat.pauses, (std::vector<int>{10, 10, 10, 10, 10, 10, 400}));
  EXPECT_EQ(m.g.ui.moji_l.text, "あいう");
  EXPECT_EQ(m.g.ui.moji_l2.text, "あいう");
}

TEST(Typing, TwoHalfWidthLettersShowWholeTwice) {
  MsgGame m;
  msg_put(m.g, "HP");
  EXPECT_EQ(m.shown, (Steps{"HP", "HP", "HP"}));
  EXPECT_EQ(m.plat.pauses, (std::vector<int>{10, 10, 400}));
}

TEST(Typing, MixedWidthsCutBeforeAHalfCharacter) {
  MsgGame m;
  // A, ｶ and 1 are one byte each, あ and い two: 7 bytes.
  msg_put(m.g, "Aあいｶ1");
  // 2 bytes end inside あ, 4 inside い: the half character is left out.
  EXPECT_EQ(m.shown, (Steps{"A", "Aあ", "Aあいｶ", "Aあいｶ1", "Aあいｶ1", "Aあいｶ1", "Aあいｶ1", "Aあいｶ1"}));
  EXPECT_EQ(m.plat.pauses.size(), 8u);
  EXPECT_EQ(m.g.ui.moji_l2.text, "Aあいｶ1");
}

TEST(Typing, EveryStepShowsTheWholeCharactersOfItsBytes) {
  // Step i shows the first 2i CP932 bytes as cp932_bytes_prefix cuts them,
  // whatever the text holds: wide and half-width characters, signs, bytes
  // that are no character (kept raw from a data file), a cut lead byte, and
  // characters CP932 cannot hold at all.
  const std::string raw = cp932_to_utf8(std::string("\x81\x41\xFF\x80\x82\xA0", 6));
  const std::string cut_lead = cp932_to_utf8(std::string("AB\x82", 3));
  const std::string texts[] = {"モンスターが出現!!", "ｱｲｳｴｵ12３４",     "HP", "A", "", "\r改行\rの後",
                               raw,                 cut_lead + "あ", "Ω☺x", "①ⅱ㈱", "あ" + raw + "い"};
  for (const std::string& text : texts) {
    MsgGame m;
    msg_put(m.g, text);
    const std::string sj = utf8_to_cp932(text);
    Steps want;
    for (size_t i = 1; i <= sj.size(); ++i) want.push_back(2 * i >= sj.size() ? text : cp932_bytes_prefix(sj, 2 * i));
    want.push_back(text);  // the closing repaint
    EXPECT_EQ(m.shown, want) << text;
    EXPECT_EQ(m.mirrored, want) << text;
  }
}

TEST(Typing, AddTypesUnderTheOldLinesAndTheyAccumulate) {
  MsgGame m;
  msg_put(m.g, "一行目");
  msg_add(m.g, "二");
  msg_add(m.g, "三");
  EXPECT_EQ(m.g.ui.moji_l.text, "一行目\r二\r三");
  EXPECT_EQ(m.g.ui.moji_l2.text, "一行目\r二\r三");
  // The last add typed behind the two older lines.
  EXPECT_EQ(m.shown[m.shown.size() - 3], "一行目\r二\r三");
  m.forget();
  msg_add(m.g, "四五");
  EXPECT_EQ(m.shown, (Steps{"一行目\r二\r三\r四", "一行目\r二\r三\r四五", "一行目\r二\r三\r四五",
                            "一行目\r二\r三\r四五", "一行目\r二\r三\r四五"}));
  // The next put starts afresh.
  msg_put(m.g, "新");
  EXPECT_EQ(m.g.ui.moji_l.text, "新");
}

TEST(Typing, ClosingPauseFollowsTheSlider) {
  MsgGame m;
  msg_put(m.g, "x");
  EXPECT_EQ(m.plat.pauses.back(), 400);  // before the slider ever moves
  set_speed_slider(m.g, 0);
  msg_put(m.g, "x");
  EXPECT_EQ(m.plat.pauses.back(), 100);
  EXPECT_EQ(m.g.s.text_speed, 0);
  set_speed_slider(m.g, 10);
  msg_add(m.g, "y");
  EXPECT_EQ(m.plat.pauses.back(), 1100);
  EXPECT_EQ(m.g.s.text_speed, 10);
  // The slider's range is 0..10.
  set_speed_slider(m.g, 14);
  EXPECT_EQ(m.g.s.msg_wait, 1100);
  set_speed_slider(m.g, -3);
  EXPECT_EQ(m.g.s.msg_wait, 100);
}

TEST(Typing, BigMessageTypesSlowerWithoutClosingPause) {
  MsgGame m;
  m.g.ui.moji_l.text = "下";
  m.g.ui.moji_l3.visible = false;
  msg_big(m.g, "ボス\r『よ』");
  EXPECT_TRUE(m.g.ui.moji_l3.visible);
  EXPECT_EQ(m.g.ui.moji_l3.text, "ボス\r『よ』");
  // 11 bytes (the CR is one): 11 steps of 20 ms and a last repaint, no pause after it.
  EXPECT_EQ(m.plat.pauses, std::vector<int>(11, 20));
  ASSERT_EQ(m.big.size(), 12u);
  EXPECT_EQ(m.big[0], "ボ");
  EXPECT_EQ(m.big[2], "ボス\r");
  EXPECT_EQ(m.big[3], "ボス\r『");
  EXPECT_EQ(m.big.back(), "ボス\r『よ』");
  // The message line is not touched.
  EXPECT_EQ(m.g.ui.moji_l.text, "下");
  msg_big(m.g, "次");
  EXPECT_EQ(m.g.ui.moji_l3.text, "次");
}

TEST(Typing, HeadlessVirtualTimeOfOneMessage) {
  std::ostringstream out;
  HeadlessPlatform plat(out);
  ScriptedRandom rng;
  Game g(plat, rng, "/nonexistent/");
  bind_handlers(g);
  set_speed_slider(g, 3);
  msg_put(g, "あいう");
  EXPECT_EQ(plat.elapsed_ms, 60 + 400);
  EXPECT_EQ(out.str(), "put: あいう\n");
  plat.elapsed_ms = 0;
  msg_big(g, "あいう");
  EXPECT_EQ(plat.elapsed_ms, 120);
}

TEST(Typing, DirectSetLeavesTheMapLineAlone) {
  MsgGame m;
  msg_put(m.g, "前");
  set_moji_l(m.g, "の攻撃");
  EXPECT_EQ(m.g.ui.moji_l.text, "の攻撃");
  EXPECT_EQ(m.g.ui.moji_l2.text, "前");
  set_moji_l2(m.g, "地図");
  EXPECT_EQ(m.g.ui.moji_l.text, "の攻撃");
  EXPECT_EQ(m.g.ui.moji_l2.text, "地図");
  EXPECT_EQ(m.plat.pauses.size(), 3u);  // the put's own: two steps and the closing pause
}

TEST(Sound, EffectsAndMusicComeFromTheDataFolder) {
  MsgGame m;
  play_se(m.g, "key.wav");
  play_bgm(m.g, "open.mid");
  play_bgm(m.g, "");
  play_bgm(m.g, "not");
  EXPECT_EQ(m.plat.sounds, (Steps{m.g.dat_dir() + "key.wav"}));
  EXPECT_EQ(m.plat.music, (Steps{m.g.dat_dir() + "open.mid", "<stop>"}));
  // An empty name is no event at all.
  ASSERT_EQ(m.plat.traces.size(), 3u);
  EXPECT_EQ(m.plat.traces[1], (std::pair<std::string, std::string>{"bgm", "open.mid"}));
  EXPECT_EQ(m.plat.traces[2], (std::pair<std::string, std::string>{"bgm", "not"}));
}

TEST(Sound, StopButtonStopsTheMusic) {
  MsgGame m;
  ASSERT_TRUE(click(m.g, "BitBtn1"));
  EXPECT_EQ(m.plat.music, (Steps{"<stop>"}));
}

TEST(MusicLoopRules, NaturalEndStartsThePieceAgain) {
  MusicLoop l;
  const uint64_t t = l.play("/dat/open.mid");
  EXPECT_NE(t, 0u);
  EXPECT_TRUE(l.ended(t, true));
  EXPECT_TRUE(l.ended(t, true));  // and again at the end of every pass
  EXPECT_TRUE(l.playing());
  EXPECT_EQ(l.piece(), "/dat/open.mid");
}

TEST(MusicLoopRules, StopIsFinalEvenWhenNothingPlays) {
  MusicLoop l;
  l.stop();  // "not" while silent
  EXPECT_FALSE(l.playing());
  EXPECT_FALSE(l.ended(0, true));
  const uint64_t t = l.play("a.mid");
  l.stop();
  // The halt reports an end; the stopped piece stays stopped.
  EXPECT_FALSE(l.ended(t, true));
  EXPECT_FALSE(l.playing());
  EXPECT_EQ(l.token(), 0u);
}

TEST(MusicLoopRules, EmptyNameKeepsThePiece) {
  MusicLoop l;
  const uint64_t t = l.play("a.mid");
  EXPECT_EQ(l.play(""), 0u);
  EXPECT_EQ(l.piece(), "a.mid");
  EXPECT_TRUE(l.ended(t, true));
}

TEST(MusicLoopRules, ReplacedPieceDoesNotComeBack) {
  MusicLoop l;
  const uint64_t a = l.play("a.mid");
  const uint64_t b = l.play("b.mid");
  EXPECT_NE(a, b);
  EXPECT_FALSE(l.ended(a, true));  // the end of a, reported by the halt
  EXPECT_TRUE(l.playing());
  EXPECT_EQ(l.piece(), "b.mid");
  EXPECT_TRUE(l.ended(b, true));
  // The same file started again is a new piece too.
  const uint64_t b2 = l.play("b.mid");
  EXPECT_FALSE(l.ended(b, true));
  EXPECT_TRUE(l.ended(b2, true));
}

TEST(MusicLoopRules, HiddenWindowLetsThePieceEnd) {
  MusicLoop l;
  const uint64_t t = l.play("a.mid");
  EXPECT_FALSE(l.ended(t, false));
  EXPECT_FALSE(l.playing());
  EXPECT_FALSE(l.ended(t, true));  // shown again later: still stopped
}

}  // namespace
}  // namespace z2
