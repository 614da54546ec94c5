#include "games/frmGameMenu.h"

#include "shell/Globals.h"

namespace vh {

frmGameMenu::frmGameMenu() : Form(FormNo::GameMenu) { setObjectName(QStringLiteral("frmGameMenu")); }

void frmGameMenu::Form_Load() {}

}  // namespace vh
