// The opponent's actions by family: what each says, in order, and what it
// changes. The stage: the player at 600 of 1000 HP and 50 of 90 MP, no armour,
// no bonuses; the opponent "テスト" at level 9 with 60 of 120 HP. An ordinary
// hit of power p then does 1000/20 + 3p + 9 - 1 = 58 + 3p.
#include <gtest/gtest.h>

#include <functional>

#include "battle/enemy_actions.h"
#include "battle/turns.h"
#include "enemy_rig.h"
#include "state/ids.h"

using namespace z2;
using test::EnemyRig;

namespace {

// The three draws of a hit that lands and leaves the armour alone.
constexpr std::initializer_list<int32_t> kHit = {0, 1, 1};

struct ActionCase {
  const char* what;
  int code;
  std::function<void(EnemyRig&)> setup;  // state and draws
  std::vector<std::string> lines;
  std::function<void(const GameState&)> check;
};

void run(const std::vector<ActionCase>& cases) {
  for (const ActionCase& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " (" + std::to_string(c.code) + ")");
    EnemyRig r;
    if (c.setup) c.setup(r);
    enemy_action(r.g, c.code);
    EXPECT_EQ(r.messages(), c.lines) << r.out.str();
    if (c.check) c.check(r.g.s);
    // Every queued draw was used: the action took the road the draws were made for.
    EXPECT_GE(r.rng.draws.size(), r.queued);
  }
}

// Draws: n hits that land.
void hits(EnemyRig& r, int n) {
  for (int k = 0; k < n; ++k) r.draw(kHit);
}

}  // namespace

TEST(EnemyActions, PlainHitsAndMultiHits) {
  run({
      {"kick", 4, [](EnemyRig& r) { hits(r, 1); }, {"put: ＞キック", "add: 76ダメージくらった!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 524); }},
      {"one in two, missed", 36, [](EnemyRig& r) { r.draw({1}); }, {"put: ＞果しなき河よ、我を誘え", "add: Miss!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 600); }},
      {"one in two, landed", 36, [](EnemyRig& r) { r.draw({0}); hits(r, 1); },
       {"put: ＞果しなき河よ、我を誘え", "add: 568ダメージくらった!"}, nullptr},
      {"laser", 46, [](EnemyRig& r) { hits(r, 1); }, {"put: ＞レーザー", "add: 148ダメージくらった!"}, nullptr},
      {"bush combo", 79, [](EnemyRig& r) { hits(r, 3); },
       {"put: ＞ブッシュCOMBO!!", "add: 61ダメージくらった!", "add: 73ダメージくらった!", "add: 103ダメージくらった!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 600 - 237); }},
      // All three hits land on a player who is down after the first.
      {"three hits at the end", 55,
       [](EnemyRig& r) {
         r.g.s.my_hp = 50;
         hits(r, 3);
       },
       {"put: ＞ビンタ", "add: 103ダメージくらった!", "add: 103ダメージくらった!", "add: 103ダメージくらった!"},
       [](const GameState& s) {
         EXPECT_EQ(s.my_hp, 0);
         EXPECT_TRUE(s.in_battle);
       }},
      {"two arrows", 58, [](EnemyRig& r) { hits(r, 2); },
       {"put: ＞矢", "add: 61ダメージくらった!", "add: 61ダメージくらった!"}, nullptr},
      {"dynamite, full gauge", 70, [](EnemyRig& r) { r.g.s.floor_clear[fc::kZando] = 99; hits(r, 1); },
       {"put: ＞ダイナマイトＸ", "add: <ZANDO>が少ない程大ダメージ", "add: 58ダメージくらった!"}, nullptr},
      {"dynamite, empty gauge", 70, [](EnemyRig& r) { r.g.s.floor_clear[fc::kZando] = 0; hits(r, 1); },
       {"put: ＞ダイナマイトＸ", "add: <ZANDO>が少ない程大ダメージ", "add: 355ダメージくらった!"}, nullptr},
  });
}

TEST(EnemyActions, CriticalBlows) {
  run({
      {"flick", 0, [](EnemyRig& r) { r.draw({1}); hits(r, 1); }, {"put: ＞でこぴん", "add: 61ダメージくらった!"},
       nullptr},
      {"critical flick", 0, [](EnemyRig& r) { r.draw({0}); }, {"put: ＞でこぴんｸﾘﾃｨｶﾙ", "add: 253ダメージくらった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 347); }},
      {"punch", 1, [](EnemyRig& r) { r.draw({19}); hits(r, 1); }, {"put: ＞パンチ", "add: 64ダメージくらった!"},
       nullptr},
      {"critical punch", 1, [](EnemyRig& r) { r.draw({0}); }, {"put: ＞パンチｸﾘﾃｨｶﾙ", "add: 336ダメージくらった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 264); }},
      {"always critical", 3, nullptr, {"put: ＞でこぴんｸﾘﾃｨｶﾙ", "add: 253ダメージくらった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 347); }},
  });
}

TEST(EnemyActions, FightBonusesLoweredAndRaised) {
  run({
      {"cool down", 5, [](EnemyRig& r) { r.draw({3}); }, {"put: ＞クールダウン", "add: 腕力を12下げられた!"},
       [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kBufAtk], -12); }},
      {"body crush", 9, [](EnemyRig& r) { r.draw({14}); }, {"put: ＞ボディクラッシュ", "add: 守備力を28下げられた!"},
       [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kBufDef], -28); }},
      {"no brain", 13, [](EnemyRig& r) { r.draw({0}); }, {"put: ＞Ｎｏブレイン", "add: 獣操力を19下げられた!"},
       [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kBufBeast], -19); }},
      {"hell brain", 16, [](EnemyRig& r) { r.draw({69}); }, {"put: ＞HELLブレイン", "add: 獣操力を98下げられた!"},
       [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kBufBeast], -98); }},
      {"body up", 18, [](EnemyRig& r) { r.draw({2}); }, {"put: ＞ボディアップ", "add: テストの守備力を11上がった!"},
       [](const GameState& s) { EXPECT_EQ(s.e_buf_def, 11); }},
      {"cool plus", 19, [](EnemyRig& r) { r.draw({1}); }, {"put: ＞クールプラス", "add: テストの腕力が15上がった!"},
       [](const GameState& s) { EXPECT_EQ(s.e_buf_atk, 15); }},
      {"cool maximum", 21, nullptr, {"put: ＞クールMAXIMUM", "add: テストの腕力が110上がった!"},
       [](const GameState& s) { EXPECT_EQ(s.e_buf_atk, 110); }},
      {"bushido", 24, [](EnemyRig& r) { r.draw({1}); }, {"put: ＞武士の心得", "add: テストの守備力を38上がった!"},
       [](const GameState& s) { EXPECT_EQ(s.e_buf_def, 38); }},
  });
  // The ranges drawn: 5, 15, 35, 70.
  EnemyRig r;
  for (int code : {5, 8, 11, 14, 17, 19, 21, 23}) enemy_action(r.g, code);
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{5, 15, 35, 70, 5, 15, 35, 70}));
}

TEST(EnemyActions, HealsOfTheOpponent) {
  run({
      {"drug", 2, nullptr, {"put: ＞ドラッグ", "add: 25回復した"},
       [](const GameState& s) { EXPECT_EQ(s.e_hp, 85); }},
      {"beads", 25, nullptr, {"put: ＞数珠", "add: HPを31回復した!"}, [](const GameState& s) { EXPECT_EQ(s.e_hp, 91); }},
      {"big beads", 26, nullptr, {"put: ＞大数珠", "add: HPを41回復した!"}, nullptr},
      {"goddess", 28, nullptr, {"put: ＞女神の雫", "add: HPを61回復した!"}, nullptr},
      // Beyond the maximum until the refresh after the action.
      {"all but one", 29, nullptr, {"put: ＞水ﾄ風ﾄ太陽ﾄ月", "add: HPを119回復した!"},
       [](const GameState& s) { EXPECT_EQ(s.e_hp, 179); }},
      {"angel breath", 47, nullptr, {"put: ＞エンジェルブレス", "add: テストは回復した!!", "add: アレクは回復した!!"},
       [](const GameState& s) {
         EXPECT_EQ(s.e_hp, 120);
         EXPECT_EQ(s.my_hp, 1100);
       }},
      {"power up", 60, nullptr, {"put: ＞パワーアップ!!!!", "add: テストの最大HPが上昇!!"},
       [](const GameState& s) { EXPECT_EQ(s.e_hp_max, 180); }},
      {"full power", 61, [](EnemyRig& r) { r.draw({4}); },
       {"put: ＞フルパワー!!!!", "add: テストのLVが5上がった!!", "add: テストのHPが完全回復した!!"},
       [](const GameState& s) {
         EXPECT_EQ(s.e_lv, 14);
         EXPECT_EQ(s.e_hp, 120);
       }},
      {"usual", 39, [](EnemyRig& r) { r.g.s.e_state = ail::kStone; },
       {"put: ＞ユージュアル", "add: テストのステータスが通常に戻った"}, [](const GameState& s) { EXPECT_EQ(s.e_state, 0); }},
  });
}

TEST(EnemyActions, AilmentsWithTheirChancesAndImmunities) {
  auto as = [](int cls_now) { return [cls_now](EnemyRig& r) { r.g.s.class_now = cls_now; }; };
  run({
      {"poison", 27, [](EnemyRig& r) { r.burst(); }, {"put: ＞ポイズン・バタフライ", "add: アレクは毒化した!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kPoison); }},
      {"poison, immune", 27, as(cls::kImmune), {"put: ＞ポイズン・バタフライ", "add: Miss!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, 0); }},
      {"stone", 30, [](EnemyRig& r) { r.draw({0}); }, {"put: ＞ｶﾞﾆｭﾒｰﾄの鎖", "add: アレクは石化してしまった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kStone); }},
      {"stone missed", 30, [](EnemyRig& r) { r.draw({3}); }, {"put: ＞ｶﾞﾆｭﾒｰﾄの鎖", "add: Miss!!"}, nullptr},
      // The immune class misses even on a lucky roll.
      {"stone, immune", 30, [](EnemyRig& r) { r.g.s.class_now = cls::kImmune; r.draw({0}); },
       {"put: ＞ｶﾞﾆｭﾒｰﾄの鎖", "add: Miss!!"}, [](const GameState& s) { EXPECT_EQ(s.my_state, 0); }},
      {"illusion", 31, nullptr, {"put: ＞幻影", "add: アレクは混乱してしまった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kConfused); }},
      // Rampage and the curse spare nobody.
      {"rampage", 32, [](EnemyRig& r) { r.g.s.class_now = cls::kImmune; },
       {"put: ＞狂喜への誘い", "add: アレクは暴走してしまった!!"}, [](const GameState& s) { EXPECT_EQ(s.my_state, 5); }},
      {"venom", 33, nullptr, {"put: ＞流れよ、赤き血の河", "add: アレクは猛毒におかされた!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kVenom); }},
      {"curse", 34, [](EnemyRig& r) { r.g.s.class_now = cls::kImmune; },
       {"put: ＞波打たず、静か呪える河", "add: アレクは呪いにかかった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kCurse); }},
      {"plague", 35, [](EnemyRig& r) { r.draw({0}).burst(); }, {"put: ＞伝染病", "add: アレクは感染した!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kInfected); }},
      {"mermaid, sleepless", 38, as(cls::kSleepless), {"put: ＞人魚の歌", "add: Miss!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, 0); }},
      // The immune class of the poisons sleeps like anybody.
      {"mermaid", 38, as(cls::kImmune), {"put: ＞人魚の歌", "add: アレクは眠ってしまった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kSleep); }},
      {"song of the river", 37, [](EnemyRig& r) { r.g.s.e_state = ail::kPoison; },
       {"put: ＞うたえ、生命の河の詩", "add: アレクは眠ってしまった!!", "add: 更にテストのHPが60回復した!"},
       [](const GameState& s) {
         EXPECT_EQ(s.my_state, ail::kSleep);
         EXPECT_EQ(s.e_state, 0);
         EXPECT_EQ(s.e_hp, 120);
       }},
      {"song of the river missed", 37, [](EnemyRig& r) { r.g.s.e_state = ail::kPoison; r.draw({1}); },
       {"put: ＞うたえ、生命の河の詩", "add: Miss!!"},
       [](const GameState& s) {
         EXPECT_EQ(s.e_state, ail::kPoison);
         EXPECT_EQ(s.e_hp, 60);
       }},
      {"neo M", 41, [](EnemyRig& r) { r.g.s.class_now = cls::kImmune; }, {"put: ＞ネオＭ法", "add: Ｍ呪状態になってしまった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kMCurse); }},
      {"tentacle", 81, [](EnemyRig& r) { r.draw({0}).burst(); },
       {"put: ＞触手", "add: アレクは毒吸状態になってしてしまった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kLeech); }},
      {"tentacle, immune", 81, [](EnemyRig& r) { r.g.s.class_now = cls::kImmune; r.draw({0}); },
       {"put: ＞触手", "add: Miss!!"}, nullptr},
      // A hit, then a confusion one time in three that fails without a word.
      {"pink bomb", 75, [](EnemyRig& r) { hits(r, 1); r.draw({0}); },
       {"put: ＞PINKボム", "add: 67ダメージくらった!", "add: アレクは混乱してしまった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kConfused); }},
      {"pink bomb, immune", 75, [](EnemyRig& r) { r.g.s.class_now = cls::kImmune; hits(r, 1); r.draw({0}); },
       {"put: ＞PINKボム", "add: 67ダメージくらった!"}, [](const GameState& s) { EXPECT_EQ(s.my_state, 0); }},
      {"virus shot", 76, [](EnemyRig& r) { hits(r, 1); r.draw({0}).burst(); },
       {"put: ＞ウイルス弾", "add: 73ダメージくらった!", "add: アレクは感染した!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_state, ail::kInfected); }},
      {"virus shot fails", 76, [](EnemyRig& r) { hits(r, 1); r.draw({2}); },
       {"put: ＞ウイルス弾", "add: 73ダメージくらった!"}, [](const GameState& s) { EXPECT_EQ(s.my_state, 0); }},
  });
}

TEST(EnemyActions, SealsHoldWhenRepeated) {
  EnemyRig r;
  for (int code : {89, 90, 91, 92, 89, 92}) enemy_action(r.g, code);
  EXPECT_EQ(r.messages(), (std::vector<std::string>{
                              "put: ＞攻撃封印", "add: 攻撃不可能になってしまった!!",
                              "put: ＞魔法封印", "add: 魔法不可能になってしまった!!",
                              "put: ＞モンスター封印", "add: モンスター不可能になってしまった!!",
                              "put: ＞アイテム封印", "add: アイテム不可能になってしまった!!",
                              "put: ＞攻撃封印", "add: 攻撃不可能になってしまった!!",
                              "put: ＞アイテム封印", "add: アイテム不可能になってしまった!!",
                          }));
  EXPECT_FALSE(r.g.s.can_punch);
  EXPECT_FALSE(r.g.s.can_magic);
  EXPECT_FALSE(r.g.s.can_beast);
  EXPECT_FALSE(r.g.s.can_item);
}

TEST(EnemyActions, Taking) {
  run({
      {"blood", 63, nullptr, {"put: ＞吸血", "add: 251のダメージを吸い取られた!!"},
       [](const GameState& s) {
         EXPECT_EQ(s.my_hp, 349);
         EXPECT_EQ(s.e_hp, 311);
       }},
      {"mind", 64, nullptr, {"put: ＞吸心", "add: 31のMPを吸い取られた!!"},
       [](const GameState& s) {
         EXPECT_EQ(s.my_mp, 19);
         EXPECT_EQ(s.e_hp, 91);
       }},
      {"cents", 72, [](EnemyRig& r) { r.g.s.cent = 1000; r.draw({5}); }, {"put: ＞ＣＡＴストール", "add: 106ｾﾝﾄ盗まれた!!"},
       [](const GameState& s) { EXPECT_EQ(s.cent, 894); }},
      {"no cents", 72, [](EnemyRig& r) { r.g.s.cent = 0; }, {"put: ＞ＣＡＴストール", "add: 1ｾﾝﾄ盗まれた!!"},
       [](const GameState& s) { EXPECT_EQ(s.cent, -1); }},
      {"a few cents", 72, [](EnemyRig& r) { r.g.s.cent = 9; }, {"put: ＞ＣＡＴストール", "add: 1ｾﾝﾄ盗まれた!!"},
       [](const GameState& s) { EXPECT_EQ(s.cent, 8); }},
      {"ark", 73, [](EnemyRig& r) { r.g.s.ark = 50; r.draw({9}); }, {"put: ＞ﾐｽﾃｨｯｸｱｰｸ", "add: ＡＲＫが15奪われた!!"},
       [](const GameState& s) { EXPECT_EQ(s.ark, 35); }},
      {"no ark", 73, [](EnemyRig& r) { r.g.s.ark = 0; }, {"put: ＞ﾐｽﾃｨｯｸｱｰｸ", "add: ＡＲＫが1奪われた!!"}, nullptr},
      {"experience", 74, [](EnemyRig& r) { r.g.s.my_exp = 90; r.draw({29}); },
       {"put: ＞不幸の音", "add: 経験値が34奪われた!!"}, [](const GameState& s) { EXPECT_EQ(s.my_exp, 56); }},
      {"little experience", 74, [](EnemyRig& r) { r.g.s.my_exp = 3; }, {"put: ＞不幸の音", "add: 経験値が5奪われた!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_exp, -2); }},
      {"below nothing", 74, [](EnemyRig& r) { r.g.s.my_exp = -2; },
       {"put: ＞不幸の音", "add: 経験値が5奪われた!!"}, [](const GameState& s) { EXPECT_EQ(s.my_exp, -7); }},
  });
}

TEST(EnemyActions, TheftOfAnItem) {
  EnemyRig r;
  r.g.s.item_have.fill(0);
  r.g.s.item_have[2] = 2;
  r.g.s.item_have[9] = -1;  // a damaged count is nothing to take
  r.draw({7, 9, 2});
  enemy_action(r.g, 65);
  EXPECT_EQ(r.messages(), (std::vector<std::string>{"put: ＞盗む", "add: 砂の薬を盗まれた!!"}));
  EXPECT_EQ(r.g.s.item_have[2], 1);
  EXPECT_EQ(r.g.s.item_have[9], -1);
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{499, 499, 499}));

  // Nothing owned: 499 draws, then a miss.
  EnemyRig none;
  none.g.s.item_have.fill(0);
  enemy_action(none.g, 65);
  EXPECT_EQ(none.messages(), (std::vector<std::string>{"put: ＞盗む", "add: Miss!!"}));
  EXPECT_EQ(none.rng.draws, std::vector<int32_t>(499, 499));
  // The last id a draw can reach is 498.
  EnemyRig last;
  last.g.s.item_have.fill(0);
  last.g.s.item_have[498] = 1;
  last.draw({600});
  enemy_action(last.g, 65);
  EXPECT_EQ(last.g.s.item_have[498], 0);
}

TEST(EnemyActions, HitPointTricks) {
  auto hp = [](int now, int max) {
    return [now, max](EnemyRig& r) {
      r.g.s.my_hp = now;
      r.g.s.my_hp_max = max;
    };
  };
  run({
      {"M method", 40, hp(601, 1000), {"put: ＞Ｍ法", "add: HPが半分になってしまった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 300); }},
      {"dragon", 42, nullptr, {"put: ＞竜言語魔法", "add: テストのダメージ分60のダメージを食らった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 540); }},
      {"dragon at full", 42, [](EnemyRig& r) { r.g.s.e_hp = 120; },
       {"put: ＞竜言語魔法", "add: テストのダメージ分0のダメージを食らった!!"}, nullptr},
      {"liu", 43, nullptr, {"put: ＞劉言語魔法", "add: テストのHP分60のダメージを食らった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 540); }},
      {"scythe", 45, [](EnemyRig& r) { r.draw({0}); },
       {"put: ＞死神の鎌", "add: アレクの魂が切り刻まれた!!", "add: HPが1になってしまった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 1); }},
      {"scythe missed", 45, [](EnemyRig& r) { r.draw({1}); }, {"put: ＞死神の鎌", "add: Miss!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 600); }},
      {"prank", 62, [](EnemyRig& r) { r.g.s.e_hp = 1500; r.g.s.e_hp_max = 2000; },
       {"put: ＞いたずら", "add: テストとアレクのHPが入れ替わってしまった!!"},
       [](const GameState& s) {
         EXPECT_EQ(s.my_hp, 1500);  // above the maximum until the refresh
         EXPECT_EQ(s.e_hp, 600);
       }},
      {"double pain at full", 71, hp(1000, 1000),
       {"put: ＞ダブルペイン", "add: アレクのダメージ分×２のダメージ", "add: 0のダメージを食らった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 1000); }},
      {"double pain at one", 71, hp(1, 100),
       {"put: ＞ダブルペイン", "add: アレクのダメージ分×２のダメージ", "add: 198のダメージを食らった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, -197); }},
      {"card", 88, nullptr, {"put: ＞カード裏返し", "add: HPがアレクのダメージ値と入れ替わった。!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 400); }},
      {"card at full", 88, hp(1000, 1000), {"put: ＞カード裏返し", "add: HPがアレクのダメージ値と入れ替わった。!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 0); }},
      {"dimension sword", 93, nullptr, {"put: ＞次元刀", "add: 最大HP11が空間と共に消えた････"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp_max, 989); }},
      {"big crunch", 94, nullptr, {"put: ＞ビッグクランチ", "add: 599のダメージを食らった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 1); }},
      {"big crunch at one", 94, hp(1, 1000), {"put: ＞ビッグクランチ", "add: 0のダメージを食らった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 1); }},
      {"Mephisto", 95, nullptr, {"put: テスト「メフィストはどこだ････」", "add: ＞斬る", "add: 100のダメージを食らった!!"},
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 500); }},
  });
}

TEST(EnemyActions, WeaponAndClassChanges) {
  run({
      {"paranoia missed", 85, [](EnemyRig& r) { r.g.s.buki_ex = 7; r.draw({1}); }, {"put: ＞PARANOIA MAX", "add: Miss!!"},
       [](const GameState& s) { EXPECT_EQ(s.buki_ex, 7); }},
      {"paranoia", 85, [](EnemyRig& r) { r.g.t.ex_names[123] = "呪いの刃"; r.draw({0, 500}); },
       {"put: ＞PARANOIA MAX", "add: 武器の追加効果を★呪いの刃に強制変更された!!"},
       [](const GameState& s) { EXPECT_EQ(s.buki_ex, 123); }},
      {"drop out", 86, [](EnemyRig& r) { r.g.s.buki_ex = 85; }, {"put: ＞DROP OUT", "add: 武器の追加効果を消滅させらてしまった!!"},
       [](const GameState& s) { EXPECT_EQ(s.buki_ex, 0); }},
      {"drop out missed", 86, [](EnemyRig& r) { r.g.s.buki_ex = 85; r.draw({4}); }, {"put: ＞DROP OUT", "add: Miss!!"},
       [](const GameState& s) { EXPECT_EQ(s.buki_ex, 85); }},
      {"orion", 87, [](EnemyRig& r) { r.g.t.job_table[20].jb_name = "囚人"; },
       {"put: ＞ORION’78", "add: クラスを強制的に【囚人】に変更させられてしまった!!"},
       [](const GameState& s) { EXPECT_EQ(s.class_now, cls::kPrisoner); }},
  });
  // Only extra effects 0..123 ever come.
  EnemyRig r;
  r.draw({0, 123, 0, 124, 0, 0});
  for (int k = 0; k < 3; ++k) {
    enemy_action(r.g, 85);
    EXPECT_GE(r.g.s.buki_ex, 0);
    EXPECT_LE(r.g.s.buki_ex, 123);
  }
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{5, 124, 5, 124, 5, 124}));
}

TEST(EnemyActions, SelfDestructionStillHits) {
  EnemyRig r;
  hits(r, 1);
  enemy_action(r.g, 67);
  EXPECT_EQ(r.messages(), (std::vector<std::string>{"put: ＞自爆", "add: テストは吹っ飛んだ!!", "add: 58ダメージくらった!"}));
  EXPECT_EQ(r.g.s.e_hp, 0);
  EXPECT_EQ(r.g.s.my_hp, 542);
}

TEST(EnemyActions, NothingHappens) {
  run({
      {"cry", 59, nullptr, {"put: ＞泣く", "add: えーんえーん"}, nullptr},
      {"daze", 66, nullptr, {"put: ＞ぼー････", "add: テストはぼーっとしている...."}, nullptr},
      {"radio", 68, nullptr, {"put: ＞ラジオセットＯＮ!!", "add: カャチリ..", "add: テストはラジオをセットした"}, nullptr},
      {"spell", 84, nullptr, {"add: テストは何かの呪文を唱えている...."}, nullptr},
      {"outside", 96, nullptr, {}, nullptr},
      {"negative", -5, nullptr, {}, nullptr},
  });
}

TEST(EnemyActions, EveryActionHasItsLine) {
  EnemyRig r;
  for (int code = 0; code < kActionCount; ++code) {
    const std::string label = action_label(r.g, code);
    if (code == 84) EXPECT_TRUE(label.empty());
    else if (code == 95) EXPECT_EQ(label, "テスト「メフィストはどこだ････」");
    else EXPECT_EQ(label.rfind("＞", 0), 0u) << code;
  }
  EXPECT_TRUE(action_label(r.g, 96).empty());
  EXPECT_TRUE(action_label(r.g, -1).empty());
}
