// Casting a spell in a fight: the ARK it costs, then one of the spells.
// Most spells are intelligence hits whose strength comes from a resource
// they may use up, and to which one attribute is immune.
#include <string>

#include "battle/outcome.h"
#include "battle/player_commands.h"
#include "data/cp932.h"
#include "lists/list_actions.h"
#include "lists/monsters.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/ids.h"
#include "state/int32.h"

namespace z2 {

namespace {

constexpr int kMagicIds = 256;
constexpr size_t kRenameKeep = 10;  // CP932 bytes of the weapon's name kept by ＞Ｇ４Ｕ

using zoku::kChina;
using zoku::kJapan;
using zoku::kLa;
using zoku::kNone;
using zoku::kZndo;

// The hit argument, or 0 against the immune attribute.
i32 unless(const Game& g, int immune, i32 arg) { return g.s.e_zoku == immune ? 0 : arg; }
i32 la_gauge(const Game& g) { return g.s.floor_clear[fc::kLa]; }

// Takes a resource for the spell, leaving `rest` behind.
i32 use_up(i32& v, i32 rest) {
  const i32 was = v;
  v = rest;
  return was;
}

enum class Flow { Go, Stop };
using SpellFn = Flow (*)(Game&);

Flow hit(Game& g, i32 a) {
  magic_hit(g, a);
  return Flow::Go;
}

struct Spell {
  const char* line;
  SpellFn run;
};

Flow weakness_is_strength(Game& g) {
  const GameState& s = g.s;
  // At 0 or 1 HP there is nothing to halve: the spell counts as at its
  // weakest, the whole maximum (what it gives at 2 or 3 HP).
  const i32 half = s.my_hp / 2;
  const i32 q = half == 0 ? s.my_hp_max : div0(s.my_hp_max, half);
  return hit(g, sat_mul(2, q));
}

Flow shock(Game& g) {
  GameState& s = g.s;
  const i32 e = s.my_hp;
  if (e > s.my_hp_max / 10) s.my_hp = e / 10;
  return hit(g, unless(g, kZndo, e / 10 + 1));
}

Flow for_you(Game& g) {
  GameState& s = g.s;
  const i32 f = s.cent / 10;
  const i32 after = sat_add(s.buki_pow, f);
  msg_add(g, "武器の強さが\r△" + std::to_string(s.buki_pow) + "→△" + std::to_string(after) + "になった!!");
  s.buki_pow = after;
  s.buki_name = cp932_prefix(s.buki_name, kRenameKeep) + "４Ｕ";
  return Flow::Go;
}

Flow run_away(Game& g) {
  play_se(g, "walk.wav");
  msg_put(g, "逃亡成功!!");
  battle_end(g);
  return Flow::Stop;
}

// The spells by mg_kind.
const Spell kSpells[] = {
    /* 0 */ {"＞赤き風", [](Game& g) { return hit(g, g.s.e_zoku == kLa ? 4 : 2); }},
    /* 1 */ {"＞青き風", [](Game& g) { return hit(g, g.s.e_zoku == kChina ? 6 : 3); }},
    /* 2 */ {"＞遠き風", [](Game& g) { return hit(g, g.s.e_zoku != kNone ? 4 : 8); }},
    /* 3 */
    {"＞裏ダイナマイトＸ",
     [](Game& g) {
       const i32 h = sat_sub(g.s.my_hp_max, g.s.my_hp) / 2;
       screen_effect(g, Fx::PlayerBlueRise);
       g.s.my_hp = sat_add(g.s.my_hp, h);
       msg_add(g, "HPが" + std::to_string(h) + "回復した!!");
       return Flow::Go;
     }},
    /* 4 */ {"＞ＨＩＰＨＯＰ", [](Game& g) { return hit(g, unless(g, kLa, la_gauge(g) / 5 + 1)); }},
    /* 5 */ {"＞ＴＥＣＨＮＯ", [](Game& g) { return hit(g, unless(g, kChina, la_gauge(g) / 4 + 1)); }},
    /* 6 */ {"＞Ｒ＆Ｂ", [](Game& g) { return hit(g, unless(g, kJapan, la_gauge(g) / 3 + 1)); }},
    /* 7 */ {"＞ＢＵＧ", [](Game& g) { return hit(g, unless(g, kZndo, la_gauge(g) / 2 + 1)); }},
    /* 8 */ {"＞弱さは強さ", weakness_is_strength},
    /* 9 */
    {"＞ｴｸｽﾍﾟﾘｴﾝｽ",
     [](Game& g) {
       const i32 x = use_up(g.s.my_exp, 0);
       return hit(g, unless(g, kZndo, x / 6 + 1));
     }},
    /* 10 */
    {"＞マジカル",
     [](Game& g) {
       const i32 m = use_up(g.s.my_mp, 0);
       return hit(g, unless(g, kChina, m / 5 + 1));
     }},
    /* 11 */
    {"＞哀古解放",
     [](Game& g) {
       const i32 w = use_up(g.s.buki_pow, 1);
       return hit(g, unless(g, kZndo, w / 12 + 1));
     }},
    /* 12 */
    {"＞StrongOfNothing",
     [](Game& g) {
       const i32 a = use_up(g.s.bougu_pow, 1);
       return hit(g, unless(g, kZndo, a / 10 + 1));
     }},
    /* 13 */
    {"＞ｴｸｽﾍﾟﾘｴﾝｽ２",
     [](Game& g) {
       g.s.my_lv = g.s.my_lv > 2 ? g.s.my_lv - 1 : 1;
       return hit(g, unless(g, kChina, 110));
     }},
    /* 14 */ {"＞ショック", shock},
    /* 15 */
    {"＞ﾐｽﾃｨｯｸｱｰｸ",
     [](Game& g) {
       const i32 a = use_up(g.s.ark, 0);
       return hit(g, a);
     }},
    /* 16 */
    {"＞ヴォマクト",
     [](Game& g) {
       const i32 c = use_up(g.s.cent, 0);
       return hit(g, c / 100);
     }},
    /* 17 */ {"＞時代の風", [](Game& g) { return hit(g, g.s.e_zoku == kJapan ? 300 : 10); }},
    /* 18 */ {"＞さよならの風", [](Game& g) { return hit(g, g.s.e_zoku == kZndo ? 300 : 20); }},
    /* 19 */ {"＞Ｇ４Ｕ", for_you},
    /* 20 */ {"＞ラナウェイ", run_away},
    /* 21 */
    {"＞ＥＮＤＥＲ",
     [](Game& g) {
       screen_effect(g, Fx::PlayerPurple);
       msg_put(g, "レベルが１になった!!");
       g.s.my_lv = 1;
       return Flow::Go;
     }},
    /* 22 */
    {"＞盗む",
     [](Game& g) {
       if (g.random(2) == 0) {
         screen_effect(g, Fx::FoePink);
         theft(g);
       } else {
         msg_add(g, "Miss!!");
       }
       return Flow::Go;
     }},
    /* 23 */
    {"＞パーフェクト",
     [](Game& g) {
       screen_effect(g, Fx::PlayerWhite);
       msg_put(g, "腕力・守備力・獣操力が元に戻った!!");
       g.s.buf_atk() = g.s.buf_beast() = g.s.buf_def() = 0;
       return Flow::Go;
     }},
    /* 24 */
    {"＞ノーマル",
     [](Game& g) {
       screen_effect(g, Fx::FoeWhite);
       msg_put(g, "敵の腕力・守備力が元に戻った!!");
       g.s.e_buf_atk = g.s.e_buf_def = 0;
       return Flow::Go;
     }},
};
constexpr int kSpellCount = static_cast<int>(sizeof(kSpells) / sizeof(kSpells[0]));
static_assert(kSpellCount == codes::kSpells, "one row per spell code");

}  // namespace

bool cast_magic(Game& g) {
  GameState& s = g.s;
  const int sel = s.list_sel;
  const MagicRecord& m = at_or_empty(g.t.magic_table, sel);
  if (sel < 0 || sel >= kMagicIds || s.ark < m.mg_ark) {
    g.ui.battle_com.visible = true;
    g.ui.list_box.visible = true;
    if (sel >= 0 && sel < kMagicIds) set_moji_l(g, "ＡＲＫが足りません");
    play_se(g, "miss.wav");
    return false;
  }
  play_se(g, "m.wav");
  msg_put(g, "【" + m.mg_name + "】を唱えた!!");
  s.ark = sat_sub(s.ark, m.mg_ark);
  if (s.ark < 0) s.ark = 0;

  if (m.mg_kind >= 0 && m.mg_kind < kSpellCount) {
    const Spell& sp = kSpells[m.mg_kind];
    msg_put(g, sp.line);
    if (sp.run(g) == Flow::Stop) return false;
  }
  refresh(g);
  return true;
}

}  // namespace z2
