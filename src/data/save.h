#pragma once
#include <string>

#include "state/game_state.h"

namespace z2 {

struct Game;

// The save file's bytes: every saved value in its fixed order, CP932, CR LF.
std::string save_bytes(GameState& s);

// Writes `bytes` to `path` through a temporary file in the same folder that is
// flushed and renamed over the old file, so a failure leaves the old file as
// it was. False with the reason in `why`.
bool write_file_atomic(const std::string& path, const std::string& bytes, std::string* why);

// Writes the save file, then the report. False (and `why` set) when a file
// could not be written; the files already on disk stay as they were.
bool save_all(Game& g, std::string* why);

}  // namespace z2
