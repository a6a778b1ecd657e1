// Where nobody sees the frames of an animation (the headless face), only the
// drawings that are still visible at its end are made. The pictures must end
// exactly as when every frame is drawn, for every animation, for pictures of
// any size (a small one leaves earlier frames showing around it), and when a
// picture goes missing halfway through; pauses, repaints and random draws
// stay the same.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <random>

#include "battle/outcome.h"
#include "recording_platform.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/pictures.h"
#include "state/random.h"

namespace z2 {
namespace {

class BlindPlatform : public test::RecordingPlatform {
 public:
  bool shows_frames() const override { return false; }
};

void save_noise(const QString& path, int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
  ASSERT_TRUE(img.save(path, "BMP"));
}

// One program folder; `size` is the side of the room, opponent and action
// pictures (64 and 20 as the game draws them, or smaller or larger).
struct Folder {
  explicit Folder(int size) {
    const QString cg = dir.path() + "/cg/";
    QDir().mkpath(cg);
    unsigned seed = 1;
    for (const char* f : {"e0.bmp", "map-1.bmp"}) save_noise(cg + f, 64, 64, seed++);
    for (const char* f : {"room.bmp", "foe.bmp", "yam.bmp", "yam2.bmp", "act.bmp", "act2.bmp"})
      save_noise(cg + f, size, size + 3, seed++);
    root = dir.path().toStdString() + "/";
  }
  QTemporaryDir dir;
  std::string root;
};

// The same game twice: one whose frames are seen, one whose are not.
template <class Plat>
struct Side {
  explicit Side(const std::string& root) : rng(draws()), g(plat, rng, root) {
    bind_handlers(g);
    g.my_bak = QImage(QString::fromStdString(root + "cg/e0.bmp")).convertToFormat(QImage::Format_RGB32);
    g.ui.cg.image = blank_picture(200, 200);
    g.ui.e_cg.image = blank_picture(129, 129);
    g.ui.my_cg.image = blank_picture(129, 129);
  }
  static std::vector<int32_t> draws() {
    std::vector<int32_t> v;
    std::mt19937 r(7);
    for (int i = 0; i < 2000; ++i) v.push_back(static_cast<int32_t>(r() % 129));
    return v;
  }
  Plat plat;
  ScriptedRandom rng;
  Game g;
};

void expect_same(Game& seen, Game& blind, const std::string& step) {
  EXPECT_EQ(seen.ui.cg.image, blind.ui.cg.image) << step;
  EXPECT_EQ(seen.ui.e_cg.image, blind.ui.e_cg.image) << step;
  EXPECT_EQ(seen.ui.my_cg.image, blind.ui.my_cg.image) << step;
  EXPECT_EQ(seen.bak, blind.bak) << step;
  EXPECT_EQ(seen.bak20, blind.bak20) << step;
  EXPECT_EQ(seen.e_bak, blind.e_bak) << step;
  EXPECT_EQ(seen.map_bak, blind.map_bak) << step;
}

template <class F>
void both(Side<test::RecordingPlatform>& a, Side<BlindPlatform>& b, const std::string& step, F&& run) {
  std::string err_a, err_b;
  try {
    run(a.g);
  } catch (const PictureError& e) {
    err_a = e.what();
  }
  try {
    run(b.g);
  } catch (const PictureError& e) {
    err_b = e.what();
  }
  EXPECT_EQ(err_a, err_b) << step;
  expect_same(a.g, b.g, step);
  EXPECT_EQ(a.plat.pauses, b.plat.pauses) << step;
  EXPECT_EQ(a.plat.repaints, b.plat.repaints) << step;
  EXPECT_EQ(a.rng.draws, b.rng.draws) << step;
}

}  // namespace

TEST(Frames, UnseenAnimationsEndOnTheSamePictures) {
  for (int size : {64, 20, 9, 100}) {
    Folder f(size);
    Side<test::RecordingPlatform> seen(f.root);
    Side<BlindPlatform> blind(f.root);
    const std::string at = "pictures of " + std::to_string(size) + ": ";
    both(seen, blind, at + "room", [](Game& g) { room_cg_load(g, "room.bmp"); });
    both(seen, blind, at + "opponent", [](Game& g) { e_cg_load(g, "foe.bmp"); });
    for (int n = 0; n < kFxCount; ++n)
      both(seen, blind, at + "effect " + std::to_string(n), [n](Game& g) { screen_effect(g, static_cast<Fx>(n)); });
    both(seen, blind, at + "zoom", [](Game& g) { zoom_in(g, g.ui.e_cg, g.e_bak); });
    both(seen, blind, at + "action", [](Game& g) { cg_load(g, "act.bmp"); });
    both(seen, blind, at + "two frames", [](Game& g) { cg_load2(g, "act.bmp", "act2.bmp"); });
    both(seen, blind, at + "action again", [](Game& g) { cg_load(g, "act2.bmp"); });
    // With pictures as large as the game draws them, the blind side drew far less.
    if (size >= 64) {
      EXPECT_LT(blind.g.ui.cg.image_rev * 4, seen.g.ui.cg.image_rev) << at;
      EXPECT_LT(blind.g.ui.e_cg.image_rev * 4, seen.g.ui.e_cg.image_rev) << at;
    }
  }
}

TEST(Frames, APictureLostHalfwayEndsTheSameToo) {
  for (bool fallback_too : {false, true}) {
    Folder f(64);
    Side<test::RecordingPlatform> seen(f.root);
    Side<BlindPlatform> blind(f.root);
    both(seen, blind, "room", [](Game& g) { room_cg_load(g, "room.bmp"); });
    // The second picture of the pair (and maybe the default one) is deleted
    // after the 70th repaint, with 44 frames still to come; a deleted picture
    // comes back for the other side's run.
    const QString cg = f.dir.path() + "/cg/";
    auto lose_at = [&](test::RecordingPlatform& p) {
      p.repaints = 0;
      p.on_repaint = [&p, cg, fallback_too] {
        if (p.repaints != 70) return;
        QFile::remove(cg + "act2.bmp");
        if (fallback_too) QFile::remove(cg + "e0.bmp");
      };
    };
    auto restore = [&] {
      save_noise(cg + "act2.bmp", 64, 67, 8);
      save_noise(cg + "e0.bmp", 64, 64, 1);
    };
    lose_at(seen.plat);
    lose_at(blind.plat);
    std::string err_seen, err_blind;
    try {
      cg_load2(seen.g, "act.bmp", "act2.bmp");
    } catch (const PictureError& e) {
      err_seen = e.what();
    }
    restore();
    try {
      cg_load2(blind.g, "act.bmp", "act2.bmp");
    } catch (const PictureError& e) {
      err_blind = e.what();
    }
    EXPECT_EQ(err_seen.empty(), !fallback_too);
    EXPECT_EQ(err_seen, err_blind);
    EXPECT_EQ(seen.plat.repaints, blind.plat.repaints);
    expect_same(seen.g, blind.g, fallback_too ? "without a default" : "with the default");
  }
}

}  // namespace z2
