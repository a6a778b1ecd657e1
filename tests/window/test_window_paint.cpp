// What the real window paints: only what changed, and pictures without blur.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <map>
#include <set>
#include <string>

#include "platform/qt/window.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "state/random.h"
#include "../unit/game_fixture.h"

namespace z2 {
namespace {

// Paint events per widget name while installed.
class PaintLog : public QObject {
 public:
  PaintLog() { qApp->installEventFilter(this); }
  ~PaintLog() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && o->isWidgetType()) ++count[o->objectName().toStdString()];
    return false;
  }
  int total() const {
    int n = 0;
    for (const auto& [name, c] : count) n += c;
    return n;
  }
  std::map<std::string, int> count;
};

// Serves the window's events (exposure, first paints, timers) for a while.
void settle(int ms = 150) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents();
    QThread::msleep(2);
  } while (t.elapsed() < ms);
}

// The part of a screen grab under `r` (window coordinates), at the grab's
// own scale, and the scale.
int grab_scale(const QImage& grab, const QWidget& w) { return grab.width() / w.width(); }
QImage grab_part(const QImage& grab, const QWidget& w, QRect r) {
  const int k = grab_scale(grab, w);
  return grab.copy(QRect(r.topLeft() * k, r.size() * k)).convertToFormat(QImage::Format_RGB32);
}

// The window on the map screen over a copy of the small fixture set.
struct MapWindow {
  MapWindow() : plat(w), g(plat, rng, mini.root) {
    bind_handlers(g);
    w.attach(g);
    g.ui.start_box.visible = false;
    g.ui.map_box.visible = true;
    w.show();
    w.sync();
    settle();
  }
  test::FixtureCopy mini{"mini"};
  MainWindow w;
  QtPlatform plat;
  SeededRandom rng{1};
  Game g;
};

TEST(WindowPaint, IdleMapRedrawsNothing) {
  MapWindow m;
  timer_fire(m.g, 1);
  m.w.sync();
  settle();
  PaintLog log;
  for (int i = 0; i < 20; ++i) {
    timer_fire(m.g, 1);
    m.w.sync();
    settle(10);
  }
  std::string painted;
  for (const auto& [name, c] : log.count) painted += name + "x" + std::to_string(c) + " ";
  EXPECT_EQ(log.total(), 0) << painted;
}

TEST(WindowPaint, TypingStepPaintsTheChangedLinesOnly) {
  MapWindow m;
  PaintLog log;
  m.g.ui.moji_l.text = "あ";
  m.g.ui.moji_l2.text = "あ";
  m.plat.repaint();
  // Painted at once, before any event loop runs.
  EXPECT_GE(log.count["moji_l2"], 1);
  std::set<std::string> others;
  for (const auto& [name, c] : log.count)
    if (name != "moji_l" && name != "moji_l2" && c > 0) others.insert(name);
  // The map panel behind the transparent-looking label may repaint its part; nothing else.
  others.erase("map_box");
  std::string painted;
  for (const auto& n : others) painted += n + " ";
  EXPECT_TRUE(others.empty()) << painted;
}

TEST(WindowPaint, ScreenShowsTheTypedText) {
  MapWindow m;
  // The offscreen screen grabs a scaled window cut to its unscaled size.
  if (m.w.devicePixelRatio() != 1) GTEST_SKIP() << "screen grabs need scale 1";
  QScreen* screen = m.w.screen();
  const QRect line = m.w.widget_of("moji_l2")->geometry().translated(m.w.widget_of("map_box")->pos());
  m.g.ui.moji_l2.text = "";
  m.plat.repaint();
  const QImage before = grab_part(screen->grabWindow(m.w.winId()).toImage(), m.w, line);
  m.g.ui.moji_l2.text = "ダメージを与えた";
  m.plat.repaint();
  // Straight after the repaint, without an event loop turn: what the player sees.
  const QImage after = grab_part(screen->grabWindow(m.w.winId()).toImage(), m.w, line);
  EXPECT_NE(before, after);
}

// Every pixel of `img` is one of `colours`: no blending between neighbours.
bool only_colours(const QImage& img, const std::set<QRgb>& colours) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (!colours.count(img.pixel(x, y) | 0xFF000000u)) return false;
  return true;
}

TEST(WindowPaint, PicturesStayBlockyAtDoubleScale) {
  MapWindow m;
  m.g.ui.map_box.visible = false;
  m.w.sync();
  // A checkerboard in the main picture and a stretched floor picture.
  const QRgb a = qRgb(255, 0, 0), b = qRgb(0, 0, 255);
  QImage board(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) board.setPixel(x, y, (x + y) % 2 ? a : b);
  stretch_copy(m.g.ui.cg.image, {0, 0, 200, 200}, board, {0, 0, 8, 8});
  m.g.ui.cg.touched();
  m.g.ui.haikei.image = board;
  m.g.ui.haikei.touched();
  m.w.sync();
  for (const char* name : {"cg", "haikei"}) {
    QWidget* pic = m.w.widget_of(name);
    QImage out(pic->size() * 2, QImage::Format_RGB32);
    out.setDevicePixelRatio(2);
    out.fill(Qt::white);
    QPainter p(&out);
    pic->render(&p);
    p.end();
    EXPECT_TRUE(only_colours(out, {a, b})) << name;
  }
}

// A program folder with patterned pictures, so that blur or a misplaced
// block shows in a screenshot.
std::string patterned_root(const QTemporaryDir& dir) {
  const QString cg = dir.path() + "/cg/";
  QDir().mkpath(cg);
  auto pattern = [](int size, int cell, QRgb a, QRgb b) {
    QImage img(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) img.setPixel(x, y, ((x / cell) + (y / cell)) % 2 ? a : b);
    return img;
  };
  pattern(64, 8, qRgb(90, 140, 90), qRgb(60, 100, 60)).save(cg + "room.bmp", "BMP");
  pattern(64, 4, qRgb(200, 60, 60), qRgb(250, 220, 200)).save(cg + "foe.bmp", "BMP");
  pattern(20, 2, qRgb(250, 200, 0), qRgb(120, 0, 160)).save(cg + "act.bmp", "BMP");
  pattern(20, 5, qRgb(0, 160, 220), qRgb(255, 255, 255)).save(cg + "act2.bmp", "BMP");
  pattern(64, 16, qRgb(0, 0, 0), qRgb(255, 255, 255)).save(cg + "e0.bmp", "BMP");
  return dir.path().toStdString() + "/";
}

TEST(WindowPaint, ScreenshotsAfterEffectAndAnimation) {
  QTemporaryDir dir;
  MainWindow w;
  QtPlatform plat(w);
  SeededRandom rng{1};
  Game g(plat, rng, patterned_root(dir));
  bind_handlers(g);
  w.attach(g);
  g.ui.start_box.visible = false;
  w.show();
  w.sync();
  settle();
  QDir().mkpath(ZANDO_SHOTS);
  // The window rendered at its own scale (2 under QT_SCALE_FACTOR=2).
  auto shot = [&](const char* name) {
    const QImage s = w.grab().toImage();
    s.save(QStringLiteral(ZANDO_SHOTS "/") + name + ".png");
    return s;
  };
  // What a picture shows on the screen, and its model magnified block for
  // block to the screen's scale (QT_SCALE_FACTOR=2 must not blur it).
  auto on_screen = [&](const QImage& s, const char* name) { return grab_part(s, w, w.widget_of(name)->geometry()); };
  auto model = [&](const QImage& s, const QImage& img) {
    const int k = grab_scale(s, w);
    return img.scaled(img.size() * k, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  };

  room_cg_load(g, "room.bmp");
  e_cg_load(g, "foe.bmp");
  screen_effect(g, Fx::FoeBlueRise);
  screen_effect(g, Fx::FoeGreenBurst);
  QImage s = shot("after_screen_effect");
  // The portrait is the opponent's picture again, block for block.
  EXPECT_EQ(on_screen(s, "e_cg"), model(s, g.ui.e_cg.image));
  EXPECT_EQ(g.ui.e_cg.image.pixel(0, 0), qRgb(250, 220, 200));
  EXPECT_EQ(g.ui.e_cg.image.pixel(8, 0), qRgb(200, 60, 60));

  cg_load2(g, "act.bmp", "act2.bmp");
  s = shot("after_cg_load2");
  EXPECT_EQ(on_screen(s, "cg"), model(s, g.ui.cg.image));
  EXPECT_EQ(g.ui.cg.image.pixel(0, 0), qRgb(255, 255, 255));

  cg_load(g, "act.bmp");
  s = shot("after_cg_load");
  EXPECT_EQ(on_screen(s, "cg"), model(s, g.ui.cg.image));
  QImage room = blank_picture(200, 200);
  stretch_copy(room, {0, 0, 200, 200}, g.map_bak, {0, 0, 64, 64});
  EXPECT_EQ(g.ui.cg.image, room);
}

}  // namespace
}  // namespace z2
