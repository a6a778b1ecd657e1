#pragma once
// The rooms that do not start a fight: the church, the garbage room, the
// monster workshop with its fusion box, the clinic, and the naming box.
#include <string>

#include "shell/game.h"
#include "state/fixed_tables.h"

namespace z2 {

void s_chClick(Game& g);       // church
void Button23Click(Game& g);   // garbage room (also the developer panel's "クリーナー")
void s_monsterClick(Game& g);  // monster workshop
void Button37Click(Game& g);   // fusion into the weapon
void Button35Click(Game& g);   // fusion into the armour
void Button36Click(Game& g);   // the fusion box's Cancel
void s_erClick(Game& g);       // clinic
void name_bClick(Game& g);     // naming box

// What fusing monster m adds to the power: its synthesis power times 10 when
// garbage m exists (the monster can be hatched again), else times 100.
i32 fusion_value(const Tables& t, int m);
// The fused thing's name: six CP932 bytes of each name (never half a
// character), then 剣 for a weapon or 服 for armour.
std::string fusion_name(const std::string& monster, const std::string& old_name, bool weapon);

void bind_service_rooms(Game& g);

}  // namespace z2
