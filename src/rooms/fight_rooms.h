#pragma once
#include <string>

#include "shell/game.h"

namespace z2 {

// The rooms of the floor map that start fights.
void s_battleClick(Game& g);    // モンスタールーム
void rand_bClick(Game& g);      // ランダムルーム (also the developer panel's)
void p_bClick(Game& g);         // 上級ﾗﾝﾀﾞﾑﾙｰﾑ (also the developer panel's)
void colosiam_bClick(Game& g);  // コロシアム
void gouketu_bClick(Game& g);   // 豪傑達の黄昏

void bind_fight_rooms(Game& g);

}  // namespace z2
