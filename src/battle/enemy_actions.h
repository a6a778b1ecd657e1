#pragma once
// The opponent's repertoire: 96 actions, numbered 0..95 as they stand in the
// action fields of enemy.dat, the choice of one per turn, and the fixed
// action sets of the colosseum.
#include <array>
#include <string>

#include "shell/game.h"
#include "state/ids.h"

namespace z2 {

inline constexpr int kActionCount = codes::kEnemyActions;
// In an action field: any action 0..92.
inline constexpr int kAnyAction = codes::kAnyEnemyAction;
// Picked from kAnyAction, self-destruction gets one more draw.
inline constexpr int kSelfDestruct = 67;
// A plain flick by an opponent with an ailment may turn into this cure.
inline constexpr int kCureSelf = 39;

using ActionSet = std::array<int, 5>;

// One action from five fields with weights 5, 4, 3, 2 and 1 (first to last);
// 99 becomes a random action, and a flick (0) of an ailing opponent now and
// then becomes its cure (39).
int pick_action(Game& g, int a1, int a2, int a3, int a4, int a5);
inline int pick_action(Game& g, const ActionSet& a) { return pick_action(g, a[0], a[1], a[2], a[3], a[4]); }

// The colosseum's action set of a floor; nullptr where the opponent keeps
// its own.
const ActionSet* colosseum_set(int floor);
// The set of ファウスト, whatever the floor.
extern const ActionSet kFaustSet;
inline constexpr const char* kFaustName = "ファウスト";

// Performs action `code`: its label line, its effect and its messages. A code
// outside 0..95 does nothing.
void enemy_action(Game& g, int code);

// The label line of an action as the player reads it (empty for 84, and for
// codes outside the table); 95 names the opponent.
std::string action_label(const Game& g, int code);

}  // namespace z2
