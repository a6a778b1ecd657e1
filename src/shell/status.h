#pragma once
#include <string>

#include "shell/game.h"

namespace z2 {

// Rebuilds every status text and gauge and keeps the state's values in range.
// Never waits, never plays a sound.
void status_refresh(Game& g);
// The refresh, then the window shows it: the step after most changes of a fight.
inline void refresh(Game& g) {
  status_refresh(g);
  g.plat.repaint();
}

// "9億9999万9999" for 999999999; the lower groups keep their leading zeros.
std::string score_text(int32_t score);
// The same, appended to `out` (the refresh reuses its label's buffer).
void append_score_text(std::string& out, int32_t score);

// Label of an ailment code ("毒", "眠", ...); empty for 0 and unknown codes.
const char* ailment_label(int32_t code);
// Label of an opponent attribute ("無", "Zndo", ...); empty for unknown codes.
const char* attribute_label(int32_t code);

// The score formula alone (no encyclopedia step), cut to 0..999999999.
int32_t compute_score(const GameState& s, const Tables& t);

// The closing step of every fight: encyclopedias, then the score.
void score_update(Game& g);

}  // namespace z2
