#include "games/PlayerScreenLink.h"

#include "games/frmPScreen.h"

namespace vh {

bool PlayerScreenAvailable() { return true; }

void ShowPlayerScreen() { Load<frmPScreen>(); }

}  // namespace vh
