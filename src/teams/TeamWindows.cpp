#include "teams/TeamWindows.h"

#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "shell/Globals.h"
#include "shell/MenuState.h"
#include "teams/frmSelectTeam.h"


namespace vh {

void ShowTeamDataError(const QString& text, const QString& title, std::exception_ptr error)
{
    const RuntimeError e = describeException(error);
    MsgBox(text + QStringLiteral("\r\rError ") + QString::number(e.number()) + QStringLiteral(": ") + e.description(),
           vbOKOnly | vbExclamation, title);
}

Database* OpenDatabaseOrNull() { return g.Db && g.Db->isOpen() ? g.Db.get() : nullptr; }

void ShowSelectTeamAgain()
{
    if (frmSelectTeam* f = Loaded<frmSelectTeam>())
        f->showForm();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

void ReloadSelectTeam()
{
    Unload<frmSelectTeam>();
    Load<frmSelectTeam>();
}

}  // namespace vh
