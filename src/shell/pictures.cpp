#include "shell/pictures.h"

namespace z2 {

void load_cg(Game& g, QImage& buf, const std::string& file, const std::string& fallback) {
  if (load_picture(buf, g.cg_dir() + file)) return;
  if (!fallback.empty() && load_picture(buf, g.cg_dir() + fallback)) return;
  throw PictureError("画像を読み込めません: " + g.cg_dir() + (fallback.empty() ? file : fallback));
}

Frames::Frames(Game& g, Control& target) : target_(target), defer_(!g.plat.shows_frames()) {}

Frames::~Frames() { flush(); }

bool Frames::covers(Rect r) const {
  return r.l <= 0 && r.t <= 0 && r.r >= target_.image.width() && r.b >= target_.image.height();
}

void Frames::apply(const Op& op) {
  switch (op.kind) {
    case Kind::Blit: stretch_copy(target_.image, op.dr, op.src, op.sr); break;
    case Kind::Fill: fill_rect(target_.image, op.dr, op.color); break;
    case Kind::Ellipse: fill_ellipse(target_.image, op.dr, op.color); break;
  }
  target_.touched();
}

void Frames::add(Op op, bool whole) {
  if (!defer_) {
    apply(op);
    return;
  }
  // What the new drawing paints over can no longer be seen.
  if (whole) ops_.clear();
  ops_.push_back(std::move(op));
  // A run of partial drawings is drawn rather than piled up.
  if (ops_.size() >= 256) flush();
}

void Frames::blit(Rect dr, const QImage& src, Rect sr) {
  if (&src == &target_.image) {
    // Reads the surface itself: everything before it must be there.
    flush();
    apply({Kind::Blit, dr, {}, sr, 0});
    return;
  }
  // Every target pixel of `dr` samples the source inside `sr`, so when `sr`
  // lies inside the source the whole of `dr` is painted. The surface is
  // converted to 32 bits by any blit, so skipping earlier ones changes nothing.
  const bool whole = covers(dr) && !src.isNull() && sr.l >= 0 && sr.t >= 0 && sr.l < sr.r && sr.t < sr.b &&
                     sr.r <= src.width() && sr.b <= src.height() && dr.l < dr.r && dr.t < dr.b;
  add({Kind::Blit, dr, src, sr, 0}, whole);
}

void Frames::fill(Rect r, QRgb color) {
  add({Kind::Fill, r, {}, {}, color}, covers(r) && target_.image.format() == QImage::Format_RGB32);
}

void Frames::ellipse(Rect r, QRgb color) { add({Kind::Ellipse, r, {}, {}, color}, false); }

void Frames::flush() {
  for (const Op& op : ops_) apply(op);
  ops_.clear();
}

namespace {

void blit(Control& target, Rect dr, const QImage& src, Rect sr) {
  stretch_copy(target.image, dr, src, sr);
  target.touched();
}

void zoom_in_from_bak(Game& g, Frames& cg) {
  for (int n = 40; n >= 0; --n) {
    cg.blit({-n, -n, 200 + n, 200 + n}, g.bak, {0, 0, 64, 64});
    g.plat.pause(5);
    g.plat.repaint();
  }
}

void icon_from_bak20(Game& g) {
  g.bak = blank_picture(64, 64);
  stretch_copy(g.bak, {0, 0, 64, 64}, g.bak20, {0, 0, 20, 20});
}

}  // namespace

void slide_e_portrait(Game& g) {
  Frames e(g, g.ui.e_cg);
  auto frame = [&](int x, int ms) {
    e.blit({x, 0, x + 129, 129}, g.e_bak, {0, 0, 64, 64});
    g.plat.repaint();
    if (ms > 0) g.plat.pause(ms);
  };
  for (int i = 1; i <= 14; ++i) frame(10 * i - 129, 2);
  frame(10 * 14 - 129, 10);
  frame(10 * 13 - 129, 10);
  frame(0, 0);
}

void room_cg_load(Game& g, const std::string& file) {
  load_cg(g, g.map_bak, file, "map-1.bmp");
  blit(g.ui.cg, {0, 0, 200, 200}, g.map_bak, {0, 0, 64, 64});
  g.plat.repaint();
}

void e_cg_load(Game& g, const std::string& file) {
  load_cg(g, g.e_bak, file, "e0.bmp");
  slide_e_portrait(g);
}

void cg_load(Game& g, const std::string& file) {
  load_cg(g, g.bak20, file, "e0.bmp");
  icon_from_bak20(g);
  Frames cg(g, g.ui.cg);
  for (int i = 0; i <= 10; ++i) {
    cg.blit({100 - 10 * i, 100 - 10 * i, 100 + 10 * i, 100 + 10 * i}, g.bak, {0, 0, 64, 64});
    g.plat.repaint();
  }
  cg.fill({0, 0, 200, 200}, qRgb(255, 255, 255));
  g.plat.repaint();
  zoom_in_from_bak(g, cg);
  // Melt: odd and even columns drift apart inside bak, adding up frame by frame.
  for (int i = 0; i <= 12; ++i) {
    for (int j = 0; j <= 32; ++j) {
      const int a = 2 * j, b = a + 1;
      stretch_copy(g.bak, {a, -2 * i, b, 64 - 2 * i}, g.bak, {a, 0, b, 64});
      stretch_copy(g.bak, {b, 2 * i, a + 2, 64 + 2 * i}, g.bak, {b, 0, a + 2, 64});
    }
    cg.blit({-10 * i, -10 * i, 200 + 10 * i, 200 + 10 * i}, g.bak, {0, 0, 64, 64});
    g.plat.repaint();
    g.plat.pause(g.s.msg_wait / 40);
  }
  for (int n = 10; n >= 0; --n) {
    const int a = 2 * n;
    cg.blit({0, 0, 200, 200}, g.map_bak, {a, a, 64 - a, 64 - a});
    g.plat.repaint();
  }
  cg.blit({0, 0, 200, 200}, g.map_bak, {0, 0, 64, 64});
  g.plat.repaint();
}

void cg_load2(Game& g, const std::string& file1, const std::string& file2) {
  load_cg(g, g.bak20, file1, "e0.bmp");
  icon_from_bak20(g);
  Frames cg(g, g.ui.cg);
  for (int k = 0; k <= 10; ++k) {
    cg.blit({100 - 10 * k, 100 - 10 * k, 100 + 10 * k, 100 + 10 * k}, g.bak20, {0, 0, 20, 20});
    g.plat.repaint();
  }
  zoom_in_from_bak(g, cg);
  for (int k = 0; k < 31; ++k) {
    for (const std::string* f : {&file1, &file2}) {
      load_cg(g, g.bak20, *f, "e0.bmp");
      cg.blit({0, 0, 200, 200}, g.bak20, {0, 0, 20, 20});
      g.plat.pause(10);
      g.plat.repaint();
    }
  }
}

namespace {

enum class Pattern { Flash, StripeUp, StripeDown, Burst, Swap };

struct Effect {
  bool enemy;
  Pattern pattern;
  QRgb color;
  int steps;
  int pause_ms;
};

// Row n is Fx n.
const Effect kEffects[kFxCount] = {
    {true, Pattern::Flash, qRgb(255, 0, 0), 11, 5},           // FoeRed
    {false, Pattern::Flash, qRgb(255, 0, 0), 11, 5},          // PlayerRed
    {true, Pattern::StripeUp, qRgb(0, 0, 255), 11, 5},        // FoeBlueRise
    {false, Pattern::StripeUp, qRgb(0, 0, 255), 11, 5},       // PlayerBlueRise
    {true, Pattern::Flash, qRgb(255, 0, 128), 11, 5},         // FoePink
    {false, Pattern::Flash, qRgb(255, 0, 128), 11, 5},        // PlayerPink
    {true, Pattern::Burst, qRgb(0, 255, 0), 11, 3},           // FoeGreenBurst
    {false, Pattern::Burst, qRgb(0, 255, 0), 11, 3},          // PlayerGreenBurst
    {true, Pattern::Flash, qRgb(255, 255, 255), 11, 5},       // FoeWhite
    {false, Pattern::Flash, qRgb(255, 255, 255), 11, 5},      // PlayerWhite
    {true, Pattern::StripeUp, qRgb(255, 255, 0), 11, 5},      // FoeYellowRise
    {false, Pattern::StripeUp, qRgb(255, 255, 0), 11, 5},     // PlayerYellowRise
    {true, Pattern::StripeDown, qRgb(255, 255, 0), 11, 5},    // FoeYellowFall
    {false, Pattern::StripeDown, qRgb(255, 255, 0), 11, 5},   // PlayerYellowFall
    {true, Pattern::Swap, 0, 5, 50},                          // CleanerChews
    {true, Pattern::Flash, qRgb(128, 0, 255), 16, 5},         // FoePurple
    {false, Pattern::Flash, qRgb(128, 0, 255), 16, 5},        // PlayerPurple
    {false, Pattern::StripeUp, qRgb(255, 128, 255), 11, 5},   // PlayerLilacRise
    {true, Pattern::Flash, qRgb(255, 255, 0), 16, 5},         // FoeYellow
    {false, Pattern::StripeDown, qRgb(0, 0, 255), 11, 5},     // PlayerBlueFall
    {false, Pattern::StripeDown, qRgb(255, 128, 255), 11, 5},  // PlayerLilacFall
};

}  // namespace

void screen_effect(Game& g, Fx effect) {
  const int n = static_cast<int>(effect);
  if (n < 0 || n >= kFxCount) return;
  const Effect& fx = kEffects[n];
  Control& portrait = fx.enemy ? g.ui.e_cg : g.ui.my_cg;
  const QImage& buffer = fx.enemy ? g.e_bak : g.my_bak;
  Frames frames(g, portrait);
  auto redraw = [&](int ms) {
    frames.blit({0, 0, 129, 129}, buffer, {0, 0, 64, 64});
    g.plat.pause(ms);
    g.plat.repaint();
  };

  if (fx.pattern == Pattern::Swap) {
    // The cleaner's chewing: two frames, five times; yam.bmp stays behind in
    // e_bak. A frame whose file is missing shows what e_bak holds, at the same pace.
    for (int k = 0; k < fx.steps; ++k) {
      for (const char* f : {"yam2.bmp", "yam.bmp"}) {
        load_picture(g.e_bak, g.cg_dir() + f);
        frames.blit({0, 0, 129, 129}, g.e_bak, {0, 0, 64, 64});
        g.plat.pause(fx.pause_ms);
        g.plat.repaint();
      }
    }
    return;
  }

  for (int step = 0; step < fx.steps; ++step) {
    if (fx.pattern == Pattern::Burst) {
      // The corners are drawn right, bottom, top, left.
      const int r = g.random(129);
      const int b = g.random(129);
      const int t = g.random(129);
      const int l = g.random(129);
      frames.ellipse({l, t, r, b}, fx.color);
      g.plat.pause(3);
      g.plat.repaint();
      frames.fill({0, 0, 129, 129}, fx.color);
      g.plat.pause(3);
      g.plat.repaint();
      redraw(fx.pause_ms);
      continue;
    }
    Rect r{0, 0, 129, 129};
    if (fx.pattern != Pattern::Flash) {
      const int k = fx.pattern == Pattern::StripeUp ? 10 - step % 11 : step % 11;
      r = {0, 13 * k, 129, 13 * k + 10};
    }
    frames.fill(r, fx.color);
    g.plat.pause(5);
    g.plat.repaint();
    redraw(fx.pause_ms);
  }
}

}  // namespace z2
