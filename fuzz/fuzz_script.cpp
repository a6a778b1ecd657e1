// The headless driver on arbitrary scripts, over the mini data set: every
// command line, every click the window allows, every value a save file could
// hold. Nothing may crash, hang or touch memory it does not own.
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "platform/headless/headless.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"
#include "state/vars.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

fs::path g_root;

void make_root() {
  char tmpl[] = "/tmp/zando-fuzz-script-XXXXXX";
  if (!mkdtemp(tmpl)) std::abort();
  g_root = tmpl;
  fs::copy(fs::path(ZANDO_FIXTURES) / "mini", g_root, fs::copy_options::recursive);
  fs::create_directories(g_root / "cg");
  // The fallbacks and the few pictures every start needs when the set lacks them.
  int shade = 20;
  for (const char* name : {"my.bmp", "title.bmp", "haikei0.bmp", "haikei-1.bmp", "e0.bmp", "map-1.bmp", "map0.bmp",
                           "map-2.bmp", "0_2.bmp", "boss0.bmp", "hoku.bmp"}) {
    if (fs::exists(g_root / "cg" / name)) continue;
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(qRgb(shade, 255 - shade, shade / 2));
    shade += 20;
    img.save(QString::fromStdString((g_root / "cg" / name).string()), "BMP");
  }
}

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
  std::string script(reinterpret_cast<const char*>(data), size);
  // The first byte picks the seed and whether the developer panel is open, as the options do.
  const uint8_t opt = size ? data[0] : 0;
  std::ostringstream sink;
  HeadlessPlatform plat(sink, (opt & 1) != 0);
  SeededRandom rng(opt >> 2);
  {
    Game g(plat, rng, g_root.string());
    startup(g);
    if (opt & 2) g.ui.debug_box.visible = true;
    std::istringstream in(tame(script));
    run_script(g, plat, in);
  }
  // Every input starts from the same folder.
  std::error_code ec;
  fs::remove(g_root / "dat" / "z.wav", ec);
  fs::remove(g_root / "投稿.txt", ec);
  return 0;
}
