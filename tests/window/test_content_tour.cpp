// The shipped content in the real window: the title, the map of several
// floors, the monster room and the colosseum. Screenshots go to ZANDO_SHOTS
// (content_*.png), to be looked at whenever the pictures or the data change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <filesystem>

#include "battle/outcome.h"
#include "platform/qt/window.h"
#include "rooms/floor_map.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "shell/title.h"
#include "state/random.h"

namespace fs = std::filesystem;

namespace z2 {
namespace {

// The window's platform, answering every box at once and without the pauses,
// so a tour takes seconds; painting is the real one.
class TourPlatform : public QtPlatform {
 public:
  using QtPlatform::QtPlatform;
  void pause(int) override {}
  bool ask(const std::string&) override { return true; }
  void notice(const std::string&) override {}
  void error(const std::string& text) override { errors.push_back(text); }
  std::vector<std::string> errors;
};

struct Tour {
  fs::path root;
  MainWindow w;
  TourPlatform plat{w};
  SeededRandom rng{7};
  std::unique_ptr<Game> g;

  Tour() {
    root = fs::temp_directory_path() / ("zando-tour-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    fs::copy(fs::path(ZANDO_GAME_DIR) / "dat", root / "dat", fs::copy_options::recursive);
    fs::copy(fs::path(ZANDO_GAME_DIR) / "cg", root / "cg", fs::copy_options::recursive);
    fs::remove(root / "dat" / "z.wav");
    g = std::make_unique<Game>(plat, rng, root.string());
    bind_handlers(*g);
    w.attach(*g);
    startup(*g);
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
  }
  ~Tour() { fs::remove_all(root); }

  void refresh() {
    timer_fire(*g, 1);
    w.sync();
    QApplication::processEvents();
  }
  void shot(const std::string& name) {
    refresh();
    fs::create_directories(ZANDO_SHOTS);
    w.grab().save(QString::fromStdString(std::string(ZANDO_SHOTS) + "/content_" + name + ".png"));
  }
  // Back on the map through the end of the fight. The tour only looks, so a
  // visitor's choice box is left unchosen and closed with the visit.
  void back_to_map() {
    battle_end(*g);
    g->ui.lv_box.visible = false;
    g->s.host_mode = false;
    refresh();
    EXPECT_FALSE(g->s.in_battle);
    EXPECT_TRUE(g->ui.map_box.visible);
    EXPECT_TRUE(g->ui.menu_com.visible);
    EXPECT_FALSE(g->ui.battle_com.visible);
    EXPECT_FALSE(g->ui.moji_l3.visible);
  }
  void go_to_floor(int f) {
    g->s.floor = f;
    load_cg(*g, g->ui.haikei.image, "haikei" + std::to_string(f) + ".bmp", "haikei-1.bmp");
    g->ui.haikei.touched();
    refresh();
  }
  // Pixels of the picture that are not the window's silver.
  int painted(const std::string& control) {
    QWidget* wd = w.widget_of(control);
    QImage img = wd->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); y += 4)
      for (int x = 0; x < img.width(); x += 4)
        if ((img.pixel(x, y) & 0xFFFFFF) != (kSilver & 0xFFFFFF)) ++n;
    return n;
  }
};

bool have_content() { return fs::exists(fs::path(ZANDO_GAME_DIR) / "dat" / "enemy.dat"); }

TEST(ContentTour, TitleMapsFightsAndColosseumsOfSeveralFloors) {
  if (!have_content()) GTEST_SKIP() << "the program folder has not been generated";
  Tour t;
  Game& g = *t.g;
  t.shot("title");
  EXPECT_GT(t.painted("Image1"), 100);

  ASSERT_TRUE(click(g, "Button12"));
  t.refresh();
  EXPECT_EQ(g.ui.map_box.caption, "0階【" + g.t.map_names[0] + "】");
  EXPECT_NE(g.ui.my_l.text.find("ｸﾗｽ:" + g.t.job_table[0].jb_name), std::string::npos);
  t.shot("map0");

  // Every floor has its name in the map caption.
  for (int f = 0; f <= 24; ++f) {
    t.go_to_floor(f);
    const std::string& name = g.t.map_names[static_cast<size_t>(f)];
    EXPECT_FALSE(name.empty()) << "floor " << f;
    EXPECT_EQ(g.ui.map_box.caption, std::to_string(f) + "階【" + name + "】");
  }

  for (int f : {0, 3, 7, 13, 18, 22}) {
    t.go_to_floor(f);
    t.shot("map" + std::to_string(f));
    if (g.ui.s_battle.shown()) {
      ASSERT_TRUE(click(g, "s_battle"));
      t.refresh();
      if (g.s.in_battle) {
        EXPECT_FALSE(g.s.e_name.empty());
        // The appearance line, unless the opponent struck first and its turn
        // has been typed over it.
        const std::string& said = g.ui.moji_l2.text;
        if (said.find(g.s.e_name + "が出現!!") == std::string::npos) {
          EXPECT_TRUE(g.ui.battle_com.visible) << "floor " << f;
          EXPECT_FALSE(said.empty()) << "floor " << f;
        }
        EXPECT_GT(t.painted("e_cg"), 500);
        t.shot("monster_room" + std::to_string(f));
      }
      t.back_to_map();
    }
    g.s.floor_clear[static_cast<size_t>(f)] = 0;
    t.refresh();
    if (g.ui.colosiam_b.shown()) {
      g.s.wild = 999;
      g.s.cent = 99999;
      ASSERT_TRUE(click(g, "colosiam_b"));
      t.refresh();
      EXPECT_TRUE(g.s.in_battle) << "floor " << f;
      EXPECT_EQ(g.s.e_name, g.s.boss_name);
      EXPECT_TRUE(g.ui.moji_l3.visible);
      t.shot("colosseum" + std::to_string(f));
      t.back_to_map();
    }
  }
  // A portrait flash caught half way: the effect's colour over the portrait.
  screen_effect(g, Fx::PlayerGreenBurst);
  t.shot("after_effect");
  EXPECT_TRUE(t.plat.errors.empty()) << t.plat.errors.front();
}

}  // namespace
}  // namespace z2
