#include "teams/frmSelectTeam.h"

#include "shell/Globals.h"
#include "shell/MenuState.h"

namespace vh {

frmSelectTeam::frmSelectTeam() : Form(FormNo::SelectTeam)
{
    setObjectName(QStringLiteral("frmSelectTeam"));
    setWindowTitle(QStringLiteral("Select Teams"));
    setDesignSize(4815, 4695);
}

std::vector<TeamListEntry> frmSelectTeam::teamListEntries() const { return {}; }

void frmSelectTeam::Form_Load()
{
    CenterForm(this);
    SetMenus(0, QStringLiteral("Select"));
}

void frmSelectTeam::Form_Unload() {}

}  // namespace vh
