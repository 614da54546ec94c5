#include "app/FrmMDI.h"

#include "app/ToolbarIcons.h"
#include "app/frmOptions.h"
#include "config/frmDesign.h"
#include "config/frmNameYourOwn.h"
#include "config/frmRptSelect.h"
#include "datamgmt/frmBackup.h"
#include "datamgmt/frmConvert.h"
#include "games/frmGameMenu.h"
#include "platform/ModalRun.h"
#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "reports/frmRecord.h"
#include "reports/frmRosterRpt.h"
#include "reports/frmScores.h"
#include "reports/frmStandings.h"
#include "reports/frmTeamScores.h"
#include "shell/AccessGate.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/ReportForm.h"
#include "shell/ReportWindow.h"
#include "shell/Startup.h"
#include "shell/frmBegScreen.h"
#include "stats/frmStats.h"
#include "teams/frmRoster.h"
#include "teams/frmSelectTeam.h"
#include "teams/frmTeamFilters.h"
#include "teams/frmTeamName.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <utility>

namespace vh {

namespace {

// The window behind each menu item and toolbar button that opens one.
const QMap<QString, QString>& commandWindows()
{
    static const QMap<QString, QString> m = {
        {QStringLiteral("mnuBackUp"), QStringLiteral("frmBackup")},
        {QStringLiteral("mnuRestore"), QStringLiteral("frmBackup")},
        {QStringLiteral("mnuExport"), QStringLiteral("frmBackup")},
        {QStringLiteral("mnuImport"), QStringLiteral("frmBackup")},
        {QStringLiteral("mnuPlayerStats"), QStringLiteral("frmStats")},
        {QStringLiteral("mnuGoalieStats"), QStringLiteral("frmStats")},
        {QStringLiteral("Player"), QStringLiteral("frmStats")},
        {QStringLiteral("Goalie"), QStringLiteral("frmStats")},
        {QStringLiteral("mnuTeamScoring"), QStringLiteral("frmTeamScores")},
        {QStringLiteral("mnuGames"), QStringLiteral("frmScores")},
        {QStringLiteral("mnuRecord"), QStringLiteral("frmRecord")},
        {QStringLiteral("mnuStandings"), QStringLiteral("frmStandings")},
        {QStringLiteral("mnuRosterRpt"), QStringLiteral("frmRosterRpt")},
        {QStringLiteral("mnuUpdateGames"), QStringLiteral("frmGameMenu")},
        {QStringLiteral("UpdateGames"), QStringLiteral("frmGameMenu")},
        {QStringLiteral("mnuRoster"), QStringLiteral("frmRoster")},
        {QStringLiteral("mnuAddTeam"), QStringLiteral("frmTeamName")},
        {QStringLiteral("mnuChangeTeam"), QStringLiteral("frmTeamName")},
        {QStringLiteral("mnuDeleteTeam"), QStringLiteral("frmTeamName")},
        {QStringLiteral("mnuGeneralOptions"), QStringLiteral("frmOptions")},
        {QStringLiteral("mnuNameYourOwn"), QStringLiteral("frmNameYourOwn")},
        {QStringLiteral("mnuDesign"), QStringLiteral("frmDesign")},
        {QStringLiteral("mnuAddFilter"), QStringLiteral("frmTeamFilters")},
        {QStringLiteral("mnuChangeFilter"), QStringLiteral("frmTeamFilters")},
        {QStringLiteral("mnuDeleteFilter"), QStringLiteral("frmTeamFilters")},
        {QStringLiteral("mnuConvert"), QStringLiteral("frmConvert")},
        {QStringLiteral("mnuAbout"), QStringLiteral("frmBegScreen")},
    };
    return m;
}

const QString kProductName = QStringLiteral("Velloran for Hockey");

// While a modal window runs, the keys and the mouse cannot reach the frame. A
// command that comes another way (a screen reader's action) is ignored as they
// are: it would close the windows under the modal one.
bool modalWindowRuns() { return QApplication::activeModalWidget() || ModalRun::active(); }

// The command as the menus, the toolbar and its boxes run it, by any way it comes.
template <class Command>
auto frameCommand(Command command)
{
    return [command] {
        if (!modalWindowRuns())
            command();
    };
}

// Tells when the user has made a choice in a toolbar box: an entry picked from
// its open list (Enter or a click), or Enter in the closed box. The keys that
// step through a closed box, or search it by letters, choose each entry they
// reach without being the last word yet, so the box keeps them.
class BoxChoiceWatch : public QObject {
public:
    BoxChoiceWatch(QComboBox* box, std::function<void()> chosen)
        : QObject(box), box_(box), viewport_(box->view()->viewport()), list_(box->view()->window()),
          chosen_(std::move(chosen))
    {
        box->installEventFilter(this);
        // Installed after the list's own filters, so this one sees the keys first.
        box->view()->installEventFilter(this);
        box->view()->viewport()->installEventFilter(this);
        box->view()->window()->installEventFilter(this);
        // After the box's click handler, which was connected before.
        connect(box, &QComboBox::activated, this, [this] {
            if (std::exchange(fromList_, false))
                chosen_();
        });
    }

    bool eventFilter(QObject* o, QEvent* e) override
    {
        // The list takes its Enter at the shortcut stage, before the key press.
        const bool keyEvent = e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride;
        const int key = keyEvent ? static_cast<QKeyEvent*>(e)->key() : 0;
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (o == box_) {
            if (!enter || e->type() != QEvent::KeyPress)
                return false;
            chosen_();
            return true;
        }
        // The list's parts are compared as kept: the list also hides while
        // the box is being destroyed, when the box can no longer be asked.
        if (enter || (o == viewport_ && e->type() == QEvent::MouseButtonRelease))
            fromList_ = true;
        else if (e->type() == QEvent::Hide && o == list_)
            // The list closed; a pick has sent its choice before this runs.
            QTimer::singleShot(0, this, [this] { fromList_ = false; });
        return false;
    }

private:
    QComboBox* box_ = nullptr;
    QObject* viewport_ = nullptr;
    QObject* list_ = nullptr;
    bool fromList_ = false;
    std::function<void()> chosen_;
};

}  // namespace

FrmMDI::FrmMDI(QWidget* parent) : QMainWindow(parent)
{
    installAccessGate();
    setObjectName(QStringLiteral("FrmMDI"));
    setWindowTitle(kProductName);
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);
    // The toolbar follows the option alone; no context menu hides it.
    setContextMenuPolicy(Qt::NoContextMenu);
    buildMenus();
    buildToolbar();

    // The windows the program has; each window that joins it adds its line.
    openers_ = {
        {QStringLiteral("frmGameMenu"), [] { Load<frmGameMenu>(); }},
        {QStringLiteral("frmRoster"),
         [] {
             frmRoster dlg;
             dlg.showModal();
         }},
        {QStringLiteral("frmTeamName"), [] { Load<frmTeamName>(); }},
        {QStringLiteral("frmTeamFilters"), [] { Load<frmTeamFilters>(); }},
        {QStringLiteral("frmOptions"), [] { Load<frmOptions>(); }},
        {QStringLiteral("frmBegScreen"), [] { Load<frmBegScreen>(); }},
        {QStringLiteral("frmConvert"), [] { Load<frmConvert>(); }},
        {QStringLiteral("frmDesign"), [] { Load<frmDesign>(); }},
        {QStringLiteral("frmNameYourOwn"), [] { Load<frmNameYourOwn>(); }},
        {QStringLiteral("frmBackup"), [] { Load<frmBackup>(); }},
        {QStringLiteral("frmStats"), [] { Load<frmStats>(); }},
        {QStringLiteral("frmRecord"), [] { Load<frmRecord>(); }},
        {QStringLiteral("frmStandings"), [] { Load<frmStandings>(); }},
        {QStringLiteral("frmScores"), [] { Load<frmScores>(); }},
        {QStringLiteral("frmTeamScores"), [] { Load<frmTeamScores>(); }},
        {QStringLiteral("frmRosterRpt"), [] { Load<frmRosterRpt>(); }},
    };
    // The statistics window's Format button chooses among the report formats.
    frmStats::setFormatChooser([] {
        if (!frmRptSelect::run({QString(g.ReportCode)}))
            g.CancelFlag = "Y";
    });
    setUploadOpener({});
    // The commands apply the selection of the team-selection window.
    setTeamSelectionSource(&frmSelectTeam::loadedTeamList);
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

// ---------------------------------------------------------------- building

QAction* FrmMDI::addItem(QMenu* menu, const char* name, const QString& caption, void (FrmMDI::*handler)(),
                         const QKeySequence& shortcut)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    connect(a, &QAction::triggered, this, frameCommand([this, handler] { (this->*handler)(); }));
    items_.insert(QLatin1String(name), a);
    return a;
}

void FrmMDI::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto topMenu = [bar](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto ctrl = [](Qt::Key k) { return QKeySequence(Qt::CTRL | k); };

    QMenu* file = topMenu("mnuFile", QStringLiteral("&File"));
    addItem(file, "mnuPrint", QStringLiteral("&Print..."), &FrmMDI::mnuPrint_Click);
    file->addSeparator();
    addItem(file, "mnuBackUp", QStringLiteral("&Back Up Database..."), &FrmMDI::mnuBackUp_Click);
    addItem(file, "mnuRestore", QStringLiteral("&Restore Database..."), &FrmMDI::mnuRestore_Click);
    file->addSeparator();
    addItem(file, "mnuExport", QStringLiteral("&Export Teams..."), &FrmMDI::mnuExport_Click);
    addItem(file, "mnuImport", QStringLiteral("&Import Teams..."), &FrmMDI::mnuImport_Click);
    file->addSeparator();
    addItem(file, "mnuExitProgram", QStringLiteral("E&xit Program"), &FrmMDI::mnuExitProgram_Click, ctrl(Qt::Key_X));

    QMenu* report = topMenu("mnuReport", QStringLiteral("&Reports"));
    addItem(report, "mnuPlayerStats", QStringLiteral("&Player Statistics"), &FrmMDI::mnuPlayerStats_Click,
            ctrl(Qt::Key_P));
    addItem(report, "mnuGoalieStats", QStringLiteral("&Goalie Statistics"), &FrmMDI::mnuGoalieStats_Click,
            ctrl(Qt::Key_G));
    report->addSeparator();
    addItem(report, "mnuTeamScoring", QStringLiteral("&Team Scoring"), &FrmMDI::mnuTeamScoring_Click,
            ctrl(Qt::Key_T));
    addItem(report, "mnuGames", QStringLiteral("Ga&me Scores"), &FrmMDI::mnuGames_Click, ctrl(Qt::Key_M));
    addItem(report, "mnuRecord", QStringLiteral("&Record"), &FrmMDI::mnuRecord_Click, ctrl(Qt::Key_R));
    report->addSeparator();
    addItem(report, "mnuStandings", QStringLiteral("&Standings"), &FrmMDI::mnuStandings_Click, ctrl(Qt::Key_S));
    report->addSeparator();
    addItem(report, "mnuRosterRpt", QStringLiteral("R&oster"), &FrmMDI::mnuRosterRpt_Click, ctrl(Qt::Key_O));

    QMenu* update = topMenu("mnuUpdate", QStringLiteral("&Update"));
    addItem(update, "mnuUpdateGames", QStringLiteral("&Games..."), &FrmMDI::mnuUpdateGames_Click, ctrl(Qt::Key_U));
    update->addSeparator();
    addItem(update, "mnuRoster", QStringLiteral("&Roster..."), &FrmMDI::mnuRoster_Click);
    update->addSeparator();
    addItem(update, "mnuAddTeam", QStringLiteral("Add &Team..."), &FrmMDI::mnuAddTeam_Click);
    addItem(update, "mnuChangeTeam", QStringLiteral("Change Team &Information..."), &FrmMDI::mnuChangeTeam_Click);
    update->addSeparator();
    addItem(update, "mnuDeleteTeam", QStringLiteral("&Delete Team..."), &FrmMDI::mnuDeleteTeam_Click);

    QMenu* tools = topMenu("mnuTools", QStringLiteral("&Tools"));
    addItem(tools, "mnuGeneralOptions", QStringLiteral("&Options..."), &FrmMDI::mnuGeneralOptions_Click);
    tools->addSeparator();
    addItem(tools, "mnuNameYourOwn", QStringLiteral("&Name Categories and Game Types..."),
            &FrmMDI::mnuNameYourOwn_Click);
    tools->addSeparator();
    addItem(tools, "mnuDesign", QStringLiteral("Design &Input Screen..."), &FrmMDI::mnuDesign_Click);
    tools->addSeparator();
    addItem(tools, "mnuAddFilter", QStringLiteral("&Add Team Filter..."), &FrmMDI::mnuAddFilter_Click);
    addItem(tools, "mnuChangeFilter", QStringLiteral("&Change Team Filter..."), &FrmMDI::mnuChangeFilter_Click);
    addItem(tools, "mnuDeleteFilter", QStringLiteral("&Delete Team Filter..."), &FrmMDI::mnuDeleteFilter_Click);
    tools->addSeparator();
    addItem(tools, "mnuConvert", QStringLiteral("Convert Old Data &Files"), &FrmMDI::mnuConvert_Click);

    mnuHelp_ = topMenu("mnuHelp", QStringLiteral("&Help"));
    addItem(mnuHelp_, "mnuGettingStarted", QStringLiteral("&Help Topics"), &FrmMDI::mnuGettingStarted_Click);
    addItem(mnuHelp_, "mnuStatistics", QStringLiteral("&Statistics"), &FrmMDI::mnuStatistics_Click);
    addItem(mnuHelp_, "mnuFAQ", QStringLiteral("&Frequently Asked Questions"), &FrmMDI::mnuFAQ_Click);
    mnuHelp_->addSeparator();
    addItem(mnuHelp_, "mn_techsupport", QStringLiteral("Brisvel Technical Support Website"),
            &FrmMDI::mn_techsupport_Click);
    addItem(mnuHelp_, "mn_SendUsYourData", QStringLiteral("Send Us Your Data..."), &FrmMDI::mn_SendUsYourData_Click);
    mnuHelp_->addSeparator();
    addItem(mnuHelp_, "mnuAbout", QStringLiteral("&About"), &FrmMDI::mnuAbout_Click);
}

QAction* FrmMDI::addButton(const char* key, const QString& tip, bool checkable)
{
    const QString k = QLatin1String(key);
    QAction* a = toolbar_->addAction(toolbarIcon(k), tip);
    a->setObjectName(k);
    a->setToolTip(tip);
    a->setCheckable(checkable);
    if (QWidget* w = toolbar_->widgetForAction(a))
        w->setObjectName(k);
    connect(a, &QAction::triggered, this, frameCommand([this, k] { QNToolbar_ButtonClick(k); }));
    buttons_.insert(k, a);
    return a;
}

void FrmMDI::buildToolbar()
{
    toolbar_ = addToolBar(QStringLiteral("Toolbar"));
    toolbar_->setObjectName(QStringLiteral("QNToolbar"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setIconSize(QSize(24, 24));

    addButton("UpdateGames", QStringLiteral("Update Games"), false);
    toolbar_->addSeparator();
    // A group keeps at most one of its buttons down; the program releases them
    // all when no report is open.
    auto* reports = new QActionGroup(this);
    reports->addAction(addButton("Player", QStringLiteral("Player Report"), true));
    reports->addAction(addButton("Goalie", QStringLiteral("Goalie Report"), true));
    toolbar_->addSeparator();
    addButton("Print", QStringLiteral("Print"), false);
    toolbar_->addSeparator();
    addButton("Bold", QStringLiteral("Bold"), true);
    addButton("Italic", QStringLiteral("Italic"), true);
    addButton("Underline", QStringLiteral("Underline"), true);
    toolbar_->addSeparator();
    auto* align = new QActionGroup(this);
    align->addAction(addButton("Left", QStringLiteral("Align Left"), true));
    align->addAction(addButton("Center", QStringLiteral("Center"), true));
    align->addAction(addButton("Right", QStringLiteral("Align Right"), true));
    toolbar_->addSeparator();
    addButton("GridLines", QStringLiteral("Grid Lines"), true);

    // The placeholder holding the two font boxes, 2960 twips wide.
    auto* holder = new QWidget(toolbar_);
    holder->setObjectName(QStringLiteral("fontBoxes"));
    holder->setFixedWidth(tw(2960));
    cmbFontSize_ = new QComboBox(holder);
    cmbFontSize_->setObjectName(QStringLiteral("cmbFontSize"));
    cmbFontSize_->setToolTip(QStringLiteral("Font Size"));
    cmbFonts_ = new QComboBox(holder);
    cmbFonts_->setObjectName(QStringLiteral("cmbFonts"));
    cmbFonts_->setToolTip(QStringLiteral("Font"));
    // The tip texts are what names them; they have no label.
    nameBox(cmbFontSize_, cmbFontSize_->toolTip());
    nameBox(cmbFonts_, cmbFonts_->toolTip());
    showEntriesWhole(cmbFontSize_);
    showEntriesWhole(cmbFonts_);
    // Designed at 5280 and 6120 twips on a holder beginning at 5200.
    const int h = cmbFonts_->sizeHint().height();
    holder->setFixedHeight(h + 4);
    cmbFontSize_->setGeometry(tw(80), 2, tw(700), h);
    cmbFonts_->setGeometry(tw(920), 2, tw(1905), h);
    toolbar_->addWidget(holder);
    // `activated` is the user's choice, also of the entry already chosen.
    connect(cmbFonts_, &QComboBox::activated, this, frameCommand([this] { cmbFonts_Click(); }));
    connect(cmbFontSize_, &QComboBox::activated, this, frameCommand([this] { cmbFontSize_Click(); }));
    // Once a choice is made the keys go back to the window in front (an open
    // report's F1, Esc and access keys), as they were before the box took them.
    for (QComboBox* box : {cmbFontSize_, cmbFonts_})
        new BoxChoiceWatch(box, [this] { returnKeys(); });

    addButton("Help", QStringLiteral("Help"), false);
}

// ---------------------------------------------------------------- windows

void FrmMDI::setWindowOpener(const QString& window, WindowOpener open)
{
    if (open)
        openers_.insert(window, std::move(open));
    else
        openers_.remove(window);
}

bool FrmMDI::hasWindow(const QString& window) const { return openers_.contains(window); }

void FrmMDI::setUploadOpener(UploadOpener open)
{
    uploadOpener_ = std::move(open);
    // The menu state never switches this item; it is there when the window is.
    if (QAction* a = items_.value(QStringLiteral("mn_SendUsYourData")))
        a->setEnabled(bool(uploadOpener_));
}

bool FrmMDI::commandAvailable(const QString& name)
{
    const auto it = commandWindows().constFind(name);
    return it == commandWindows().constEnd() || hasWindow(*it);
}

void FrmMDI::openWindow(const QString& window)
{
    const auto it = openers_.constFind(window);
    if (it != openers_.constEnd()) {
        const WindowOpener open = *it;  // the opener may change the table
        open();
    }
}

// ---------------------------------------------------------------- load, resize, unload

void FrmMDI::MDIForm_Load()
{
    g.Frame = this;
    g.ProgramCode = QStringLiteral("qn");
    setWindowTitle(kProductName + QLatin1Char(' ') + versionText());
    g.StartingUp = True;
    SetMenus(-1, QStringLiteral("Beg"));
    ShowHourglass();
    Setup();
    ShowArrowPointer();
    if (ProgramEnding())
        return;
    if (frmSelectTeam* f = Load<frmSelectTeam>())
        CenterForm(f);
}

void FrmMDI::MDIForm_Resize()
{
    if (g.StartingUp == True)
        return;
    if (QMdiSubWindow* sub = mdi_->currentSubWindow())
        CenterForm(qobject_cast<Form*>(sub->widget()) ? sub->widget() : sub);
}

void FrmMDI::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    MDIForm_Resize();
}

void FrmMDI::MDIForm_Unload() { SaveOptionsAndCloseDatabase(); }

void FrmMDI::closeEvent(QCloseEvent* e)
{
    // Each open window is closed as its Cancel would close it, asking first
    // where that Cancel asks; the user's No keeps the program. Not under a
    // running modal window, as no other command.
    if (modalWindowRuns() || !OpenFormsMayClose()) {
        e->ignore();
        return;
    }
    CloseOpenForms();
    MDIForm_Unload();
    e->accept();
}

void FrmMDI::setToolbarVisible(bool visible) { toolbar_->setVisible(visible); }

void FrmMDI::setToolbarButtonEnabled(const QString& key, bool enabled)
{
    if (QAction* a = buttons_.value(key))
        a->setEnabled(enabled);
}

// ---------------------------------------------------------------- command patterns

// The selection is copied before any window closes: closing hides the
// team-selection window, whose list is the source.
void FrmMDI::reportCommand(const char* code, const QString& window)
{
    if (!hasWindow(window))
        return;
    ApplyTeamSelection();
    ResetComputeCriteria();
    g.ReportCode = code;
    ShowHourglass();
    CloseOpenForms();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Report"));
    // The report window's load computes and puts the arrow back.
    openWindow(window);
}

void FrmMDI::editCommand(const QString& window, const std::function<void()>& setMode)
{
    if (!hasWindow(window))
        return;
    ApplyTeamSelection();
    CloseOpenForms();
    if (setMode)
        setMode();
    openWindow(window);
    SetMenus(g.SelectedTeamCount, QStringLiteral("Update"));
}

void FrmMDI::openGameList()
{
    ApplyTeamSelection();
    g.ReselectGame = 0;
    CloseOpenForms();
    // The game list's load sets the menu state itself.
    openWindow(QStringLiteral("frmGameMenu"));
}

void FrmMDI::mnuPrint_Click() { PrintActiveReport(); }
void FrmMDI::mnuBackUp_Click() { editCommand(QStringLiteral("frmBackup"), [] { g.BackupMode = "B"; }); }
void FrmMDI::mnuRestore_Click() { editCommand(QStringLiteral("frmBackup"), [] { g.BackupMode = "R"; }); }
void FrmMDI::mnuExport_Click() { editCommand(QStringLiteral("frmBackup"), [] { g.BackupMode = "E"; }); }
void FrmMDI::mnuImport_Click() { editCommand(QStringLiteral("frmBackup"), [] { g.BackupMode = "I"; }); }
void FrmMDI::mnuExitProgram_Click()
{
    if (!OpenFormsMayClose())
        return;
    CloseOpenForms();
    SaveOptionsAndCloseDatabase();
}

void FrmMDI::mnuPlayerStats_Click() { reportCommand("P", QStringLiteral("frmStats")); }
void FrmMDI::mnuGoalieStats_Click() { reportCommand("G", QStringLiteral("frmStats")); }
void FrmMDI::mnuTeamScoring_Click() { reportCommand("M", QStringLiteral("frmTeamScores")); }
void FrmMDI::mnuGames_Click() { reportCommand("O", QStringLiteral("frmScores")); }
void FrmMDI::mnuRecord_Click() { reportCommand("R", QStringLiteral("frmRecord")); }
void FrmMDI::mnuStandings_Click() { reportCommand("S", QStringLiteral("frmStandings")); }
void FrmMDI::mnuRosterRpt_Click() { reportCommand("T", QStringLiteral("frmRosterRpt")); }

void FrmMDI::mnuUpdateGames_Click() { openGameList(); }

void FrmMDI::mnuRoster_Click()
{
    if (!hasWindow(QStringLiteral("frmRoster")))
        return;
    ApplyTeamSelection();
    g.CurrentPerson = 1;
    CloseOpenForms();
    // Modal; its Close shows the team selection again and sets the menus.
    openWindow(QStringLiteral("frmRoster"));
}

void FrmMDI::mnuAddTeam_Click() { editCommand(QStringLiteral("frmTeamName"), [] { g.TeamMode = "A"; }); }
void FrmMDI::mnuChangeTeam_Click() { editCommand(QStringLiteral("frmTeamName"), [] { g.TeamMode = "C"; }); }
void FrmMDI::mnuDeleteTeam_Click() { editCommand(QStringLiteral("frmTeamName"), [] { g.TeamMode = "D"; }); }

void FrmMDI::mnuGeneralOptions_Click() { editCommand(QStringLiteral("frmOptions")); }
void FrmMDI::mnuNameYourOwn_Click() { editCommand(QStringLiteral("frmNameYourOwn")); }
void FrmMDI::mnuDesign_Click() { editCommand(QStringLiteral("frmDesign")); }
void FrmMDI::mnuAddFilter_Click() { editCommand(QStringLiteral("frmTeamFilters"), [] { g.FilterMode = "A"; }); }
void FrmMDI::mnuChangeFilter_Click() { editCommand(QStringLiteral("frmTeamFilters"), [] { g.FilterMode = "C"; }); }
void FrmMDI::mnuDeleteFilter_Click() { editCommand(QStringLiteral("frmTeamFilters"), [] { g.FilterMode = "D"; }); }
void FrmMDI::mnuConvert_Click() { editCommand(QStringLiteral("frmConvert")); }

void FrmMDI::mnuGettingStarted_Click() { ShowHelpTopic(QStringLiteral("2070")); }
void FrmMDI::mnuStatistics_Click() { ShowHelpTopic(QStringLiteral("2120")); }
void FrmMDI::mnuFAQ_Click() { ShowHelpTopic(QStringLiteral("2380")); }

void FrmMDI::mn_techsupport_Click() { WebPage(QLatin1String(VendorWebSite) + QStringLiteral("/technicalsupport")); }

void FrmMDI::mn_SendUsYourData_Click()
{
    if (!uploadOpener_)
        return;
    const QString dataPath = g.DbPath;
    // The upload sends the closed file, with the options of this session; a
    // close that fails does not stop it (the options stay in memory). The
    // windows left open keep the database object, which opens again below.
    try {
        CloseMainDatabase();
    } catch (...) {
    }
    uploadOpener_(dataPath);
    try {
        OpenMainDatabase();
    } catch (const RuntimeError& e) {
        // Every window needs the database: end cleanly instead of running on
        // without one.
        MsgBox(QStringLiteral("The database could not be opened again after sending your data, so ") + kProductName +
                   QStringLiteral(" must end now. Your data is in ") + g.DbPath + QStringLiteral(".\r\r") +
                   e.description(),
               vbExclamation, QStringLiteral("Database Not Opened"));
        SaveOptionsAndCloseDatabase();
    }
}

void FrmMDI::mnuAbout_Click() { openWindow(QStringLiteral("frmBegScreen")); }

// ---------------------------------------------------------------- toolbar and font boxes

void FrmMDI::QNToolbar_ButtonClick(const QString& key)
{
    if (key == QLatin1String("UpdateGames")) {
        openGameList();
        SetMenus(g.SelectedTeamCount, QStringLiteral("GameMenu"));
    } else if (key == QLatin1String("Player")) {
        mnuPlayerStats_Click();
    } else if (key == QLatin1String("Goalie")) {
        mnuGoalieStats_Click();
    } else if (key == QLatin1String("Help")) {
        mnuHelp_->popup(QCursor::pos());
    } else if (key == QLatin1String("Left")) {
        AlignLeftActiveReport();
    } else if (key == QLatin1String("Center")) {
        AlignCenterActiveReport();
    } else if (key == QLatin1String("Right")) {
        AlignRightActiveReport();
    } else if (key == QLatin1String("Bold")) {
        ToggleBold();
    } else if (key == QLatin1String("Italic")) {
        ToggleItalic();
    } else if (key == QLatin1String("Underline")) {
        ToggleUnderline();
    } else if (key == QLatin1String("GridLines")) {
        ToggleGridLines();
    } else if (key == QLatin1String("Print")) {
        PrintActiveReport();
    }
}

void FrmMDI::returnKeys()
{
    QMdiSubWindow* front = mdi_->currentSubWindow();
    if (!front || !front->widget())
        return;
    auto* report = dynamic_cast<ReportWindow*>(ActiveReportForm());
    if (report && front->widget() == report) {
        report->grid()->view()->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Another window in front (the About box over a report) gets them where
    // it had them; focus on the report's grid would bring the report forward.
    QWidget* last = front->widget()->focusWidget();
    (last ? last : front->widget())->setFocus(Qt::OtherFocusReason);
}

void FrmMDI::cmbFonts_Click() { SendChosenFontName(); }
void FrmMDI::cmbFontSize_Click() { SendChosenFontSize(); }

}  // namespace vh
