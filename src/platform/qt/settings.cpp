#include "platform/qt/settings.h"

#include <QSettings>
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

}  // namespace

int clamp_zoom(int zoom) { return zoom < kZoomMin ? kZoomMin : zoom > kZoomMax ? kZoomMax : zoom; }

int zoom_for_scale(double scale) {
  if (!std::isfinite(scale) || scale < 1.0) return kZoomMin;
  if (scale > kZoomMax) return kZoomMax;
  return clamp_zoom(static_cast<int>(std::lround(scale)));
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
  return p;
}

void remember_zoom(int zoom) { store().setValue(kZoomKey, clamp_zoom(zoom)); }
void remember_fullscreen(bool on) { store().setValue(kFullscreenKey, on); }
void remember_mute(bool on) { store().setValue(kMuteKey, on); }
void remember_tips(bool on) { store().setValue(kTipsKey, on); }
void remember_tips_seen(const QStringList& names) { store().setValue(kTipsSeenKey, names); }

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
