#pragma once
// Saving the game: the save file and the report beside it.
#include <string>

#include "shell/game.h"

namespace z2 {

// The report's file bytes (CP932, CR LF), with the score label of the panel,
// and its place in the program folder.
std::string report_bytes(Game& g);
std::string report_path(const Game& g);

struct SaveOutcome {
  bool saved = false;           // z.wav now holds this game
  bool report_written = false;  // 投稿.txt too
  std::string why;              // the first failure, naming its file
};

// Writes the save file, then the report. The save comes first and stands
// alone: it is written to a temporary file and renamed into place before the
// report is tried, so a report that cannot be written never costs the save.
// A save that fails leaves the old one as it was, and no report is written.
// A save that is a symbolic link is written through to its target, and the
// file a save replaces is kept among the backups (data/save_history.h).
SaveOutcome save_all(Game& g);

}  // namespace z2
