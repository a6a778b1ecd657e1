// The end of a session from outside the window: a termination signal or the
// desktop logging out closes the game as its close box does, saving, without
// waiting for anybody to answer a box.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "../unit/game_fixture.h"
#include "data/save.h"
#include "platform/qt/session.h"
#include "platform/qt/window.h"
#include "game_handlers.h"
#include "data/cp932.h"
#include "shell/game.h"
#include "shell/messages.h"
#include "shell/title.h"
#include "state/random.h"
#include "../unit/temp_dir.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

using test::read_bytes;

// The mini set in a folder of its own, with a save to continue from.
struct Folder {
  test::TempDir tmp;
  fs::path path = tmp.path;
  Folder() {
    fs::copy(fs::path(ZANDO_FIXTURES) / "mini", path, fs::copy_options::recursive);
    GameState saved;
    new_game_values(saved);
    saved.my_name = "シグナル";
    saved.cent = 500;
    std::ofstream(path / "dat" / "z.wav", std::ios::binary) << save_bytes(saved);
  }
};

struct SessionGame {
  Folder dir;
  MainWindow w;
  QtPlatform plat{w};
  SeededRandom rng{3};
  std::unique_ptr<Game> g;
  std::unique_ptr<SessionEnd> ending;

  SessionGame() {
    g = std::make_unique<Game>(plat, rng, dir.path.string());
    bind_handlers(*g);
    w.attach(*g);
    ending = std::make_unique<SessionEnd>(w);
    startup(*g);
    w.sync();
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
  }
  ~SessionGame() {
    ending.reset();
    g->closed = true;
    w.close();
  }
  // Runs the event loop until the window has closed (a hang guard, not a
  // measure: the close normally takes milliseconds).
  bool wait_closed() {
    return QTest::qWaitFor([&] { return g->closed && !w.isVisible(); }, 20000);
  }
  fs::path save() const { return dir.path / "dat" / "z.wav"; }
};

}  // namespace

TEST(SessionEnd, SigtermSavesWhatTheCloseBoxWould) {
  SessionGame t;
  ASSERT_TRUE(click(*t.g, "Button11"));  // COUNTINUE asks nothing
  t.w.sync();
  ASSERT_FALSE(t.g->ui.start_box.visible);
  t.g->s.cent = 1234;
  t.g->s.item_have[3] = 7;
  ASSERT_EQ(::kill(::getpid(), SIGTERM), 0);
  ASSERT_TRUE(t.wait_closed());
  EXPECT_EQ(t.ending->signal_seen(), SIGTERM);
  const std::string saved = read_bytes(t.save());
  EXPECT_EQ(saved, save_bytes(t.g->s));
  EXPECT_NE(saved.find("\r\n1234\r\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(t.dir.path / "投稿.txt"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no farewell box waits for a player who is gone";
}

TEST(SessionEnd, ASignalDuringABoxAnswersNoAndSavesOnceTheHandlerIsDone) {
  SessionGame t;
  ASSERT_TRUE(click(*t.g, "Button11"));
  t.g->s.cent = 4321;
  QTimer::singleShot(100, [] { ::kill(::getpid(), SIGHUP); });
  // A handler waits in a yes/no box when the hang-up comes.
  const bool yes = t.plat.ask("本当に？");
  EXPECT_FALSE(yes) << "the box is dismissed with the answer that changes nothing";
  EXPECT_FALSE(t.g->closed) << "the save waits until the handler has returned";
  t.g->s.cent = 4322;  // what the handler still does counts
  ASSERT_TRUE(t.wait_closed());
  EXPECT_EQ(t.ending->signal_seen(), SIGHUP);
  EXPECT_EQ(read_bytes(t.save()), save_bytes(t.g->s));
  EXPECT_EQ(t.g->s.cent, 4322);
}

TEST(SessionEnd, AnInterruptOnTheTitleWritesNothing) {
  SessionGame t;
  const std::string before = read_bytes(t.save());
  ASSERT_EQ(::kill(::getpid(), SIGINT), 0);
  ASSERT_TRUE(t.wait_closed());
  EXPECT_EQ(read_bytes(t.save()), before);
  EXPECT_FALSE(fs::exists(t.dir.path / "投稿.txt"));
}

TEST(SessionEnd, TheDesktopLoggingOutSavesToo) {
  SessionGame t;
  ASSERT_TRUE(click(*t.g, "Button11"));
  t.g->s.cent = 99;
  // What the session manager's commit request leads to.
  t.w.end_session();
  ASSERT_TRUE(t.wait_closed());
  EXPECT_EQ(read_bytes(t.save()), save_bytes(t.g->s));
}

TEST(SessionEnd, ASignalWhileAMessageTypesSavesWithinMoments) {
  SessionGame t;
  ASSERT_TRUE(click(*t.g, "Button11"));
  t.g->s.cent = 777;
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "長";  // 6,000 bytes: a minute of typing at the game's pace
  std::thread later([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ::kill(::getpid(), SIGTERM);
  });
  QElapsedTimer typing;
  typing.start();
  msg_put(*t.g, text);
  later.join();
  // A hang detector, not a measure: the rest of the typing runs without its pauses.
  EXPECT_LT(typing.elapsed(), 10000);
  EXPECT_EQ(t.g->ui.moji_l.text, text) << "the game's steps ran on to their end";
  ASSERT_TRUE(t.wait_closed());
  EXPECT_EQ(t.ending->signal_seen(), SIGTERM);
  EXPECT_EQ(read_bytes(t.save()), save_bytes(t.g->s));
}

TEST(SessionEnd, AMegabyteNameIsPaintedAndSaved) {
  SessionGame t;
  // Any bytes but the line ends, as an edited save may hold them.
  std::string bytes;
  uint32_t x = 7;
  while (bytes.size() < (1u << 20)) {
    x = x * 1103515245u + 12345u;
    const char c = static_cast<char>(x >> 24);
    if (c != '\r' && c != '\n' && c != '\x1a') bytes += c;
  }
  GameState saved;
  new_game_values(saved);
  saved.my_name = cp932_to_utf8(bytes);
  std::ofstream(t.save(), std::ios::binary) << save_bytes(saved);
  ASSERT_TRUE(click(*t.g, "Button11"));
  ASSERT_EQ(t.g->s.my_name, saved.my_name);
  timer_fire(*t.g, 1);  // the status panel shows the name
  t.w.sync();
  const QImage shot = t.w.grab().toImage();
  const QWidget* label = t.w.widget_of("my_l");
  ASSERT_NE(label, nullptr);
  const QRect r(label->mapTo(&t.w, QPoint(0, 0)), label->size());
  int text_pixels = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int px = r.left(); px <= r.right(); ++px)
      if (shot.pixel(px, y) != qRgb(1, 48, 99)) ++text_pixels;
  EXPECT_GT(text_pixels, r.width() * r.height() / 20) << "the panel is full of the name's first lines";
  ASSERT_EQ(::kill(::getpid(), SIGTERM), 0);
  ASSERT_TRUE(t.wait_closed());
  EXPECT_EQ(read_bytes(t.save()), save_bytes(t.g->s));
  EXPECT_NE(read_bytes(t.save()).find(bytes), std::string::npos) << "the name is kept byte for byte";
}

TEST(NameField, ACharacterTheFilesCannotHoldIsRefused) {
  SessionGame t;
  ASSERT_TRUE(click(*t.g, "Button11"));
  t.g->ui.name_box.visible = true;
  t.w.sync();
  auto* edit = qobject_cast<QLineEdit*>(t.w.widget_of("name_l"));
  ASSERT_NE(edit, nullptr);
  // Key presses that carry their text, as a keyboard layout or an input method gives them.
  auto type = [edit](const QString& text) {
    for (QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(edit, &press);
    }
  };
  type(QStringLiteral("ｱ"));
  type(QStringLiteral("한"));
  type(QStringLiteral("ﾚｸ"));
  EXPECT_EQ(edit->text(), QStringLiteral("ｱﾚｸ"));
  EXPECT_EQ(t.g->ui.name_l.text, "ｱﾚｸ");
  EXPECT_NE(t.g->ui.moji_l.text.find("「한」は使えない文字です"), std::string::npos) << t.g->ui.moji_l.text;
}
