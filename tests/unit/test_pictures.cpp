#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "recording_platform.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "state/random.h"

namespace z2 {
namespace {

const QRgb kE0 = qRgb(10, 20, 30);
const QRgb kMapFallback = qRgb(40, 50, 60);
const QRgb kRoomA = qRgb(200, 0, 0);
const QRgb kRoomB = qRgb(0, 0, 200);
const QRgb kAct = qRgb(250, 120, 0);
const QRgb kAct2 = qRgb(0, 160, 160);
const QRgb kFoe = qRgb(90, 60, 30);
const QRgb kYam = qRgb(170, 170, 20);
const QRgb kYam2 = qRgb(20, 90, 170);

void save_solid(const QString& path, int w, int h, QRgb c) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  ASSERT_TRUE(img.save(path, "BMP"));
}

bool all_pixels(const QImage& img, QRgb c) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != c) return false;
  return !img.isNull();
}

// A program folder whose cg/ holds a few one-colour pictures, and a game that
// keeps a copy of the main picture and the portraits at every repaint.
struct PicGame {
  explicit PicGame(std::vector<int32_t> draws = {}) : rng(std::move(draws)), g(plat, rng, root()) {
    bind_handlers(g);
    plat.on_repaint = [this] {
      cg_frames.push_back(g.ui.cg.image.copy());
      e_frames.push_back(g.ui.e_cg.image.copy());
      my_frames.push_back(g.ui.my_cg.image.copy());
    };
  }
  std::string root() {
    const QString cg = dir.path() + "/cg/";
    QDir().mkpath(cg);
    save_solid(cg + "e0.bmp", 64, 64, kE0);
    save_solid(cg + "map-1.bmp", 64, 64, kMapFallback);
    QImage room(64, 64, QImage::Format_RGB32);
    room.fill(kRoomB);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) room.setPixel(x, y, kRoomA);
    room.save(cg + "room.bmp", "BMP");
    save_solid(cg + "act.bmp", 20, 20, kAct);
    save_solid(cg + "act2.bmp", 20, 20, kAct2);
    save_solid(cg + "foe.bmp", 64, 64, kFoe);
    save_solid(cg + "yam.bmp", 64, 64, kYam);
    save_solid(cg + "yam2.bmp", 64, 64, kYam2);
    return dir.path().toStdString() + "/";
  }
  void forget() {
    cg_frames.clear();
    e_frames.clear();
    my_frames.clear();
    plat.pauses.clear();
    plat.elapsed_ms = 0;
    plat.repaints = 0;
  }
  // The portrait as its buffer draws it.
  static QImage portrait_of(const QImage& buffer) {
    QImage img = blank_picture(129, 129);
    stretch_copy(img, {0, 0, 129, 129}, buffer, {0, 0, 64, 64});
    return img;
  }

  QTemporaryDir dir;
  test::RecordingPlatform plat;
  ScriptedRandom rng;
  Game g;
  std::vector<QImage> cg_frames, e_frames, my_frames;
};

TEST(Pictures, RoomBackgroundFillsTheMainPictureFromItsCorner) {
  PicGame p;
  room_cg_load(p.g, "room.bmp");
  const QImage& cg = p.g.ui.cg.image;
  EXPECT_EQ(cg.pixel(0, 0), kRoomA);
  EXPECT_EQ(cg.pixel(99, 99), kRoomA);
  EXPECT_EQ(cg.pixel(100, 99), kRoomB);
  EXPECT_EQ(cg.pixel(199, 199), kRoomB);
  EXPECT_EQ(p.plat.repaints, 1);
  EXPECT_TRUE(p.plat.pauses.empty());
}

TEST(Pictures, MissingRoomBackgroundFallsBack) {
  PicGame p;
  room_cg_load(p.g, "nowhere.bmp");
  EXPECT_TRUE(all_pixels(p.g.map_bak, kMapFallback));
  EXPECT_TRUE(all_pixels(p.g.ui.cg.image, kMapFallback));
}

TEST(Pictures, MissingActionPictureShowsTheDefault) {
  PicGame p;
  room_cg_load(p.g, "room.bmp");
  p.forget();
  cg_load(p.g, "nowhere.bmp");
  EXPECT_TRUE(all_pixels(p.g.bak20, kE0));
  // 11 growing squares, the white frame, then 41 zoom frames; the last one
  // covers the whole picture with the magnified icon.
  ASSERT_EQ(p.cg_frames.size(), 78u);
  EXPECT_TRUE(all_pixels(p.cg_frames[11], qRgb(255, 255, 255)));
  EXPECT_TRUE(all_pixels(p.cg_frames[52], kE0));

  cg_load2(p.g, "nowhere.bmp", "nor_here.bmp");
  EXPECT_TRUE(all_pixels(p.g.ui.cg.image, kE0));
}

TEST(Pictures, MissingDefaultTooIsAnError) {
  PicGame p;
  QFile::remove(p.dir.path() + "/cg/e0.bmp");
  EXPECT_THROW(cg_load(p.g, "nowhere.bmp"), PictureError);
  // Through a handler it reaches the error box, and the game goes on.
  run_handler(p.g, [](Game& g) { e_cg_load(g, "nowhere.bmp"); });
  ASSERT_EQ(p.plat.errors.size(), 1u);
  EXPECT_NE(p.plat.errors[0].find("e0.bmp"), std::string::npos);
}

TEST(Pictures, TwoFrameAnimationKeepsItsSecondFrame) {
  PicGame p;
  room_cg_load(p.g, "room.bmp");
  p.forget();
  cg_load2(p.g, "act.bmp", "act2.bmp");
  EXPECT_TRUE(all_pixels(p.g.ui.cg.image, kAct2));
  EXPECT_TRUE(all_pixels(p.g.bak20, kAct2));
  // 11 squares, 41 zoom frames, then 31 pairs of frames.
  ASSERT_EQ(p.cg_frames.size(), 11u + 41u + 62u);
  EXPECT_TRUE(all_pixels(p.cg_frames[52], kAct));
  EXPECT_TRUE(all_pixels(p.cg_frames[53], kAct2));
  // The square grows from the middle: the first visible one spans 90..110.
  EXPECT_EQ(p.cg_frames[1].pixel(100, 100), kAct);
  EXPECT_EQ(p.cg_frames[1].pixel(89, 95), kRoomA);
  EXPECT_EQ(p.cg_frames[1].pixel(110, 110), kRoomB);
  EXPECT_EQ(p.plat.elapsed_ms, 41 * 5 + 62 * 10);
}

TEST(Pictures, ActionAnimationReturnsToTheRoomLoadedLongBefore) {
  PicGame p;
  room_cg_load(p.g, "room.bmp");
  const QImage room = p.g.ui.cg.image.copy();
  e_cg_load(p.g, "foe.bmp");
  cg_load2(p.g, "act.bmp", "act2.bmp");
  ASSERT_NE(p.g.ui.cg.image, room);
  cg_load(p.g, "act.bmp");
  EXPECT_EQ(p.g.ui.cg.image, room);
  // The zoom-out back to the room starts from its centre 44 x 44.
  QImage centre = blank_picture(200, 200);
  stretch_copy(centre, {0, 0, 200, 200}, p.g.map_bak, {20, 20, 44, 44});
  EXPECT_EQ(p.cg_frames[p.cg_frames.size() - 12], centre);
}

TEST(Pictures, ActionAnimationTimeFollowsTheTextSpeed) {
  for (int speed : {3, 0, 10}) {
    PicGame p;
    set_speed_slider(p.g, speed);
    room_cg_load(p.g, "room.bmp");
    p.forget();
    cg_load(p.g, "act.bmp");
    const int wait = speed * 100 + 100;
    EXPECT_EQ(p.plat.elapsed_ms, 205 + 13 * (wait / 40)) << "speed " << speed;
  }
  PicGame p;
  cg_load(p.g, "act.bmp");
  EXPECT_EQ(p.plat.elapsed_ms, 335);
}

TEST(Pictures, OpponentSlidesInFromTheLeft) {
  PicGame p;
  e_cg_load(p.g, "foe.bmp");
  EXPECT_EQ(p.plat.pauses, (std::vector<int>{2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 10, 10}));
  EXPECT_EQ(p.g.ui.e_cg.image, PicGame::portrait_of(p.g.e_bak));
  EXPECT_TRUE(all_pixels(p.g.ui.e_cg.image, kFoe));
  // After the first step only the picture's right edge shows: 0 to 10.
  EXPECT_EQ(p.e_frames[0].pixel(9, 60), kFoe);
  EXPECT_NE(p.e_frames[0].pixel(10, 60), kFoe);
}

TEST(Effects, UnknownNumbersChangeNothing) {
  PicGame p;
  e_cg_load(p.g, "foe.bmp");
  p.forget();
  const QImage e = p.g.ui.e_cg.image.copy(), my = p.g.ui.my_cg.image.copy();
  for (int n : {-1, -2, kFxCount, kFxCount + 1, 255, 2000000000}) screen_effect(p.g, static_cast<Fx>(n));
  EXPECT_EQ(p.g.ui.e_cg.image, e);
  EXPECT_EQ(p.g.ui.my_cg.image, my);
  EXPECT_EQ(p.plat.repaints, 0);
  EXPECT_TRUE(p.plat.pauses.empty());
  EXPECT_TRUE(p.rng.draws.empty());
}

TEST(Effects, FlashCoversThePortraitThenRestoresIt) {
  PicGame p;
  e_cg_load(p.g, "foe.bmp");
  p.forget();
  screen_effect(p.g, Fx::FoeRed);
  ASSERT_EQ(p.e_frames.size(), 22u);
  EXPECT_TRUE(all_pixels(p.e_frames[0], qRgb(255, 0, 0)));
  EXPECT_TRUE(all_pixels(p.e_frames[1], kFoe));
  EXPECT_EQ(p.plat.pauses, std::vector<int>(22, 5));
  EXPECT_TRUE(all_pixels(p.g.ui.e_cg.image, kFoe));
  // The purple flashes take sixteen steps; PlayerPurple draws on the player's portrait.
  p.forget();
  const QImage e = p.g.ui.e_cg.image.copy();
  screen_effect(p.g, Fx::PlayerPurple);
  EXPECT_EQ(p.my_frames.size(), 32u);
  EXPECT_TRUE(all_pixels(p.my_frames[0], qRgb(128, 0, 255)));
  for (const QImage& f : p.e_frames) EXPECT_EQ(f, e);
}

TEST(Effects, StripesMoveOneBandAStep) {
  PicGame p;
  e_cg_load(p.g, "foe.bmp");
  p.forget();
  screen_effect(p.g, Fx::FoeBlueRise);
  ASSERT_EQ(p.e_frames.size(), 22u);
  // The first band (130..140) lies below the portrait; the second is 117..127.
  EXPECT_TRUE(all_pixels(p.e_frames[0], kFoe));
  EXPECT_EQ(p.e_frames[2].pixel(60, 116), kFoe);
  EXPECT_EQ(p.e_frames[2].pixel(60, 117), qRgb(0, 0, 255));
  EXPECT_EQ(p.e_frames[2].pixel(60, 126), qRgb(0, 0, 255));
  EXPECT_EQ(p.e_frames[2].pixel(60, 127), kFoe);
  EXPECT_EQ(p.e_frames[20].pixel(60, 0), qRgb(0, 0, 255));
  EXPECT_EQ(p.e_frames[20].pixel(60, 10), kFoe);
  p.forget();
  screen_effect(p.g, Fx::FoeYellowFall);
  EXPECT_EQ(p.e_frames[0].pixel(0, 9), qRgb(255, 255, 0));
  EXPECT_EQ(p.e_frames[0].pixel(0, 10), kFoe);
  EXPECT_EQ(p.e_frames[2].pixel(128, 13), qRgb(255, 255, 0));
}

TEST(Effects, GreenBurstDrawsRightBottomTopLeft) {
  // First step's corners: right 120, bottom 60, top 40, left 100.
  PicGame p({120, 60, 40, 100});
  e_cg_load(p.g, "foe.bmp");
  p.forget();
  screen_effect(p.g, Fx::FoeGreenBurst);
  EXPECT_EQ(p.rng.draws, std::vector<int32_t>(44, 129));
  ASSERT_EQ(p.e_frames.size(), 33u);
  const QImage& ellipse = p.e_frames[0];
  const QRgb green = qRgb(0, 255, 0);
  EXPECT_EQ(ellipse.pixel(110, 50), green);
  // Any other order of the four draws would put the ellipse around here.
  EXPECT_EQ(ellipse.pixel(60, 80), kFoe);
  EXPECT_EQ(ellipse.pixel(99, 50), kFoe);
  EXPECT_EQ(ellipse.pixel(121, 50), kFoe);
  EXPECT_EQ(ellipse.pixel(110, 39), kFoe);
  EXPECT_EQ(ellipse.pixel(110, 61), kFoe);
  EXPECT_TRUE(all_pixels(p.e_frames[1], green));
  EXPECT_TRUE(all_pixels(p.e_frames[2], kFoe));
  EXPECT_EQ(p.plat.pauses, std::vector<int>(33, 3));
  p.forget();
  screen_effect(p.g, Fx::PlayerGreenBurst);
  EXPECT_TRUE(all_pixels(p.my_frames[1], green));
}

TEST(Effects, PictureSwapLeavesTheCleanerBehind) {
  PicGame p;
  e_cg_load(p.g, "foe.bmp");
  p.forget();
  screen_effect(p.g, Fx::CleanerChews);
  ASSERT_EQ(p.e_frames.size(), 10u);
  EXPECT_TRUE(all_pixels(p.e_frames[0], kYam2));
  EXPECT_TRUE(all_pixels(p.e_frames[1], kYam));
  EXPECT_TRUE(all_pixels(p.e_frames[8], kYam2));
  EXPECT_TRUE(all_pixels(p.g.e_bak, kYam));
  EXPECT_TRUE(all_pixels(p.g.ui.e_cg.image, kYam));
  EXPECT_EQ(p.plat.elapsed_ms, 500);
  // A later redraw from the buffer shows the cleaner, not the old opponent.
  screen_effect(p.g, Fx::FoeRed);
  EXPECT_TRUE(all_pixels(p.g.ui.e_cg.image, kYam));
}

TEST(Effects, PictureSwapWithoutItsFilesKeepsPace) {
  PicGame p;
  e_cg_load(p.g, "foe.bmp");
  QFile::remove(p.dir.path() + "/cg/yam.bmp");
  QFile::remove(p.dir.path() + "/cg/yam2.bmp");
  p.forget();
  screen_effect(p.g, Fx::CleanerChews);
  EXPECT_EQ(p.plat.elapsed_ms, 500);
  EXPECT_TRUE(all_pixels(p.g.ui.e_cg.image, kFoe));
  EXPECT_TRUE(p.plat.errors.empty());
}

}  // namespace
}  // namespace z2
