#include "shell/FrmMDI.h"

#include "platform/Runtime.h"
#include "shell/Globals.h"
#include "shell/Procedures.h"
#include "shell/Startup.h"
#include "games/frmGameMenu.h"
#include "teams/frmSelectTeam.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QToolBar>

namespace vh {

FrmMDI::FrmMDI(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FrmMDI"));
    setWindowTitle(QStringLiteral("Velloran for Hockey"));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);
    toolbar_ = addToolBar(QStringLiteral("Toolbar"));
    toolbar_->setObjectName(QStringLiteral("QNToolbar"));
    toolbar_->setMovable(false);
    QAction* update = toolbar_->addAction(QStringLiteral("Update Games"));
    update->setObjectName(QStringLiteral("UpdateGames"));
    update->setToolTip(QStringLiteral("Update Games"));
    buttons_.insert(QStringLiteral("UpdateGames"), update);
    resize(800, 600);
}

FrmMDI::~FrmMDI()
{
    if (g.Frame == this)
        g.Frame = nullptr;
}

QString FrmMDI::versionText()
{
    return QStringLiteral("%1.%2.%3").arg(VH_VERSION_MAJOR).arg(VH_VERSION_MINOR).arg(VH_VERSION_PATCH);
}

void FrmMDI::MDIForm_Load()
{
    g.Frame = this;
    g.ProgramCode = QStringLiteral("qn");
    setWindowTitle(QStringLiteral("Velloran for Hockey ") + versionText());
    g.StartingUp = True;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Setup();
    QApplication::restoreOverrideCursor();
    if (ProgramEnding())
        return;
    if (frmSelectTeam* f = Load<frmSelectTeam>())
        CenterForm(f);
}

void FrmMDI::mnuUpdateGames_Click()
{
    ApplyTeamSelection();
    g.ReselectGame = 0;
    CloseOpenForms();
    Load<frmGameMenu>();
}

void FrmMDI::MDIForm_Unload() { SaveOptionsAndCloseDatabase(); }

void FrmMDI::closeEvent(QCloseEvent* e)
{
    MDIForm_Unload();
    e->accept();
}

void FrmMDI::setToolbarVisible(bool visible) { toolbar_->setVisible(visible); }

void FrmMDI::setToolbarButtonEnabled(const QString& key, bool enabled)
{
    if (QAction* a = buttons_.value(key))
        a->setEnabled(enabled);
}

}  // namespace vh
