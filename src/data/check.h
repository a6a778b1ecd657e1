#pragma once
// The data checker behind `zando2 --check-data`: reads the program folder the
// way the game does and lists every problem a data author has to fix.
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace z2 {

// A file the game asks for by a fixed name, and what it is for.
struct FixedFile {
  const char* name;
  const char* use;
};

// Pictures in cg/ that the game loads by name (the floor backgrounds
// haikei0..24.bmp come on top of these).
std::span<const FixedFile> fixed_pictures();
// Sound effects and music in dat/ that the game plays by name (the colosseum
// music, colosseum_bgm, and the discs of md.dat come on top of these).
std::span<const FixedFile> fixed_sounds();

// True when some room draws enemy record n (0..254): the monster room draws
// the floor's own ten slots, the random room slots 0..6 of the floors below,
// the advanced random room slots 0..8 of the floors below (its first draw).
bool enemy_drawn(int n);

// Every problem found under `root` (the program folder, holding dat/ and
// cg/), one line each: "file: record N: what" or "file: what". The save file
// is not looked at. Empty when the folder is sound.
std::vector<std::string> check_data(const std::string& root);

// Writes check_data's lines and a closing summary to `out`. Returns the exit
// status: 0 clean, 1 otherwise.
int check_data_main(const std::string& root, std::ostream& out);

}  // namespace z2
