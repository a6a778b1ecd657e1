#pragma once
#include <memory>
#include <string>

#include "state/game_state.h"

namespace z2 {

// Reads the twelve master files from `dat_dir` (ending in '/') in their fixed
// order. Throws DataError at the first file that fails; tables read before it
// keep their new contents.
void load_tables(Tables& t, const std::string& dat_dir);

// The twelve files read whole into tables of their own, as NEW GAME and
// COUNTINUE read them. While no file has changed on disk since the last read,
// that read's tables are handed out again. Throws DataError at the first file
// that fails.
std::shared_ptr<const Tables> read_tables(const std::string& dat_dir);

// The same files one at a time (0 name.dat .. 11 magic.dat, in load_tables'
// order), for a check that reports every file. `record`, when given, is left
// on the record that was being read when a DataError is thrown.
constexpr int kMasterFileCount = 12;
const char* master_file_name(int i);
void load_master_file(Tables& t, const std::string& dat_dir, int i, int* record = nullptr);

// Reads the save file's values in their fixed order (a short file leaves the
// rest 0 or empty). Throws DataError, also for an empty file or one without
// CR LF line ends.
void load_save(GameState& s, const std::string& path);

// Boss file n (a byte, 0..255) into the boss fields.
void load_boss(GameState& s, const std::string& dat_dir, int n);

// open.dat and staff.dat into the opening texts.
void load_opening_texts(GameState& s, const std::string& dat_dir);

// The piece the colosseum of a floor plays; empty where the music carries on.
std::string colosseum_bgm(int floor);

}  // namespace z2
