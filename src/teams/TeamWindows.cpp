#include "teams/TeamWindows.h"

#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "teams/frmSelectTeam.h"

#include <QShortcut>

namespace vh {

void ShowTeamDataError(const QString& text, const QString& title, std::exception_ptr error)
{
    const RuntimeError e = describeException(error);
    MsgBox(text + QStringLiteral("\r\rError ") + QString::number(e.number()) + QStringLiteral(": ") + e.description(),
           vbOKOnly | vbExclamation, title);
}

Database* OpenDatabaseOrNull() { return g.Db && g.Db->isOpen() ? g.Db.get() : nullptr; }

void InstallHelpKey(QWidget* window, int topic)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QShortcut::activated, window, [topic] { ShowHelpTopic(QString::number(topic)); });
}

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
