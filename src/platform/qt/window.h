#pragma once
// The real window: a mirror of the control model, with Qt widgets at the
// model's places. Clicks run the game's handlers; the game's repaint and
// pause calls paint and sleep on this thread.
#include <QTimer>
#include <QWidget>
#include <memory>
#include <unordered_map>
#include <vector>

#include "shell/platform.h"
#include "platform/qt/audio.h"

namespace z2 {

struct Game;
struct Control;

class QtPlatform;

class MainWindow : public QWidget {
 public:
  MainWindow();
  ~MainWindow() override;

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
  // True once end_session was asked for: boxes answer at once.
  bool unattended() const { return unattended_; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  struct Mirror;
  void build(Control& c);
  void sync_one(Mirror& m);
  void sync_timers();
  void finish_session();

  Game* game_ = nullptr;
  std::vector<std::unique_ptr<Mirror>> mirrors_;
  std::unordered_map<std::string, Mirror*> by_name_;
  QTimer timers_[3];
  bool syncing_ = false;
  bool unattended_ = false;
  int boxes_open_ = 0;  // a handler waits in a modal box of the platform
  friend class QtPlatform;
};

class QtPlatform : public Platform {
 public:
  explicit QtPlatform(MainWindow& w);
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

 private:
  MainWindow& w_;
  std::unique_ptr<Audio> audio_;
};

}  // namespace z2
