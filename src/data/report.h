#pragma once
// The report 投稿.txt: eight lines for sharing the player's record, with the
// title the game awards from the statistics.
#include <string>

#include "state/game_state.h"

namespace z2 {

// The title without its brackets ("弱っコ", "拳王", ...).
std::string report_title(const GameState& s);

// The eight lines in UTF-8, each ended by CR LF. `score_caption` is the score
// label as the status panel shows it.
std::string report_text(const GameState& s, const Tables& t, const std::string& score_caption);

}  // namespace z2
