#pragma once
#include <string>

#include "shell/game.h"

namespace z2 {

// Type `text` into the message line, replacing it; mirror into moji_l2; pause msg_wait.
void msg_put(Game& g, const std::string& text);
// Type `text` as a new line under the message line; mirror; pause msg_wait.
void msg_add(Game& g, const std::string& text);
// Show the big message and type `text` into it; no closing pause.
void msg_big(Game& g, const std::string& text);

// Set a message line at once, without typing. set_moji_l leaves moji_l2 as it
// is: the map's line copies the message line only while typing.
void set_moji_l(Game& g, const std::string& text);
void set_moji_l2(Game& g, const std::string& text);

// Sound effect from dat/; failures are silent.
void play_se(Game& g, const std::string& file);
// "not" stops the music, "" keeps it, anything else starts that piece from dat/.
void play_bgm(Game& g, const std::string& file);

// The text-speed slider: move it (its change handler runs).
// Said (with "miss.wav") when a room or the encounter finds no opponent.
inline constexpr const char* kNoEnemyHere = "この階には出現する敵がいません";

void set_speed_slider(Game& g, int position);

void bind_messages(Game& g);

}  // namespace z2
