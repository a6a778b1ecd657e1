// The window's comforts: zoom, full screen, fast-forward, mute, screenshots,
// the settings window and the remembered choices, on the real window over the
// mini data set.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>

#include "platform/qt/audio.h"
#include "platform/qt/settings.h"
#include "platform/qt/window.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/game_state.h"
#include "state/random.h"
#include "boxes.h"
#include "../unit/temp_dir.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

using test::TempDir;

// What the window asks of the sound, one line per call; the volumes as last set.
class AudioLog : public Audio {
 public:
  AudioLog(std::vector<std::string>& log, std::pair<int, int>& volumes) : log_(log), volumes_(volumes) {}
  void play_effect(const std::string& path) override { log_.push_back("se " + fs::path(path).filename().string()); }
  void hold(const std::string&, int) override {}
  void release_held() override {}
  void music_play(const std::string& path) override { log_.push_back("bgm " + fs::path(path).filename().string()); }
  void music_stop() override { log_.push_back("stop"); }
  void set_volumes(int music, int effects) override { volumes_ = {music, effects}; }

 private:
  std::vector<std::string>& log_;
  std::pair<int, int>& volumes_;
};

// The game in its real window over a fresh copy of the mini set, with the
// settings file in a folder of its own and the sound written to a log.
struct Rig {
  TempDir dir;
  TempDir config;
  std::vector<std::string> sound;
  std::pair<int, int> volumes{-1, -1};
  MainWindow w;
  QtPlatform plat{w, std::make_unique<AudioLog>(sound, volumes)};
  SeededRandom rng{3};
  std::unique_ptr<Game> g;
  test::Boxes boxes;

  // `room`: the screen's room for a window, by default large enough for every zoom.
  explicit Rig(const WindowPrefs& prefs = {}, QRect room = QRect(0, 0, 4000, 3000)) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(config.path.string()));
    w.screen_room = [room] { return room; };
    fs::copy(fs::path(ZANDO_FIXTURES) / "mini", dir.path, fs::copy_options::recursive);
    g = std::make_unique<Game>(plat, rng, dir.path.string() + "/");
    bind_handlers(*g);
    w.apply(prefs);
    w.attach(*g);
    startup(*g);
    w.sync();
    w.show_as_chosen();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
  }
  ~Rig() {
    g->closed = true;
    w.close();
  }

  // A key as the keyboard sends it: to the widget with the focus, if any.
  void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(w.windowHandle(), k, mods); }
  // A click at a point of the window, to whatever control is there.
  // Beyond the test screen's edge (800 x 800 offscreen) the platform drops
  // it: there the click goes to the widget found at that point.
  void click_at(QPoint p) {
    if (QRect(QPoint(0, 0), w.windowHandle()->size()).contains(p)) {
      QTest::mouseClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, p);
    } else if (QWidget* at = w.childAt(p)) {
      QTest::mouseClick(at, Qt::LeftButton, Qt::NoModifier, at->mapFrom(&w, p));
    }
    QTest::qWait(20);
  }
  // Where the model's point (x, y) of a control lands in the window now.
  QPoint on_screen(const Control& c, int x, int y) const {
    QPoint p(c.left + x, c.top + y);
    for (const Control* up = c.parent; up; up = up->parent) p += QPoint(up->left, up->top);
    return w.area_offset() + p * w.scale();
  }
  QImage screen() { return w.grab().toImage(); }
};

// Every widget where the model puts it at the window's current factor, one line per fault.
std::string placement_faults(Rig& t) {
  std::string faults;
  const int s = t.w.scale();
  for (const Control* c : t.g->ui.all()) {
    QWidget* wd = t.w.widget_of(c->name);
    if (!wd) {
      faults += c->name + ": no widget\n";
      continue;
    }
    const QRect d = c->drawn();
    if (wd->size() != d.size() * s) faults += c->name + ": size\n";
    if (wd->mapTo(&t.w, QPoint(0, 0)) != t.on_screen(*c, d.left() - c->left, 0)) faults += c->name + ": place\n";
  }
  return faults;
}

// The picture of a control reaches the screen with each of its pixels a
// whole block of the zoom's size: crisp, not smoothed.
std::string picture_faults(Rig& t, const Control& c) {
  const QImage shot = t.screen();
  const int s = t.w.scale();
  std::string faults;
  for (int y = 0; y < c.image.height() && y < c.height; y += 7)
    for (int x = 0; x < c.image.width() && x < c.width; x += 5) {
      const QRgb want = c.image.pixel(x, y) & 0xFFFFFFu;
      const QPoint at = t.on_screen(c, x, y);
      for (int dy = 0; dy < s; ++dy)
        for (int dx = 0; dx < s; ++dx)
          if ((shot.pixel(at + QPoint(dx, dy)) & 0xFFFFFFu) != want)
            return c.name + " pixel " + std::to_string(x) + "," + std::to_string(y) + " at zoom " + std::to_string(s) +
                   ": " + std::to_string(want) + " vs " + std::to_string(shot.pixel(at + QPoint(dx, dy)) & 0xFFFFFFu);
    }
  return faults;
}

const QRgb kSilverRgb = kSilver & 0xFFFFFFu;

}  // namespace

TEST(Zoom, WholeNumbersFromTheScreenAndTheCommandLine) {
  EXPECT_EQ(zoom_for_scale(1.0), 1);
  EXPECT_EQ(zoom_for_scale(1.25), 1);
  EXPECT_EQ(zoom_for_scale(1.5), 2);
  EXPECT_EQ(zoom_for_scale(2.0), 2);
  EXPECT_EQ(zoom_for_scale(3.0), 3);
  EXPECT_EQ(zoom_for_scale(6.0), 4) << "no more than 4";
  EXPECT_EQ(zoom_for_scale(0.5), 1);
  EXPECT_EQ(zoom_for_scale(std::nan("")), 1);
  EXPECT_EQ(fit_scale(QSize(1920, 1080), QSize(645, 449)), 2);
  EXPECT_EQ(fit_scale(QSize(3840, 2160), QSize(645, 449)), 4);
  EXPECT_EQ(fit_scale(QSize(640, 480), QSize(645, 449)), 1) << "a screen too small still shows the game";
  EXPECT_EQ(fit_scale(QSize(800, 600), QSize(0, 0)), 1);
  WindowPrefs remembered{3, false, false};
  EXPECT_EQ(resolve(remembered, {}).zoom, 3);
  const WindowPrefs r = resolve(remembered, WindowOptions{2, true, true});
  EXPECT_EQ(r.zoom, 2);
  EXPECT_TRUE(r.fullscreen);
  EXPECT_TRUE(r.mute);
  EXPECT_EQ(screenshot_name(QDateTime(QDate(2026, 12, 8), QTime(5, 3, 9))), "zando2-2026-12-08_05-03-09.png");
  EXPECT_EQ(screenshot_name(QDateTime(QDate(2026, 12, 8), QTime(5, 3, 9)), 2), "zando2-2026-12-08_05-03-09-2.png");
}

TEST(Zoom, EveryFactorPlacesTheControlsDrawsCrispAndTakesClicks) {
  Rig t;
  // The portrait behind the title panel.
  t.g->ui.start_box.visible = false;
  t.w.sync();
  for (int z : {1, 2, 3, 4, 2}) {
    SCOPED_TRACE(z);
    t.w.set_zoom(z, false);
    QTest::qWait(30);
    EXPECT_EQ(t.w.scale(), z);
    EXPECT_EQ(t.w.size(), QSize(kPlayWidth, kPlayHeight) * z) << "the window grows with the zoom";
    EXPECT_EQ(placement_faults(t), "");
    EXPECT_EQ(picture_faults(t, t.g->ui.my_cg), "");
    EXPECT_EQ(t.w.widget_of("Button12")->font().pixelSize(), 13 * z) << "the text grows too";
  }
  t.w.grab().save(QString::fromStdString((fs::path(ZANDO_SHOTS) / "zoom2.png").string()), "PNG");
  t.g->ui.start_box.visible = true;
  t.w.sync();
  // A click at the zoomed place of OPENING starts the show; a press on its
  // picture ends it.
  const Control& opening = t.g->ui.Button45;
  t.click_at(t.on_screen(opening, opening.width / 2, opening.height / 2));
  EXPECT_TRUE(t.g->ui.open_box.visible) << "the click reached OPENING";
  t.click_at(t.on_screen(t.g->ui.open1, 300, 200));
  EXPECT_FALSE(t.g->ui.open_box.visible) << "the press reached the opening picture";
  // Just outside a button the click is not the button's.
  t.boxes.answer_all(QMessageBox::No);
  const Control& newgame = t.g->ui.Button12;
  t.click_at(t.on_screen(newgame, newgame.width + 1, newgame.height / 2));
  EXPECT_TRUE(t.boxes.seen.empty());
  t.click_at(t.on_screen(newgame, newgame.width - 1, newgame.height - 1));
  ASSERT_EQ(t.boxes.seen.size(), 1u) << "the last zoomed pixel of NEW GAME is NEW GAME";
  EXPECT_GT(t.boxes.fonts.at(0), QApplication::font().pointSizeF()) << "the box's text is zoomed too";
}

TEST(Zoom, TheMapAndTheListPanelAtTripleSize) {
  Rig t;
  t.w.set_zoom(3, false);
  t.boxes.answer_all(QMessageBox::Yes);
  t.click_at(t.on_screen(t.g->ui.Button12, 10, 10));
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.w.widget_of("menu_com")->isVisible(); }, 5000));
  // Something to list: the first ordinary item of the set.
  for (size_t i = 0; i < t.g->t.item_table.size(); ++i) {
    const auto& it = t.g->t.item_table[i];
    if (!it.it_name.empty() && (it.it_kind < 400 || it.it_kind > 499)) {
      t.g->s.item_have[i] = 1;
      break;
    }
  }
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.w.widget_of("m1")->isVisible(); }, 5000));
  t.click_at(t.on_screen(t.g->ui.m1, 10, 10));
  ASSERT_TRUE(t.g->ui.list_box.shown()) << "the item list opened from its zoomed button";
  ASSERT_FALSE(t.g->ui.list_l.rows.empty());
  QTest::qWait(100);
  EXPECT_EQ(placement_faults(t), "");
  // Rows keep the model's tight pitch, three times over: the click on the
  // first row's place picks the first row.
  t.click_at(t.on_screen(t.g->ui.list_l, 20, 5));
  EXPECT_EQ(t.g->ui.list_l.selected, 0);
  t.w.grab().save(QString::fromStdString((fs::path(ZANDO_SHOTS) / "list_zoom3.png").string()), "PNG");
}

TEST(Zoom, TheKeysChangeItWithinOneToFourAndRememberIt) {
  Rig t;
  ASSERT_EQ(t.w.zoom(), 1);
  t.key(Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(t.w.zoom(), 1) << "no smaller than 1";
  t.key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(t.w.zoom(), 2);
  EXPECT_EQ(t.w.windowTitle(), QStringLiteral("ZANDO ARENA 2 - 表示 2倍"));
  t.key(Qt::Key_Equal, Qt::ControlModifier);  // the plus key without Shift
  t.key(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
  t.key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(t.w.zoom(), 4) << "no larger than 4";
  EXPECT_EQ(t.w.size(), QSize(kPlayWidth, kPlayHeight) * 4);
  t.key(Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(t.w.zoom(), 3);
  // A plus without Ctrl is no zoom.
  t.key(Qt::Key_Plus);
  EXPECT_EQ(t.w.zoom(), 3);
  EXPECT_EQ(load_prefs(1).zoom, 3) << "remembered for the next run";
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.w.windowTitle() == QStringLiteral("ZANDO ARENA 2"); }, 5000))
      << "the title is the game's again after two seconds";
}

TEST(Zoom, StopsWhereTheWindowFitsTheScreenAndSaysSoInThePlayArea) {
  // Room for 2x (1290 x 810) but not for 3x.
  const QRect room(0, 0, 1400, 1000);
  Rig t({}, room);
  t.key(Qt::Key_Plus, Qt::ControlModifier);
  t.key(Qt::Key_Plus, Qt::ControlModifier);
  t.key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(t.w.zoom(), 2);
  EXPECT_EQ(t.w.size(), QSize(kPlayWidth, kPlayHeight) * 2);
  EXPECT_TRUE(room.contains(t.w.frameGeometry())) << "the zoomed window stays on the screen";
  EXPECT_EQ(load_prefs(1).zoom, 2);
  // The answer to the key is inside the play area, where full screen shows it too.
  QLabel* note = t.w.note_strip();
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->isVisible());
  EXPECT_TRUE(note->text().contains(QStringLiteral("2倍"))) << note->text().toStdString();
  EXPECT_TRUE(QRect(t.w.area_offset(), QSize(kPlayWidth, kPlayHeight) * t.w.scale()).contains(note->geometry()));
  EXPECT_LE(note->fontMetrics().horizontalAdvance(note->text()), note->width()) << "the note's text fits";
  // A box in front hides it.
  t.boxes.answer_all(QMessageBox::No);
  t.click_at(t.on_screen(t.g->ui.Button12, 5, 5));
  ASSERT_EQ(t.boxes.seen.size(), 1u);
  EXPECT_FALSE(note->isVisible());
  t.key(Qt::Key_M);
  EXPECT_TRUE(note->isVisible());
  EXPECT_EQ(note->text(), QStringLiteral("ミュート"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !note->isVisible(); }, 5000)) << "gone after two seconds";

  // A zoom remembered on a larger screen starts at the largest that fits,
  // and stays remembered for that screen.
  remember_zoom(4);
  MainWindow again;
  again.screen_room = [room] { return room; };
  again.apply(load_prefs(1));
  EXPECT_EQ(again.zoom(), 2);
  EXPECT_EQ(load_prefs(1).zoom, 4);
  again.screen_room = [] { return QRect(0, 0, 1280, 1024); };
  again.apply(load_prefs(1));
  EXPECT_EQ(again.zoom(), 1) << "2x is 1290 wide";
}

TEST(FullScreen, TheAreaIsCentredWholeNumberScaledOnBlack) {
  Rig t;
  t.w.set_zoom(2, false);
  t.key(Qt::Key_F11);
  ASSERT_TRUE(t.w.full_screen());
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.w.isFullScreen(); }, 2000));
  QTest::qWait(50);
  const QSize area(kPlayWidth, 449);  // the play area and the text-speed row below it
  auto centred = [&] {
    const QSize room = t.w.size();
    const int s = fit_scale(room, area);
    EXPECT_EQ(t.w.scale(), s);
    EXPECT_EQ(t.w.area_offset(), QPoint((room.width() - area.width() * s) / 2, (room.height() - area.height() * s) / 2));
    EXPECT_EQ(placement_faults(t), "");
    const QImage shot = t.screen();
    EXPECT_EQ(shot.pixel(0, 0) & 0xFFFFFFu, 0u) << "black around";
    EXPECT_EQ(shot.pixel(room.width() - 1, room.height() - 1) & 0xFFFFFFu, 0u);
    EXPECT_EQ(shot.pixel(t.on_screen(t.g->ui.sp_t, 136, 12)) & 0xFFFFFFu, kSilverRgb) << "the speed row is inside";
  };
  centred();
  // The slider below the play area is reachable in full screen.
  t.click_at(t.on_screen(t.g->ui.sp_l, 130, 6));
  EXPECT_GT(t.g->ui.sp_l.value, 3);
  // A click at the shifted place of OPENING.
  const Control& opening = t.g->ui.Button45;
  t.click_at(t.on_screen(opening, 5, 5));
  EXPECT_TRUE(t.g->ui.open_box.visible);
  t.click_at(t.on_screen(t.g->ui.open1, 5, 5));
  EXPECT_FALSE(t.g->ui.open_box.visible);
  // A screen lower than the area: the play area stays in sight from its top.
  t.w.resize(1000, 420);
  // A loaded machine may take a while to deliver the resize.
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.w.size() == QSize(1000, 420) && t.w.scale() == 1; }, 5000));
  EXPECT_EQ(t.w.scale(), 1);
  EXPECT_EQ(t.w.area_offset(), QPoint((1000 - kPlayWidth) / 2, 0));
  // A large screen: the area grows by whole numbers only, its pictures crisp.
  t.w.resize(2000, 1400);
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.w.size() == QSize(2000, 1400) && t.w.scale() == 3; }, 5000));
  ASSERT_EQ(t.w.scale(), 3);
  centred();
  t.g->ui.start_box.visible = false;
  t.w.sync();
  EXPECT_EQ(picture_faults(t, t.g->ui.my_cg), "");
  t.screen().save(QString::fromStdString((fs::path(ZANDO_SHOTS) / "fullscreen.png").string()), "PNG");
  EXPECT_TRUE(load_prefs(1).fullscreen);
  // Escape, like F11, brings the window back at its zoom.
  t.key(Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !t.w.isFullScreen() && t.w.scale() == 2; }, 5000));
  EXPECT_FALSE(t.w.full_screen());
  EXPECT_FALSE(load_prefs(1).fullscreen);
  EXPECT_EQ(t.w.scale(), 2);
  EXPECT_EQ(t.w.area_offset(), QPoint(0, 0));
  EXPECT_EQ(placement_faults(t), "");
}

TEST(FullScreen, AskedForAtStartUp) {
  Rig t(WindowPrefs{1, true, false});
  EXPECT_TRUE(t.w.isFullScreen());
  EXPECT_EQ(placement_faults(t), "");
  t.key(Qt::Key_F11);
  EXPECT_FALSE(t.w.isFullScreen());
}

TEST(Mute, MTogglesEffectsAndMusicButIsALetterInTheNamingField) {
  Rig t;
  ASSERT_EQ(t.sound, (std::vector<std::string>{"bgm open.mid"}));
  t.key(Qt::Key_M);
  EXPECT_TRUE(t.w.muted());
  EXPECT_EQ(t.sound.back(), "stop") << "the music stops at once";
  EXPECT_TRUE(load_prefs(1).mute);
  // Muted: the opening's sound and music are not played, but the game's wish is kept.
  t.sound.clear();
  t.click_at(t.on_screen(t.g->ui.Button45, 5, 5));
  ASSERT_TRUE(t.g->ui.open_box.visible);
  EXPECT_EQ(t.sound, std::vector<std::string>{});
  t.key(Qt::Key_M, Qt::ShiftModifier);  // while fast-forwarding, too
  EXPECT_FALSE(t.w.muted());
  EXPECT_EQ(t.sound, std::vector<std::string>{"bgm new.mid"}) << "the piece the game wants now";
  EXPECT_FALSE(load_prefs(1).mute);

  // In the naming field M is a letter.
  t.g->ui.name_box.visible = true;
  t.w.sync();
  QWidget* field = t.w.widget_of("name_l");
  t.w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&t.w));
  field->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }, 2000));
  QTest::keyClick(t.w.windowHandle(), 'M');
  QTest::keyClick(t.w.windowHandle(), 'm');
  EXPECT_FALSE(t.w.muted());
  EXPECT_EQ(t.g->ui.name_l.text, "Mm");
  // Keys that are no text still reach the window.
  t.key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(t.w.zoom(), 2);
}

TEST(Mute, StartedMutedThePieceStartsWhenSoundComesBack) {
  Rig t(WindowPrefs{1, false, true});
  EXPECT_EQ(t.sound, std::vector<std::string>{}) << "--mute: not even the title's music";
  t.w.set_muted(false, false);
  EXPECT_EQ(t.sound, std::vector<std::string>{"bgm open.mid"});
}

TEST(Screenshot, F12WritesThePlayAreaBesideTheSave) {
  Rig t;
  t.w.set_zoom(2, false);
  QTest::qWait(30);
  t.key(Qt::Key_F12);
  const fs::path dir = t.dir.path / "dat" / "screenshots";
  ASSERT_TRUE(fs::is_directory(dir));
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path());
  ASSERT_EQ(files.size(), 1u);
  const std::string name = files[0].filename().string();
  EXPECT_EQ(name.rfind("zando2-", 0), 0u) << name;
  EXPECT_TRUE(t.w.windowTitle().startsWith(QStringLiteral("ZANDO ARENA 2 - スクリーンショット zando2-")))
      << t.w.windowTitle().toStdString();
  const QImage png(QString::fromStdString(files[0].string()));
  ASSERT_EQ(png.size(), QSize(kPlayWidth * 2, kPlayHeight * 2));
  // What the player sees, without what lies below the play area.
  const QImage shown = t.screen();
  for (QPoint p : {QPoint(10, 10), QPoint(600, 400), QPoint(1200, 700), QPoint(1289, 809)})
    EXPECT_EQ(png.pixel(p), shown.pixel(p)) << p.x() << "," << p.y();
  // A second one within the same second gets a name of its own.
  t.key(Qt::Key_F12);
  t.key(Qt::Key_F12);
  files.clear();
  for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path());
  EXPECT_EQ(files.size(), 3u);
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.w.windowTitle() == QStringLiteral("ZANDO ARENA 2"); }, 5000));
}

TEST(Screenshot, AFolderThatCannotBeMadeIsSaidAndNothingBreaks) {
  Rig t;
  std::ofstream(t.dir.path / "dat" / "screenshots") << "a file in the way";
  t.key(Qt::Key_F12);
  EXPECT_TRUE(t.w.windowTitle().contains(QStringLiteral("保存できません"))) << t.w.windowTitle().toStdString();
  EXPECT_TRUE(fs::is_regular_file(t.dir.path / "dat" / "screenshots"));
}

TEST(FastForward, HoldingShiftRunsThePauseTenTimesFaster) {
  long long slept = 0;
  int slices = 0;
  auto sleep = [&](long long us) {
    slept += us;
    ++slices;
  };
  run_pause(1000, [] { return false; }, sleep);
  EXPECT_EQ(slept, 1000000);
  slept = 0;
  run_pause(1000, [] { return true; }, sleep);
  EXPECT_EQ(slept, 100000);
  // Pressed half-way through a long pause: its rest runs fast.
  slept = 0;
  slices = 0;
  run_pause(1000, [&] { return slices >= 25; }, sleep);
  EXPECT_EQ(slept, 25 * 20000 + 25 * 2000);
  // A typing step of 10 ms takes 1 ms; no time for nothing.
  slept = 0;
  run_pause(10, [] { return true; }, sleep);
  EXPECT_EQ(slept, 1000);
  slept = 0;
  run_pause(0, [] { return true; }, sleep);
  run_pause(-5, [] { return true; }, sleep);
  EXPECT_EQ(slept, 0);
}

TEST(FastForward, TheWindowsPausesAskTheKeyboard) {
  // On a real X server the keyboard is asked for its real state, which the
  // test's made-up key presses do not change.
  if (QGuiApplication::platformName() != QStringLiteral("offscreen")) GTEST_SKIP() << "needs the offscreen keyboard";
  Rig t;
  long long slept = 0;
  t.w.sleep_us = [&](long long us) { slept += us; };
  QTest::keyPress(t.w.windowHandle(), Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_TRUE(t.w.fast_held()) << "Shift is the fast-forward";
  t.plat.pause(500);
  EXPECT_EQ(slept, 50000);
  QTest::keyRelease(t.w.windowHandle(), Qt::Key_Shift, Qt::NoModifier);
  EXPECT_FALSE(t.w.fast_held());
  slept = 0;
  t.plat.pause(500);
  EXPECT_EQ(slept, 500000);
}

TEST(FastForward, TheOpeningShowRunsTenTimesFasterTheClocksDoNot) {
  Rig t;
  bool held = false;
  t.w.fast_held = [&] { return held; };
  t.click_at(t.on_screen(t.g->ui.Button45, 5, 5));
  ASSERT_TRUE(t.g->ui.open_box.visible);
  EXPECT_EQ(t.w.timer_interval(3), 100);
  held = true;
  t.w.sync();
  EXPECT_EQ(t.w.timer_interval(3), 10);
  EXPECT_EQ(t.w.timer_interval(1), 50) << "the status refresh keeps its pace";
  EXPECT_EQ(t.w.timer_interval(2), 60000) << "play time is counted in real minutes";
  held = false;
  t.w.sync();
  EXPECT_EQ(t.w.timer_interval(3), 100);
  // A show that ended stops its timer, held key or not.
  held = true;
  t.g->ui.open_box.visible = false;
  t.g->timer3.enabled = false;
  t.w.sync();
  EXPECT_EQ(t.w.timer_interval(3), 0);
}

TEST(Settings, RememberedChoicesComeBackAndNonsenseFallsBack) {
  TempDir config;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(config.path.string()));
  EXPECT_EQ(load_prefs(2).zoom, 2) << "nothing remembered: the screen's zoom";
  EXPECT_FALSE(load_prefs(2).fullscreen);
  EXPECT_FALSE(load_prefs(2).mute);
  remember_zoom(3);
  remember_fullscreen(true);
  remember_mute(true);
  const WindowPrefs p = load_prefs(1);
  EXPECT_EQ(p.zoom, 3);
  EXPECT_TRUE(p.fullscreen);
  EXPECT_TRUE(p.mute);
  EXPECT_TRUE(fs::exists(config.path / "zando2" / "zando2.ini"));
  {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, "zando2", "zando2");
    s.setValue("window/zoom", "huge");
  }
  EXPECT_EQ(load_prefs(2).zoom, 2);
  {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, "zando2", "zando2");
    s.setValue("window/zoom", 99);
  }
  EXPECT_EQ(load_prefs(2).zoom, 4);
  remember_volumes(150, -3);
  EXPECT_EQ(load_prefs(1).music_volume, 100);
  EXPECT_EQ(load_prefs(1).effect_volume, 0);
  {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, "zando2", "zando2");
    s.setValue("sound/effect_volume", "loud");
  }
  EXPECT_EQ(load_prefs(1).effect_volume, 100) << "nonsense is the full volume";
}

TEST(FastForward, FSwitchesItOnAndOffSaysSoAndShiftStillHolds) {
  Rig t;
  bool held = false;
  t.w.fast_held = [&] { return held; };
  long long slept = 0;
  t.w.sleep_us = [&](long long us) { slept += us; };
  t.click_at(t.on_screen(t.g->ui.Button45, 5, 5));
  ASSERT_TRUE(t.g->ui.open_box.visible);
  t.key(Qt::Key_F);
  EXPECT_TRUE(t.w.fast_forward_on());
  EXPECT_EQ(t.w.timer_interval(3), 10) << "the opening show runs fast at once";
  ASSERT_NE(t.w.note_strip(), nullptr);
  EXPECT_TRUE(t.w.note_strip()->isVisible());
  EXPECT_TRUE(t.w.note_strip()->text().startsWith(QStringLiteral("早送り オン"))) << t.w.note_strip()->text().toStdString();
  t.plat.pause(500);
  EXPECT_EQ(slept, 50000) << "without a key held";
  EXPECT_TRUE(load_prefs(1).fast_forward);
  t.key(Qt::Key_F, Qt::ShiftModifier);
  EXPECT_FALSE(t.w.fast_forward_on());
  EXPECT_EQ(t.w.note_strip()->text(), QStringLiteral("早送り オフ"));
  EXPECT_EQ(t.w.timer_interval(3), 100);
  slept = 0;
  t.plat.pause(500);
  EXPECT_EQ(slept, 500000);
  held = true;
  slept = 0;
  t.plat.pause(500);
  EXPECT_EQ(slept, 50000) << "Shift held still fast-forwards";
  EXPECT_FALSE(load_prefs(1).fast_forward);

  // In the naming field F is a letter.
  t.g->ui.open_box.visible = false;
  t.g->ui.name_box.visible = true;
  t.w.sync();
  QWidget* field = t.w.widget_of("name_l");
  t.w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&t.w));
  field->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }, 2000));
  QTest::keyClick(t.w.windowHandle(), 'f');
  EXPECT_FALSE(t.w.fast_forward_on());
  EXPECT_EQ(t.g->ui.name_l.text, "f");
}

namespace {

template <class W>
W* part(QWidget* page, const char* name) {
  W* w = page->findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

}  // namespace

TEST(SettingsWindow, ChoicesApplyAtOnceAreRememberedAcrossARestartAndDefaultsRestoreThem) {
  Rig t;
  EXPECT_EQ(t.volumes, std::make_pair(100, 100)) << "the sound starts at the remembered volumes";
  t.key(Qt::Key_F2);
  auto* page = t.w.findChild<QDialog*>(QStringLiteral("settings_window"));
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(page));

  // By keyboard: the music's slider has the focus; down and Tab move on.
  auto* music = part<QSlider>(page, "music_volume");
  auto* effects = part<QSlider>(page, "effect_volume");
  ASSERT_TRUE(QTest::qWaitFor([&] { return music->hasFocus(); }, 2000));
  QTest::keyClick(music, Qt::Key_Left);
  QTest::keyClick(music, Qt::Key_Left);
  EXPECT_EQ(t.w.music_volume(), 90);
  EXPECT_EQ(t.volumes, std::make_pair(90, 100));
  QTest::keyClick(music, Qt::Key_Down);
  EXPECT_TRUE(effects->hasFocus());
  EXPECT_EQ(t.w.music_volume(), 90) << "down moves the focus, not the slider";
  page->grab().save(QString::fromStdString((fs::path(ZANDO_SHOTS) / "settings_zoom1.png").string()), "PNG");
  t.sound.clear();
  QTest::keyClick(effects, Qt::Key_PageDown);
  EXPECT_EQ(t.volumes, std::make_pair(90, 90));
  EXPECT_EQ(t.sound, std::vector<std::string>{"se key.wav"}) << "the new level is heard";
  effects->setValue(40);
  EXPECT_EQ(t.volumes, std::make_pair(90, 40));
  EXPECT_LE(t.sound.size(), 2u) << "one effect at a time while the slider moves";
  // Enter, as a gamepad's A, ticks the box with the focus.
  QTest::keyClick(page, Qt::Key_Tab);
  EXPECT_TRUE(part<QCheckBox>(page, "mute")->hasFocus());
  QTest::keyClick(part<QCheckBox>(page, "mute"), Qt::Key_Return);
  EXPECT_TRUE(t.w.muted());
  EXPECT_TRUE(page->isVisible());
  part<QRadioButton>(page, "fast_on")->click();
  EXPECT_TRUE(t.w.fast_forward_on());
  part<QCheckBox>(page, "tips")->click();
  EXPECT_FALSE(t.w.tips().enabled());
  auto* zoom = part<QComboBox>(page, "zoom");
  zoom->setFocus();
  QTest::keyClick(zoom, Qt::Key_Right);
  EXPECT_EQ(t.w.zoom(), 2);
  QTest::qWait(50);
  page->grab().save(QString::fromStdString((fs::path(ZANDO_SHOTS) / "settings_zoom2.png").string()), "PNG");
  EXPECT_GT(page->width(), kPlayWidth / 2) << "the window grows with the zoom";
  part<QCheckBox>(page, "fullscreen")->click();
  EXPECT_TRUE(t.w.full_screen());
  QTest::keyClick(page, Qt::Key_Escape);
  EXPECT_FALSE(page->isVisible()) << "Esc closes it";
  EXPECT_TRUE(t.w.full_screen()) << "and leaves full screen as chosen";

  // A restart: the remembered choices come back.
  {
    MainWindow again;
    again.screen_room = t.w.screen_room;
    again.apply(load_prefs(1));
    EXPECT_EQ(again.music_volume(), 90);
    EXPECT_EQ(again.effect_volume(), 40);
    EXPECT_TRUE(again.muted());
    EXPECT_TRUE(again.fast_forward_on());
    EXPECT_FALSE(again.tips().enabled());
    EXPECT_EQ(again.zoom(), 2);
    EXPECT_TRUE(again.full_screen());
  }

  // Reopened, it shows them; the defaults put everything back.
  t.key(Qt::Key_F2);
  ASSERT_TRUE(page->isVisible());
  EXPECT_EQ(effects->value(), 40);
  EXPECT_TRUE(part<QRadioButton>(page, "fast_on")->isChecked());
  auto* speed = part<QSlider>(page, "text_speed");
  speed->setValue(8);
  part<QPushButton>(page, "defaults")->click();
  EXPECT_FALSE(t.w.full_screen());
  GameState fresh;
  new_game_values(fresh);
  EXPECT_EQ(t.g->s.text_speed, fresh.text_speed) << "the text speed of a new game";
  EXPECT_EQ(speed->value(), fresh.text_speed);
  EXPECT_EQ(t.volumes, std::make_pair(100, 100));
  EXPECT_EQ(music->value(), 100);
  EXPECT_TRUE(part<QRadioButton>(page, "fast_held")->isChecked());
  EXPECT_TRUE(part<QCheckBox>(page, "tips")->isChecked());
  EXPECT_FALSE(part<QCheckBox>(page, "mute")->isChecked());
  const WindowPrefs p = load_prefs(3);
  EXPECT_EQ(p.music_volume, 100);
  EXPECT_EQ(p.effect_volume, 100);
  EXPECT_FALSE(p.mute);
  EXPECT_FALSE(p.fast_forward);
  EXPECT_TRUE(p.tips);
  EXPECT_FALSE(p.fullscreen);
  EXPECT_EQ(p.zoom, 1) << "the offscreen screen's own zoom";
  EXPECT_FALSE(t.w.muted());
  EXPECT_FALSE(t.w.fast_forward_on());
  EXPECT_EQ(t.w.zoom(), 1);
  // The file keeps the window's choices, never the game's text speed.
  QSettings ini(QSettings::IniFormat, QSettings::UserScope, "zando2", "zando2");
  for (const QString& k : ini.allKeys()) EXPECT_FALSE(k.contains(QStringLiteral("speed"))) << k.toStdString();
  QTest::keyClick(page, Qt::Key_F2);
  EXPECT_FALSE(page->isVisible()) << "F2 closes it again";
}

TEST(SettingsWindow, TheTextSpeedMovesTheGamesOwnSlider) {
  Rig t;
  // Opened from the right-click menu this time.
  QTimer::singleShot(100, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_TRUE(menu->actions().front()->text().startsWith(QStringLiteral("設定")));
    menu->actions().front()->trigger();
    menu->close();
  });
  QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(50, 50), t.w.mapToGlobal(QPoint(50, 50)));
  QApplication::sendEvent(&t.w, &right);
  auto* page = t.w.findChild<QDialog*>(QStringLiteral("settings_window"));
  ASSERT_NE(page, nullptr);
  auto* speed = part<QSlider>(page, "text_speed");
  auto* game_slider = qobject_cast<QSlider*>(t.w.widget_of("sp_l"));
  ASSERT_NE(game_slider, nullptr);
  EXPECT_EQ(speed->maximum(), t.g->ui.sp_l.max);
  EXPECT_EQ(speed->value(), t.g->ui.sp_l.value);
  const int slower_than = t.g->s.msg_wait;
  speed->setFocus();
  QTest::keyClick(speed, Qt::Key_Right);
  const int one_up = t.g->ui.sp_l.value;
  EXPECT_EQ(t.g->s.text_speed, one_up);
  EXPECT_GT(t.g->s.msg_wait, slower_than) << "the pause between messages follows";
  speed->setValue(t.g->ui.sp_l.max);
  EXPECT_EQ(t.g->ui.sp_l.value, t.g->ui.sp_l.max);
  EXPECT_EQ(t.g->s.text_speed, t.g->ui.sp_l.max);
  EXPECT_EQ(game_slider->value(), t.g->ui.sp_l.max) << "the slider below the play area shows it";
  // The same as the player's own move of the game's slider.
  const int wait_at_max = t.g->s.msg_wait;
  game_slider->setValue(one_up);
  EXPECT_EQ(t.g->s.text_speed, one_up);
  game_slider->setValue(t.g->ui.sp_l.max);
  EXPECT_EQ(t.g->s.msg_wait, wait_at_max);
  // Moved below the play area while the settings are closed: shown when they open.
  QTest::keyClick(page, Qt::Key_Escape);
  game_slider->setValue(0);
  t.key(Qt::Key_F2);
  EXPECT_EQ(speed->value(), 0);
}
