// A newcomer's first hour in the real window: boxes that leave nothing
// behind, the tips for a new player, and a fight that is the same with the
// tips on or off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "game_handlers.h"
#include "platform/qt/audio.h"
#include "platform/qt/window.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"
#include "boxes.h"
#include "../unit/game_fixture.h"
#include "../unit/temp_dir.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

// The game in its real window over a fresh copy of the mini set, with the
// settings file in `config`.
struct Play {
  explicit Play(const fs::path& config, bool tips = true, uint32_t seed = 3) : rng(seed) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(config.string()));
    fs::copy(fs::path(ZANDO_FIXTURES) / "mini", dir.path, fs::copy_options::recursive);
    g = std::make_unique<Game>(plat, rng, dir.path.string() + "/");
    bind_handlers(*g);
    WindowPrefs p = load_prefs(1);
    p.tips = tips;
    w.apply(p);
    w.sleep_us = [](long long) {};
    w.attach(*g);
    startup(*g);
    w.sync();
    w.show_as_chosen();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
  }
  ~Play() {
    g->closed = true;
    w.close();
  }
  void click(const Control& c) {
    QPoint p(c.left + c.width / 2, c.top + c.height / 2);
    for (const Control* up = c.parent; up; up = up->parent) p += QPoint(up->left, up->top);
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, w.area_offset() + p * w.scale());
    QTest::qWait(10);
  }
  QString tip() { return w.tips().strip()->isVisible() ? w.tips().strip()->property("tip").toString() : QString(); }

  test::TempDir dir;
  MainWindow w;
  QtPlatform plat{w, std::make_unique<SilentAudio>()};
  SeededRandom rng;
  std::unique_ptr<Game> g;
  test::Boxes boxes;
};

void shot(QWidget& w, const char* name) {
  w.grab().save(QString::fromStdString((fs::path(ZANDO_SHOTS) / name).string()), "PNG");
}

}  // namespace

TEST(Tips, TheFirstMapTipShowsOnceAndTheFightOnesFollow) {
  test::TempDir config;
  {
    Play t(config.path);
    EXPECT_EQ(t.tip(), "") << "no tip on the title";
    t.boxes.answer_all(QMessageBox::Yes);
    t.click(t.g->ui.Button12);
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.g->ui.map_box.shown(); }, 5000));
    EXPECT_EQ(t.tip(), "map");
    QLabel* strip = t.w.tips().strip();
    EXPECT_TRUE(strip->text().contains(QStringLiteral("モンスタールーム")));
    // Over the free column of the play area, covering no control that shows.
    const QRect at = strip->geometry();
    for (const Control* c : t.g->ui.all())
      if (c->shown() && !c->parent && c != &t.g->ui.start_box) {
        const QRect r(t.w.widget_of(c->name)->mapTo(&t.w, QPoint(0, 0)), QSize(c->width, c->height));
        EXPECT_FALSE(r.intersects(at)) << c->name;
      }
    shot(t.w, "tip_map.png");
    // A key puts it away; the next screen's tip comes in its turn.
    QTest::keyClick(t.w.windowHandle(), Qt::Key_Space);
    EXPECT_EQ(t.tip(), "");
    t.click(t.g->ui.s_battle);
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.g->ui.battle_com.shown(); }, 5000));
    EXPECT_EQ(t.tip(), "fight");
    EXPECT_TRUE(t.w.tips().strip()->text().contains(QStringLiteral("パンチ")));
    shot(t.w, "tip_fight.png");
    // A click on the tip puts it away too.
    QTest::mouseClick(t.w.tips().strip(), Qt::LeftButton);
    EXPECT_EQ(t.tip(), "");
  }
  {
    // The same player again: the map and the fight have been explained.
    Play t(config.path);
    t.boxes.answer_all(QMessageBox::Yes);
    t.click(t.g->ui.Button12);
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.g->ui.map_box.shown(); }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(t.tip(), "");
  }
  {
    // Another player with the tips turned off sees none.
    test::TempDir other;
    Play t(other.path, false);
    t.boxes.answer_all(QMessageBox::Yes);
    t.click(t.g->ui.Button12);
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.g->ui.map_box.shown(); }, 5000));
    EXPECT_EQ(t.tip(), "");
    t.w.tips().set_enabled(true);
    t.w.sync();
    EXPECT_EQ(t.tip(), "map") << "turned on again, the tip comes";
    EXPECT_TRUE(load_prefs(1).tips);
    t.w.tips().set_enabled(false);
    EXPECT_EQ(t.tip(), "");
    EXPECT_FALSE(load_prefs(1).tips) << "remembered with the window's choices";
  }
}

TEST(Tips, AFightIsTheSameWithTipsOnAndOff) {
  auto fight = [](bool tips) {
    test::TempDir config;
    Play t(config.path, tips, 11);
    t.boxes.answer_all(QMessageBox::Yes);
    t.click(t.g->ui.Button12);
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.g->ui.map_box.shown(); }, 5000));
    t.click(t.g->ui.s_battle);
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.g->ui.battle_com.shown(); }, 5000));
    for (int i = 0; i < 200 && t.g->ui.battle_com.shown(); ++i) t.click(t.g->ui.b1);
    EXPECT_FALSE(t.g->ui.battle_com.shown()) << "the fight ended";
    t.w.close();
    return test::read_bytes(t.dir.path / "dat" / "z.wav");
  };
  const std::string with = fight(true);
  const std::string without = fight(false);
  EXPECT_FALSE(with.empty());
  EXPECT_EQ(with, without);
}

TEST(Help, F1OpensTheKeysTheOptionsAndHowToPlay) {
  test::TempDir config;
  Play t(config.path);
  t.w.options_help = QStringLiteral("Usage: zando2 [options]\n  --zoom <N>  ...");
  QTest::keyClick(t.w.windowHandle(), Qt::Key_F1);
  auto* page = t.w.findChild<QWidget*>(QStringLiteral("help_page"));
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->isVisible());
  const QString text = page->findChild<QTextBrowser*>()->toPlainText();
  for (const char* word : {"F11", "Shift", "F12", "モンスタールーム", "--zoom", "ヒント"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
  shot(*page, "help.png");
  QTest::keyClick(t.w.windowHandle(), Qt::Key_F1);
  EXPECT_EQ(t.w.findChildren<QWidget*>(QStringLiteral("help_page")).size(), 1) << "one page, brought to the front";
}

// On a real X server without a compositor the window must paint the area a
// closed box uncovered before the game goes on; the offscreen platform
// composes its windows itself and cannot show the fault.
TEST(RealX, AClosedBoxLeavesNoPixelBehind) {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) GTEST_SKIP() << "needs an X server";
  test::TempDir config;
  Play t(config.path, false);
  t.g->ui.start_box.visible = false;
  t.g->ui.map_box.visible = true;
  t.w.sync();
  QTest::qWait(200);
  QRect box_at;
  QTimer answer;
  answer.setInterval(100);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    box_at = box->frameGeometry();
    box->button(QMessageBox::Ok)->click();
  });
  answer.start();
  t.boxes.hold();
  t.plat.notice("階段が開いた!!\r\r上の階へ進めるようになった。");
  answer.stop();
  // Grabbed as the game would go on: no event of the window is served.
  ASSERT_TRUE(box_at.isValid());
  const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0, box_at.x(), box_at.y(), box_at.width(),
                                                                       box_at.height()).toImage().convertToFormat(QImage::Format_RGB32);
  const QRect in_window(t.w.mapFromGlobal(box_at.topLeft()), box_at.size());
  const QImage window = t.w.grab(in_window).toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(screen.size(), window.size());
  int stale = 0;
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x) stale += screen.pixel(x, y) != window.pixel(x, y);
  EXPECT_EQ(stale, 0) << "pixels of the closed box still on the screen";
  if (stale) {
    screen.save(QString::fromStdString((fs::path(ZANDO_SHOTS) / "box_screen.png").string()), "PNG");
    window.save(QString::fromStdString((fs::path(ZANDO_SHOTS) / "box_window.png").string()), "PNG");
  }
}
