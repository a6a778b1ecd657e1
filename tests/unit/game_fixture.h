#pragma once
// A game on the headless platform over a fresh copy of a fixture set.
#include <filesystem>
#include <sstream>
#include <string>

#include "platform/headless/headless.h"
#include "shell/game.h"
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

struct TestGame {
  explicit TestGame(const std::string& set = "mini", std::vector<int32_t> draws = {})
      : root(fresh_copy(set)), rng(std::move(draws)), plat(out), g(plat, rng, root) {}
  ~TestGame() { std::filesystem::remove_all(root); }
  std::string transcript() const { return out.str(); }

  std::string root;
  std::ostringstream out;
  ScriptedRandom rng;
  HeadlessPlatform plat;
  Game g;
};

}  // namespace z2::test
