#pragma once
// Small things the game windows share.

#include <QFont>

class QLabel;
class QListWidget;
class QWidget;

namespace vh {

// The fixed-pitch font of the game lists, so that the padded columns of the
// lines stand under each other.
QFont GameListFont();
// The "Game List" label and the list of game lines under it, at the top of
// the window.
void MakeGameList(QWidget* window, QLabel*& lblGameList, QListWidget*& lstGameMenu, int listHeightTwips);
// Gives a control of a window being loaded the focus, also once the window
// is on screen.
void FocusWhenShown(QWidget* control);

}  // namespace vh
