#pragma once
#include <stdexcept>
#include <string>

#include "shell/game.h"
#include "data/picture.h"

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
void cg_load2(Game& g, const std::string& file1, const std::string& file2);
void screen_effect(Game& g, unsigned n);

// The slide-in of e_bak into the opponent portrait (encounter and host entry).
void slide_e_portrait(Game& g);

}  // namespace z2
