#pragma once
// The player's window choices: zoom, full screen, sound, fast-forward and
// tips. They belong to the window, not to the game: they are remembered in
// the user's settings file (QSettings, under $XDG_CONFIG_HOME) and never in
// the save, which keeps only the game's own values.
#include <QDateTime>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

class QScreen;

namespace z2 {

constexpr int kZoomMin = 1;
constexpr int kZoomMax = 4;
constexpr int kVolumeMax = 100;  // percent

// What the command line asked for, for this run only.
struct WindowOptions {
  std::optional<int> zoom;  // --zoom N
  bool fullscreen = false;  // --fullscreen
  bool mute = false;        // --mute
};

struct WindowPrefs {
  int zoom = 1;
  bool fullscreen = false;
  bool mute = false;
  bool tips = true;      // the new player's tips
  QStringList tips_seen{};  // the tips the player has put away
  int music_volume = kVolumeMax;   // 0..100 %
  int effect_volume = kVolumeMax;  // 0..100 %
  bool fast_forward = false;       // on until switched off, not only while held
};

int clamp_zoom(int zoom);
// The zoom that matches a screen's scale: 1 on an ordinary screen, 2 on one
// that doubles everything; fractions round to the nearest whole factor.
int zoom_for_scale(double scale);
// zoom_for_scale of the screen's scale; 1 without a screen.
int zoom_for_screen(const QScreen* s);
// The largest whole factor at which `area` fits into `room`, at least 1.
int fit_scale(QSize room, QSize area);

// The remembered choices; what was never remembered takes its default
// (`default_zoom`, windowed, sound on at full volume, no fast-forward, tips on).
WindowPrefs load_prefs(int default_zoom);
// Remembers one choice at once, so that a crash does not lose it.
void remember_zoom(int zoom);
void remember_fullscreen(bool on);
void remember_mute(bool on);
void remember_tips(bool on);
void remember_tips_seen(const QStringList& names);
void remember_volumes(int music, int effects);
void remember_fast_forward(bool on);

// The command line over the remembered choices.
WindowPrefs resolve(WindowPrefs remembered, const WindowOptions& o);

// The file name of a screenshot taken at `t`: "zando2-2026-12-08_05-30-12.png";
// `n` > 1 adds "-n" for a second picture within the same second.
QString screenshot_name(const QDateTime& t, int n = 1);

}  // namespace z2
