#include "games/PlayerScreenLink.h"

namespace vh {

// The player entry screen comes with its own window: make this true and load
// it in ShowPlayerScreen.
bool PlayerScreenAvailable() { return false; }

void ShowPlayerScreen() {}

}  // namespace vh
