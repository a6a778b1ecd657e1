#pragma once
// What the fuzzers that run the whole game share: a GUI application object
// (pictures need one) and a private copy of the mini data set, with the few
// pictures every start needs, in a private folder (see fuzz_dir.h).
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz_dir.h"

namespace z2::fuzz {

inline std::filesystem::path& root() {
  static std::filesystem::path path;
  return path;
}

inline void init(int* argc, char*** argv, const char* tag) {
  namespace fs = std::filesystem;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication* app = new QGuiApplication(*argc, *argv);
  (void)app;
  root() = private_dir(tag);
  fs::copy(fs::path(ZANDO_FIXTURES) / "mini", root(), fs::copy_options::recursive);
  fs::create_directories(root() / "cg");
  int shade = 20;
  for (const char* name : {"my.bmp", "title.bmp", "haikei0.bmp", "haikei-1.bmp", "e0.bmp", "map-1.bmp", "map0.bmp",
                           "map-2.bmp", "0_2.bmp", "boss0.bmp", "hoku.bmp"}) {
    if (fs::exists(root() / "cg" / name)) continue;
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(qRgb(shade, 255 - shade, shade / 2));
    shade += 20;
    img.save(QString::fromStdString((root() / "cg" / name).string()), "BMP");
  }
}

}  // namespace z2::fuzz
