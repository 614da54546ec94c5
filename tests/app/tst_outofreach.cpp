// A screen reader's press, toggle or text reaches only what a user could reach
// with the keys or the mouse: nothing behind a running modal window (real
// message boxes and dialogs, opened from the frame as users open them), no
// frame command while a modal run Qt does not see goes on, and no disabled
// or hidden control. Where nothing stands in the way, what it chooses is what
// the program acts on: the row chosen in a list is the one deleted, a toolbar
// toggle does what its click does. Each case follows a sequence that ended
// the program, lost or overwrote data, or showed what was not so.

#include "config/frmNameYourOwn.h"
#include "config/frmRptSelect.h"
#include "datamgmt/frmConvert.h"
#include "games/GameTestData.h"
#include "platform/ModalRun.h"
#include "shell/Startup.h"
#include "shell/frmBegScreen.h"
#include "stats/frmMinimum.h"
#include "stats/frmStats.h"
#include "support/RealModals.h"
#include "support/ReportTestData.h"
#include "support/ScreenReader.h"
#include "support/StatsTestData.h"
#include "support/TestMain.h"
#include "support/Widgets.h"
#include "teams/frmRoster.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>

using namespace vh;
using namespace vh::test;

namespace {

// Team 1's rows of `table`, every field, sorted; each game number as it is
// once game `deleted` is gone and the later games have closed the gap (0:
// as stored).
QStringList teamRows(const QString& table, int deleted = 0)
{
    QStringList fields;
    for (const FieldInfo& f : Db().tableFields(table))
        fields << (f.name == QLatin1String("GameNumber") && deleted
                       ? QStringLiteral("(GameNumber - (GameNumber > %1))").arg(deleted)
                       : QStringLiteral("quote(%1)").arg(f.name));
    QStringList rows;
    Db().forEachRow(QStringLiteral("select %1 from %2 where TeamNumber = 1 and GameNumber <> ?")
                        .arg(fields.join(QStringLiteral(" || '|' || ")), table),
                    {deleted}, [&rows](const RowView& r) { rows << r.text(0); });
    rows.sort();
    return rows;
}

// A key to the focused control, as the user types it; false with no focus.
bool key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* w = QApplication::focusWidget();
    if (w)
        QTest::keyClick(w, k, modifiers);
    return w;
}

// The window is active again, as the window system makes it once a box over
// it is gone.
bool activeAgain(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// The first cell of each row the report shows.
QStringList firstColumn(const frmStats* report)
{
    QStringList names;
    for (const QString& row : gridRows(report->tdbStats, true))
        names << row.section(QLatin1Char('|'), 0, 0);
    return names;
}

}  // namespace

class TstOutOfReach : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<FrmMDI> frame;

    // The team selection listing what the test stored, its first team
    // selected and the keys in its list, as after a start.
    void showTeams()
    {
        ReloadSelectTeam();
        QVERIFY(activeAgain(frame.get()));
        QTRY_COMPARE(QApplication::focusWidget(), control(Loaded<frmSelectTeam>(), "lstSelectTeam"));
    }

    // Four players of the Ravens over four games, each with points per game
    // of their own: Cy 3, Ann 2, Bo 1, Di none; Ann played 4 games, Bo 3.
    void seedRavens()
    {
        seed::addTeam(1, QStringLiteral("Ravens"));
        const char* const names[][2] = {{"Ann", "Archer"}, {"Bo", "Brandt"}, {"Cy", "Cole"}, {"Di", "Dunn"}};
        for (int p = 1; p <= 4; ++p) {
            seed::addPerson(p, QLatin1String(names[p - 1][0]), QLatin1String(names[p - 1][1]));
            seed::addRoster(1, p, -1, QString::number(p + 10));
        }
        for (int game = 1; game <= 4; ++game) {
            addGame(Db(), 1, game, QStringLiteral("Opp %1").arg(game));
            addPlayerRow(Db(), 1, game, 1, {{"G", 1}, {"Ast", 1}});
            if (game <= 3)
                addPlayerRow(Db(), 1, game, 2, {{"G", 1}});
            if (game <= 2)
                addPlayerRow(Db(), 1, game, 3, {{"G", 2}, {"Ast", 1}});
        }
        addPlayerRow(Db(), 1, 1, 4);
        showTeams();
    }

    // Ctrl+P from the team selection, the one-time hint answered.
    frmStats* openPlayerStatistics()
    {
        RealModals modals;
        modals.box(QStringLiteral("Not all categories are on this report."), QMessageBox::Ok);
        if (!key(Qt::Key_P, Qt::ControlModifier))
            return nullptr;
        if (!QTest::qWaitFor([&] { return modals.done() && !QApplication::activeModalWidget(); }))
            return nullptr;
        frmStats* report = Loaded<frmStats>();
        if (!report)
            return nullptr;
        if (!activeAgain(frame.get()))
            return nullptr;
        (void)QTest::qWaitFor([report] { return report->isAncestorOf(QApplication::focusWidget()); });
        return report;
    }

    // The Ravens with `games` games, each with its own rows, and their game
    // list opened by its key, the keys in the list; `expected` gets the rows
    // of every other game as they are to be once game `deleted` is gone.
    frmGameMenu* openGameList(int games, int deleted, QMap<QString, QStringList>& expected)
    {
        seed::addTeam(1, QStringLiteral("Ravens"));
        for (int k = 1; k <= games; ++k)
            addStoredGame(1, int16_t(k), k);
        showTeams();
        for (const QString& table : {QStringLiteral("GameStats"), QStringLiteral("PlayerStats"), QStringLiteral("GoalieStats")})
            expected[table] = teamRows(table, deleted);
        if (!key(Qt::Key_U, Qt::ControlModifier))
            return nullptr;
        frmGameMenu* list = Loaded<frmGameMenu>();
        const bool keysInList =
            list && QTest::qWaitFor([list] { return QApplication::focusWidget() == list->lstGameMenu; });
        return keysInList ? list : nullptr;
    }

    QWidget* toolbarButton(const char* key) const
    {
        return frame->QNToolbar()->widgetForAction(frame->toolbarButton(QLatin1String(key)));
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        frame = std::make_unique<FrmMDI>();
        frame->resize(1100, 800);
        frame->MDIForm_Load();
        frame->show();
    }
    void cleanup()
    {
        Unload<frmStats>();
        Unload<frmNameYourOwn>();
        Unload<frmConvert>();
        Unload<frmBegScreen>();
        qunsetenv("VELLORAN_OLD_DRIVES");
        closeGameFrame(frame);
        env.reset();
    }

    // The report's Close pressed while its Minimum dialog is open closed the
    // report under the dialog, and the dialog's OK then ended the program.
    // The report stays, and shows the minimum's division once OK is pressed.
    void theReportStaysUnderItsMinimumDialog()
    {
        seedRavens();
        const QPointer<frmStats> report = openPlayerStatistics();
        QVERIFY(report);
        QCOMPARE(firstColumn(report), (QStringList{"Cy Cole", "Ann Archer", "Bo Brandt", "Di Dunn", "TOTALS"}));

        RealModals modals;
        bool stayed = false;
        modals.dialog(QStringLiteral("frmMinimum"), [&](QDialog* d) {
            QVERIFY(QTest::qWaitForWindowActive(d));
            reader::press(report->cmdExit);
            QTest::qWait(150);
            stayed = Loaded<frmStats>() == report && report->isVisible();
            QCOMPARE(QApplication::focusWidget(), static_cast<frmMinimum*>(d)->txtMin);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
            QVERIFY(key(Qt::Key_Return));
        });
        QVERIFY(key(Qt::Key_M, Qt::AltModifier));
        QTRY_VERIFY(modals.done() && !QApplication::activeModalWidget());
        QCOMPARE(modals.opened(), QStringList{"frmMinimum"});
        QCOMPARE(modals.unexpected(), QStringList());
        QVERIFY(stayed);
        QVERIFY(report && Loaded<frmStats>() == report);
        QCOMPARE(firstColumn(report),
                 (QStringList{"Ann Archer", "Bo Brandt", "* Min  3 Games *", "Cy Cole", "Di Dunn", "TOTALS"}));
    }

    // The format chooser's Delete pressed again behind its "Are you sure?"
    // opened a second box, and Yes in both deleted two formats' worth and
    // ended the program. One box, and one format gone.
    void aFormatIsDeletedOnceBehindItsQuestion()
    {
        seedRavens();
        QVERIFY(openPlayerStatistics());
        RealModals modals;
        QStringList listed;
        modals.dialog(QStringLiteral("frmRptSelect"), [&](QDialog* d) {
            auto* chooser = static_cast<frmRptSelect*>(d);
            QVERIFY(QTest::qWaitForWindowActive(d));
            QCOMPARE(QApplication::focusWidget(), chooser->lstReports);
            QTest::keyClick(chooser->lstReports, Qt::Key_Down);
            QCOMPARE(chooser->lstReports->currentItem()->text(), QStringLiteral("Scoring Leaders"));
            modals.box(QStringLiteral("Are you sure?"), QMessageBox::Yes, [chooser] { reader::press(chooser->cmdDelete); });
            QVERIFY(key(Qt::Key_D, Qt::AltModifier));
            QTRY_VERIFY(modals.done() && QApplication::activeModalWidget() == d);
            QVERIFY(activeAgain(d));
            listed = listTexts(chooser->lstReports);
            QVERIFY(key(Qt::Key_Escape));
        });
        QVERIFY(key(Qt::Key_F, Qt::AltModifier));
        QTRY_VERIFY(modals.done() && !QApplication::activeModalWidget());
        QCOMPARE(modals.unexpected(), QStringList());
        QCOMPARE(modals.opened(), (QStringList{"frmRptSelect", "Are you sure?"}));
        QCOMPARE(listed, QStringList{"Standard Player Report"});
        QCOMPARE(Db().scalar(QStringLiteral("select group_concat(ReportNumber) from PlayerRptFormat")).toString(),
                 QStringLiteral("1"));
        QCOMPARE(seed::countRows(Db(), QStringLiteral("PlayerRptCats"), QStringLiteral("ReportNumber = 2")), 0);
        QVERIFY(Loaded<frmStats>());
    }

    // Behind the game list's "Delete Game?" box, a press of its Delete, its
    // Player Screen or its Change ran under the box: a second deletion took
    // the game that had moved up to number 1, or a screen opened for the
    // deleted game and saved over the next one. Only the chosen game goes;
    // every other game's rows stay whole under their new numbers.
    void onlyTheChosenGameIsDeleted_data()
    {
        QTest::addColumn<QString>("behind");
        QTest::newRow("Delete") << "cmdDelete";
        QTest::newRow("Player Screen") << "cmdPlayers";
        QTest::newRow("Change") << "cmdModify";
    }
    void onlyTheChosenGameIsDeleted()
    {
        QFETCH(QString, behind);
        QMap<QString, QStringList> expected;
        const QPointer<frmGameMenu> list = openGameList(4, 1, expected);
        QVERIFY(list);
        QTest::keyClick(list->lstGameMenu, Qt::Key_Home);
        QVERIFY(list->lstGameMenu->currentItem()->text().contains(QStringLiteral("G1")));

        RealModals modals;
        modals.box(QStringLiteral("Are you sure?  Player results will also be deleted!"), QMessageBox::Ok,
                   [&] {
                       grab(QApplication::activeModalWidget(), "delete-game-box");
                       grab(frame.get(), "game-list-behind-the-box");
                       reader::press(control(list, qPrintable(behind)));
                   });
        QVERIFY(key(Qt::Key_D, Qt::AltModifier));
        QTRY_VERIFY(modals.done() && !QApplication::activeModalWidget());
        QCOMPARE(modals.unexpected(), QStringList());
        QCOMPARE(modals.opened().size(), 1);
        QVERIFY(!Loaded<frmGameScreen>());
        QVERIFY(!Loaded<frmPScreen>());
        QVERIFY(list && Loaded<frmGameMenu>() == list);
        QCOMPARE(list->lstGameMenu->count(), 3);
        QCOMPARE(gameOrder(1), (QStringList{"G2", "G3", "G4"}));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(teamRows(it.key()), it.value());
    }

    // With no box open, a screen reader chose game 2 of six by its entry's
    // Toggle: game 2 showed as chosen while game 6 stayed current, and Delete
    // with OK deleted game 6 with its player and goalie rows. The chosen
    // game goes; every other game's rows stay whole under their new numbers.
    void theGameAScreenReaderChoosesIsTheOneDeleted()
    {
        QMap<QString, QStringList> expected;
        const QPointer<frmGameMenu> list = openGameList(6, 2, expected);
        QVERIFY(list);
        QCOMPARE(list->lstGameMenu->currentRow(), 5);
        reader::choose(list->lstGameMenu, 1);
        QCOMPARE(list->lstGameMenu->currentRow(), 1);
        QCOMPARE(selectedTexts(list->lstGameMenu), QStringList{list->lstGameMenu->item(1)->text()});
        grab(list, "game-list-chosen-by-reader");

        RealModals modals;
        modals.box(QStringLiteral("Are you sure?  Player results will also be deleted!"), QMessageBox::Ok);
        reader::press(list->cmdDelete);
        QTRY_VERIFY(modals.done() && !QApplication::activeModalWidget());
        QCOMPARE(modals.unexpected(), QStringList());
        QCOMPARE(gameOrder(1), (QStringList{"G1", "G3", "G4", "G5", "G6"}));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(teamRows(it.key()), it.value());
    }

    // In the format chooser, "Scoring Leaders" chosen by its entry's Toggle,
    // then Delete and Yes, deleted "Standard Player Report", the current
    // entry, with its categories. The chosen format goes, the other stays
    // whole.
    void theFormatAScreenReaderChoosesIsTheOneDeleted()
    {
        seedRavens();
        QVERIFY(openPlayerStatistics());
        const auto categories = [](int format) {
            return seed::countRows(Db(), QStringLiteral("PlayerRptCats"), QStringLiteral("ReportNumber = %1").arg(format));
        };
        const int standardCategories = categories(1);
        QVERIFY(standardCategories > 0 && categories(2) > 0);
        RealModals modals;
        QStringList listed;
        modals.dialog(QStringLiteral("frmRptSelect"), [&](QDialog* d) {
            auto* chooser = static_cast<frmRptSelect*>(d);
            QVERIFY(QTest::qWaitForWindowActive(d));
            QCOMPARE(chooser->lstReports->currentItem()->text(), QStringLiteral("Standard Player Report"));
            reader::choose(chooser->lstReports, 1);
            QCOMPARE(chooser->lstReports->currentItem()->text(), QStringLiteral("Scoring Leaders"));
            modals.box(QStringLiteral("Are you sure?"), QMessageBox::Yes);
            reader::press(chooser->cmdDelete);
            QTRY_VERIFY(modals.done() && QApplication::activeModalWidget() == d);
            listed = listTexts(chooser->lstReports);
            QVERIFY(activeAgain(d));
            QVERIFY(key(Qt::Key_Escape));
        });
        QVERIFY(key(Qt::Key_F, Qt::AltModifier));
        QTRY_VERIFY(modals.done() && !QApplication::activeModalWidget());
        QCOMPARE(modals.unexpected(), QStringList());
        QCOMPARE(listed, QStringList{"Standard Player Report"});
        QCOMPARE(Db().scalar(QStringLiteral("select group_concat(ReportNumber) from PlayerRptFormat")).toString(),
                 QStringLiteral("1"));
        QCOMPARE(categories(2), 0);
        QCOMPARE(categories(1), standardCategories);
    }

    // With a report open and no box over it, Bold and Grid Lines toggled by
    // a screen reader showed as switched and left the report as it was, and
    // Goalie Report so toggled opened no report. Each does what its click
    // does: the report looks as its button shows, a font size takes effect,
    // and the goalie report opens with its button down.
    void toolbarTogglesDoWhatTheirClicksDo()
    {
        seedRavens();
        const QPointer<frmStats> report = openPlayerStatistics();
        QVERIFY(report);
        const QTableView* grid = report->tdbStats->view();
        const auto shown = [this](const char* key) { return frame->toolbarButton(QLatin1String(key))->isChecked(); };
        QVERIFY(!grid->font().bold() && !shown("Bold"));
        QVERIFY(grid->showGrid() && shown("GridLines"));
        for (const bool on : {true, false}) {
            reader::toggle(toolbarButton("Bold"));
            QCOMPARE(grid->font().bold(), on);
            QCOMPARE(shown("Bold"), on);
            QCOMPARE(qobject_cast<QAbstractButton*>(toolbarButton("Bold"))->isChecked(), on);
            reader::toggle(toolbarButton("GridLines"));
            QCOMPARE(grid->showGrid(), !on);
            QCOMPARE(shown("GridLines"), !on);
            if (on)
                grab(frame.get(), "report-bold-by-reader");
        }

        // A size chosen in the size box's open list sizes the report, and
        // the keys go back to the report as after a click there.
        QComboBox* sizes = frame->fontSizeBox();
        reader::showList(sizes);
        QTRY_VERIFY(sizes->view()->isVisible());
        reader::choose(sizes->view(), sizes->findText(QStringLiteral("12")));
        QTRY_VERIFY(!sizes->view()->isVisible());
        QCOMPARE(sizes->currentText(), QStringLiteral("12"));
        QCOMPARE(grid->font().pointSize(), 12);
        QTRY_COMPARE(QApplication::focusWidget(), grid);

        QVERIFY(!shown("Goalie"));
        reader::toggle(toolbarButton("Goalie"));
        QTRY_VERIFY(Loaded<frmStats>() && Loaded<frmStats>() != report);
        QCOMPARE(g.ReportCode.str(), QStringLiteral("G"));
        QVERIFY(Loaded<frmStats>()->tdbStats->caption().startsWith(QStringLiteral("Goalie Statistics")));
        QVERIFY(shown("Goalie") && !shown("Player"));
    }

    // Under the report's print preview, the toolbar's Bold, Goalie Report
    // and Grid Lines, toggled or pressed, changed nothing but showed as
    // switched. Each keeps the state it shows, and the report its look.
    void toolbarButtonsKeepTheirStateUnderThePrintPreview()
    {
        seedRavens();
        const QPointer<frmStats> report = openPlayerStatistics();
        QVERIFY(report);
        const auto state = [this] {
            QStringList s;
            for (const char* key : {"Bold", "Player", "Goalie", "GridLines"})
                s << QStringLiteral("%1 %2").arg(QLatin1String(key), frame->toolbarButton(QLatin1String(key))->isChecked()
                                                                         ? QStringLiteral("down")
                                                                         : QStringLiteral("up"));
            s << QStringLiteral("bold %1, grid lines %2, report %3")
                     .arg(g.ReportBold)
                     .arg(g.ReportGridLines)
                     .arg(g.ReportCode.str());
            return s;
        };
        const QStringList before = state();
        for (const char* key : {"Bold", "Goalie", "GridLines"})
            QVERIFY2(toolbarButton(key)->isEnabled(), key);

        RealModals modals;
        QStringList changed;
        modals.dialog(QStringLiteral("QPrintPreviewDialog"), [&](QDialog* d) {
            for (const char* key : {"Bold", "Goalie", "GridLines"}) {
                for (const bool byToggle : {true, false}) {
                    byToggle ? reader::toggle(toolbarButton(key)) : reader::press(toolbarButton(key));
                    QTest::qWait(150);
                    if (state() != before)
                        changed << QStringLiteral("%1 %2: ").arg(QLatin1String(key), byToggle ? "toggled" : "pressed") +
                                       state().join(QStringLiteral(", "));
                }
            }
            QVERIFY(activeAgain(d));
            QVERIFY(key(Qt::Key_Escape));
        });
        frame->menuItem(QStringLiteral("mnuPrint"))->trigger();
        QTRY_VERIFY(modals.done() && !QApplication::activeModalWidget());
        QCOMPARE(modals.unexpected(), QStringList());
        QCOMPARE(changed, QStringList());
        QCOMPARE(state(), before);
        QVERIFY(report && Loaded<frmStats>() == report);
    }

    // The old-data file chooser, the designer's drag and a desktop's own
    // file chooser run their loops inside the window's code. A frame command
    // meanwhile (About, Help Topics), from the menu or a screen reader, and a
    // screen reader's press of the window's Close wait like a key would;
    // afterwards the commands act again.
    void frameCommandsWaitForAModalRun()
    {
        QDir().mkpath(env->tempDir() + QStringLiteral("/drive"));
        qputenv("VELLORAN_OLD_DRIVES", QFile::encodeName(env->tempDir() + QStringLiteral("/drive")));
        env->expectMsgBox(QStringLiteral("Couldn't Find MUQN.INI File!"));
        frame->menuItem(QStringLiteral("mnuConvert"))->trigger();
        const QPointer<frmConvert> convert = Loaded<frmConvert>();
        QVERIFY(convert);

        QAccessibleInterface* helpTopics =
            reader::menuItem(frame->menuBar(), {QStringLiteral("Help"), QStringLiteral("Help Topics")});
        QVERIFY(helpTopics);
        QStringList acted;
        const auto commandsWait = [&](const char* during) {
            frame->menuItem(QStringLiteral("mnuAbout"))->trigger();
            reader::act(helpTopics, QAccessibleActionInterface::pressAction());
            if (convert)
                reader::press(control(convert, "cmdClose"));
            QTest::qWait(150);
            if (Loaded<frmBegScreen>() || !env->openedUrls().isEmpty() || Loaded<frmConvert>() != convert)
                acted << QLatin1String(during);
        };

        RealModals modals;
        modals.dialog(QStringLiteral("QFileDialog"), [&](QDialog* chooser) {
            commandsWait("file chooser");
            QVERIFY(activeAgain(chooser));
            QVERIFY(key(Qt::Key_Escape));
        });
        QTest::mouseClick(control<QPushButton>(convert, "cmdSettingsFile"), Qt::LeftButton);
        QTRY_VERIFY(modals.done() && !QApplication::activeModalWidget());
        QCOMPARE(modals.unexpected(), QStringList());
        {
            // What the designer's drag and a desktop's own chooser mark.
            const ModalRun run;
            commandsWait("modal run");
        }
        QCOMPARE(acted, QStringList());

        reader::act(helpTopics, QAccessibleActionInterface::pressAction());
        QCOMPARE(env->openedUrls().size(), 1);
        frame->menuItem(QStringLiteral("mnuAbout"))->trigger();
        QVERIFY(Loaded<frmBegScreen>());
    }

    // In the roster's browse state the person boxes are disabled; a name a
    // screen reader set there showed up after Change and was stored by OK.
    // The box keeps the person's name, and OK stores it.
    void aDisabledRosterBoxTakesNoText()
    {
        seed::addTeam(1, QStringLiteral("Ravens"));
        seed::addPerson(1, QStringLiteral("Ann"), QStringLiteral("Archer"));
        seed::addRoster(1, 1, -1, QStringLiteral("11"));
        showTeams();

        RealModals modals;
        QStringList shown;
        modals.dialog(QStringLiteral("frmRoster"), [&](QDialog* d) {
            auto* roster = static_cast<frmRoster*>(d);
            QVERIFY(QTest::qWaitForWindowActive(d));
            auto* first = static_cast<QLineEdit*>(roster->textBox(RosterField::FirstName));
            QVERIFY(!first->isEnabled());
            reader::setText(first, QStringLiteral("Ghost"));
            reader::insertText(first, QStringLiteral("Ghost"));
            shown << first->text();
            QVERIFY(key(Qt::Key_C, Qt::AltModifier));
            QTRY_VERIFY(first->isEnabled());
            shown << first->text();
            QTest::mouseClick(control<QPushButton>(roster, "cmdOK"), Qt::LeftButton);
            QTRY_VERIFY(!first->isEnabled());
            QVERIFY(key(Qt::Key_Escape));  // Close
        });
        frame->menuItem(QStringLiteral("mnuRoster"))->trigger();
        QTRY_VERIFY(modals.done() && !QApplication::activeModalWidget());
        QCOMPARE(modals.unexpected(), QStringList());
        QCOMPARE(shown, (QStringList{"Ann", "Ann"}));
        QCOMPARE(Db().scalar(QStringLiteral("select FirstName from People where PersonNumber = 1")).toString(),
                 QStringLiteral("Ann"));
    }

    // Without Add or Change the game-type box and its OK are hidden; text
    // set there and the hidden OK pressed put a game type in the list that
    // the table never got. Both stay as they were.
    void aHiddenGameTypeOKAddsNothing()
    {
        seed::insertRow(Db(), QStringLiteral("GameTypes"), {{"GameTypeNumber", 3}, {"GameTypeDescription", "League"}});
        LoadGameTypes();
        frame->menuItem(QStringLiteral("mnuNameYourOwn"))->trigger();
        frmNameYourOwn* names = Loaded<frmNameYourOwn>();
        QVERIFY(names);
        QVERIFY(names->txtGameType->isHidden() && names->cmdOK->isHidden());
        reader::setText(names->txtGameType, QStringLiteral("Ghost"));
        reader::insertText(names->txtGameType, QStringLiteral("Ghost"));
        reader::press(names->cmdOK);
        QTest::qWait(150);
        QCOMPARE(listTexts(names->lstGameTypes), QStringList{"League"});
        QCOMPARE(Db().scalar(QStringLiteral("select group_concat(GameTypeNumber || ' ' || GameTypeDescription) "
                                            "from GameTypes"))
                     .toString(),
                 QStringLiteral("3 League"));
    }
};

VH_TEST_MAIN(TstOutOfReach)
#include "tst_outofreach.moc"
