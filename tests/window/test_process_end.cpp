// The program's end from outside, on the program itself: a termination
// signal ends the window and the headless driver within moments whatever the
// game is doing, saving as the close box would, and the exit status says
// whether that save failed.
#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>

#include "../unit/game_fixture.h"
#include "../unit/temp_dir.h"
#include "tone.h"
#include "data/cp932.h"
#include "data/save.h"
#include "shell/ui.h"
#include "state/vars.h"

// Last: Xlib's macros (None, Bool, Status) would clash with the headers above.
#ifdef ZANDO_XTEST
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#endif

namespace fs = std::filesystem;
using namespace z2;

namespace {

using test::read_bytes;

// The mini set with a save to continue from, a tone for every effect and a
// title music of zero bytes, which no synthesizer can play.
struct Folder {
  test::TempDir tmp;
  fs::path path = tmp.path;
  Folder() {
    fs::copy(fs::path(ZANDO_FIXTURES) / "mini", path, fs::copy_options::recursive);
    GameState saved;
    new_game_values(saved);
    saved.my_name = "シグナル";
    std::ofstream(save(), std::ios::binary) << save_bytes(saved);
    std::ofstream(path / "dat" / "open.mid", std::ios::binary);
    test::write_tone(path / "dat" / "key.wav", 500);
  }
  fs::path save() const { return path / "dat" / "z.wav"; }
  // Whatever stands at the temporary file's name and cannot be removed
  // (a folder with a file in it) makes the save fail.
  void block_save() const {
    fs::create_directories(path / "dat" / "z.wav.tmp");
    std::ofstream(path / "dat" / "z.wav.tmp" / "x") << "x";
  }
  size_t backups() const {
    size_t n = 0;
    std::error_code ec;
    for (fs::directory_iterator it(path / "dat" / "backups", ec), end; !ec && it != end; it.increment(ec)) ++n;
    return n;
  }
};

// The program's end by SIGTERM: whether it ended (within a generous bound, a
// hang detector, not a measure), its exit status and how long it took.
struct Ending {
  bool ended = false;
  int status = -1;
  qint64 ms = 0;
};

Ending terminate(QProcess& p) {
  QElapsedTimer since;
  since.start();
  Ending e;
  if (::kill(static_cast<pid_t>(p.processId()), SIGTERM) != 0) return e;
  e.ended = p.waitForFinished(10000);
  e.ms = since.elapsed();
  if (!e.ended) {
    p.kill();
    p.waitForFinished(2000);
    return e;
  }
  e.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  return e;
}

QProcess* headless(QProcess& p, const Folder& d) {
  p.setProgram(QStringLiteral(ZANDO2));
  p.setArguments({QStringLiteral("--headless"), QStringLiteral("--root"), QString::fromStdString(d.path.string()),
                  QStringLiteral("--seed"), QStringLiteral("1")});
  p.start();
  return &p;
}

// Feeds commands and waits for the line that the last one prints.
bool say(QProcess& p, const std::string& commands, const std::string& until, std::string& out) {
  p.write(commands.data(), static_cast<qint64>(commands.size()));
  return QTest::qWaitFor(
      [&] {
        out += p.readAllStandardOutput().toStdString();
        return out.find(until) != std::string::npos;
      },
      10000);
}

}  // namespace

TEST(HeadlessEnd, ASignalWhileWaitingForACommandSaves) {
  Folder d;
  QProcess p;
  headless(p, d);
  ASSERT_TRUE(p.waitForStarted(10000));
  std::string out;
  ASSERT_TRUE(say(p, "click Button11\nset cent 4321\nget cent\n", "cent=4321", out)) << out;
  // The driver waits on its input now: the signal cuts that wait short.
  const Ending e = terminate(p);
  ASSERT_TRUE(e.ended) << "the driver never ended";
  std::cout << "headless: SIGTERM to exit " << e.ms << " ms\n";
  EXPECT_EQ(e.status, 0);
  out += p.readAllStandardOutput().toStdString();
  EXPECT_NE(out.find("cent=4321\nse: key.wav\n"), std::string::npos) << "saved as at close, asking nothing: " << out;
  EXPECT_EQ(out.find("notice:"), std::string::npos) << out;
  EXPECT_NE(read_bytes(d.save()).find("\r\n4321\r\n"), std::string::npos);
  EXPECT_EQ(d.backups(), 1u);
}

TEST(HeadlessEnd, ASaveThatFailsAtASignalEndsWithStatusOne) {
  Folder d;
  const std::string before = read_bytes(d.save());
  d.block_save();
  QProcess p;
  headless(p, d);
  ASSERT_TRUE(p.waitForStarted(10000));
  std::string out;
  ASSERT_TRUE(say(p, "click Button11\nset cent 4321\nget cent\n", "cent=4321", out)) << out;
  const Ending e = terminate(p);
  ASSERT_TRUE(e.ended);
  EXPECT_EQ(e.status, 1) << "the game was not saved";
  out += p.readAllStandardOutput().toStdString();
  EXPECT_NE(out.find("error: "), std::string::npos) << out;
  EXPECT_NE(out.find("z.wav を保存できません"), std::string::npos) << out;
  EXPECT_EQ(read_bytes(d.save()), before);
}

TEST(HeadlessEnd, ASignalOnTheTitleWritesNothing) {
  Folder d;
  const std::string before = read_bytes(d.save());
  QProcess p;
  headless(p, d);
  ASSERT_TRUE(p.waitForStarted(10000));
  std::string out;
  ASSERT_TRUE(say(p, "get cent\n", "cent=", out)) << out;
  const Ending e = terminate(p);
  ASSERT_TRUE(e.ended);
  EXPECT_EQ(e.status, 0);
  EXPECT_EQ(read_bytes(d.save()), before);
  EXPECT_FALSE(fs::exists(d.path / "投稿.txt"));
}

#ifdef ZANDO_XTEST
namespace {

// The program's window on the X server: the top-level window of process
// `pid` with the game's caption, once it is shown.
Window window_of(Display* x, Window w, qint64 pid) {
  char* name = nullptr;
  if (XFetchName(x, w, &name) && name) {
    const bool ours = std::string(name) == "ZANDO ARENA 2";
    XFree(name);
    Atom type;
    int format;
    unsigned long n = 0, left = 0;
    unsigned char* data = nullptr;
    XWindowAttributes a;
    if (ours && XGetWindowProperty(x, w, XInternAtom(x, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type,
                                   &format, &n, &left, &data) == Success &&
        data) {
      const bool same = n == 1 && static_cast<qint64>(*reinterpret_cast<unsigned long*>(data)) == pid;
      XFree(data);
      if (same && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable) return w;
    }
  }
  Window root, parent, *kids = nullptr;
  unsigned count = 0;
  if (!XQueryTree(x, w, &root, &parent, &kids, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && !found; ++i) found = window_of(x, kids[i], pid);
  if (kids) XFree(kids);
  return found;
}

// A click of the X server's own pointer (XTest) on the control `c` of the
// program's window: what a player's mouse does.
bool click_in(qint64 pid, const Control& c) {
  Display* x = XOpenDisplay(nullptr);
  if (!x) return false;
  Window w = 0;
  const bool shown = QTest::qWaitFor([&] { return (w = window_of(x, DefaultRootWindow(x), pid)) != 0; }, 10000);
  if (shown) {
    int cx = c.left + c.width / 2, cy = c.top + c.height / 2;
    for (const Control* p = c.parent; p; p = p->parent) {
      cx += p->left;
      cy += p->top;
    }
    int rx = 0, ry = 0;
    Window child;
    XTranslateCoordinates(x, w, DefaultRootWindow(x), cx, cy, &rx, &ry, &child);
    XTestFakeMotionEvent(x, -1, rx, ry, 0);
    XTestFakeButtonEvent(x, 1, True, 0);
    XTestFakeButtonEvent(x, 1, False, 50);
    XFlush(x);
  }
  XCloseDisplay(x);
  return shown;
}

// True once the captured sound output holds anything but silence.
bool sound_heard(const fs::path& capture) {
  std::ifstream f(capture, std::ios::binary);
  char buf[65536];
  while (f.read(buf, sizeof buf) || f.gcount() > 0) {
    for (std::streamsize i = 0; i < f.gcount(); ++i)
      if (buf[i] != 0) return true;
  }
  return false;
}

struct GameProcess {
  Folder d;
  test::TempDir config;
  fs::path capture = config.path / "sound.raw";
  QProcess p;
  GameProcess() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(config.path.string()));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
    env.insert(QStringLiteral("SDL_DISKAUDIOFILE"), QString::fromStdString(capture.string()));
    p.setProcessEnvironment(env);
    p.setProgram(QStringLiteral(ZANDO2));
    p.setArguments({QStringLiteral("--root"), QString::fromStdString(d.path.string()), QStringLiteral("--zoom"),
                    QStringLiteral("1")});
  }
  // Starts the program and clicks COUNTINUE, whose click plays key.wav.
  void continue_game() {
    p.start();
    ASSERT_TRUE(p.waitForStarted(10000));
    const Ui ui;
    ASSERT_TRUE(click_in(p.processId(), ui.Button11)) << "no window of the program came up";
    EXPECT_TRUE(QTest::qWaitFor([&] { return sound_heard(capture); }, 10000))
        << "the click's effect is heard while the title music cannot play";
  }
};

}  // namespace

TEST(RealX, BrokenTitleMusicLeavesEffectsAndTheSignalServed) {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) GTEST_SKIP() << "needs an X server";
  GameProcess t;
  t.continue_game();
  const Ending e = terminate(t.p);
  ASSERT_TRUE(e.ended) << "the program never ended";
  std::cout << "window: SIGTERM to exit " << e.ms << " ms\n";
  EXPECT_EQ(e.status, 0);
  EXPECT_EQ(t.d.backups(), 1u) << "the save was written (and the one it replaced kept)";
  EXPECT_TRUE(fs::exists(t.d.path / "投稿.txt"));
  EXPECT_NE(read_bytes(t.d.save()).find(utf8_to_cp932("シグナル")), std::string::npos);
}

TEST(RealX, ASaveThatFailsAtASignalEndsTheWindowWithStatusOne) {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) GTEST_SKIP() << "needs an X server";
  GameProcess t;
  const std::string before = read_bytes(t.d.save());
  t.d.block_save();
  t.continue_game();
  const Ending e = terminate(t.p);
  ASSERT_TRUE(e.ended);
  EXPECT_EQ(e.status, 1);
  EXPECT_NE(t.p.readAllStandardError().toStdString().find("z.wav を保存できません"), std::string::npos);
  EXPECT_EQ(read_bytes(t.d.save()), before);
}
#endif
