#include "platform/qt/settings.h"

#include <QScreen>
#include <QSettings>
#include <algorithm>
#include <cmath>

namespace z2 {
namespace {

// ~/.config/zando2/zando2.ini (or under $XDG_CONFIG_HOME).
QSettings store() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zando2"), QStringLiteral("zando2"));
}

const QString kZoomKey = QStringLiteral("window/zoom");
const QString kFullscreenKey = QStringLiteral("window/fullscreen");
const QString kMuteKey = QStringLiteral("sound/mute");
const QString kTipsKey = QStringLiteral("tips/enabled");
const QString kTipsSeenKey = QStringLiteral("tips/seen");
const QString kMusicVolumeKey = QStringLiteral("sound/music_volume");
const QString kEffectVolumeKey = QStringLiteral("sound/effect_volume");
const QString kFastForwardKey = QStringLiteral("play/fast_forward");

int clamp_volume(int v) { return std::clamp(v, 0, kVolumeMax); }

// A volume edited by hand into nonsense is the full one.
int volume_of(const QSettings& s, const QString& key) {
  bool ok = false;
  const int v = s.value(key).toInt(&ok);
  return ok ? clamp_volume(v) : kVolumeMax;
}

}  // namespace

int clamp_zoom(int zoom) { return zoom < kZoomMin ? kZoomMin : zoom > kZoomMax ? kZoomMax : zoom; }

int zoom_for_scale(double scale) {
  if (!std::isfinite(scale) || scale < 1.0) return kZoomMin;
  if (scale > kZoomMax) return kZoomMax;
  return clamp_zoom(static_cast<int>(std::lround(scale)));
}

int zoom_for_screen(const QScreen* s) {
  return s ? zoom_for_scale(std::max(s->devicePixelRatio(), s->logicalDotsPerInch() / 96.0)) : kZoomMin;
}

int fit_scale(QSize room, QSize area) {
  if (area.width() <= 0 || area.height() <= 0) return 1;
  const int s = std::min(room.width() / area.width(), room.height() / area.height());
  return s < 1 ? 1 : s;
}

WindowPrefs load_prefs(int default_zoom) {
  QSettings s = store();
  WindowPrefs p;
  bool ok = false;
  const int z = s.value(kZoomKey).toInt(&ok);
  // A value edited by hand into nonsense falls back to the default.
  p.zoom = ok ? clamp_zoom(z) : clamp_zoom(default_zoom);
  p.fullscreen = s.value(kFullscreenKey, false).toBool();
  p.mute = s.value(kMuteKey, false).toBool();
  p.tips = s.value(kTipsKey, true).toBool();
  p.tips_seen = s.value(kTipsSeenKey).toStringList();
  p.music_volume = volume_of(s, kMusicVolumeKey);
  p.effect_volume = volume_of(s, kEffectVolumeKey);
  p.fast_forward = s.value(kFastForwardKey, false).toBool();
  return p;
}

void remember_zoom(int zoom) { store().setValue(kZoomKey, clamp_zoom(zoom)); }
void remember_fullscreen(bool on) { store().setValue(kFullscreenKey, on); }
void remember_mute(bool on) { store().setValue(kMuteKey, on); }
void remember_tips(bool on) { store().setValue(kTipsKey, on); }
void remember_tips_seen(const QStringList& names) { store().setValue(kTipsSeenKey, names); }
void remember_volumes(int music, int effects) {
  QSettings s = store();
  s.setValue(kMusicVolumeKey, clamp_volume(music));
  s.setValue(kEffectVolumeKey, clamp_volume(effects));
}
void remember_fast_forward(bool on) { store().setValue(kFastForwardKey, on); }

WindowPrefs resolve(WindowPrefs remembered, const WindowOptions& o) {
  if (o.zoom) remembered.zoom = clamp_zoom(*o.zoom);
  if (o.fullscreen) remembered.fullscreen = true;
  if (o.mute) remembered.mute = true;
  return remembered;
}

QString screenshot_name(const QDateTime& t, int n) {
  QString name = QStringLiteral("zando2-") + t.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
  if (n > 1) name += QStringLiteral("-%1").arg(n);
  return name + QStringLiteral(".png");
}

}  // namespace z2
