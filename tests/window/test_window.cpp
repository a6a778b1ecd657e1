// The real window: every widget where the model puts it, clicks through the
// title, the map, the stairs, a fight and the colosseum, and the pictures on
// the screen. One screenshot per screen goes to ZANDO_SHOTS.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <deque>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <cstring>
#include <iterator>
#include <sstream>

#include "data/save.h"
#include "platform/qt/audio.h"
#include "platform/qt/window.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"
#include "boxes.h"
#include "tone.h"
#include "../unit/temp_dir.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

// Colours of the test's own pictures, so a sampled pixel tells which one reached the screen.
const QRgb kMyTopLeft = qRgb(10, 200, 30);  // the part of my.bmp the portrait shows
const QRgb kMyRest = qRgb(250, 0, 250);     // the rest of my.bmp
const QRgb kTitle = qRgb(30, 60, 140);
const QRgb kFloor0 = qRgb(0, 120, 200);
const QRgb kFloor1 = qRgb(200, 120, 0);
const QRgb kEnemy = qRgb(220, 40, 40);
const QRgb kBoss = qRgb(240, 220, 10);
const QRgb kBossBig = qRgb(100, 0, 160);
const QRgb kRoom = qRgb(90, 150, 90);

using test::TempDir;

void write_bmp(const fs::path& p, QRgb colour, int w = 64, int h = 64) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  ASSERT_TRUE(img.save(QString::fromStdString(p.string()), "BMP")) << p;
}

// The mini data set with pictures of known colours.
void make_root(const fs::path& root) {
  fs::copy(fs::path(ZANDO_FIXTURES) / "mini", root, fs::copy_options::recursive);
  fs::create_directories(root / "cg");
  QImage my(128, 128, QImage::Format_RGB32);
  my.fill(kMyRest);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) my.setPixel(x, y, kMyTopLeft);
  ASSERT_TRUE(my.save(QString::fromStdString((root / "cg" / "my.bmp").string()), "BMP"));
  write_bmp(root / "cg" / "title.bmp", kTitle, 320, 200);
  write_bmp(root / "cg" / "haikei0.bmp", kFloor0, 160, 100);
  write_bmp(root / "cg" / "haikei1.bmp", kFloor1, 160, 100);
  write_bmp(root / "cg" / "haikei-1.bmp", qRgb(0, 0, 0), 160, 100);
  for (int i = 0; i < 10; ++i) write_bmp(root / "cg" / ("en00" + std::to_string(i) + ".bmp"), kEnemy);
  write_bmp(root / "cg" / "e0.bmp", qRgb(128, 128, 128));
  write_bmp(root / "cg" / "boss0.bmp", kBoss);
  write_bmp(root / "cg" / "bossbig0.bmp", kBossBig, 100, 200);
  write_bmp(root / "cg" / "0_2.bmp", kBossBig, 100, 200);
  write_bmp(root / "cg" / "map0.bmp", kRoom);
  write_bmp(root / "cg" / "map-1.bmp", kRoom);
  write_bmp(root / "cg" / "hoku.bmp", kEnemy);
}

QString label_text(const std::string& s) {
  QString t = QString::fromStdString(s);
  t.replace(QChar('\r'), QChar('\n'));
  return t;
}

// The text a widget shows: a button's caption, a panel's title, a label's or
// an edit field's text. Widgets of the game's own kinds publish theirs as the
// property "text". A null string when the widget has none to read.
QString shown_text(QWidget* wd) {
  if (auto* b = qobject_cast<QAbstractButton*>(wd)) return b->text();
  if (auto* g = qobject_cast<QGroupBox*>(wd)) return g->title();
  if (auto* l = qobject_cast<QLabel*>(wd)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(wd)) return e->text();
  const QVariant v = wd->property("text");
  return v.isValid() ? v.toString() : QString();
}

// Where the model puts a control, in the window's coordinates.
QPoint model_origin(const Control& c) {
  QPoint p(c.left, c.top);
  for (const Control* up = c.parent; up; up = up->parent) p += QPoint(up->left, up->top);
  return p;
}

// Every way a widget differs from its control, one line each.
std::vector<std::string> mirror_faults(MainWindow& w, Game& g) {
  std::vector<std::string> faults;
  auto fault = [&](const Control& c, const std::string& what) { faults.push_back(c.name + ": " + what); };
  for (const Control* c : g.ui.all()) {
    QWidget* wd = w.widget_of(c->name);
    if (!wd) {
      fault(*c, "no widget");
      continue;
    }
    if (wd->objectName() != QString::fromStdString(c->name)) fault(*c, "object name");
    if (wd->size() != c->drawn().size())
      fault(*c, "size " + std::to_string(wd->width()) + "x" + std::to_string(wd->height()));
    const QPoint at = wd->mapTo(&w, QPoint(0, 0));
    if (at != model_origin(*c) + QPoint(c->drawn().left() - c->left, 0)) fault(*c, "at " + std::to_string(at.x()) + "," + std::to_string(at.y()));
    if (wd->isVisible() != c->shown()) fault(*c, c->shown() ? "not shown" : "shown");
    if (wd->isEnabledTo(wd->parentWidget()) != c->enabled) fault(*c, "enabled state");
    switch (c->kind) {
      case Kind::Button:
        if (shown_text(wd) != QString::fromStdString(c->caption)) fault(*c, "caption");
        break;
      case Kind::Panel:
        if (shown_text(wd) != QString::fromStdString(c->caption)) fault(*c, "caption");
        break;
      case Kind::Label:
      case Kind::Edit:
        if (shown_text(wd) != label_text(c->text)) fault(*c, "text");
        break;
      case Kind::Slider:
        if (auto* s = qobject_cast<QSlider*>(wd); !s || s->value() != c->value) fault(*c, "position");
        break;
      case Kind::Gauge: {
        auto* p = qobject_cast<QProgressBar*>(wd);
        const int max = c->max > 0 ? c->max : 1;
        const int v = c->value < 0 ? 0 : (c->value > max ? max : c->value);
        if (!p || p->maximum() != max || p->value() != v) fault(*c, "gauge");
        break;
      }
      default: break;
    }
  }
  return faults;
}

std::string joined(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& x : v) s += x + "\n";
  return s;
}

// The game in its real window over a fresh folder.
struct WindowGame {
  TempDir dir;
  MainWindow w;
  QtPlatform plat{w};
  SeededRandom rng{7};
  std::unique_ptr<Game> g;
  test::Boxes boxes;

  WindowGame() {
    make_root(dir.path);
    g = std::make_unique<Game>(plat, rng, dir.path.string());
    bind_handlers(*g);
    w.attach(*g);
    startup(*g);
    w.sync();
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
  }
  ~WindowGame() {
    // Leave without the close handler's save.
    g->closed = true;
    w.close();
  }

  // Clicks the widget of a control, as the player would.
  void click(const std::string& name) {
    QWidget* wd = w.widget_of(name);
    ASSERT_NE(wd, nullptr) << name;
    ASSERT_TRUE(wd->isVisible()) << name << " is not on the screen";
    ASSERT_TRUE(wd->isEnabled()) << name << " is disabled";
    QTest::mouseClick(wd, Qt::LeftButton);
  }
  // Lets the window's own timers run (the 50 ms status refresh among them).
  void wait(int ms = 200) { QTest::qWait(ms); }
  // Lets them run until a widget's visibility is as wanted (a slow machine may need a while).
  bool wait_shown(const std::string& name, bool want = true) {
    QWidget* wd = w.widget_of(name);
    return wd && QTest::qWaitFor([&] { return wd->isVisible() == want; }, 5000);
  }

  QImage screen() { return w.grab().toImage(); }
  // The colour on the screen at a point of a control.
  QRgb pixel(const std::string& name, int x, int y) {
    const Control* c = g->ui.find(name);
    const QPoint p = model_origin(*c) + QPoint(x, y);
    return screen().pixel(p) & 0xFFFFFFu;
  }
  void shot(const std::string& name) {
    fs::create_directories(ZANDO_SHOTS);
    screen().save(QString::fromStdString((fs::path(ZANDO_SHOTS) / (name + ".png")).string()), "PNG");
  }
  bool shown(const std::string& name) { return g->ui.find(name)->shown(); }
};

std::string rgb(QRgb c) {
  std::ostringstream s;
  s << qRed(c) << "," << qGreen(c) << "," << qBlue(c);
  return s.str();
}

#define EXPECT_COLOUR(actual, expected) EXPECT_EQ(rgb(actual), rgb(expected))

}  // namespace

TEST(Window, TheWindowIsTheGamesSizeAndCaption) {
  WindowGame t;
  EXPECT_EQ(t.w.windowTitle(), QStringLiteral("ZANDO ARENA 2"));
  EXPECT_EQ(t.w.size(), QSize(645, 405));
  EXPECT_EQ(t.w.palette().color(QPalette::Window).rgb() & 0xFFFFFFu, kSilver & 0xFFFFFFu);
}

TEST(Window, EveryWidgetSitsWhereTheModelSaysOnTheTitle) {
  WindowGame t;
  EXPECT_EQ(joined(mirror_faults(t.w, *t.g)), "");
  EXPECT_TRUE(t.w.widget_of("start_box")->isVisible());
  EXPECT_FALSE(t.w.widget_of("map_box")->isVisible());
  // The title picture reaches the screen, stretched over Image1.
  const Control& img = t.g->ui.Image1;
  EXPECT_COLOUR(t.pixel("Image1", img.width / 2, img.height / 2), kTitle);
  EXPECT_COLOUR(t.pixel("Image1", img.width - 2, img.height - 2), kTitle);
  t.shot("title");
}

TEST(Window, NewGameAnsweredNoStaysOnTheTitle) {
  WindowGame t;
  t.boxes.expect(QMessageBox::No);
  t.click("Button12");
  ASSERT_EQ(t.boxes.seen.size(), 1u);
  EXPECT_EQ(t.boxes.seen[0], "これまでのデータがある場合は消去されます。よろしいですか？");
  EXPECT_TRUE(t.w.widget_of("start_box")->isVisible());
  EXPECT_EQ(joined(mirror_faults(t.w, *t.g)), "");
}

TEST(Window, FromTheTitleThroughTheStairsAFightAndTheColosseum) {
  WindowGame t;
  Game& g = *t.g;

  // Title -> map.
  t.boxes.expect(QMessageBox::Yes);
  t.click("Button12");
  ASSERT_EQ(t.boxes.seen.size(), 1u);
  if (!t.boxes.last_box.isNull())
    t.boxes.last_box.save(QString::fromStdString((fs::path(ZANDO_SHOTS) / "ask.png").string()), "PNG");
  EXPECT_TRUE(t.wait_shown("menu_com")) << "the refresh shows the menu with the map";
  t.wait();
  EXPECT_FALSE(t.w.widget_of("start_box")->isVisible());
  EXPECT_TRUE(t.w.widget_of("map_box")->isVisible());
  EXPECT_EQ(shown_text(t.w.widget_of("map_box")), QStringLiteral("0階【砂の闘技場】"));
  EXPECT_EQ(joined(mirror_faults(t.w, g)), "");
  // The player's portrait: the top-left 64 x 64 of my.bmp, stretched over 129 x 129.
  for (auto [x, y] : {std::pair{1, 1}, {64, 64}, {127, 127}, {1, 127}})
    EXPECT_COLOUR(t.pixel("my_cg", x, y), kMyTopLeft) << x << "," << y;
  // The floor background, where no room button covers it.
  EXPECT_COLOUR(t.pixel("haikei", 56, 138), kFloor0);
  t.shot("map");

  // The stairs up show once the floor is cleared and the refresh has run.
  EXPECT_FALSE(t.w.widget_of("st_b2")->isVisible());
  g.s.floor_clear[0] = 100;
  ASSERT_TRUE(t.wait_shown("st_b2"));
  t.wait();
  EXPECT_EQ(shown_text(t.w.widget_of("st_b2")), QStringLiteral("▲1階へ"));
  EXPECT_FALSE(t.w.widget_of("colosiam_b")->isVisible()) << "a cleared floor has no colosseum";
  t.click("st_b2");
  t.wait();
  EXPECT_EQ(g.s.floor, 1);
  EXPECT_EQ(shown_text(t.w.widget_of("moji_l2")), QStringLiteral("1階、草の回廊に到着しました。"));
  EXPECT_EQ(shown_text(t.w.widget_of("st_b1")), QStringLiteral("▼0階へ"));
  EXPECT_COLOUR(t.pixel("haikei", 56, 138), kFloor1);
  EXPECT_EQ(joined(mirror_faults(t.w, g)), "");
  t.shot("floor1");
  t.click("st_b1");
  t.wait();
  EXPECT_EQ(g.s.floor, 0);
  EXPECT_COLOUR(t.pixel("haikei", 56, 138), kFloor0);

  // The monster room: the map gives way to the fight.
  t.click("s_battle");
  t.wait();
  EXPECT_FALSE(t.w.widget_of("map_box")->isVisible());
  EXPECT_FALSE(t.w.widget_of("menu_com")->isVisible());
  if (g.s.host_mode) {
    // The rare visitor: the choice box instead of a fight.
    EXPECT_TRUE(t.w.widget_of("lv_box")->isVisible());
  } else {
    EXPECT_TRUE(t.w.widget_of("battle_com")->isVisible());
    EXPECT_TRUE(g.s.in_battle);
    EXPECT_FALSE(g.s.e_name.empty());
  }
  EXPECT_COLOUR(t.pixel("e_cg", 64, 64), kEnemy);
  EXPECT_EQ(joined(mirror_faults(t.w, g)), "");
  t.shot("battle");

  // Leave the fight as its end does on the screen, then take the colosseum.
  g.s.in_battle = false;
  g.s.host_mode = false;
  g.ui.battle_com.visible = false;
  g.ui.lv_box.visible = false;
  g.ui.map_box.visible = true;
  g.s.floor_clear[0] = 0;
  t.w.sync();
  ASSERT_TRUE(t.wait_shown("colosiam_b"));
  t.wait();
  t.click("colosiam_b");
  t.wait();
  EXPECT_EQ(g.s.boss_name, "ボス太郎");
  EXPECT_TRUE(g.s.no_escape);
  EXPECT_TRUE(t.w.widget_of("battle_com")->isVisible());
  EXPECT_FALSE(t.w.widget_of("map_box")->isVisible());
  EXPECT_TRUE(t.w.widget_of("moji_l3")->isVisible()) << "the boss speaks in the big message";
  EXPECT_EQ(shown_text(t.w.widget_of("moji_l3")), QStringLiteral("ボス太郎\n『来い!』"));
  EXPECT_COLOUR(t.pixel("e_cg", 64, 64), kBoss);
  EXPECT_EQ(joined(mirror_faults(t.w, g)), "");
  t.shot("colosseum");
}

TEST(Window, TheOpeningDrawsOnTheScreenAndAPressEndsIt) {
  WindowGame t;
  t.click("Button45");
  EXPECT_TRUE(t.w.widget_of("open_box")->isVisible());
  // Line 2 of open.dat is written at the 1 s step; let the real timer get there.
  t.wait(1500);
  const QImage s = t.screen();
  const QPoint o = model_origin(t.g->ui.open1);
  int lit = 0;
  for (int y = 0; y < t.g->ui.open1.height; ++y)
    for (int x = 0; x < t.g->ui.open1.width; ++x) lit += (s.pixel(o + QPoint(x, y)) & 0xFFFFFFu) != 0;
  EXPECT_GT(lit, 20) << "the opening text is on the screen";
  // The show's panel is black around its two pictures.
  EXPECT_COLOUR(t.pixel("open_box", 500, 100), qRgb(0, 0, 0));
  EXPECT_COLOUR(t.pixel("open_box", 100, 350), qRgb(0, 0, 0));
  t.shot("opening");
  QTest::mousePress(t.w.widget_of("open1"), Qt::LeftButton);
  QTest::mouseRelease(t.w.widget_of("open1"), Qt::LeftButton);
  t.wait(100);
  EXPECT_FALSE(t.w.widget_of("open_box")->isVisible());
  EXPECT_FALSE(t.g->timer3.enabled);
  EXPECT_TRUE(t.w.widget_of("start_box")->isVisible());
}

TEST(Window, TheSpeedSliderMovesTheTextSpeed) {
  WindowGame t;
  auto* s = qobject_cast<QSlider*>(t.w.widget_of("sp_l"));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->value(), 3);
  s->setValue(9);
  EXPECT_EQ(t.g->s.text_speed, 9);
  EXPECT_EQ(t.g->s.msg_wait, 1000);
}

TEST(Window, ClosingAfterANewGameSavesThroughTheNotice) {
  WindowGame t;
  t.boxes.expect(QMessageBox::Yes);
  t.click("Button12");
  t.wait(100);
  t.boxes.expect(QMessageBox::Ok);
  t.w.close();
  EXPECT_TRUE(t.g->closed);
  ASSERT_FALSE(t.boxes.seen.empty());
  EXPECT_EQ(t.boxes.seen.back(), "オートセーブ完了。また遊んでね★");
  EXPECT_TRUE(fs::exists(t.dir.path / "dat" / "z.wav"));
}

TEST(Window, ClosingOnTheTitleWritesNothing) {
  WindowGame t;
  t.w.close();
  EXPECT_TRUE(t.boxes.seen.empty());
  EXPECT_FALSE(fs::exists(t.dir.path / "dat" / "z.wav"));
}

TEST(Window, AFailedSaveIsShownAndNoKeepsTheGameOpen) {
  WindowGame t;
  t.boxes.expect(QMessageBox::Yes);
  t.click("Button12");
  t.wait(100);
  // Every file write fails as on a full disk.
  set_write_fn([](int, const char*, size_t) -> long {
    errno = ENOSPC;
    return -1;
  });
  struct Restore {
    ~Restore() { set_write_fn(nullptr); }
  } restore;
  t.boxes.expect(QMessageBox::Ok);  // the error (no farewell: nothing was saved)
  t.boxes.expect(QMessageBox::No);  // do not quit without saving
  t.w.close();
  EXPECT_FALSE(t.g->closed);
  EXPECT_TRUE(t.w.isVisible()) << "the game stays open";
  ASSERT_EQ(t.boxes.seen.size(), 3u) << t.boxes.seen.back();
  EXPECT_NE(t.boxes.seen[1].find("z.wav"), std::string::npos) << t.boxes.seen[1];
  EXPECT_FALSE(fs::exists(t.dir.path / "dat" / "z.wav"));
}

namespace {

// A one-note Standard MIDI File.
void write_midi(const fs::path& p) {
  const std::string track = std::string("\x00\x90\x3C\x60\x60\x80\x3C\x40\x00\xFF\x2F\x00", 12);
  std::string smf = std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14) + "MTrk" + std::string(3, '\0') +
                    static_cast<char>(track.size()) + track;
  std::ofstream(p, std::ios::binary) << smf;
}

// Some sample of the captured output is not silence.
bool heard(const fs::path& raw) {
  std::ifstream in(raw, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    int16_t v;
    std::memcpy(&v, bytes.data() + i, 2);
    if (v > 1000 || v < -1000) return true;
  }
  return false;
}

}  // namespace

TEST(Sound, MissingAndBrokenSoundsAreSilentAndTheNextSoundStillPlays) {
  TempDir d;
  // Capture the mixer's output in a file instead of a sound card.
  const std::string driver = getenv("SDL_AUDIODRIVER") ? getenv("SDL_AUDIODRIVER") : "";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", (d.path / "out.raw").c_str(), 1);
  {
    auto audio = make_audio([](std::function<void()> f) { f(); }, [] { return true; });
    ASSERT_NE(audio, nullptr);
    audio->hold((d.path / "1.wav").string(), 2);
    audio->play_effect((d.path / "missing.wav").string());
    audio->music_play((d.path / "missing.mid").string());
    std::ofstream((d.path / "junk.wav").string(), std::ios::binary) << "RIFF junk";
    std::ofstream((d.path / "junk.mid").string(), std::ios::binary) << "MThd junk";
    audio->play_effect((d.path / "junk.wav").string());
    audio->music_play((d.path / "junk.mid").string());
    audio->music_stop();
    audio->music_stop();
    audio->release_held();
    audio->release_held();
    test::write_tone(d.path / "tone.wav", 200);
    audio->play_effect((d.path / "tone.wav").string());
    QTest::qWait(600);
  }
  setenv("SDL_AUDIODRIVER", driver.empty() ? "dummy" : driver.c_str(), 1);
  if (!fs::exists(d.path / "out.raw")) GTEST_SKIP() << "this SDL has no disk audio driver";
  EXPECT_TRUE(heard(d.path / "out.raw")) << "the tone after the failures reached the mixer's output";
}

TEST(Sound, WithoutASoundfontTheMusicIsSilentAndEffectsStillPlay) {
  TempDir d;
  test::write_tone(d.path / "tone.wav", 200);
  write_midi(d.path / "piece.mid");
  fs::create_directories(d.path / "empty");
  const std::string raw = (d.path / "out.raw").string();
  const std::string empty = (d.path / "empty").string();
  // A child process with the system's soundfonts hidden under an empty folder,
  // in a mount namespace of its own.
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) _exit(77);
    if (fs::is_directory("/usr/share/sounds") &&
        mount(empty.c_str(), "/usr/share/sounds", nullptr, MS_BIND, nullptr) != 0)
      _exit(77);
    for (const char* f : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf3/default-GM.sf3"})
      if (fs::exists(f)) _exit(78);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    {
      auto audio = make_audio([](std::function<void()> f) { f(); }, [] { return true; });
      audio->music_play((d.path / "piece.mid").string());
      audio->play_effect((d.path / "tone.wav").string());
      usleep(600 * 1000);
      audio->music_stop();
    }
    if (!fs::exists(raw)) _exit(79);
    _exit(heard(raw) ? 0 : 3);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << "the sound stopped the program (signal " << WTERMSIG(status) << ")";
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no private mount namespace here";
  if (WEXITSTATUS(status) == 79) GTEST_SKIP() << "this SDL has no disk audio driver";
  EXPECT_NE(WEXITSTATUS(status), 78) << "the soundfonts are still visible";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the effect did not reach the output";
}
