// The headless driver on arbitrary scripts, over the mini data set: every
// command line, every click the window allows, every value a save file could
// hold. Nothing may crash, hang or touch memory it does not own.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "fuzz_root.h"
#include "platform/headless/headless.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"
#include "state/vars.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

// Keeps a script to what a player (or a damaged save) could do, in bounded time:
// `set` only on saved variables, few timer ticks per line.
std::string tame(const std::string& script) {
  std::istringstream in(script);
  std::string out;
  int lines = 0;
  for (std::string line; std::getline(in, line) && lines < 200; ++lines) {
    line.erase(0, line.find_first_not_of(" \t"));
    if (line.rfind("set ", 0) == 0) {
      const std::string rest = line.substr(4);
      const std::string name = rest.substr(0, rest.find_first_of(" ["));
      bool saved = false;
      for (const SaveRun& run : save_layout()) saved = saved || run.var->name == name;
      if (!saved && name != "key_have") continue;
    }
    if (line.rfind("tick ", 0) == 0) {
      std::istringstream t(line);
      std::string cmd, timer;
      long long count = 1;
      t >> cmd >> timer;
      if (t >> count && (count < 0 || count > 50)) line = cmd + " " + timer + " 50";
    }
    out += line;
    out += '\n';
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::init(argc, argv, "script");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string script(reinterpret_cast<const char*>(data), size);
  // The first byte picks the seed and whether the developer panel is open, as the options do.
  const uint8_t opt = size ? data[0] : 0;
  std::ostringstream sink;
  HeadlessPlatform plat(sink, (opt & 1) != 0);
  SeededRandom rng(opt >> 2);
  {
    Game g(plat, rng, fuzz::root().string());
    bind_handlers(g);
    startup(g);
    if (opt & 2) g.ui.debug_box.visible = true;
    std::istringstream in(tame(script));
    run_script(g, plat, in);
  }
  // Every input starts from the same folder.
  std::error_code ec;
  fs::remove(fuzz::root() / "dat" / "z.wav", ec);
  fs::remove(fuzz::root() / "投稿.txt", ec);
  return 0;
}
