// make_screenshot ROOT OUT.png: the picture of the game that software centres
// show beside its description. The real window draws it offscreen at zoom 2
// from the content in ROOT: a new game's first fight in the monster room.
// Nothing is saved and no sound is made; the same content gives the same
// picture.
#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "game_handlers.h"
#include "platform/qt/audio.h"
#include "platform/qt/window.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"

namespace {

// The window's platform without its pauses, every box answered yes at once
// and every error noted: the picture is taken when the game waits for the
// player, as a player would see it.
class ShotPlatform : public z2::QtPlatform {
 public:
  explicit ShotPlatform(z2::MainWindow& w) : QtPlatform(w, std::make_unique<z2::SilentAudio>()) {}
  void pause(int) override {}
  bool ask(const std::string&) override { return true; }
  void notice(const std::string&) override {}
  void error(const std::string& text) override { errors.push_back(text); }
  std::vector<std::string> errors;
};

// The seed of the game's generator: it chooses the opponent.
constexpr uint32_t kSeed = 7;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_screenshot ROOT OUT.png\n";
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // Whatever the game writes goes to a folder that is gone afterwards.
  QTemporaryDir user_dir;
  if (!user_dir.isValid()) {
    std::cerr << "make_screenshot: no temporary folder: " << user_dir.errorString().toStdString() << "\n";
    return 1;
  }

  z2::MainWindow w;
  w.apply(z2::WindowPrefs{.zoom = 2});
  ShotPlatform platform(w);
  z2::SeededRandom rng(kSeed);
  z2::Game g(platform, rng, argv[1]);
  z2::bind_handlers(g);
  g.user_dir = user_dir.path().toStdString() + "/";
  w.attach(g);
  z2::startup(g);
  w.show();
  QApplication::processEvents();

  const auto step = [&](const char* control) {
    if (!z2::click(g, control)) {
      std::cerr << "make_screenshot: " << control << " could not be clicked\n";
      return false;
    }
    z2::timer_fire(g, 1);
    w.sync();
    QApplication::processEvents();
    return true;
  };
  if (!step("Button12") || !step("s_battle")) return 1;
  if (!platform.errors.empty() || !g.s.in_battle) {
    std::cerr << "make_screenshot: no fight in " << argv[1] << ": "
              << (platform.errors.empty() ? "" : platform.errors.front()) << "\n";
    return 1;
  }
  if (!w.grab().toImage().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::cerr << "make_screenshot: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
