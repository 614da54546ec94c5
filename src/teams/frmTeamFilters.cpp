#include "teams/frmTeamFilters.h"

#include "shell/Globals.h"

namespace vh {

frmTeamFilters::frmTeamFilters() : Form(FormNo::TeamFilters) { setObjectName(QStringLiteral("frmTeamFilters")); }

void frmTeamFilters::Form_Load() {}

}  // namespace vh
