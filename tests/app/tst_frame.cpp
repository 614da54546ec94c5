// The frame window as the user drives it: its load, the order of its command
// patterns, help and web links, the About box, the options dialog, sending the
// data and leaving the program.

#include "app/frmOptions.h"
#include "games/frmGameMenu.h"
#include "platform/Folders.h"
#include "shell/FrameDoubles.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/Startup.h"
#include "shell/frmBegScreen.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "teams/frmRoster.h"
#include "teams/frmSelectTeam.h"
#include "teams/frmTeamFilters.h"
#include "teams/frmTeamName.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QToolBar>
#include <algorithm>

using namespace vh;
using namespace vh::test;

namespace {

// Two teams listed as "Bees" (8) then "Ants" (5), both selected; reading the
// list is noted in the trace.
void selectTwoTeams()
{
    g.NumTeams = 2;
    g.TeamNumbers.redim(2);
    g.TeamNumbers[1] = 5;
    g.TeamNumbers[2] = 8;
    g.TeamSelected.redim(2, False);
    setTeamSelectionSource([] {
        trace() << QStringLiteral("select");
        return std::vector<TeamListEntry>{{8, QStringLiteral("Bees  "), true}, {5, QStringLiteral("Ants"), true}};
    });
}

bool waitCursor()
{
    return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

int storedOption(const QString& dataFolder, int n)
{
    auto db = Database::open(dataFolder + QStringLiteral("murqn.mdb"), DatabaseConnect());
    return db->scalar(QStringLiteral("select Option from NumberOptions where OptionNumber =") + Str(n)).toInt();
}

}  // namespace

class TstFrame : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<FrmMDI> frame;

    QStringList& urls() { return env->openedUrls(); }
    QAction* item(const char* name) const { return frame->menuItem(QLatin1String(name)); }
    QAction* button(const char* key) const { return frame->toolbarButton(QLatin1String(key)); }
    frmOptions* openOptions()
    {
        frame->mnuGeneralOptions_Click();
        return Loaded<frmOptions>();
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        frame = std::make_unique<FrmMDI>();
        frame->MDIForm_Load();
        QVERIFY(!env->ended());
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        vh::test::addMissingWindows(*frame);
        trace().clear();
    }
    void cleanup()
    {
        setTeamSelectionSource({});
        Dialog::setModalHook({});
        ReportDouble<FormNo::Stats>::onLoad = nullptr;
        ShowArrowPointer();
        vh::test::unloadDoubles();
        Unload<frmBegScreen>();
        Unload<frmOptions>();
        Unload<frmGameMenu>();
        Unload<frmTeamName>();
        Unload<frmTeamFilters>();
        Unload<frmSelectTeam>();
        flushDeletes();
        frame.reset();
        env.reset();
    }

    void loadShowsTheTeamSelection()
    {
        QVERIFY(!QApplication::overrideCursor());
        frmSelectTeam* select = Loaded<frmSelectTeam>();
        QVERIFY(select && select->isShown());
        QCOMPARE(select->subWindow()->mdiArea(), frame->mdiArea());
        // The selection window's load gave the main state for no team.
        QVERIFY(item("mnuAddTeam")->isEnabled());
        QVERIFY(!item("mnuPlayerStats")->isEnabled());
        QVERIFY(frame->QNToolbar()->isVisibleTo(frame.get()));
    }

    void reportCommandCopiesSelectionBeforeClosing()
    {
        selectTwoTeams();
        Load<ChildDouble<FormNo::Design>>();
        g.Criteria.lowGame = 40;
        g.Criteria.topX = 3;
        g.ReportCode = "T";
        ReportDouble<FormNo::Stats>::onLoad = [this] {
            QStringList seen;
            seen << QStringLiteral("code ") + g.ReportCode.str();
            if (waitCursor())
                seen << QStringLiteral("hourglass");
            if (g.Criteria.lowGame == 1 && g.Criteria.topX == 9999)
                seen << QStringLiteral("criteria reset");
            if (!Loaded<frmSelectTeam>()->isShown())
                seen << QStringLiteral("selection hidden");
            if (item("mnuPrint")->isEnabled() && frame->fontSizeBox()->count() == 6)
                seen << QStringLiteral("report menus");
            trace() << seen.join(QStringLiteral(", "));
            ShowArrowPointer();  // as a report's load does
        };
        frame->mnuGoalieStats_Click();
        QCOMPARE(trace(), QStringList({QStringLiteral("select"), QStringLiteral("close %1").arg(FormNo::Design),
                                       QStringLiteral("load %1").arg(FormNo::Stats),
                                       QStringLiteral("code G, hourglass, criteria reset, selection hidden, report menus")}));
        QCOMPARE(g.SelectedTeamCount, int16_t(2));
        QCOMPARE(g.CurrentTeam, int16_t(8));
        QCOMPARE(g.SelectedTeamCaption, QStringLiteral("Multiple Teams"));

        // The toolbar's Player button: the same steps with "P", and the
        // button stays down while the report is open.
        trace().clear();
        SetMenus(2, QStringLiteral("Select"));
        button("Player")->trigger();
        QVERIFY(g.ReportCode == "P");
        QVERIFY(button("Player")->isChecked());
        QVERIFY(!button("Goalie")->isChecked());
        QCOMPARE(trace().value(0), QStringLiteral("select"));
        QVERIFY(trace().contains(QStringLiteral("close %1").arg(FormNo::Stats)));
    }

    void editingCommandShowsItsWindowBeforeTheEditingState()
    {
        selectTwoTeams();
        // The editors find the selected team and filter they open on.
        Db().execute(QStringLiteral("insert into Teams (TeamNumber, LongTeamName, ShortTeamName) values "
                                    "(5, 'Ants', 'Ants'), (8, 'Bees', 'Bees')"));
        Db().execute(QStringLiteral("insert into Filters (FilterNumber, FilterName) values (1, 'League')"));
        Load<ChildDouble<FormNo::Design>>();
        frame->setWindowOpener(QStringLiteral("frmTeamName"), [this] {
            trace() << QStringLiteral("show %1, exit %2")
                           .arg(g.TeamMode.str(), item("mnuExitProgram")->isEnabled() ? QStringLiteral("on")
                                                                                       : QStringLiteral("off"));
            Load<frmTeamName>();
        });
        SetMenus(2, QStringLiteral("Select"));
        frame->mnuDeleteTeam_Click();
        QCOMPARE(trace(), QStringList({QStringLiteral("select"), QStringLiteral("close %1").arg(FormNo::Design),
                                       QStringLiteral("show D, exit on")}));
        QVERIFY(!item("mnuExitProgram")->isEnabled());
        QVERIFY(!Loaded<frmSelectTeam>()->isShown());

        // The filter editor through its real opener, closing the team editor.
        g.ShowFiltersOption = True;
        g.CurrentFilter = 1;
        SetMenus(1, QStringLiteral("Select"));
        item("mnuChangeFilter")->trigger();
        flushDeletes();
        QVERIFY(g.FilterMode == "C");
        QVERIFY(Loaded<frmTeamFilters>() && !Loaded<frmTeamName>());

        frame->mnuRestore_Click();
        QVERIFY(g.BackupMode == "R");
        QVERIFY(Loaded<ChildDouble<FormNo::Backup>>() && !Loaded<frmTeamFilters>());
    }

    void gameListAndRosterOpenWithoutTheEditingState()
    {
        selectTwoTeams();
        g.ReselectGame = 6;
        SetMenus(0, QStringLiteral("Select"));
        button("UpdateGames")->setEnabled(true);
        button("UpdateGames")->trigger();
        QVERIFY(Loaded<frmGameMenu>());
        QCOMPARE(g.ReselectGame, int16_t(0));
        QCOMPARE(g.CurrentTeam, int16_t(8));
        QVERIFY(item("mnuExitProgram")->isEnabled());  // the game list's state for the selection

        bool rosterRan = false;
        Dialog::setModalHook([&](Dialog* d) {
            rosterRan = qobject_cast<frmRoster*>(d) != nullptr;
            QCOMPARE(g.CurrentPerson, int16_t(1));
            QVERIFY(!Loaded<frmGameMenu>());
        });
        g.CurrentPerson = 9;
        item("mnuRoster")->trigger();
        flushDeletes();
        QVERIFY(rosterRan);
        QVERIFY(item("mnuExitProgram")->isEnabled());  // no menu state of its own
    }

    void helpAndWebCommands()
    {
        // Each help command shows a page of its own that the program ships.
        for (const char* command : {"mnuGettingStarted", "mnuStatistics", "mnuFAQ", "mn_techsupport"})
            item(command)->trigger();
        QCOMPARE(QSet<QString>(urls().begin(), urls().end()).size(), 4);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(QFile::exists(urls()[i]), qPrintable(urls()[i]));
        QVERIFY(urls()[3].startsWith(QStringLiteral("https://")));

        // The Help button pops the Help menu up, with its own items.
        QMenu* help = frame->findChild<QMenu*>(QStringLiteral("mnuHelp"));
        QVERIFY(help);
        frame->QNToolbar_ButtonClick(QStringLiteral("Help"));
        QVERIFY(help->isVisible());
        help->hide();
        frame->QNToolbar_ButtonClick(QStringLiteral("NoSuchKey"));
    }

    // Where xdg-open finds no program for a page it ends with a status, and
    // every command that opens a page tells so, naming it: the help commands
    // and F1 in the "Help Error" box, the web and mail links with the status.
    // Where it opens the page, no box.
    void pagesNoProgramOpensAreTold()
    {
        // A stand-in xdg-open first on the PATH notes each address and ends
        // with the status written beside it.
        const QString bin = env->tempDir() + QStringLiteral("/bin");
        const QString opener = bin + QStringLiteral("/xdg-open");
        QVERIFY(QDir().mkpath(bin));
        const auto write = [](const QString& path, const QByteArray& text) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text);
        };
        write(opener, "#!/bin/sh\necho \"$1\" >> \"$0.log\"\nexit $(cat \"$0.status\")\n");
        QVERIFY(QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toUtf8() + ':' + path);
        const auto restore = qScopeGuard([path] { qputenv("PATH", path); });
        setUrlOpener({});
        const QString site = QLatin1String(VendorWebSite);
        const QString mail = QStringLiteral("mailto:") + QLatin1String(VendorEmail);

        write(opener + QStringLiteral(".status"), "3");
        env->expectMsgBox(g.HelpFilePath + QStringLiteral("2070.html"), vbOK, QStringLiteral("Help Error"));
        item("mnuGettingStarted")->trigger();
        QTRY_COMPARE(env->pendingExpectations(), 0);
        frmSelectTeam* select = Loaded<frmSelectTeam>();
        QTRY_VERIFY(select->isAncestorOf(QApplication::focusWidget()));
        env->expectMsgBox(g.HelpFilePath + QStringLiteral("2080.html"), vbOK, QStringLiteral("Help Error"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QTRY_COMPARE(env->pendingExpectations(), 0);
        env->expectMsgBox(QStringLiteral("Unable to link to ") + site +
                          QStringLiteral("/technicalsupport from WebPage. \rError code: 3\r"));
        item("mn_techsupport")->trigger();
        QTRY_COMPARE(env->pendingExpectations(), 0);
        frame->mnuAbout_Click();
        frmBegScreen* about = Loaded<frmBegScreen>();
        env->expectMsgBox(QStringLiteral("Unable to link to ") + mail + QStringLiteral(" from WebPage. \rError code: 3\r"));
        about->Label7_Click();
        QTRY_COMPARE(env->pendingExpectations(), 0);

        write(opener + QStringLiteral(".status"), "0");
        item("mnuGettingStarted")->trigger();
        about->Label1_Click();
        QTRY_VERIFY(qApp->findChildren<QProcess*>().isEmpty());  // every opener has ended
        QFile log(opener + QStringLiteral(".log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QStringList opened = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(opened.size(), 6);
        std::sort(opened.begin() + 4, opened.end());  // the last two ran side by side
        QCOMPARE(opened, (QStringList{g.HelpFilePath + QStringLiteral("2070.html"),
                                      g.HelpFilePath + QStringLiteral("2080.html"),
                                      site + QStringLiteral("/technicalsupport"), mail,
                                      g.HelpFilePath + QStringLiteral("2070.html"), site}));
        QCOMPARE(env->shownMessages().size(), 4);

        // A page that is not there is told as missing, not as a browser's fault.
        QVERIFY(QDir(g.HelpFilePath).removeRecursively());
        write(opener + QStringLiteral(".status"), "2");
        env->expectMsgBox(QStringLiteral("Unable to display the help page ") + g.HelpFilePath +
                              QStringLiteral("2070.html.  The page is missing; install Velloran for Hockey again"),
                          vbOK, QStringLiteral("Help Error"));
        item("mnuGettingStarted")->trigger();
        QTRY_COMPARE(env->pendingExpectations(), 0);
    }

    void aboutBoxEndsStartUpAndResizingRecentres()
    {
        frame->resize(900, 700);
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        frmSelectTeam* select = Loaded<frmSelectTeam>();
        QMdiSubWindow* sub = select->subWindow();
        frame->mdiArea()->setActiveSubWindow(sub);
        sub->move(0, 0);
        frame->resize(1000, 760);
        QCoreApplication::processEvents();
        QCOMPARE(sub->pos(), QPoint(0, 0));  // still starting up

        selectTwoTeams();
        frame->mnuAbout_Click();
        frmBegScreen* about = Loaded<frmBegScreen>();
        QVERIFY(about && about->isShown());
        QVERIFY(trace().isEmpty());  // no selection copied
        QVERIFY(select->isShown());  // and nothing closed
        QVERIFY(about->lblNotice->text().contains(QString::number(QDate::currentDate().year())));
        about->Label1_Click();
        about->Label7_Click();
        QCOMPARE(urls().size(), 2);
        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        QCOMPARE(g.StartingUp, False);
        QVERIFY(!Loaded<frmBegScreen>());
        flushDeletes();

        // Centred across, and a window as tall as the frame at its top, not above it.
        frame->mdiArea()->setActiveSubWindow(sub);
        sub->move(0, 0);
        sub->setFixedSize(300, 900);
        frame->resize(1100, 800);
        QCoreApplication::processEvents();
        QVERIFY(qAbs(2 * sub->x() + sub->width() - frame->frameGeometry().width()) <= 1);
        QCOMPARE(sub->y(), 0);
    }

    // Each box sets its own option; the options' round trip through the
    // database is the start-up's.
    void theOptionsDialogSetsEachOption()
    {
        item("mnuGeneralOptions")->trigger();
        frmOptions* o = Loaded<frmOptions>();
        QVERIFY(o && o->isShown());
        QVERIFY(!item("mnuExitProgram")->isEnabled());  // editing state
        QPointer<frmSelectTeam> select = Loaded<frmSelectTeam>();

        o->chkShowCommas->setChecked(false);
        o->chkShowPlayerSeconds->setChecked(true);
        o->cmbPeriods->setCurrentIndex(2);
        o->optFormatName[2]->setChecked(true);
        o->cmbPoints[4]->setCurrentIndex(3);
        o->cmbMinutesPerGame->setCurrentIndex(0);
        o->chkEditGoalsAgainst->setChecked(false);
        o->chkShowToolBar->setChecked(false);
        QTest::mouseClick(o->cmdClose, Qt::LeftButton);
        flushDeletes();
        QVERIFY(frame->QNToolbar()->isHidden());  // at once
        QVERIFY(select && select->isShown());     // shown again, not reloaded
        QVERIFY(item("mnuExitProgram")->isEnabled());
        QCOMPARE(g.ShowCommasOption, False);
        QCOMPARE(g.ShowPlayerSecondsOption, True);
        QCOMPARE(g.PeriodsOption, int16_t(4));
        QCOMPARE(g.NameFormatOption, int16_t(2));
        QCOMPARE(g.OTLossPointsOption, int16_t(3));
        QCOMPARE(g.MinutesPerGameOption, int16_t(10));
        QCOMPARE(g.EditGoalsAgainstOption, False);
        QCOMPARE(g.ShowToolBarOption, False);
    }

    void showFiltersChangeReloadsTheTeamSelection()
    {
        QPointer<frmSelectTeam> before = Loaded<frmSelectTeam>();
        g.CurrentFilter = 2;
        frmOptions* o = openOptions();
        o->chkShowFilters->setChecked(false);
        o->cmdClose_Click();
        flushDeletes();
        QVERIFY(!before);
        QVERIFY(Loaded<frmSelectTeam>() && Loaded<frmSelectTeam>()->isShown());
        QCOMPARE(g.ShowFiltersOption, False);
        QVERIFY(!item("mnuAddFilter")->isEnabled());
    }

    // Closing unchanged stores nothing, not even a value no list holds (it
    // stays, never 1), but for a name format without a button: the last.
    void closingUnchangedTouchesNothing()
    {
        g.PeriodsOption = 7;
        g.MinutesPerGameOption = 5;
        g.RegTiePointsOption = -1;
        g.NameFormatOption = 4;
        int16_t before[20];
        for (int n = 1; n <= 19; ++n)
            before[n] = n == 4 ? 2 : g.option(n);
        frame->QNToolbar()->hide();  // out of step with the option on purpose
        QPointer<frmSelectTeam> select = Loaded<frmSelectTeam>();
        openOptions()->cmdClose_Click();
        flushDeletes();
        for (int n = 1; n <= 19; ++n)
            QCOMPARE(g.option(n), before[n]);
        QVERIFY(frame->QNToolbar()->isHidden());
        QVERIFY(select && select->isShown());

        // Esc is Close as well.
        frmOptions* o = openOptions();
        o->chkShowNA->setChecked(false);
        QTest::keyClick(o->chkShowNA, Qt::Key_Escape);
        QTRY_VERIFY(!Loaded<frmOptions>());
        QCOMPARE(g.ShowNAOption, False);

        // Another command closes the dialog without taking anything over.
        openOptions()->chkShowNA->setChecked(true);
        CloseOpenForms();
        QVERIFY(!Loaded<frmOptions>());
        QCOMPARE(g.ShowNAOption, False);
    }

    void sendUsYourDataEndsCleanlyWhenTheReopenFails()
    {
        frame->setUploadOpener([](const QString& path) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("not a database at all, the upload left it broken");
        });
        env->expectMsgBox(QStringLiteral("could not be opened again"), vbOK, QStringLiteral("Database Not Opened"));
        frame->mn_SendUsYourData_Click();
        QCOMPARE(env->pendingExpectations(), 0);
        QVERIFY(env->ended());
        QCOMPARE(env->shownMessages().size(), 1);
    }

    void exitAndCloseBothSaveTheOptions()
    {
        g.PeriodsOption = 4;
        item("mnuExitProgram")->trigger();
        QVERIFY(env->ended());
        QCOMPARE(storedOption(g.DataFolder, 2), 4);

        env->clearEnded();
        OpenMainDatabase();
        g.PeriodsOption = 2;
        frame->close();
        QVERIFY(env->ended());
        QCOMPARE(storedOption(g.DataFolder, 2), 2);
    }
};

VH_TEST_MAIN(TstFrame)
#include "tst_frame.moc"
