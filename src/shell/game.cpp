#include "shell/game.h"

#include <filesystem>
#include <iostream>
#include <new>

#include "data/reader.h"
#include "shell/pictures.h"

namespace z2 {

Game::Game(Platform& platform, Random& random, std::string root_dir)
    : plat(platform), rng(random), root(std::move(root_dir)) {
  if (!root.empty() && root.back() != '/') root += '/';
  for (QImage* b : {&map_bak, &e_bak, &my_bak, &bak20, &bak, &boss_cg_bak}) *b = blank_picture(64, 64);
}

std::string error_text(const std::exception& e) {
  if (dynamic_cast<const DataError*>(&e) || dynamic_cast<const PictureError*>(&e)) return e.what();
  std::cerr << "zando2: " << e.what() << std::endl;
  if (const auto* fe = dynamic_cast<const std::filesystem::filesystem_error*>(&e)) {
    const std::error_code ec = fe->code();
    const bool os = ec.category() == std::generic_category() || ec.category() == std::system_category();
    return fe->path1().string() + " を扱えません: " + (os ? file_reason(ec.value()) : std::string("ファイルのエラーです"));
  }
  if (dynamic_cast<const std::bad_alloc*>(&e)) return "メモリーが足りなくなったので、操作を取りやめました";
  return "思わぬエラーが起きたので、操作を取りやめました";
}

void run_handler(Game& g, Handler h) {
  if (!h) return;
  try {
    h(g);
  } catch (const std::exception& e) {
    // A load that fails stops the operation; the game keeps running.
    g.plat.error(error_text(e));
  }
}

bool click(Game& g, std::string_view name) {
  Control* c = g.ui.find(name);
  if (!c || !c->usable()) return false;
  run_handler(g, c->on_click);
  return true;
}

bool press(Game& g, std::string_view name) {
  Control* c = g.ui.find(name);
  if (!c || !c->usable()) return false;
  run_handler(g, c->on_press);
  return true;
}

void timer_fire(Game& g, int which) {
  Timer* t = which == 1 ? &g.timer1 : which == 2 ? &g.timer2 : which == 3 ? &g.timer3 : nullptr;
  if (t && t->enabled) run_handler(g, t->on_fire);
}

}  // namespace z2
