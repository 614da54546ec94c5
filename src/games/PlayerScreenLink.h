#pragma once
// The one way from the game list and the game header screen on to the player
// entry screen. Until that screen is part of the program, the game list's and
// the header screen's Player Screen buttons stay disabled and a newly added
// game returns to the game list.

namespace vh {

// Whether the player entry screen can be opened.
bool PlayerScreenAvailable();
// Opens the player entry screen for game GameRecGameNumber of CurrentTeam;
// the caller has unloaded itself. Only called when it is available.
void ShowPlayerScreen();

}  // namespace vh
