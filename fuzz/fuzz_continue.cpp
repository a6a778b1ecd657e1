// COUNTINUE on a save file of arbitrary bytes over the mini data set, then a
// few minutes of play: the refresh, the clock, every room and menu button.
// A damaged save may hold any number in any saved value.
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/headless/headless.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

fs::path g_root;

void make_root() {
  char tmpl[] = "/tmp/zando-fuzz-continue-XXXXXX";
  if (!mkdtemp(tmpl)) std::abort();
  g_root = tmpl;
  fs::copy(fs::path(ZANDO_FIXTURES) / "mini", g_root, fs::copy_options::recursive);
  fs::create_directories(g_root / "cg");
  for (const char* name : {"my.bmp", "haikei0.bmp", "haikei-1.bmp", "e0.bmp", "map-1.bmp", "map0.bmp", "0_2.bmp"}) {
    if (fs::exists(g_root / "cg" / name)) continue;
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(qRgb(40, 80, 120));
    img.save(QString::fromStdString((g_root / "cg" / name).string()), "BMP");
  }
}

// The controls a player reaches from the map and the fights, and the developer panel's.
const char* const kClicks[] = {"Button44", "st_b1", "st_b2", "s_battle", "b1", "b2", "b3", "b4", "Button7",
                               "tower_b", "rand_b", "p_b", "colosiam_b", "gouketu_b", "s_shop", "s_gomi",
                               "s_wild", "s_monster", "s_ch", "s_er", "takara", "wata", "m1", "m2", "m3",
                               "m4", "md_b", "OK", "cancel_b", "BitBtn1", "Button3", "Button56", "Button57"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication* app = new QGuiApplication(*argc, *argv);
  (void)app;
  make_root();
  std::atexit([] {
    std::error_code ec;
    fs::remove_all(g_root, ec);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream save(g_root / "dat" / "z.wav", std::ios::binary | std::ios::trunc);
    save.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::ostringstream sink;
  HeadlessPlatform plat(sink);
  SeededRandom rng(static_cast<uint32_t>(size));
  {
    Game g(plat, rng, g_root.string());
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
  fs::remove(g_root / "投稿.txt", ec);
  return 0;
}
