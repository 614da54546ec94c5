#pragma once
// The one way from the game list and the game header screen on to the player
// entry screen.

namespace vh {

// Whether the player entry screen can be opened.
bool PlayerScreenAvailable();
// Opens the player entry screen for game GameRec.gameNumber of CurrentTeam;
// the caller has unloaded itself.
void ShowPlayerScreen();

}  // namespace vh
