// --record: a session played in the real window, written as a script of the
// headless driver, plays again through `zando2 --headless --script` to the
// same game and the same save, byte for byte.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "../unit/game_fixture.h"
#include "data/save.h"
#include "platform/qt/recorder.h"
#include "platform/qt/session.h"
#include "platform/qt/window.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"
#include "boxes.h"
#include "keys.h"
#include "state/vars.h"
#include "../unit/temp_dir.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

using test::read_bytes;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

// The rooms set with a save to continue from: floor 7, a book to name the weapon with.
void make_start(const fs::path& dir) {
  fs::copy(fs::path(ZANDO_FIXTURES) / "rooms", dir, fs::copy_options::recursive);
  if (!fs::exists(dir / "cg") && fs::exists(fs::path(ZANDO_GAME_DIR) / "cg"))
    fs::copy(fs::path(ZANDO_GAME_DIR) / "cg", dir / "cg", fs::copy_options::recursive);
  GameState saved;
  new_game_values(saved);
  saved.my_name = "レコード";
  saved.floor = 7;
  saved.cent = 2200;
  saved.item_have[7] = 1;
  std::ofstream(dir / "dat" / "z.wav", std::ios::binary) << save_bytes(saved);
}

struct Dirs {
  test::TempDir tmp;
  fs::path base = tmp.path;
  Dirs() {
    make_start(base / "window");
    make_start(base / "replay");
  }
  fs::path script() const { return base / "session.script"; }
};

struct RecordedGame {
  Dirs dirs;
  MainWindow w;
  QtPlatform plat{w};
  // The window draws from the clock's seed in play; any seed serves, as long
  // as the recording names it.
  SeededRandom rng{20261208};
  std::unique_ptr<Game> g;
  Recorder rec{dirs.script().string()};
  std::unique_ptr<SessionEnd> ending;
  test::Boxes boxes;

  RecordedGame() {
    EXPECT_TRUE(rec.ok());
    rec.seed(20261208);
    g = std::make_unique<Game>(plat, rng, (dirs.base / "window").string());
    bind_handlers(*g);
    w.attach(*g);
    w.set_recorder(&rec);
    ending = std::make_unique<SessionEnd>(w);
    startup(*g);
    w.sync();
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
  }
  ~RecordedGame() {
    ending.reset();
    g->closed = true;
    w.close();
  }
  void click(const std::string& name) {
    QWidget* wd = w.widget_of(name);
    ASSERT_NE(wd, nullptr) << name;
    ASSERT_TRUE(QTest::qWaitFor([&] { return wd->isVisible() && wd->isEnabled(); }, 5000)) << name;
    QTest::mouseClick(wd, Qt::LeftButton);
  }
  void pick(const std::string& row_text) {
    auto* l = qobject_cast<QListWidget*>(w.widget_of("list_l"));
    ASSERT_NE(l, nullptr);
    const auto found = l->findItems(QString::fromStdString(row_text), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << row_text;
    const QRect r = l->visualItemRect(found[0]);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
  }
  // The window's own timers run meanwhile (the 50 ms status refresh).
  void wait(int ms) { QTest::qWait(ms); }
  bool wait_closed() { return QTest::qWaitFor([&] { return g->closed && !w.isVisible(); }, 20000); }
};

// What `dump` prints: every saved variable in save-file order, arrays' non-zero entries.
std::string dump_of(GameState& s) {
  std::string out;
  for (const SaveRun& run : save_layout()) {
    const Var& v = *run.var;
    if (v.type != Var::Type::Array) {
      out += std::string(v.name) + "=" + var_get(s, {&v, -1}) + "\n";
      continue;
    }
    auto a = v.arr(s);
    for (int i = run.first; i < run.first + run.count; ++i)
      if (a[static_cast<size_t>(i)] != 0)
        out += std::string(v.name) + "[" + std::to_string(i) + "]=" + std::to_string(a[static_cast<size_t>(i)]) + "\n";
  }
  return out;
}

struct ProgramRun {
  int status = -1;
  std::string out;
};

// The program itself, headless, over a folder.
ProgramRun replay(const fs::path& root, const fs::path& script) {
  QProcess p;
  p.setProgram(QStringLiteral(ZANDO2));
  p.setArguments({QStringLiteral("--headless"), QStringLiteral("--root"), QString::fromStdString(root.string()),
                  QStringLiteral("--script"), QString::fromStdString(script.string())});
  p.start();
  ProgramRun r;
  if (!p.waitForFinished(60000)) return r;
  r.status = p.exitCode();
  r.out = p.readAllStandardOutput().toStdString();
  return r;
}

// The replayed game's saved variables: the recording up to its close, then dump.
std::string replayed_dump(const Dirs& d, const std::vector<std::string>& recorded) {
  const fs::path dir = d.base / "dump";
  make_start(dir);
  const fs::path script = d.base / "dump.script";
  std::ofstream s(script, std::ios::binary);
  for (const auto& l : recorded)
    if (l != "close") s << l << "\n";
  s << "# the dump\ndump\nquit\n";
  s.close();
  std::string dump;
  bool in_dump = false;
  for (const auto& l : lines_of(replay(dir, script).out)) {
    if (l.rfind("my_name=", 0) == 0) in_dump = true;  // the first saved variable
    if (in_dump) dump += l + "\n";
  }
  return dump;
}

void expect_before(const std::vector<std::string>& lines, const std::string& first, const std::string& then) {
  for (size_t i = 0; i + 1 < lines.size(); ++i)
    if (lines[i] == first && lines[i + 1] == then) return;
  ADD_FAILURE() << "no '" << first << "' right before '" << then << "'";
}

}  // namespace

TEST(Record, AWindowSessionReplaysHeadlessToTheSameGameAndSave) {
  RecordedGame t;
  t.wait(120);
  // NEW GAME asks whether to wipe the save: no.
  t.boxes.expect(QMessageBox::No);
  t.click("Button12");
  t.wait(80);
  ASSERT_TRUE(t.g->ui.start_box.visible);
  t.click("Button11");  // COUNTINUE
  ASSERT_TRUE(QTest::qWaitFor([&] { return !t.g->ui.start_box.visible; }, 5000));
  t.wait(150);
  auto* slider = qobject_cast<QSlider*>(t.w.widget_of("sp_l"));
  ASSERT_NE(slider, nullptr);
  slider->setValue(6);
  // The book that names the weapon: the items menu, a pick from the list, a name typed.
  t.click("m1");
  t.wait(100);
  t.pick("名付けの書");
  t.click("OK");
  t.wait(100);
  auto* name = qobject_cast<QLineEdit*>(t.w.widget_of("name_l"));
  ASSERT_NE(name, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return name->isVisible(); }, 5000));
  name->setFocus();
  // Japanese text comes from the input method, one committed character at a time.
  for (const QChar c : QStringLiteral("竜の剣")) {
    QInputMethodEvent commit;
    commit.setCommitString(QString(c));
    QApplication::sendEvent(name, &commit);
  }
  t.wait(60);
  t.click("name_b");
  t.wait(200);
  const std::string named = t.g->s.buki_name;
  EXPECT_EQ(named, "竜の剣");
  // The close box saves and says goodbye.
  t.w.close();
  ASSERT_TRUE(t.wait_closed());
  const std::string window_dump = dump_of(t.g->s);
  const std::string window_save = read_bytes(t.dirs.base / "window" / "dat" / "z.wav");
  ASSERT_EQ(window_save, save_bytes(t.g->s));

  const std::vector<std::string> recorded = lines_of(read_bytes(t.dirs.script()));
  ASSERT_GE(recorded.size(), 3u);
  EXPECT_EQ(recorded[1], "seed 20261208");
  EXPECT_EQ(recorded.back(), "close");
  expect_before(recorded, "answer no", "click Button12");
  std::string joined;
  for (const auto& l : recorded) joined += l + "\n";
  for (const char* want : {"\nclick Button11\n", "\nslide 6\n", "\nclick m1\n", "\nselect# ", "\ntype 竜\n",
                           "\ntype 竜の剣\n", "\nclick name_b\n", "\ntick Timer1"})
    EXPECT_NE(joined.find(want), std::string::npos) << want << " missing from\n" << joined;

  // Played again without a window, from the same start.
  const ProgramRun r = replay(t.dirs.base / "replay", t.dirs.script());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("bad:"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("refused:"), std::string::npos) << r.out;
  EXPECT_EQ(read_bytes(t.dirs.base / "replay" / "dat" / "z.wav"), window_save);
  EXPECT_EQ(read_bytes(t.dirs.base / "replay" / "投稿.txt"), read_bytes(t.dirs.base / "window" / "投稿.txt"));
  EXPECT_EQ(replayed_dump(t.dirs, recorded), window_dump);
}

TEST(Record, ASessionPlayedByKeysReplaysHeadlessToTheSameSave) {
  RecordedGame t;
  t.boxes.hold();
  test::KeyBoxes keys;
  auto key = [&](Qt::Key k) {
    QTest::keyClick(t.w.windowHandle(), k);
    QTest::qWait(5);
  };
  auto focus = [&] { return t.w.focus().current() ? t.w.focus().current()->name : std::string(); };
  t.wait(120);
  EXPECT_EQ(focus(), "Button11") << "a save to continue";
  // NEW GAME, and Escape answers its box with no.
  keys.expect({Qt::Key_Escape});
  key(Qt::Key_N);
  ASSERT_TRUE(t.g->ui.start_box.visible);
  key(Qt::Key_C);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !t.g->ui.start_box.visible; }, 5000));
  t.wait(150);
  // The text speed below the play area: right makes it slower.
  for (int i = 0; i < 40 && focus() != "sp_l"; ++i) key(Qt::Key_Tab);
  ASSERT_EQ(focus(), "sp_l");
  const int speed = t.g->ui.sp_l.value;
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  EXPECT_EQ(t.g->ui.sp_l.value, speed + 2);
  // The book that names the weapon, picked row by row.
  for (int i = 0; i < 40 && focus() != "m1"; ++i) key(Qt::Key_Tab);
  ASSERT_EQ(focus(), "m1");
  key(Qt::Key_Return);
  ASSERT_EQ(focus(), "list_l");
  const Control& list = t.g->ui.list_l;
  for (size_t i = 0; i <= list.rows.size(); ++i) {
    key(Qt::Key_Down);
    if (list.selected >= 0 && list.rows[static_cast<size_t>(list.selected)] == "名付けの書") break;
  }
  ASSERT_EQ(list.rows.at(static_cast<size_t>(list.selected)), "名付けの書");
  key(Qt::Key_Return);  // OK
  t.wait(100);
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.g->ui.name_box.shown(); }, 5000));
  EXPECT_EQ(focus(), "name_l");
  auto* name = qobject_cast<QLineEdit*>(t.w.widget_of("name_l"));
  ASSERT_EQ(t.w.focusWidget(), name) << "typing goes into the field";
  for (const QChar c : QStringLiteral("竜の剣")) {
    QInputMethodEvent commit;
    commit.setCommitString(QString(c));
    QApplication::sendEvent(t.w.focusWidget(), &commit);
  }
  // Left stays in the field: the cursor moves, the focus does not.
  key(Qt::Key_Left);
  EXPECT_EQ(focus(), "name_l");
  key(Qt::Key_Return);  // the field's button
  t.wait(200);
  EXPECT_EQ(t.g->s.buki_name, "竜の剣");
  // The close box's goodbye, answered by Enter.
  keys.answer_all({Qt::Key_Return});
  t.w.close();
  ASSERT_TRUE(t.wait_closed());
  const std::string window_save = read_bytes(t.dirs.base / "window" / "dat" / "z.wav");
  ASSERT_EQ(window_save, save_bytes(t.g->s));
  const std::vector<std::string> recorded = lines_of(read_bytes(t.dirs.script()));
  std::string joined;
  for (const auto& l : recorded) joined += l + "\n";
  for (const char* want : {"\nanswer no\nclick Button12\n", "\nclick Button11\n", "\nslide ", "\nclick m1\n",
                           "\nselect# ", "\nclick OK\n", "\ntype 竜の剣\n", "\nclick name_b\n"})
    EXPECT_NE(joined.find(want), std::string::npos) << want << " missing from\n" << joined;
  const ProgramRun r = replay(t.dirs.base / "replay", t.dirs.script());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("refused:"), std::string::npos) << r.out;
  EXPECT_TRUE(read_bytes(t.dirs.base / "replay" / "dat" / "z.wav") == window_save) << "the replay saved another game";
  EXPECT_EQ(replayed_dump(t.dirs, recorded), dump_of(t.g->s));
}

TEST(Record, ASignalWhileABoxWaitsAnswersNoAndEndsTheRecordingWithTheClose) {
  RecordedGame t;
  t.click("Button11");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !t.g->ui.start_box.visible; }, 5000));
  t.wait(150);
  // The clinic asks for its fee; nobody answers, then the session ends.
  t.boxes.hold();
  QTimer::singleShot(300, [] { ::kill(::getpid(), SIGTERM); });
  t.click("s_er");
  ASSERT_TRUE(t.wait_closed());
  const std::vector<std::string> recorded = lines_of(read_bytes(t.dirs.script()));
  ASSERT_FALSE(recorded.empty());
  EXPECT_EQ(recorded.back(), "close");
  expect_before(recorded, "answer no", "click s_er");
  const ProgramRun r = replay(t.dirs.base / "replay", t.dirs.script());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("ask: 治療には"), std::string::npos) << r.out;
  EXPECT_EQ(read_bytes(t.dirs.base / "replay" / "dat" / "z.wav"), read_bytes(t.dirs.base / "window" / "dat" / "z.wav"));
  EXPECT_EQ(replayed_dump(t.dirs, recorded), dump_of(t.g->s));
}

// How the recorder orders what the window tells it, without a window.
TEST(Record, AnswersGoBeforeTheirActionTicksAreCountedAndAClosesActionWaitsForIt) {
  const fs::path file = fs::temp_directory_path() / ("zando-recorder-" + std::to_string(::getpid()) + ".script");
  {
    Recorder r(file.string());
    ASSERT_TRUE(r.ok());
    r.seed(42);
    for (int i = 0; i < 3; ++i) {
      r.begin("tick Timer1");
      r.end();
    }
    r.begin("click Button12");
    r.answer(false);
    r.begin("tick Timer1");  // inside an action: part of it, not a line of its own
    r.answer(true);
    r.end();
    r.begin("tick Timer2");
    r.answer(true);  // a tick whose handler asked stands alone with its answer
    r.end();
    r.begin("tick Timer1");
    r.end();
    // The debug panel's quit: its close box's answer too comes before its click.
    r.begin("click Button20");
    r.hold_for_close();
    r.end();
    EXPECT_TRUE(r.holding());
    r.answer(true);
    r.closed();
  }
  const std::string got = read_bytes(file);
  fs::remove(file);
  EXPECT_EQ(got,
            "# a session of the window, for zando2 --headless --script\n"
            "seed 42\n"
            "tick Timer1 3\n"
            "answer no\n"
            "answer yes\n"
            "click Button12\n"
            "answer yes\n"
            "tick Timer2\n"
            "tick Timer1\n"
            "answer yes\n"
            "click Button20\n"
            "close\n");
}

TEST(Record, ARefusedCloseKeepsItsAnswersAndTheGameGoesOn) {
  const fs::path file = fs::temp_directory_path() / ("zando-recorder-r-" + std::to_string(::getpid()) + ".script");
  {
    Recorder r(file.string());
    r.seed(1);
    // The close box: the save fails, "no" keeps the game.
    r.begin("close");
    r.answer(false);
    r.end();
    // The game's own close, refused the same way: the click alone replays it.
    r.begin("click Button20");
    r.hold_for_close();
    r.end();
    r.answer(false);
    r.close_refused();
    r.begin("click s_er");
    r.end();
    r.closed();
  }
  EXPECT_EQ(read_bytes(file),
            "# a session of the window, for zando2 --headless --script\n"
            "seed 1\n"
            "answer no\n"
            "close\n"
            "answer no\n"
            "click Button20\n"
            "click s_er\n"
            "close\n");
  fs::remove(file);
  EXPECT_FALSE(Recorder("/nonexistent-folder/x.script").ok());
}
