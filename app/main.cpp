// zando2: the game in its window, or headless for scripts (see the README).
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>
#include <QTranslator>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "platform/headless/headless.h"
#include "platform/qt/gamepad.h"
#include "platform/qt/session.h"
#include "platform/qt/settings.h"
#include "platform/qt/window.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "data/check.h"
#include "data/reader.h"
#include "data/save_history.h"
#include "folders.h"
#include "options.h"
#include "platform/qt/recorder.h"

namespace {

// The folder of the running program.
std::string program_dir(const char* argv0) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path exe = fs::canonical("/proc/self/exe", ec);
  if (ec) exe = fs::absolute(argv0, ec);
  return exe.parent_path().string();
}

// For the start-up benchmark: with ZANDO_FIRST_PAINT_FD=N in the environment
// the window writes one line to descriptor N once its first paint is done and
// the program ends there, without the close handler (nothing is saved).
class FirstPaintProbe : public QObject {
 public:
  explicit FirstPaintProbe(int fd) : fd_(fd) {}
  // Watches every widget: the window's own background may be hidden under
  // its children, which then get the paint events.
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      // Queued: it runs once the whole window has painted.
      QMetaObject::invokeMethod(
          this,
          [fd = fd_] {
            const char line[] = "painted\n";
            if (write(fd, line, sizeof line - 1) < 0) {
              // The benchmark is gone; end all the same.
            }
            QCoreApplication::quit();
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  int fd_;
  bool seen_ = false;
};

// A program folder without the game's content: nothing could run. Said on
// standard error, and in the window's face also in a box, for a player who
// started the game from the desktop and sees no terminal.
int report_missing_content(const std::string& missing, bool headless, int argc, char** argv) {
  const std::string line = missing + " (--root DIR chooses the folder that holds dat/ and cg/)";
  std::cerr << "zando2: " << line << "\n";
  if (!headless) {
    QApplication app(argc, argv);
    // Nobody sees a box on the offscreen platform.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
      QMessageBox::critical(nullptr, QStringLiteral("ZANDO ARENA 2"), QString::fromStdString(line));
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const z2::ParsedOptions parsed = z2::parse_options(args);
  if (parsed.outcome != z2::ParsedOptions::Outcome::Run) return z2::report_parse_outcome(parsed);
  z2::Options o = parsed.options;
  z2::keep_path_bytes(o, argc, argv);
  const z2::Folders where = z2::choose_folders(o.root, program_dir(argv[0]), ZANDO_GAME_DIR, ZANDO_INSTALLED_DATA);
  const uint32_t seed =
      o.seed.value_or(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));

  if (const std::string missing = z2::missing_content(where.root); !missing.empty())
    return report_missing_content(missing, o.headless || o.check_data, argc, argv);
  if (o.check_data) return z2::check_data_main(where.root, std::cout);
  if (o.saves) {
    const std::string root = where.root.ends_with('/') ? where.root : where.root + "/";
    const std::string dir = where.user_dir.empty() ? root + "dat/" : where.user_dir;
    return z2::list_saves(dir + "z.wav", std::cout);
  }

  if (o.headless) {
    // Read whole, as a regular file: a folder or a device is no script.
    std::istringstream script_file;
    if (!o.script.empty()) {
      try {
        script_file.str(z2::read_file_bytes(o.script));
      } catch (const z2::DataError& e) {
        std::cerr << "zando2: cannot read the script " << o.script << ": " << e.reason() << "\n";
        return 2;
      }
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    z2::HeadlessPlatform platform(std::cout, o.answer_yes);
    platform.fast = o.fast;
    z2::SeededRandom rng(seed);
    z2::Game g(platform, rng, where.root);
    z2::bind_handlers(g);
    g.user_dir = where.user_dir;
    z2::startup(g);
    if (o.debug_panel) g.ui.debug_box.visible = true;
    // A termination signal saves, as in the window.
    z2::catch_end_signals();
    int rc = z2::run_script(g, platform, o.script.empty() ? std::cin : script_file);
    std::cout.flush();
    return rc;
  }

  std::unique_ptr<z2::Recorder> recorder;
  if (!o.record.empty()) {
    recorder = std::make_unique<z2::Recorder>(o.record);
    if (!recorder->ok()) {
      std::cerr << "zando2: cannot write the recording " << o.record << "\n";
      return 2;
    }
    recorder->seed(seed);
    // What the replay needs besides the script.
    if (o.debug_panel) recorder->note("play again with: zando2 --headless --debug-panel --script FILE");
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
  const int screen_zoom = z2::zoom_for_screen(QGuiApplication::primaryScreen());
  z2::WindowOptions window_options;
  window_options.zoom = o.zoom;
  window_options.fullscreen = o.fullscreen;
  window_options.mute = o.mute;
  w.apply(z2::resolve(z2::load_prefs(screen_zoom), window_options));
  w.options_help = QString::fromStdString(z2::parse_options({QStringLiteral("zando2"), QStringLiteral("--help")}).text);
  // Before the sound device opens on its own thread: SDL starts one part at a time.
  z2::Gamepad gamepad(w);
  z2::QtPlatform platform(w);
  z2::SeededRandom rng(seed);
  z2::Game g(platform, rng, where.root);
  z2::bind_handlers(g);
  g.user_dir = where.user_dir;
  w.attach(g);
  if (recorder) w.set_recorder(recorder.get());
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
  std::unique_ptr<FirstPaintProbe> probe;
  if (const char* fd = std::getenv("ZANDO_FIRST_PAINT_FD")) {
    probe = std::make_unique<FirstPaintProbe>(std::atoi(fd));
    QCoreApplication::instance()->installEventFilter(probe.get());
  }
  w.show_as_chosen();
  const int rc = app.exec();
  // All the game keeps is on disk by now: the save and the report were
  // written at the close, the window's choices as they were made, and the
  // recording closes here. Taking the sound device down (FluidSynth lets its
  // voices die) would keep the process a second or two after its window has
  // gone, so the system closes it instead.
  recorder.reset();
  std::cout.flush();
  std::cerr.flush();
  std::_Exit(rc);
}
