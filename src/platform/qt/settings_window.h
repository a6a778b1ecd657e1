#pragma once
// The settings window (F2, the right-click menu): the music's and the
// effects' volume, the text speed, the fast-forward, the tips, the zoom, full
// screen and mute. Every change applies at once. All but the text speed are
// the window's choices and are remembered with them; the text speed is the
// game's own slider, moved as a click moves it, so the save keeps it.
#include <QWidget>

namespace z2 {

class MainWindow;

// Opens the window over `w`, or brings it to the front when open.
QWidget* show_settings(MainWindow& w);

}  // namespace z2
