#pragma once
// The real window: a mirror of the control model, with Qt widgets at the
// model's places. Clicks run the game's handlers; the game's repaint and
// pause calls paint and sleep on this thread.
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "shell/platform.h"
#include "platform/qt/audio.h"
#include "platform/qt/focus.h"
#include "platform/qt/settings.h"
#include "platform/qt/tips.h"

namespace z2 {

struct Game;
struct Control;

class QtPlatform;
class Recorder;

// The play area of the game's own layout, in the model's pixels: the title,
// opening and map panels fill it; the screenshots show it.
constexpr int kPlayWidth = 645;
constexpr int kPlayHeight = 405;

// Runs one pause of the game of `ms` milliseconds as slices of real sleep
// (`sleep_us`, microseconds). While `fast` says the player holds the
// fast-forward key, a slice passes ten times faster; the key is asked again
// for every slice, so holding or letting go takes effect inside a long pause.
void run_pause(int ms, const std::function<bool()>& fast, const std::function<void(long long)>& sleep_us);

class MainWindow : public QWidget {
 public:
  MainWindow();
  ~MainWindow() override;

  // The player's choices, before the window is shown: the window's zoom,
  // full screen, sound, fast-forward and tips. The keys and the settings
  // window change them later and remember them.
  void apply(const WindowPrefs& p);
  // Shows the window, full screen when so chosen.
  void show_as_chosen();

  // The zoom of the window (1..4) and the factor the play area is drawn at
  // now: the zoom in a window, the largest whole factor that fits in full
  // screen.
  int zoom() const { return zoom_; }
  int scale() const { return scale_; }
  bool full_screen() const { return fullscreen_; }
  bool muted() const { return muted_; }
  int music_volume() const { return music_volume_; }
  int effect_volume() const { return effect_volume_; }
  // The fast-forward switched on (F, the settings window), not only held.
  bool fast_forward_on() const { return fast_on_; }
  // Whether the game runs fast now: switched on, or the key held.
  bool fast() const { return fast_on_ || (fast_held && fast_held()); }
  Tips& tips() { return tips_; }
  // The keyboard's focus over the controls (the gamepad moves it too).
  Focus& focus() { return focus_; }
  // Where the play area's top-left corner is in the window (not 0, 0 only in
  // full screen, where the area is centred).
  QPoint area_offset() const;
  // The widget that holds every control (the play area and the rows below it).
  QWidget* area() const { return area_; }

  // The part of the screen a window may take (the screen's available
  // geometry, without panels). Tests put their own here.
  std::function<QRect()> screen_room;
  // The largest zoom whose window fits into the screen's room, at least 1.
  int max_zoom() const;

  // The player's keys. `remember` stores the choice for the next run. A zoom
  // beyond the screen stops at the largest that fits.
  void set_zoom(int zoom, bool remember = true);
  void set_full_screen(bool on, bool remember = true);
  void set_muted(bool on, bool remember = true);
  // 0..100 %, heard at once.
  void set_volumes(int music, int effects, bool remember = true);
  void set_fast_forward(bool on, bool remember = true);
  // Writes a PNG of the play area into the screenshots folder beside the
  // save and says so in the title bar for two seconds. The file's path, or
  // empty when it could not be written.
  QString screenshot();

  // Whether the player holds the fast-forward key (Shift); asked inside the
  // game's blocking pauses, so it reads the keyboard as it is now. Tests put
  // their own here, and their own sleep.
  std::function<bool()> fast_held;
  std::function<void(long long)> sleep_us;
  // The interval the window's timer 1, 2 or 3 runs at now, 0 when stopped.
  int timer_interval(int which) const;
  // Shows `text` for two seconds after the game's caption and in a strip at
  // the top of the play area (which full screen keeps in sight), never while
  // a box is open. The window's own answer to a key: not the game's output.
  void title_note(const QString& text);
  // The strip of title_note, or nullptr before the first note.
  QLabel* note_strip() const { return note_; }
  void hide_note();

  // Builds the widgets for the game's controls and starts the game.
  void attach(Game& g);
  // Mirrors the model onto the widgets (only what changed).
  void sync();
  QWidget* widget_of(const std::string& name) const;
  Game* game() const { return game_; }

  // The desktop session ends or a termination signal came: close as the
  // close box would, saving, but with nobody to answer boxes. Any box that
  // is open is dismissed and the handler behind it finishes first; the close
  // itself runs from the main event loop, never inside a handler.
  void end_session();
  // True once end_session was asked for, or a termination signal has come
  // that the event loop has yet to serve (`end_pending`, which SessionEnd
  // sets): boxes answer at once, and the game's pauses and paints are
  // skipped, so a handler under way finishes within moments and the close
  // comes next.
  bool unattended() const { return unattended_ || (end_pending && end_pending()); }
  std::function<bool()> end_pending;
  // The text of --help, for the help page (F1).
  QString options_help;
  // Opens the help page (F1).
  QWidget* help();
  // Opens the settings window (F2, the right-click menu).
  QWidget* settings();
  // Writes every action and timer tick from now on (--record); nullptr stops.
  void set_recorder(Recorder* r) { recorder_ = r; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  struct Mirror;
  void build(Control& c);
  void sync_one(Mirror& m);
  void sync_timers();
  // A text wider than its control (a button, a label of one line) is drawn
  // in a smaller font rather than cut at the control's edges.
  void fit_text(Mirror& m);
  void finish_session();
  // The area shown in full screen: the play area and every shown control
  // below or beside it, so that nothing a window could reach is lost.
  QSize full_area() const;
  // Places the area for the current mode and size, rescaling when the factor changes.
  void layout_area();
  void rescale(int s);
  void set_fonts();
  void enter_full_screen();
  // Resizes the window for the zoom, keeping its centre and the whole window
  // on the screen.
  void resize_for_zoom(QSize to);
  void place_note();
  // One action of the player or of a timer, as a script line of the headless
  // driver. A timer that comes due while an action waits in a box fires when
  // the action is done, so that each tick has one place in the order of
  // events, in the window as in a replay.
  void act(std::string line, const std::function<void()>& run);
  void timer_due(int i);
  void run_due_ticks();
  // A box of the platform was answered (yes/no boxes: with yes).
  void box_done(const bool* yes);

  Game* game_ = nullptr;
  QtPlatform* platform_ = nullptr;
  QWidget* area_ = nullptr;
  int zoom_ = 1;
  int scale_ = 1;
  bool fullscreen_ = false;
  bool muted_ = false;
  int music_volume_ = kVolumeMax;
  int effect_volume_ = kVolumeMax;
  bool fast_on_ = false;
  QRect normal_geo_;  // where the window was before full screen
  QTimer title_timer_;
  QLabel* note_ = nullptr;
  Tips tips_{this};
  Focus focus_{*this};
  std::vector<std::unique_ptr<Mirror>> mirrors_;
  std::unordered_map<std::string, Mirror*> by_name_;
  QTimer timers_[3];
  bool syncing_ = false;
  bool unattended_ = false;
  int boxes_open_ = 0;  // a handler waits in a modal box of the platform
  Recorder* recorder_ = nullptr;
  int acting_ = 0;
  bool tick_due_[3] = {};
  bool in_box_tick_ = false;
  bool close_asked_ = false;  // the game asked to close; the close comes next
  friend class QtPlatform;
};

class QtPlatform : public Platform {
 public:
  explicit QtPlatform(MainWindow& w);
  // With an Audio of the caller's (tests).
  QtPlatform(MainWindow& w, std::unique_ptr<Audio> audio);
  ~QtPlatform() override;
  void repaint() override;
  void pause(int ms) override;
  bool ask(const std::string& text) override;
  void notice(const std::string& text) override;
  void error(const std::string& text) override;
  void sound_play(const std::string& path) override;
  void music_play(const std::string& path) override;
  void music_stop() override;
  void sound_hold(const std::string& path, int count) override;
  void sound_release_held() override;
  void close_window() override;

  // Mute on: effects are dropped and the music stops; off: the piece the
  // game wants now starts again.
  void mute_changed(bool muted);
  // The window's volumes changed.
  void volumes_changed();

 private:
  MainWindow& w_;
  std::unique_ptr<Audio> audio_;
  std::string music_;  // the piece the game wants playing, empty for none
};

}  // namespace z2
