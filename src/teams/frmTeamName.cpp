#include "teams/frmTeamName.h"

#include "shell/Globals.h"

namespace vh {

frmTeamName::frmTeamName() : Form(FormNo::TeamName) { setObjectName(QStringLiteral("frmTeamName")); }

void frmTeamName::Form_Load() {}

}  // namespace vh
