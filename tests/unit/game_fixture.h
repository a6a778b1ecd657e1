#pragma once
// A game on the headless platform over a fresh copy of a fixture set.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "data/tables.h"
#include "platform/headless/headless.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"

namespace z2::test {

inline std::string fresh_copy(const std::string& set) {
  namespace fs = std::filesystem;
  static int n = 0;
  fs::path dir = fs::temp_directory_path() / ("zando2_test_" + std::to_string(::getpid()) + "_" + std::to_string(n++));
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy(fs::path(ZANDO_FIXTURES) / set, dir, fs::copy_options::recursive);
  return dir.string() + "/";
}

// Every byte of a file (empty when it cannot be read).
inline std::string read_bytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A fresh copy of a fixture set that is removed again at the end of a test,
// for tests that build their own Game.
struct FixtureCopy {
  explicit FixtureCopy(const std::string& set) : root(fresh_copy(set)) {}
  ~FixtureCopy() { std::filesystem::remove_all(root); }
  std::string root;
};

struct TestGame {
  explicit TestGame(const std::string& set = "mini", std::vector<int32_t> draws = {})
      : root(fresh_copy(set)), rng(std::move(draws)), plat(out), g(plat, rng, root) { bind_handlers(g); }
  ~TestGame() { std::filesystem::remove_all(root); }
  std::string transcript() const { return out.str(); }

  std::string root;
  std::ostringstream out;
  ScriptedRandom rng;
  HeadlessPlatform plat;
  Game g;
};

// A new game over a copy of a fixture set: the tables read, the title gone.
struct NewGame : TestGame {
  explicit NewGame(const std::string& set, std::vector<int32_t> draws = {}) : TestGame(set, std::move(draws)) {
    load_tables(g.t, g.dat_dir());
    new_game(g);
    g.ui.start_box.visible = false;
  }
};

// A new game standing on the map.
struct MapGame : NewGame {
  explicit MapGame(const std::string& set = "floors", std::vector<int32_t> draws = {}) : NewGame(set, std::move(draws)) {
    g.ui.map_box.visible = true;
    g.ui.menu_com.visible = true;
  }
  bool saw(const std::string& line) const { return ("\n" + out.str()).find("\n" + line + "\n") != std::string::npos; }
  bool saw_part(const std::string& text) const { return out.str().find(text) != std::string::npos; }
};

}  // namespace z2::test
