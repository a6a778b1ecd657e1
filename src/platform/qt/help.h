#pragma once
// The help page (F1): the keys, a short how-to-play and the command line's
// options, in a window of its own beside the game, which goes on meanwhile.
#include <QString>
#include <QWidget>

namespace z2 {

// Opens the page over `parent`, or brings it to the front when open.
// `options`: the text of --help.
QWidget* show_help(QWidget* parent, const QString& options);

}  // namespace z2
