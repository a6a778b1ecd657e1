#pragma once
#include <QImage>
#include <string>

#include "shell/game.h"
#include "shell/pictures.h"

namespace z2 {

// Said (with "miss.wav") when a room or the encounter finds no opponent.
inline constexpr const char* kNoEnemyHere = "この階には出現する敵がいません";

// The safety cap of every "draw until usable": the draws first check that a
// match exists, so with usable data the cap is never reached.
inline constexpr int kDrawCap = 100000;

// A record the encounter can field: named (not the lone blank " ") and with a picture.
bool enemy_usable(const Tables& t, int n);
// A record the random rooms may pick: as above, and numbered 1..253.
bool room_usable(const Tables& t, int n);
// Some ordinary slot (0..6) of the floor's band is usable.
bool band_has_enemy(const Tables& t, int floor);

// Starts a fight. kind 0: an ordinary enemy of the floor; 1..254: that record;
// -1: the opponent of the boss file just read. Returns once the first turn is set up.
void enemy_appear(Game& g, int kind);
// The next fight of the monster room, straight after a won one.
void next_enemy(Game& g);

// Pictures dress a fight but never stop one: a picture step that fails is
// reported in the error box and the fight goes on.
template <class F>
void picture_step(Game& g, F&& step) {
  try {
    step();
  } catch (const PictureError& e) {
    g.plat.error(e.what());
  }
}

void bind_encounter(Game& g);

}  // namespace z2
