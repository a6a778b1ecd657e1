// The end of a session from outside the window: a termination signal or the
// desktop logging out closes the game as its close box does, saving, without
// waiting for anybody to answer a box.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "../unit/game_fixture.h"
#include "data/save.h"
#include "platform/qt/session.h"
#include "platform/qt/window.h"
#include "game_handlers.h"
#include "shell/game.h"
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
