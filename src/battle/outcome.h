#pragma once
#include <QImage>

#include "shell/game.h"

namespace z2 {

// The outcome check after every action that can change hit points: first the
// victory part (the opponent has fallen), then the death part (the player
// has). Both end the fight through battle_end. Callers test in_battle
// afterwards to know whether the fight goes on.
void death_check(Game& g);

// Ends a fight or a host visit: rests the player, returns to the floor map
// and updates the score.
void battle_end(Game& g);

// One random item gift, with its message. While the errand girl is out and a
// host room is open she brings one to three of it.
void item_random_get(Game& g);

// The zoom-in of a portrait: the 64 x 64 picture in `back` grows from the
// centre of `front` (129 x 129) until it fills it.
void zoom_in(Game& g, Control& front, const QImage& back);

}  // namespace z2
