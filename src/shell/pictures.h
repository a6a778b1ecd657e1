#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/game.h"
#include "data/picture.h"
#include "shell/screen_effects.h"

namespace z2 {

// A picture that could not be loaded, nor its fallback.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Loads cg/<file> into `buf`, or cg/<fallback> when that fails; PictureError
// when the fallback fails too. An empty fallback means no fallback.
void load_cg(Game& g, QImage& buf, const std::string& file, const std::string& fallback);

void room_cg_load(Game& g, const std::string& file);
void e_cg_load(Game& g, const std::string& file);
void cg_load(Game& g, const std::string& file);

// Pictures dress a fight but never stop one: a picture step that fails is
// reported in the error box and the fight goes on.
template <class F>
void picture_step(Game& g, F&& step) {
  try {
    step();
  } catch (const PictureError& e) {
    g.plat.error(e.what());
  }
}
// Draws the frames of an animation on one picture control. In a window every
// drawing happens at once. Where nobody sees the frames (the headless face)
// the drawings wait, and one that paints the whole surface drops those before
// it, so a long animation draws little more than its last frame; whatever
// waits is drawn, in order, when the Frames end (also when an error leaves
// the animation), so the picture ends exactly as if every frame had been
// drawn. Pauses, repaints and random draws stay with the caller.
class Frames {
 public:
  Frames(Game& g, Control& target);
  ~Frames();
  Frames(const Frames&) = delete;
  Frames& operator=(const Frames&) = delete;

  void blit(Rect dr, const QImage& src, Rect sr);
  void fill(Rect r, QRgb color);
  void ellipse(Rect r, QRgb color);
  // Draws what waits now.
  void flush();

 private:
  enum class Kind { Blit, Fill, Ellipse };
  struct Op {
    Kind kind;
    Rect dr;
    QImage src;  // shared with the source until either is drawn on
    Rect sr;
    QRgb color;
  };
  bool covers(Rect r) const;
  void apply(const Op& op);
  void add(Op op, bool whole);

  Control& target_;
  const bool defer_;
  std::vector<Op> ops_;
};

void cg_load2(Game& g, const std::string& file1, const std::string& file2);
// Draws one effect; Fx::None, or a number outside the table, draws nothing.
void screen_effect(Game& g, Fx fx);

// The slide-in of e_bak into the opponent portrait (encounter and host entry).
void slide_e_portrait(Game& g);

}  // namespace z2
