// Test main: a GUI application object (fonts and pictures need one), offscreen
// and silent unless the environment says otherwise.
#include <gtest/gtest.h>

#include <cstdlib>
#ifdef ZANDO_WIDGETS
#include <QApplication>
using App = QApplication;
#else
#include <QGuiApplication>
using App = QGuiApplication;
#endif

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  App app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
