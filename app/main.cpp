// zando2: the game in its window, or headless for scripts (see the README).
#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "platform/headless/headless.h"
#include "platform/qt/session.h"
#include "platform/qt/window.h"
#include "shell/game.h"
#include "shell/title.h"
#include "data/check.h"

namespace {

struct Options {
  bool headless = false;
  bool debug_panel = false;
  bool check_data = false;
  bool answer_yes = true;
  std::optional<uint32_t> seed;
  bool fast = false;
  std::string root;
  std::string script;
  z2::WindowOptions window;
};

int usage(const std::string& why) {
  std::cerr << "zando2: " << why << "\n"
            << "usage: zando2 [--root DIR] [--debug-panel] [--zoom N] [--fullscreen] [--mute]\n"
            << "       zando2 --headless [--root DIR] [--seed N] [--script FILE] [--debug-panel] [--answer yes|no] [--fast]\n"
            << "       zando2 --check-data [--root DIR]\n";
  return 2;
}

// The program folder: beside the program when it holds dat/, else the folder the build laid out.
std::string default_root(const char* argv0) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path exe = fs::canonical("/proc/self/exe", ec);
  if (ec) exe = fs::absolute(argv0);
  if (fs::is_directory(exe.parent_path() / "dat")) return exe.parent_path().string();
  return ZANDO_GAME_DIR;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    std::string v;
    if (a == "--headless") {
      o.headless = true;
    } else if (a == "--debug-panel") {
      o.debug_panel = true;
    } else if (a == "--check-data") {
      o.check_data = true;
    } else if (a == "--root") {
      if (!value(o.root)) return usage("--root needs a folder");
    } else if (a == "--script") {
      if (!value(o.script)) return usage("--script needs a file");
    } else if (a == "--seed") {
      if (!value(v)) return usage("--seed needs a number");
      char* end = nullptr;
      unsigned long n = std::strtoul(v.c_str(), &end, 10);
      if (v.empty() || *end) return usage("--seed needs a number");
      o.seed = static_cast<uint32_t>(n);
    } else if (a == "--zoom") {
      if (!value(v) || v.size() != 1 || v[0] < '1' || v[0] > '4') return usage("--zoom takes 1, 2, 3 or 4");
      o.window.zoom = v[0] - '0';
    } else if (a == "--fullscreen") {
      o.window.fullscreen = true;
    } else if (a == "--mute") {
      o.window.mute = true;
    } else if (a == "--fast") {
      o.fast = true;
    } else if (a == "--answer") {
      if (!value(v) || (v != "yes" && v != "no")) return usage("--answer takes yes or no");
      o.answer_yes = v == "yes";
    } else {
      return usage("unknown option " + a);
    }
  }
  if (o.root.empty()) o.root = default_root(argv[0]);
  const uint32_t seed =
      o.seed.value_or(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));

  if (o.check_data) return z2::check_data_main(o.root, std::cout);

  if (o.headless) {
    std::ifstream script_file;
    if (!o.script.empty()) {
      script_file.open(o.script, std::ios::binary);
      if (!script_file) return usage("cannot read the script " + o.script);
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    z2::HeadlessPlatform platform(std::cout, o.answer_yes);
    platform.fast = o.fast;
    z2::SeededRandom rng(seed);
    z2::Game g(platform, rng, o.root);
    z2::startup(g);
    if (o.debug_panel) g.ui.debug_box.visible = true;
    int rc = z2::run_script(g, platform, o.script.empty() ? std::cin : script_file);
    std::cout.flush();
    return rc;
  }

  // The window does its own whole-number zoom, which keeps the pictures'
  // pixels crisp; the toolkit's own scaling (fractional on many screens)
  // would blur them, and the two would multiply.
  if (!std::getenv("QT_ENABLE_HIGHDPI_SCALING")) setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZANDO ARENA 2"));
  QTranslator qt_ja;
  if (qt_ja.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qt_ja);
  z2::MainWindow w;
  // The default zoom follows the screen's scale.
  int screen_zoom = 1;
  if (QScreen* s = QGuiApplication::primaryScreen())
    screen_zoom = z2::zoom_for_scale(std::max(s->devicePixelRatio(), s->logicalDotsPerInch() / 96.0));
  w.apply(z2::resolve(z2::load_prefs(screen_zoom), o.window));
  z2::QtPlatform platform(w);
  z2::SeededRandom rng(seed);
  z2::Game g(platform, rng, o.root);
  w.attach(g);
  // Logout, a closed terminal or kill: the game saves as at the close box.
  z2::SessionEnd session_end(w);
  z2::startup(g);
  if (o.debug_panel) g.ui.debug_box.visible = true;
  w.sync();
  if (QScreen* s = QGuiApplication::primaryScreen()) {
    QRect r = w.frameGeometry();
    r.moveCenter(s->availableGeometry().center());
    w.move(r.topLeft());
  }
  w.show_as_chosen();
  return app.exec();
}
