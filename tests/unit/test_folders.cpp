// Where the game finds its content and keeps the save: in the program folder
// as always, except for an installed game, whose save and report go to the
// user's data folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "data/save.h"
#include "game_handlers.h"
#include "folders.h"
#include "game_fixture.h"

namespace z2 {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one scope and puts the old value back.
class EnvVar {
 public:
  EnvVar(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~EnvVar() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

struct Tree {
  fs::path base;
  Tree() {
    base = fs::temp_directory_path() / ("zando2_folders_" + std::to_string(::getpid()));
    fs::remove_all(base);
    fs::create_directories(base);
  }
  ~Tree() { fs::remove_all(base); }
  fs::path make(const std::string& rel) {
    fs::create_directories(base / rel);
    return base / rel;
  }
};

std::string run(Game& g, HeadlessPlatform& p, std::ostringstream& out, const std::string& script) {
  out.str("");
  std::istringstream in(script);
  run_script(g, p, in);
  return out.str();
}

using test::read_bytes;

TEST(Folders, TheDataFolderFollowsXdgDataHomeElseHome) {
  {
    EnvVar x("XDG_DATA_HOME", "/srv/data/");
    EXPECT_EQ(user_data_dir(), "/srv/data/zando2/");
  }
  {
    // A relative XDG_DATA_HOME is not to be used; an empty one means unset.
    EnvVar home("HOME", "/home/alex");
    for (const char* bad : {"relative/dir", ""}) {
      EnvVar x("XDG_DATA_HOME", bad);
      EXPECT_EQ(user_data_dir(), "/home/alex/.local/share/zando2/") << bad;
    }
    EnvVar x("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(user_data_dir(), "/home/alex/.local/share/zando2/");
  }
  {
    EnvVar x("XDG_DATA_HOME", nullptr);
    EnvVar home("HOME", nullptr);
    const std::string d = user_data_dir();
    EXPECT_EQ(d.front(), '/') << d;
    EXPECT_EQ(d.substr(d.size() - 8), "/zando2/") << d;
  }
}

TEST(Folders, ThePlaceOfTheContentDecidesWhereTheSaveGoes) {
  Tree t;
  EnvVar x("XDG_DATA_HOME", (t.base / "xdg").c_str());
  const std::string build = (t.base / "build-game").string();

  // An installation: bin/ and share/zando2/ side by side.
  const fs::path bin = t.make("usr/bin");
  t.make("usr/share/zando2/dat");
  Folders f = choose_folders("", bin.string(), build, "../share/zando2");
  EXPECT_EQ(f.root, (t.base / "usr/share/zando2").string());
  EXPECT_EQ(f.user_dir, (t.base / "xdg/zando2/").string());

  // --root always wins and is written in place, installed or not.
  f = choose_folders("/some/folder", bin.string(), build, "../share/zando2");
  EXPECT_EQ(f.root, "/some/folder");
  EXPECT_EQ(f.user_dir, "");

  // A program folder beside the program is the player's own: saves stay in it.
  const fs::path own = t.make("games/zando2");
  t.make("games/zando2/dat");
  f = choose_folders("", own.string(), build, "../share/zando2");
  EXPECT_EQ(f.root, own.string());
  EXPECT_EQ(f.user_dir, "");

  // Neither: the folder the build laid out, written in place.
  const fs::path lone = t.make("elsewhere/bin");
  f = choose_folders("", lone.string(), build, "../share/zando2");
  EXPECT_EQ(f.root, build);
  EXPECT_EQ(f.user_dir, "");
  // A share/zando2 without dat/ is not the game.
  t.make("elsewhere/share/zando2/cg");
  EXPECT_EQ(choose_folders("", lone.string(), build, "../share/zando2").root, build);
}

TEST(Folders, AnInstalledGameSavesInTheDataFolderMadeOnDemandAndContinuesFromIt) {
  Tree t;
  // The installed content: nothing of it may change.
  const std::string content = test::fresh_copy("mini");
  const fs::path user = t.base / "xdg" / "zando2";
  const auto listing = [&] {
    std::string all;
    for (const auto& e : fs::recursive_directory_iterator(content))
      all += e.path().string() + (e.is_regular_file() ? " " + read_bytes(e.path()) : "") + "\n";
    return all;
  };
  const std::string before = listing();
  std::string first;
  {
    std::ostringstream out;
    HeadlessPlatform plat(out);
    ScriptedRandom rng;
    Game g(plat, rng, content);
    bind_handlers(g);
    g.user_dir = user.string() + "/";
    EXPECT_EQ(g.save_path(), user.string() + "/z.wav");
    run(g, plat, out, "click Button12\nset cent 4321\n");
    first = run(g, plat, out, "dump\n");
    const std::string said = run(g, plat, out, "close\n");
    EXPECT_EQ(said.find("error:"), std::string::npos) << said;
    EXPECT_EQ(read_bytes(user / "z.wav"), save_bytes(g.s));
    EXPECT_TRUE(fs::is_regular_file(user / "投稿.txt"));
  }
  EXPECT_EQ(listing(), before) << "the installed files stay as they were";
  {
    std::ostringstream out;
    HeadlessPlatform plat(out);
    ScriptedRandom rng;
    Game g(plat, rng, content);
    bind_handlers(g);
    g.user_dir = user.string() + "/";
    const std::string opened = run(g, plat, out, "click Button11\n");
    EXPECT_EQ(opened.find("error:"), std::string::npos) << opened;
    EXPECT_EQ(run(g, plat, out, "dump\n"), first);
  }
  fs::remove_all(content);
}

TEST(Folders, ADataFolderThatCannotBeMadeIsAFailedSaveThatKeepsTheGameOpen) {
  Tree t;
  const std::string content = test::fresh_copy("mini");
  std::ofstream(t.base / "file") << "x";
  std::ostringstream out;
  HeadlessPlatform plat(out);
  ScriptedRandom rng;
  Game g(plat, rng, content);
  bind_handlers(g);
  g.user_dir = (t.base / "file" / "zando2").string() + "/";  // under a plain file
  run(g, plat, out, "click Button12\n");
  const std::string said = run(g, plat, out, "answer no\nclose\n");
  EXPECT_NE(said.find("error:"), std::string::npos) << said;
  EXPECT_NE(said.find("ask: セーブできませんでした。セーブせずに終了しますか？ -> no"), std::string::npos) << said;
  EXPECT_FALSE(fs::exists(fs::path(content) / "dat" / "z.wav"));
  fs::remove_all(content);
}

}  // namespace
}  // namespace z2
