#include "shell/MenuState.h"

#include "shell/Globals.h"

namespace vh {

void SetMenus(int16_t teamCount, const QString& mode)
{
    Q_UNUSED(mode);
    if (teamCount != -1)
        g.SelectedTeamCount = teamCount;
}

}  // namespace vh
