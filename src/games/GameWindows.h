#pragma once
// Small things the game windows share.

#include <QFont>

class QLabel;
class QListWidget;
class QWidget;

namespace vh {

struct RenumberRequest;

// The fixed-pitch font of the game lists, so that the padded columns of the
// lines stand under each other.
QFont GameListFont();
// The "Game List" label and the list of game lines under it, at the top of
// the window.
void MakeGameList(QWidget* window, QLabel*& lblGameList, QListWidget*& lstGameMenu, int listHeightTwips);

// Writes through RenumberGames into the open database; a failure is shown to
// the user and gives false.
bool WriteGames(const RenumberRequest& request);

}  // namespace vh
