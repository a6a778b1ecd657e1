#pragma once
// The numbers with a fixed meaning in the game's rules: classes, the counters
// kept in floor_clear, the weapon extra effects that other rules look at, and
// the items with a role of their own. Everything else is content.

namespace z2 {

// Floors run from 0 to kTopFloor.
inline constexpr int kTopFloor = 24;

// The player's level runs from 1 to kMaxLevel.
inline constexpr int kMaxLevel = 999;

// Classes (class_now). What a class does is fixed by its number; its name and
// description come from job.dat.
namespace cls {
inline constexpr int kNovice = 0;
inline constexpr int kSleepless = 1;       // immune to the sleep actions
inline constexpr int kHealingFist = 2;     // heals a little with every punch
inline constexpr int kDoublePunch = 3;     // every punch strikes twice
inline constexpr int kGambler = 4;         // 1 in 3 triple damage, else nothing
inline constexpr int kLastStand = 5;       // starts fights at a tenth of HP, double damage
inline constexpr int kImmune = 6;          // poison, stone, confusion, venom and leech miss
inline constexpr int kHexFist = 7;         // punches inflict ailments
inline constexpr int kVampire = 8;         // punches drain hit points
inline constexpr int kMagicEater = 9;      // punches drain magic points
inline constexpr int kThief = 10;          // punches steal
inline constexpr int kHalver = 11;         // punches halve hit points; no monsters
inline constexpr int kBully = 12;          // weaker opponents lose half their HP at sight
inline constexpr int kMonk = 13;           // more experience per victory
inline constexpr int kMerchant = 14;       // more cents; a death keeps the cents
inline constexpr int kUndying = 15;        // revives one time in two
inline constexpr int kRiseAgain = 16;      // every death raises the attack
inline constexpr int kPilgrim = 17;        // more ARK; a death keeps the ARK
inline constexpr int kBerserker = 18;      // double damage, costs HP per punch
inline constexpr int kAscetic = 19;        // half damage taken, maximum HP wears
inline constexpr int kPrisoner = 20;       // 1 HP and 1 MP in every fight; mastered, becomes 21
inline constexpr int kStar = 21;           // the mastered prisoner: ARK with every punch
inline constexpr int kWildStyle = 22;      // WILD strengthens the punch
}  // namespace cls

// Opponent attributes (e_zoku). Many skills and spells are void against one
// of them, or stronger.
namespace zoku {
inline constexpr int kNone = 0;   // 無
inline constexpr int kZndo = 1;   // Zndo
inline constexpr int kChina = 2;  // 中国
inline constexpr int kLa = 3;     // ＬＡ
inline constexpr int kJapan = 4;  // 日本
}  // namespace zoku

// The value an entry of floor_clear holds once won: a floor (entries 0..24)
// or ファウスト (fc::kGouketu). A value, never an index.
inline constexpr int kWonMark = 100;

// The entries (indexes) of floor_clear. 0..24 hold kWonMark for the floors
// won; the rest are the player's counters and the fight bonuses.
namespace fc {
inline constexpr int kGouketu = 99;      // kWonMark once ファウスト is beaten; 豪傑達の黄昏 opens while 0
inline constexpr int kUnused = 100;      // the one entry neither used nor saved
inline constexpr int kZando = 101;       // area gauge ｻﾞﾝﾄﾞ
inline constexpr int kChina = 102;       // area gauge 中国
inline constexpr int kLa = 103;          // area gauge ＬＡ
inline constexpr int kJapan = 104;       // area gauge 日本
inline constexpr int kDeaths = 105;
inline constexpr int kBattles = 106;
inline constexpr int kEscapes = 107;
inline constexpr int kBufAtk = 108;      // the fight's bonuses (not saved)
inline constexpr int kBufBeast = 109;
inline constexpr int kBufDef = 110;
}  // namespace fc

// Weapon extra effects (buki_ex) that rules outside the punch look at.
namespace ex {
inline constexpr int kNone = 0;
inline constexpr int kZeroHalf = 41;    // the punch does nothing one time in two
inline constexpr int kZeroThird = 42;   // the punch does nothing one time in three
inline constexpr int kNoPunch = 43;     // the punch is refused
inline constexpr int kTimes15 = 44;     // one in three: one and a half times the damage
inline constexpr int kTimes2 = 45;      // one in three: double damage
inline constexpr int kHalf = 46;        // one in three: half damage
inline constexpr int kTimes3 = 47;      // one in three: triple damage
inline constexpr int kNoWear = 81;      // the weapon does not wear
inline constexpr int kExtraWear = 82;   // the weapon wears twice as fast
inline constexpr int kArmourKeep = 85;  // the armour does not wear
inline constexpr int kArmourWear = 86;  // the armour wears twice over
inline constexpr int kNoBeast = 107;    // monsters cannot be called
inline constexpr int kNoMagic = 108;    // magic cannot be cast
inline constexpr int kNoItem = 109;     // items cannot be used in a fight
inline constexpr int kNoEscape = 110;   // the escape is refused
inline constexpr int kRevive1 = 111;    // revival, first chance
inline constexpr int kRevive2 = 112;    // revival, second chance
inline constexpr int kDeathBlow = 113;  // the wearer falls after every victory
inline constexpr int kVictoryHp = 114;  // full hit points after every victory
inline constexpr int kVictoryMp = 115;  // hit points set to the maximum MP after every victory
inline constexpr int kTower = 120;      // the tower strike is offered every turn
inline constexpr int kLast = 123;       // numbers above have no effect
}  // namespace ex

// Ailment codes (my_state and e_state).
namespace ail {
inline constexpr int kNone = 0;
inline constexpr int kPoison = 1;     // 毒
inline constexpr int kSleep = 2;      // 眠
inline constexpr int kStone = 3;      // 石
inline constexpr int kConfused = 4;   // 混
inline constexpr int kRampage = 5;    // 暴
inline constexpr int kVenom = 6;      // 猛毒
inline constexpr int kInfected = 7;   // 感染
inline constexpr int kCurse = 8;      // 呪い
inline constexpr int kMCurse = 9;     // Ｍ呪
inline constexpr int kLeech = 10;     // 毒吸
}  // namespace ail

// How many codes the rule families that data files choose from have. A code
// outside them does nothing in the game, and the data checker reports it.
namespace codes {
inline constexpr int kEnemyActions = 96;    // en_act: 0..95
inline constexpr int kAnyEnemyAction = 99;  // en_act: an action drawn at random
inline constexpr int kMonsterSkills = 91;   // mo_kind: 0..90
inline constexpr int kSpells = 25;          // mg_kind: 0..24
inline constexpr int kAilments = 11;        // en_state: ail:: 0..10
inline constexpr int kAttributes = 5;       // en_zoku: zoku:: 0..4
inline constexpr int kExtraEffects = 256;   // it_ex, mo_ex: an index into ex.dat
inline constexpr int kRarities = 4;         // it_rare: 0..3
}  // namespace codes

// Spells with a role of their own.
namespace magic {
inline constexpr int kRunAway = 18;   // ラナウェイ, learnt on the 99th escape
}  // namespace magic

// Items with a role of their own.
namespace item {
inline constexpr int kKeyBase = 247;        // key_have[k] is item_have[kKeyBase + k]
inline constexpr int kSevenSetFirst = 247;  // the seven-piece set, 247..253
inline constexpr int kSevenSetLast = 253;
inline constexpr int kPlayTimeGift = 230;   // given once play time reaches 6000 minutes
inline constexpr int kFloor7Key = 255;      // opens the stairs above floor 7 (key_have[8])
inline constexpr int kFaustVoice = 437;     // Faust's token (key_have[190])
inline constexpr int kNeverRandom = 499;    // never given by a random gift
}  // namespace item

// Indexes of key_have (key_have[k] is item_have[item::kKeyBase + k]).
namespace key {
inline constexpr int kFloor7Key = item::kFloor7Key - item::kKeyBase;    // 8
inline constexpr int kFaustVoice = item::kFaustVoice - item::kKeyBase;  // 190
}  // namespace key

// Monsters with a role of their own.
namespace monster {
inline constexpr int kBoya = 101;        // ぼうや: given by item type 78, shuts the shop's ぼうやの声
inline constexpr int kCleaner = 102;     // the garbage room's cleaner, prize of floor 14
inline constexpr int kErrandGirl = 104;  // わたっ娘, joins on her 98th errand
}  // namespace monster

}  // namespace z2
