#pragma once
// Saving the game: the save file and the report beside it.
#include <string>

#include "shell/game.h"

namespace z2 {

// The report's file bytes (CP932, CR LF), with the score label of the panel,
// and its place in the program folder.
std::string report_bytes(Game& g);
std::string report_path(const Game& g);

// Writes the save file, then the report. Both are written to temporary files
// first and only then renamed into place, so when either cannot be written
// neither file on disk changes. False (and `why` set, naming the file) on a
// failure. Should the last rename fail after the first succeeded, the save is
// new and the report old.
bool save_all(Game& g, std::string* why);

}  // namespace z2
