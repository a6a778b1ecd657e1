#pragma once
// Where the game finds its content and where it keeps the save.
#include <string>

namespace z2 {

struct Folders {
  std::string root;      // the program folder: dat/ and cg/
  std::string user_dir;  // the save and the report; empty: in the program folder
};

// The user's data folder of the game: $XDG_DATA_HOME/zando2/ (an absolute
// XDG_DATA_HOME only), else $HOME/.local/share/zando2/. Ends in '/'.
std::string user_data_dir();

// root_option: --root (empty when not given); exe_dir: the folder of the
// running program; build_dir: the program folder the build laid out;
// installed: where an installation puts the content, relative to exe_dir
// (../share/games/zando2). --root and a program folder beside the program are
// written in place, as is the build's; installed content belongs to the
// system, so its save goes to the user's data folder.
Folders choose_folders(const std::string& root_option, const std::string& exe_dir, const std::string& build_dir,
                       const std::string& installed);

// What keeps `root` from being a program folder, as one line naming the
// folder ("... does not exist", "... has no dat/ folder"); empty when it
// holds dat/ and cg/.
std::string missing_content(const std::string& root);

}  // namespace z2
