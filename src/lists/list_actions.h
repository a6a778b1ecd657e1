#pragma once
// The actions of the list panel's OK button, one per caption. OKClick (in
// list_actions.cpp) runs the common frame and dispatches on the caption.
// Actions that return bool return true when they ran to their end (the
// closing step of items, equipment, monsters and magic follows only then).
#include "shell/game.h"

namespace z2 {

// 消費アイテム and 武器・防具 (items.cpp); k is it_pow of the chosen item.
bool use_item(Game& g, int k);
bool equip_item(Game& g);
// An action that stops before its end in a fight gives the command box and
// the list back, since the closing step will not pass the turn on.
void resume_turn(Game& g);

// モンスター and 所持しているモンスター (monsters.cpp).
bool call_monster(Game& g);
void owned_monster_refused(Game& g);

// 魔法 (magic.cpp).
bool cast_magic(Game& g);

// どれを食べさせますか？, ゴミ, 合成, ＭＤ, クラスチェンジ (belongings.cpp).
void feed_garbage(Game& g);
void look_garbage(Game& g);
void choose_fusion(Game& g);
void play_disc(Game& g);
void change_class(Game& g);

// 買う, WILD SHOP, 売る (shops.cpp).
void buy_item(Game& g);
void buy_wild_item(Game& g);
void sell_item(Game& g);

void bind_list_actions(Game& g);

}  // namespace z2
