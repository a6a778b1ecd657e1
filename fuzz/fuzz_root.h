#pragma once
// What the fuzzers that run the whole game share: a GUI application object
// (pictures need one) and a private copy of the mini data set, with the few
// pictures every start needs, removed again at exit.
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

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
  // In memory where the system has it: every input saves the game, and a
  // disk's journal and its flushes took a good part of the fuzzers' time.
  std::string tmpl = std::string("/dev/shm/zando-fuzz-") + tag + "-XXXXXX";
  if (!mkdtemp(tmpl.data())) {
    tmpl = std::string("/tmp/zando-fuzz-") + tag + "-XXXXXX";
    if (!mkdtemp(tmpl.data())) std::abort();
  }
  root() = tmpl;
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
  std::atexit([] {
    std::error_code ec;
    fs::remove_all(root(), ec);
  });
}

}  // namespace z2::fuzz
