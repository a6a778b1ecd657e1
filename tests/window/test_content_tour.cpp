// The shipped content in the real window: the title, the map of several
// floors, the monster room and the colosseum. Screenshots go to ZANDO_SHOTS
// (content_*.png), to be looked at whenever the pictures or the data change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <set>

#include "battle/outcome.h"
#include "platform/qt/widgets.h"
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

// The texts a player cannot read whole: a button's caption wider than the
// room inside its frame, a line of a label that is not a message (those
// wrap by design) wider than the label, a panel's title wider than the
// panel, a list row wider than the list.
std::vector<std::string> cut_texts(MainWindow& w, Game& g) {
  std::vector<std::string> cut;
  const int s = w.scale();
  auto check = [&](const Control& c, const QString& text, const QFont& f, int room) {
    const int need = QFontMetrics(f).horizontalAdvance(text);
    if (need > room)
      cut.push_back(c.name + ": \"" + text.toStdString() + "\" needs " + std::to_string(need) + " of " +
                    std::to_string(room) + " px at zoom " + std::to_string(s));
  };
  for (const Control* c : g.ui.all()) {
    if (!c->shown() || c->wraps) continue;
    QWidget* wd = w.widget_of(c->name);
    switch (c->kind) {
      case Kind::Button:
        check(*c, static_cast<QPushButton*>(wd)->text(), wd->font(), wd->width() - 6 * s);
        break;
      case Kind::Label:
        for (const QString& line : wd->property("text").toString().split(QChar('\n')))
          check(*c, line, wd->font(), wd->width());
        break;
      case Kind::Panel:
        check(*c, static_cast<QGroupBox*>(wd)->title(), wd->font(), wd->width());
        break;
      case Kind::List: {
        auto* l = static_cast<QListWidget*>(wd);
        for (int i = 0; i < l->count(); ++i) check(*c, l->item(i)->text(), l->font(), l->viewport()->width());
        break;
      }
      default:
        break;
    }
  }
  return cut;
}

// The text of `names` that is widest in the game's status font.
template <class Range, class Name>
std::string widest(const Range& names, Name name) {
  const QFontMetrics fm(game_font(13, true, false));
  std::string best;
  for (const auto& r : names)
    if (fm.horizontalAdvance(q(name(r))) > fm.horizontalAdvance(q(best))) best = name(r);
  return best;
}

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

// Every screen a player reaches, at the longest texts it can hold: the
// widest names of the shipped data, nine-digit money and record, 999 combos.
TEST(ContentTour, EveryTextFitsItsControlAtItsLongest) {
  if (!have_content()) GTEST_SKIP() << "the program folder has not been generated";
  Tour t;
  Game& g = *t.g;
  GameState& s = g.s;
  const Tables& tb = g.t;
  auto fits = [&](const std::string& where) {
    t.refresh();
    for (const std::string& c : cut_texts(t.w, g)) ADD_FAILURE() << where << ": " << c;
  };
  fits("title");
  ASSERT_TRUE(click(g, "Button12"));
  t.refresh();

  s.my_name = widest(tb.name_list, [](const std::string& n) { return n; });
  s.e_name = widest(tb.enemy_slots, [](const EnemyRecord& r) { return r.en_name; });
  s.buki_name = s.bougu_name = widest(tb.item_table, [](const ItemRecord& r) { return r.it_name; });
  s.my_state = 1;
  s.my_lv = s.e_lv = 99;
  s.my_exp = 99;
  s.my_hp = s.my_hp_max = s.my_mp = s.my_mp_max = 99999;
  s.my_atk = s.my_int = s.my_body = s.my_beast = 9999;
  s.buki_pow = s.bougu_pow = 9999;
  s.ark = s.ark_max = 9999;
  s.cent = 999999999;
  s.wild = 999;
  s.combo = 999;
  s.score = 999999999;
  s.play_time = 99999;
  s.floor_clear[fc::kBattles] = 99999;
  s.floor_clear[fc::kDeaths] = s.floor_clear[fc::kEscapes] = 999;
  s.can_punch = s.can_magic = s.can_beast = s.can_item = false;
  for (size_t i = 0; i < s.item_have.size(); ++i) {
    s.item_have[i] = tb.item_table[i].it_name.empty() ? 0 : 99;
    s.gomi_have[i] = tb.gomi_table[i].gm_name.empty() ? 0 : 99;
    s.monster_have[i] = tb.monster_table[i].mo_name.empty() ? 0 : 99;
    s.monster_lv[i] = 99;
  }
  for (size_t i = 0; i < s.md_have.size(); ++i) s.md_have[i] = tb.md_table[i].md_name.empty() ? 0 : 1;
  for (int job = 0; job < 256; ++job) {
    if (tb.job_table[static_cast<size_t>(job)].jb_name.empty()) continue;
    s.class_now = job;
    fits("map, class " + std::to_string(job));
  }
  for (int ex = 0; ex < 256; ++ex) {
    if (tb.ex_names[static_cast<size_t>(ex)].empty()) continue;
    s.buki_ex = ex;
    fits("map, extra effect " + std::to_string(ex));
  }
  for (int f = 0; f <= 24; ++f) {
    t.go_to_floor(f);
    fits("map of floor " + std::to_string(f));
  }
  t.go_to_floor(0);
  // A list of the menu, of a room or of a room's shop: its rows at their
  // longest, then back.
  auto list = [&](const std::string& where) {
    fits(where);
    if (g.ui.list_box.shown()) {
      EXPECT_FALSE(g.ui.list_l.rows.empty()) << where;
    }
    if (g.ui.cancel_b.usable()) click(g, "cancel_b");
    t.refresh();
  };
  for (const char* menu : {"m4", "m1", "md_b", "m2", "m3", "Button44"}) {
    ASSERT_TRUE(click(g, menu)) << menu;
    t.refresh();
    list(std::string("menu ") + menu);
  }
  g.ui.lv_box.visible = g.ui.lv2_b.visible = g.ui.lv3_b.visible = true;
  fits("level-up box");
  g.ui.lv_box.visible = false;
  // Every kind of room once, on the first floor that has it.
  std::set<std::string> seen;
  for (int f = 0; f <= 24; ++f) {
    t.go_to_floor(f);
    for (const char* room : {"s_shop", "s_wild", "s_monster", "s_gomi", "s_er", "s_ch"}) {
      if (!g.ui.find(room)->usable() || !seen.insert(room).second) continue;
      ASSERT_TRUE(click(g, room)) << room;
      t.refresh();
      const std::string where = "floor " + std::to_string(f) + " " + room;
      fits(where);
      for (const char* sub : {"Button41", "Button42", "wata_b"})
        if (g.ui.find(sub)->usable()) {
          click(g, sub);
          t.refresh();
          list(where + " " + sub);
        }
      list(where);
      s.cent = 999999999;
    }
  }
  EXPECT_EQ(seen.size(), 6u) << "rooms visited";
  t.go_to_floor(0);
  t.shot("longest_map");
  ASSERT_TRUE(click(g, "s_battle"));
  t.refresh();
  ASSERT_TRUE(s.in_battle);
  s.e_name = widest(tb.enemy_slots, [](const EnemyRecord& r) { return r.en_name; });
  s.e_lv = 99;
  s.e_hp = s.e_hp_max = 99999;
  s.combo = 999;
  s.wild = 999;
  g.ui.tower_b.visible = g.ui.wild_l.visible = true;
  fits("fight");
  t.shot("longest_fight");
  t.w.screen_room = [] { return QRect(0, 0, 4000, 4000); };
  for (int zoom : {2, 3}) {
    t.w.set_zoom(zoom, false);
    fits("fight at zoom " + std::to_string(zoom));
  }
  EXPECT_TRUE(t.plat.errors.empty()) << t.plat.errors.front();
}

}  // namespace
}  // namespace z2
