// COUNTINUE on a save file of arbitrary bytes over the mini data set, then a
// few minutes of play: the refresh, the clock, every room and menu button.
// A damaged save may hold any number in any saved value.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fuzz_root.h"
#include "platform/headless/headless.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

// The controls a player reaches from the map and the fights, and the developer panel's.
const char* const kClicks[] = {"Button44", "st_b1", "st_b2", "s_battle", "b1", "b2", "b3", "b4", "Button7",
                               "tower_b", "rand_b", "p_b", "colosiam_b", "gouketu_b", "s_shop", "s_gomi",
                               "s_wild", "s_monster", "s_ch", "s_er", "takara", "wata", "m1", "m2", "m3",
                               "m4", "md_b", "OK", "cancel_b", "BitBtn1", "Button27", "Button28", "Button29",
                               "Button30", "Button31", "Button51", "lv2_b", "lv3_b", "wata_b", "Button3",
                               "Button56", "Button57", "Button8", "Button13", "Button55", "Button52"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::init(argc, argv, "continue");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream save(fuzz::root() / "dat" / "z.wav", std::ios::binary | std::ios::trunc);
    save.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::ostringstream sink;
  HeadlessPlatform plat(sink);
  SeededRandom rng(static_cast<uint32_t>(size));
  {
    Game g(plat, rng, fuzz::root().string());
    bind_handlers(g);
    startup(g);
    g.ui.debug_box.visible = true;
    click(g, "Button11");
    for (int round = 0; round < 2; ++round) {
      timer_fire(g, 1);
      timer_fire(g, 2);
      for (const char* name : kClicks) {
        click(g, name);
        if (g.ui.list_l.usable() && !g.ui.list_l.rows.empty()) {
          g.ui.list_l.selected = 0;
          run_handler(g, g.ui.list_l.on_click);
        }
        timer_fire(g, 1);
      }
    }
  }
  std::error_code ec;
  fs::remove(fuzz::root() / "投稿.txt", ec);
  return 0;
}
