// Play without a mouse: the keys move a ring between the controls and press
// them, and a game played by keys is the game played by clicks.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QKeyEvent>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include <SDL.h>

#include "game_handlers.h"
#include "platform/qt/gamepad.h"
#include "platform/qt/audio.h"
#include "platform/qt/window.h"
#include "shell/game.h"
#include "shell/status.h"
#include "lists/list_modes.h"
#include "shell/title.h"
#include "state/random.h"
#include "boxes.h"
#include "keys.h"
#include "../unit/game_fixture.h"
#include "../unit/temp_dir.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

// The game in its real window over a fresh copy of the mini set (which has
// no save), the tips off.
struct Play {
  explicit Play(int zoom = 1, uint32_t seed = 11) : rng(seed) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(config.path.string()));
    fs::copy(fs::path(ZANDO_FIXTURES) / "mini", dir.path, fs::copy_options::recursive);
    g = std::make_unique<Game>(plat, rng, dir.path.string() + "/");
    bind_handlers(*g);
    WindowPrefs p;
    p.zoom = zoom;
    p.tips = false;
    w.screen_room = [] { return QRect(0, 0, 4000, 3000); };
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
  void key(int k) {
    QTest::keyClick(w.windowHandle(), static_cast<Qt::Key>(k));
    QTest::qWait(5);
  }
  void click(const Control& c) {
    QPoint p(c.left + c.width / 2, c.top + c.height / 2);
    for (const Control* up = c.parent; up; up = up->parent) p += QPoint(up->left, up->top);
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, w.area_offset() + p * w.scale());
    QTest::qWait(5);
  }
  std::string focus() { return w.focus().current() ? w.focus().current()->name : std::string(); }
  void shot(const char* name) {
    fs::create_directories(ZANDO_SHOTS);
    w.grab().save(QString::fromStdString((fs::path(ZANDO_SHOTS) / name).string()), "PNG");
  }
  // The ring frames the focused control and shows its yellow in the window.
  void expect_ring() {
    auto* ring = w.area()->findChild<QWidget*>(QStringLiteral("focus_ring"));
    ASSERT_NE(ring, nullptr);
    ASSERT_TRUE(ring->isVisible());
    QWidget* target = w.widget_of(focus());
    ASSERT_NE(target, nullptr);
    const QRect at(target->mapTo(w.area(), QPoint(0, 0)), target->size());
    EXPECT_TRUE(ring->geometry().contains(at)) << focus();
    const QImage img = w.area()->grab(ring->geometry()).toImage();
    const int k = img.width() / ring->width();
    // The yellow band, a zoom's pixel inside the ring's edge, midway down.
    EXPECT_EQ(img.pixel((w.scale() + w.scale() / 2) * k, img.height() / 2) | 0xFF000000u, qRgb(255, 224, 0)) << focus();
  }

  test::TempDir dir, config;
  MainWindow w;
  QtPlatform plat{w, std::make_unique<SilentAudio>()};
  SeededRandom rng;
  std::unique_ptr<Game> g;
};

// A controller of SDL's own making, plugged in while the game runs.
struct VirtualPad {
  VirtualPad() { plug(); }
  ~VirtualPad() { unplug(); }
  void plug() {
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    EXPECT_GE(index, 0) << SDL_GetError();
    j = SDL_JoystickOpen(index);
    EXPECT_NE(j, nullptr) << SDL_GetError();
  }
  void unplug() {
    if (!j) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(j);
    SDL_JoystickClose(j);
    j = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
  }
  void set(SDL_GameControllerButton b, bool down) { SDL_JoystickSetVirtualButton(j, b, down ? 1 : 0); }
  void press(SDL_GameControllerButton b) {
    set(b, true);
    QTest::qWait(50);
    set(b, false);
    QTest::qWait(50);
  }
  void lean(SDL_GameControllerAxis a, int v) {
    SDL_JoystickSetVirtualAxis(j, a, static_cast<Sint16>(v));
    QTest::qWait(50);
  }
  SDL_Joystick* j = nullptr;
};

// Answers the boxes with the controller's A, once the box has the focus.
class PadBoxes {
 public:
  explicit PadBoxes(VirtualPad& pad) : pad_(pad) {
    timer_.setInterval(30);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QWidget* f = box ? box->focusWidget() : nullptr;
      if (!down_ && (!box || !box->isVisible() || !f)) return;
      if (!down_) ++seen;
      down_ = !down_;
      pad_.set(SDL_CONTROLLER_BUTTON_A, down_);
    });
    timer_.start();
  }
  int seen = 0;

 private:
  VirtualPad& pad_;
  bool down_ = false;
  QTimer timer_;
};

enum class Way { Keys, Clicks, Pad };

// From the title to a fight's end and the close, by keys, clicks or buttons.
std::string new_game_and_fight(Way way) {
  const bool by_keys = way == Way::Keys;
  Play t;
  // Only one of them answers.
  std::optional<test::KeyBoxes> keys;
  std::optional<test::Boxes> clicks;
  std::optional<Gamepad> pad;
  std::optional<VirtualPad> v;
  std::optional<PadBoxes> buttons;
  if (by_keys) {
    keys.emplace().answer_all({Qt::Key_Return});
  } else if (way == Way::Clicks) {
    clicks.emplace().answer_all(QMessageBox::Yes);
  } else {
    pad.emplace(t.w);
    EXPECT_TRUE(pad->started()) << SDL_GetError();
    v.emplace();
    buttons.emplace(*v);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pad->connected() == 1; }, 5000));
  }
  if (way == Way::Pad) {
    v->press(SDL_CONTROLLER_BUTTON_A);
  } else if (by_keys) {
    // No save: NEW GAME has the focus; its box preselects yes.
    EXPECT_EQ(t.focus(), "Button12");
    t.expect_ring();
    t.shot("keys_title.png");
    t.key(Qt::Key_Return);
  } else {
    t.click(t.g->ui.Button12);
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.g->ui.map_box.shown(); }, 5000));
  if (by_keys) {
    EXPECT_EQ(t.focus(), "s_battle") << "the first room of the map";
    t.expect_ring();
    t.shot("keys_map.png");
    t.key(Qt::Key_Return);
  } else if (way == Way::Pad) {
    EXPECT_EQ(t.focus(), "s_battle");
    v->press(SDL_CONTROLLER_BUTTON_A);
  } else {
    t.click(t.g->ui.s_battle);
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.g->ui.battle_com.shown(); }, 5000));
  if (by_keys) {
    EXPECT_EQ(t.focus(), "b1") << "パンチ";
    t.expect_ring();
    t.shot("keys_fight.png");
  }
  for (int i = 0; i < 200 && t.g->ui.battle_com.shown(); ++i) {
    if (by_keys) {
      // The shortcut, then Enter on the focus it left on パンチ.
      t.key(i % 2 ? Qt::Key_Return : Qt::Key_1);
      EXPECT_TRUE(!t.g->ui.battle_com.shown() || t.focus() == "b1");
    } else if (way == Way::Pad) {
      v->press(SDL_CONTROLLER_BUTTON_A);
    } else {
      t.click(t.g->ui.b1);
    }
  }
  EXPECT_FALSE(t.g->ui.battle_com.shown()) << "the fight ended";
  if (by_keys) {
    EXPECT_EQ(t.focus(), "s_battle") << "back where the fight began";
  }
  t.w.close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.g->closed; }, 5000));
  if (by_keys) {
    EXPECT_GE(keys->seen.size(), 2u) << "the new game's box and the close box";
  }
  if (way == Way::Pad) {
    EXPECT_GE(buttons->seen, 2) << "the new game's box and the close box";  }
  return test::read_bytes(t.dir.path / "dat" / "z.wav");
}

}  // namespace

TEST(Keys, AGameByKeysSavesWhatTheSameGameByClicksSaves) {
  const std::string keys = new_game_and_fight(Way::Keys);
  const std::string clicks = new_game_and_fight(Way::Clicks);
  ASSERT_FALSE(keys.empty());
  EXPECT_TRUE(keys == clicks) << "the saves differ";
}

TEST(Gamepad, AGameByButtonsSavesWhatTheSameGameByClicksSaves) {
  const std::string buttons = new_game_and_fight(Way::Pad);
  const std::string clicks = new_game_and_fight(Way::Clicks);
  ASSERT_FALSE(buttons.empty());
  EXPECT_TRUE(buttons == clicks) << "the saves differ";
}

// Counts the window's own keys that reach it.
struct KeyCount : QObject {
  std::map<int, int> n;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::KeyPress) ++n[static_cast<QKeyEvent*>(e)->key()];
    return false;
  }
};

TEST(Gamepad, StickShouldersStartAndAControllerPulledOutAndPluggedInAgain) {
  Play t;
  Gamepad pad(t.w);
  ASSERT_TRUE(pad.started()) << SDL_GetError();
  VirtualPad v;
  ASSERT_TRUE(QTest::qWaitFor([&] { return pad.connected() == 1; }, 5000));
  KeyCount window_keys;
  t.w.installEventFilter(&window_keys);
  // The D-pad moves the ring on the title; B answers no.
  EXPECT_EQ(t.focus(), "Button12");
  v.press(SDL_CONTROLLER_BUTTON_DPAD_UP);
  EXPECT_EQ(t.focus(), "Button11");
  v.press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  EXPECT_EQ(t.focus(), "Button12");
  QTimer no;
  no.setInterval(30);
  bool b_down = false;
  QObject::connect(&no, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!b_down && (!box || !box->focusWidget())) return;
    b_down = !b_down;
    v.set(SDL_CONTROLLER_BUTTON_B, b_down);
  });
  no.start();
  v.press(SDL_CONTROLLER_BUTTON_A);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !QApplication::activeModalWidget() && !b_down; }, 5000));
  no.stop();
  EXPECT_TRUE(t.g->ui.start_box.shown()) << "B answered no";
  // The left stick: a lean past the dead zone moves once, then repeats
  // while held; a small lean moves nothing.
  v.lean(SDL_CONTROLLER_AXIS_LEFTY, 9000);
  EXPECT_EQ(t.focus(), "Button12");
  v.lean(SDL_CONTROLLER_AXIS_LEFTY, 30000);
  EXPECT_EQ(t.focus(), "Button45");
  v.lean(SDL_CONTROLLER_AXIS_LEFTY, 0);
  v.lean(SDL_CONTROLLER_AXIS_LEFTY, -30000);
  QTest::qWait(600);
  EXPECT_EQ(t.focus(), "Button11") << "held up: moved and repeated";
  v.lean(SDL_CONTROLLER_AXIS_LEFTY, 0);
  // Start is F2 (the settings, which Start or B closes again), the right
  // shoulder F (fast-forward on and off), both to the window or to the
  // settings in front; the left shoulder held is Shift held.
  v.press(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(window_keys.n[Qt::Key_F2], 1);
  auto* settings = t.w.findChild<QDialog*>(QStringLiteral("settings_window"));
  ASSERT_TRUE(settings && settings->isVisible());
  fs::create_directories(ZANDO_SHOTS);
  settings->grab().save(QString::fromStdString((fs::path(ZANDO_SHOTS) / "pad_settings.png").string()), "PNG");
  v.press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
  EXPECT_TRUE(t.w.fast_forward_on()) << "the shoulder with the settings in front";
  v.press(SDL_CONTROLLER_BUTTON_START);
  EXPECT_FALSE(settings->isVisible()) << "Start closes the settings again";
  v.press(SDL_CONTROLLER_BUTTON_START);
  ASSERT_TRUE(settings->isVisible());
  v.press(SDL_CONTROLLER_BUTTON_B);
  EXPECT_FALSE(settings->isVisible());
  v.press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
  EXPECT_EQ(window_keys.n[Qt::Key_F], 1);
  EXPECT_FALSE(t.w.fast_forward_on());
  v.press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
  EXPECT_TRUE(t.w.fast_forward_on());
  EXPECT_FALSE(t.w.fast_held());
  v.set(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
  EXPECT_TRUE(t.w.fast_held()) << "read at once, as inside a pause";
  v.set(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false);
  EXPECT_FALSE(t.w.fast_held());
  // Pulled out and plugged in again while playing.
  v.unplug();
  ASSERT_TRUE(QTest::qWaitFor([&] { return pad.connected() == 0; }, 5000));
  EXPECT_FALSE(t.w.fast_held());
  v.plug();
  ASSERT_TRUE(QTest::qWaitFor([&] { return pad.connected() == 1; }, 5000));
  v.press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  EXPECT_EQ(t.focus(), "Button12");
  t.w.removeEventFilter(&window_keys);
}

TEST(Keys, ArrowsTabTheListAndBoxesAtDoubleZoom) {
  Play t(2);
  test::KeyBoxes boxes;
  // Escape answers no: the title stays.
  boxes.expect({Qt::Key_Escape});
  t.key(Qt::Key_N);
  EXPECT_TRUE(t.g->ui.start_box.shown());
  // Left and right move between the box's buttons; Enter presses the one
  // with the focus.
  boxes.expect({Qt::Key_Right, Qt::Key_Left, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return});
  boxes.shoot_as("keys_box.png");
  // Arrows on the title: down from NEW GAME is OPENING, up twice COUNTINUE.
  t.key(Qt::Key_Down);
  EXPECT_EQ(t.focus(), "Button45");
  t.key(Qt::Key_Up);
  t.key(Qt::Key_Up);
  EXPECT_EQ(t.focus(), "Button11");
  t.key(Qt::Key_Tab);
  EXPECT_EQ(t.focus(), "Button12");
  t.key(Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.g->ui.map_box.shown(); }, 5000));
  ASSERT_EQ(boxes.focus_at_open.size(), 2u);
  EXPECT_EQ(boxes.focus_at_open[1], "Yes") << "the preselected button";
  EXPECT_EQ(boxes.pressed.back(), "Yes");
  EXPECT_FALSE(boxes.ring_missing) << "the box's focus shows its ring";

  // Things to own, so that the menu shows its buttons at the next refresh.
  for (int i = 1; i <= 10; ++i) t.g->s.item_have[static_cast<size_t>(i)] = 1;
  QTest::qWait(150);
  ASSERT_TRUE(t.g->ui.m1.shown());

  // Tab goes round every button of the screen in reading order and back.
  std::vector<std::string> order;
  for (int i = 0; i < 60; ++i) {
    order.push_back(t.focus());
    t.key(Qt::Key_Tab);
    if (t.focus() == order.front()) break;
  }
  ASSERT_EQ(t.focus(), order.front());
  EXPECT_EQ(order.front(), "s_battle");
  for (const Control* c : t.g->ui.all()) {
    if (c->kind == Kind::Button && c->usable()) {
      EXPECT_NE(std::find(order.begin(), order.end(), c->name), order.end()) << c->name;
    }
  }
  EXPECT_NE(std::find(order.begin(), order.end(), "sp_l"), order.end()) << "the text-speed slider below";
  for (size_t i = 1; i < order.size(); ++i) {
    const Control* a = t.g->ui.find(order[i - 1]);
    const Control* b = t.g->ui.find(order[i]);
    if (a->parent && a->parent == b->parent) {
      EXPECT_TRUE(a->top < b->top || (a->top == b->top && a->left < b->left)) << a->name << " before " << b->name;
    }
  }
  t.key(Qt::Key_Backtab);
  EXPECT_EQ(t.focus(), order.back());
  // Right from the first room is the room beside it; down from the map
  // reaches the menu below it.
  t.key(Qt::Key_Tab);
  t.key(Qt::Key_Right);
  EXPECT_EQ(t.focus(), "s_shop");
  for (int i = 0; i < 8 && t.g->ui.find(t.focus())->parent != &t.g->ui.menu_com; ++i) t.key(Qt::Key_Down);
  EXPECT_EQ(t.g->ui.find(t.focus())->parent, &t.g->ui.menu_com) << t.focus();
  t.expect_ring();

  // The items list: it takes the focus, down and up move the selection row
  // by row as clicks on the rows do, Escape is its Cancel and the focus goes
  // back to the button that opened it.
  while (t.focus() != "m1") t.key(Qt::Key_Tab);
  t.key(Qt::Key_Space);
  ASSERT_TRUE(t.g->ui.list_box.shown());
  EXPECT_EQ(t.focus(), "list_l");
  ASSERT_GE(t.g->ui.list_l.rows.size(), 2u);
  t.key(Qt::Key_Down);
  EXPECT_EQ(t.g->ui.list_l.selected, 0);
  t.key(Qt::Key_Down);
  EXPECT_EQ(t.g->ui.list_l.selected, 1);
  const std::string about = t.g->ui.about_l.text;
  EXPECT_FALSE(about.empty()) << "the row's click showed what it is";
  auto* l = qobject_cast<QListWidget*>(t.w.widget_of("list_l"));
  EXPECT_EQ(l->currentRow(), 1);
  t.key(Qt::Key_Up);
  EXPECT_EQ(t.g->ui.list_l.selected, 0);
  t.expect_ring();
  t.shot("keys_list.png");
  t.key(Qt::Key_Escape);
  EXPECT_FALSE(t.g->ui.list_box.shown());
  EXPECT_EQ(t.focus(), "m1");

  // A click of the mouse puts the ring away; the next key only brings it back.
  t.click(t.g->ui.moji_l2);
  auto* ring = t.w.area()->findChild<QWidget*>(QStringLiteral("focus_ring"));
  EXPECT_FALSE(ring->isVisible());
  t.key(Qt::Key_Return);
  EXPECT_FALSE(t.g->ui.list_box.shown()) << "the key that brings the ring back presses nothing";
  EXPECT_TRUE(ring->isVisible());
  t.key(Qt::Key_Return);
  EXPECT_TRUE(t.g->ui.list_box.shown());
  // Enter on the list is its OK.
  t.key(Qt::Key_Escape);
}

// The rooms' own panels by keys alone: each press runs what the click runs.
TEST(Keys, TheRoomsPanelsTheChestAndTheNamingBox) {
  Play t;
  test::KeyBoxes boxes;
  boxes.answer_all({Qt::Key_Return});
  t.key(Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.g->ui.map_box.shown(); }, 5000));
  Ui& ui = t.g->ui;
  GameState& s = t.g->s;
  auto tab_to = [&](const std::string& name) {
    for (int i = 0; i < 80 && t.focus() != name; ++i) t.key(Qt::Key_Tab);
    return t.focus() == name;
  };
  // What the game changed behind the window's back comes up at a sync.
  auto show = [&](Control& c) {
    c.visible = true;
    t.w.sync();
    QTest::qWait(20);
  };
  auto go_to = [&](int floor) {
    s.floor = floor;
    refresh(*t.g);
    t.w.sync();
    QTest::qWait(20);
  };
  s.cent = 100000;
  s.wild = 60;

  // The shop: the buying list takes the focus, the menu beside it is a Tab
  // away, and the list's Esc leaves the shop.
  ASSERT_TRUE(tab_to("s_shop"));
  t.key(Qt::Key_Return);
  ASSERT_TRUE(ui.shop_box.shown() && ui.list_box.shown());
  EXPECT_EQ(t.focus(), "list_l");
  ASSERT_TRUE(tab_to("Button42"));
  t.key(Qt::Key_Return);
  EXPECT_EQ(ui.list_box.caption, caption::kSell);
  ASSERT_TRUE(tab_to("Button41"));
  t.expect_ring();
  t.shot("keys_shop.png");
  t.key(Qt::Key_Return);
  EXPECT_EQ(ui.list_box.caption, caption::kBuy);
  ASSERT_TRUE(tab_to("list_l"));
  ASSERT_FALSE(ui.list_l.rows.empty());
  t.key(Qt::Key_Down);
  const i32 before = s.cent;
  t.key(Qt::Key_Return);
  EXPECT_LT(s.cent, before) << "bought by Enter and the box's yes";
  t.key(Qt::Key_Escape);
  EXPECT_FALSE(ui.shop_box.shown() || ui.list_box.shown() || s.host_mode);
  EXPECT_TRUE(ui.map_box.shown());

  // The WILD shop and the church: their lists open, a row is chosen, Esc
  // leaves the room.
  for (auto [floor, room] : {std::pair{6, "s_wild"}, std::pair{3, "s_ch"}}) {
    go_to(floor);
    ASSERT_TRUE(tab_to(room)) << room;
    t.key(Qt::Key_Return);
    ASSERT_TRUE(ui.list_box.shown()) << room;
    EXPECT_EQ(t.focus(), "list_l") << room;
    t.key(Qt::Key_Down);
    EXPECT_EQ(ui.list_l.selected, 0) << room;
    t.key(Qt::Key_Escape);
    EXPECT_TRUE(ui.map_box.shown() && !s.host_mode) << room;
  }

  // The monster workshop and its fusion choice: Esc is the choice's Cancel
  // and gives the list back; the armour fuses by arrows and Enter.
  int m = 1;
  while (m < 500 && t.g->t.monster_table[static_cast<size_t>(m)].mo_name.empty()) ++m;
  s.monster_have[static_cast<size_t>(m)] = 1;
  go_to(6);
  ASSERT_TRUE(tab_to("s_monster"));
  t.key(Qt::Key_Return);
  ASSERT_EQ(t.focus(), "list_l");
  while (ui.list_l.selected < 0 || s.list_sel != m) {
    const int was = ui.list_l.selected;
    t.key(Qt::Key_Down);
    ASSERT_NE(ui.list_l.selected, was) << "the monster is in the list";
  }
  t.key(Qt::Key_Return);
  ASSERT_TRUE(ui.gousei_box.shown());
  EXPECT_EQ(t.focus(), "Button37");
  t.key(Qt::Key_Escape);
  EXPECT_FALSE(ui.gousei_box.shown());
  EXPECT_EQ(t.focus(), "list_l");
  t.key(Qt::Key_Return);
  t.key(Qt::Key_Down);
  EXPECT_EQ(t.focus(), "Button35");
  const i32 armour = s.bougu_pow;
  t.key(Qt::Key_Return);
  EXPECT_GT(s.bougu_pow, armour);
  EXPECT_EQ(s.monster_have[static_cast<size_t>(m)], 0);
  t.key(Qt::Key_Escape);

  // The E.R.: Enter on the room, yes in its box.
  s.my_hp = 1;
  ASSERT_TRUE(tab_to("s_er"));
  t.key(Qt::Key_Return);
  EXPECT_EQ(s.my_hp, s.my_hp_max);

  // The chest on the map opens by Enter as by a click.
  show(ui.takara);
  ASSERT_TRUE(tab_to("takara"));
  t.expect_ring();
  t.key(Qt::Key_Return);
  EXPECT_FALSE(ui.takara.shown());

  // The level-up choice takes the focus; right is the next column.
  show(ui.lv_box);
  EXPECT_EQ(t.focus(), "Button27");
  t.expect_ring();
  t.shot("keys_level_up.png");
  t.key(Qt::Key_Right);
  EXPECT_EQ(t.focus(), "Button29");
  const i32 atk = s.my_atk;
  t.key(Qt::Key_Return);
  EXPECT_EQ(s.my_atk, atk + 1);
  EXPECT_FALSE(ui.lv_box.shown());

  // The naming box: typed keys are the name, Enter its button.
  ui.name_b.caption = "武器にネーミング";
  show(ui.name_box);
  EXPECT_EQ(t.focus(), "name_l");
  QTest::keyClicks(t.w.widget_of("name_l"), "Blade");
  t.key(Qt::Key_Return);
  EXPECT_EQ(s.buki_name, "Blade");
  EXPECT_FALSE(ui.name_box.shown());
  EXPECT_TRUE(boxes.seen.size() >= 4u) << "the new game, the buying, the fusion and the E.R.";
}

TEST(Keys, EscapeLeavesFullScreenWhenThereIsNothingToCancel) {
  Play t;
  test::KeyBoxes boxes;
  boxes.answer_all({Qt::Key_Return});
  t.w.set_full_screen(true, false);
  t.key(Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.g->ui.map_box.shown(); }, 5000));
  t.key(Qt::Key_3);  // no fight: a digit is no shortcut on the map
  EXPECT_FALSE(t.g->ui.list_box.shown());
  for (int i = 1; i <= 10; ++i) t.g->s.item_have[static_cast<size_t>(i)] = 1;
  QTest::qWait(150);
  while (t.focus() != "m1") t.key(Qt::Key_Tab);
  t.key(Qt::Key_Return);
  ASSERT_TRUE(t.g->ui.list_box.shown());
  t.key(Qt::Key_Escape);
  EXPECT_FALSE(t.g->ui.list_box.shown()) << "the list's Cancel first";
  EXPECT_TRUE(t.w.full_screen());
  t.key(Qt::Key_Escape);
  EXPECT_FALSE(t.w.full_screen());
}
