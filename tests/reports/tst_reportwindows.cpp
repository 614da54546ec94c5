// The five team report windows opened from the frame's menus over a database
// with games, as the user meets them: rows, columns, look, Compute, the
// option boxes, printing and Close.
#include "TeamReportTestData.h"
#include "config/NameStore.h"
#include "reports/frmRecord.h"
#include "reports/frmRosterRpt.h"
#include "reports/frmScores.h"
#include "reports/frmStandings.h"
#include "reports/frmTeamScores.h"
#include "app/FrmMDI.h"
#include "shell/ReportForm.h"
#include "shell/ReportPrinter.h"
#include "shell/Startup.h"
#include "stats/frmCompute.h"
#include "support/ReportTestData.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "teams/frmSelectTeam.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace vh;
using namespace vh::test;

namespace {

// The same without the blanks that pad names.
QStringList unpadded(QStringList rows)
{
    return rows.replaceInStrings(QRegularExpression(QStringLiteral(" +\\|")), QStringLiteral("|"));
}

// Answers the report-parameters dialog with a game range and a title.
void answerCompute(const QString& low, const QString& high, const QString& title)
{
    Dialog::setModalHook([=](Dialog* d) {
        auto* dialog = qobject_cast<frmCompute*>(d);
        QVERIFY(dialog);
        dialog->txtLowGame->setText(low);
        dialog->txtHighGame->setText(high);
        dialog->txtReportTitle->setText(title);
        dialog->cmdCompute_Click();
    });
}

// The PDF the Print command makes, page by page as text.
QStringList printedPages(const QString& pdf)
{
    const auto old = ReportPrinter::setPreviewHook(
        [&](QPrinter&, const ReportPrinter& printer) { QVERIFY(printer.writePdf(pdf)); });
    PrintActiveReport();
    ReportPrinter::setPreviewHook(old);
    const QString keep = qEnvironmentVariable("VH_GRAB_DIR");
    if (!keep.isEmpty())
        QFile::copy(pdf, keep + QLatin1Char('/') + QFileInfo(pdf).fileName());
    return pdfPages(pdf);
}

}  // namespace

class TstReportWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<FrmMDI> frame;

    QAction* item(const char* name) const { return frame->menuItem(QLatin1String(name)); }
    QAction* button(const char* key) const { return frame->toolbarButton(QLatin1String(key)); }
    // Chooses an entry of the frame's size box as the user does.
    void chooseFontSize(int index)
    {
        frame->fontSizeBox()->setCurrentIndex(index);
        emit frame->fontSizeBox()->activated(index);
    }

    // Selects the teams in the team-selection window as a click would.
    void select(const QStringList& names)
    {
        frmSelectTeam* selection = Loaded<frmSelectTeam>();
        QVERIFY(selection);
        auto* list = selection->findChild<QListWidget*>(QStringLiteral("lstSelectTeam"));
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSelected(names.contains(list->item(i)->text().trimmed()));
        selection->lstSelectTeam_Click();
    }

    // Two teams with a season each, typed as the game screens store them.
    void seedSeason()
    {
        seed::addTeam(1, QStringLiteral("Ants"));
        seed::addTeam(2, QStringLiteral("Bees"));
        // A game type as the naming window adds it, to the table and the state.
        AddGameType(Db(), 1, QStringLiteral("League"));
        LoadGameTypes();
        GameSpec g1 = scored(3, 2, {1, 1, 1, 0, 0}, {0, 1, 1, 0, 0});
        g1.gameType = 1;
        g1.location = QStringLiteral("North Rink");
        g1.notes = QStringLiteral("Season opener before a sell-out crowd");
        g1.pp = 4;
        g1.ppg = 1;
        g1.sh = 3;
        g1.kills = 3;
        addGame(1, 1, g1);
        GameSpec g2 = scored(2, 2, {1, 0, 0, 1, 0}, {0, 2, 0, 0, 0}, 4);
        g2.overtime = true;
        g2.home = false;
        g2.opponent = QStringLiteral("Bees");
        g2.date = QDate(2026, 10, 8);
        addGame(1, 2, g2);
        addScore(1, 3, 1, 4);
        addScore(2, 1, 5, 0);
        addScore(2, 2, 2, 2);
        PersonSpec p;
        p.first = QStringLiteral("Ann");
        p.last = QStringLiteral("Lee");
        p.city = QStringLiteral("Springfield");
        addRosterPlayer(1, 1, p, QStringLiteral("9"),
                        QStringLiteral("Plays left wing and takes the faceoffs on the power play when asked"));
        // The team-selection window lists them once it is loaded again.
        Unload<frmSelectTeam>();
        flushDeletes();
        Load<frmSelectTeam>();
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        frame = std::make_unique<FrmMDI>();
        frame->MDIForm_Load();
        frame->resize(1100, 800);
        frame->show();
        seedSeason();
    }
    void cleanup()
    {
        Dialog::setModalHook({});
        for (auto unload : {&Unload<frmRecord>, &Unload<frmStandings>, &Unload<frmScores>, &Unload<frmTeamScores>,
                            &Unload<frmRosterRpt>, &Unload<frmSelectTeam>})
            unload();
        flushDeletes();
        frame.reset();
        env.reset();
    }

    void recordOpensFromItsMenuAndTakesTheLook()
    {
        select({QStringLiteral("Ants")});
        item("mnuRecord")->trigger();
        frmRecord* w = Loaded<frmRecord>();
        QVERIFY(w);
        ReportGrid* grid = w->grid();
        QCOMPARE(gridCaptions(grid), (QStringList{"Game Type", "Won", "Lost", "Tie", "GF", "GA", "Pct", "Points"}));
        QCOMPARE(unpadded(gridRows(grid)), (QStringList{"No Game Type|0|1|1|3|6|.250|1", "League|1|0|0|3|2|1.000|2",
                                               "TOTALS|1|1|1|6|8|.500|3"}));
        QCOMPARE(grid->caption(), QStringLiteral("Won/Lost Record - Ants"));
        QCOMPARE(g.Criteria.title, QStringLiteral("Won/Lost Record - Ants"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Record"));
        QCOMPARE(frame->fontSizeBox()->currentText(), QStringLiteral("10"));
        QVERIFY(button("GridLines")->isChecked());
        QVERIFY(grid->look().gridLines && grid->look().headingBold);
        QCOMPARE(grid->columnWidth(0), 2450);
        grab(frame.get(), "record");

        // 14 after 12 widens only the "Game Type" column.
        chooseFontSize(2);
        QCOMPARE(grid->columnWidth(1), 850);
        QCOMPARE(grid->columnWidth(0), 2700);
        chooseFontSize(3);
        QCOMPARE(grid->columnWidth(0), 2800);
        QCOMPARE(grid->columnWidth(1), 850);
        QCOMPARE(grid->columnWidth(7), 1131);

        button("Center")->trigger();
        QCOMPARE(grid->columns()[0].alignment, Qt::AlignLeft);
        QCOMPARE(grid->columns()[7].alignment, Qt::AlignHCenter);
        button("Bold")->trigger();
        QVERIFY(grid->look().bold);
        button("Bold")->trigger();
        QVERIFY(!grid->look().bold && grid->look().headingBold);
        button("GridLines")->trigger();
        QVERIFY(!button("GridLines")->isChecked() && !grid->look().gridLines);

        // Hiding the goals survives a Compute, which takes its range and title.
        w->chkShowGoals->click();
        QCOMPARE(gridCaptions(grid), (QStringList{"Game Type", "Won", "Lost", "Tie", "Pct", "Points"}));
        answerCompute(QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("  First two  "));
        w->cmdCompute->click();
        QCOMPARE(grid->caption(), QStringLiteral("First two"));
        QCOMPARE(gridCaptions(grid), (QStringList{"Game Type", "Won", "Lost", "Tie", "Pct", "Points"}));
        QCOMPARE(unpadded(gridRows(grid)),
                 (QStringList{"No Game Type|0|0|1|.500|1", "League|1|0|0|1.000|2", "TOTALS|1|0|1|.750|3"}));
        answerCompute(QStringLiteral("1"), QStringLiteral("1"), QString());
        w->cmdCompute->click();
        QCOMPARE(gridCaptions(grid), (QStringList{"Game Type", "Won", "Lost", "Pct", "Points"}));  // no tie
        // Cancel leaves rows, caption and title.
        Dialog::setModalHook([](Dialog* d) { qobject_cast<frmCompute*>(d)->cmdCancel_Click(); });
        w->cmdCompute->click();
        QVERIFY(g.CancelFlag == "Y");
        QCOMPARE(grid->caption(), QStringLiteral("First two"));
        QCOMPARE(unpadded(gridRows(grid)), (QStringList{"League|1|0|1.000|2", "TOTALS|1|0|1.000|2"}));

        // The title chosen is the print heading.
        const QString pdf = env->tempDir() + QStringLiteral("/record.pdf");
        const QStringList pages = printedPages(pdf);
        QCOMPARE(printedPage(pdf).title, QStringLiteral("Record Report"));
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains(QStringLiteral("First two")));
        QVERIFY(pages[0].contains(QStringLiteral("TOTALS")));

        w->cmdClose->click();
        flushDeletes();
        QVERIFY(!Loaded<frmRecord>());
        QVERIFY(Loaded<frmSelectTeam>()->isShown());
        QVERIFY(!item("mnuPrint")->isEnabled());
        QVERIFY(item("mnuRecord")->isEnabled());
    }

    void standingsRankTheSelectedTeams()
    {
        select({QStringLiteral("Ants"), QStringLiteral("Bees")});
        item("mnuStandings")->trigger();
        frmStandings* w = Loaded<frmStandings>();
        QVERIFY(w);
        QCOMPARE(w->grid()->caption(), QStringLiteral("Team Standings"));
        QCOMPARE(g.Criteria.title, QStringLiteral("Team Standings"));
        QVERIFY(button("Right")->isChecked());
        // Equal points and wins: team-table order.
        QCOMPARE(unpadded(gridRows(w->grid())),
                 (QStringList{"Ants|1|1|1|Lost 1|.500|6|8|3", "Bees|1|0|1|-|.750|7|2|3"}));
        grab(frame.get(), "standings");
        w->chkShowStreak->click();
        w->chkShowPct->click();
        QCOMPARE(gridCaptions(w->grid()), (QStringList{"Team", "Won", "Lost", "Tie", "GF", "GA", "Points"}));
        w->chkShowStreak->click();
        QCOMPARE(gridCaptions(w->grid()), (QStringList{"Team", "Won", "Lost", "Tie", "Streak", "GF", "GA", "Points"}));

        // Only wins and losses in the first game of each: no "Tie" column.
        answerCompute(QStringLiteral("1"), QStringLiteral("1"), QString());
        w->cmdCompute->click();
        QVERIFY(!gridCaptions(w->grid()).contains(QStringLiteral("Tie")));
        QCOMPARE(w->grid()->columnWidth(0), 2300);

        const QString pdf = env->tempDir() + QStringLiteral("/standings.pdf");
        const QStringList pages = printedPages(pdf);
        QCOMPARE(printedPage(pdf).title, QStringLiteral("Standings Report"));
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains(QStringLiteral("Team Standings")));
        QVERIFY(pages[0].contains(QStringLiteral("Bees")));
    }

    void gameScoresInBothLayouts()
    {
        select({QStringLiteral("Ants")});
        item("mnuGames")->trigger();
        frmScores* w = Loaded<frmScores>();
        QVERIFY(w);
        QCOMPARE(w->grid()->caption(), QStringLiteral("Game Scores - Ants"));
        const QStringList rows = gridRows(w->grid());
        // Four periods and overtime in the list: every column shows.
        QCOMPARE(rows[0], QStringLiteral("1.|10/1/2026|Rivals|0|1|1|||-|2|Won"));
        QCOMPARE(rows[1], QStringLiteral("|League|Ants|1|1|1|||-|3|"));
        QCOMPARE(rows[2], QStringLiteral("|North Rink|||||||||"));
        QCOMPARE(rows[3], QStringLiteral("|Season opener before a sell-out crowd|||||||||"));
        QCOMPARE(rows[5], QStringLiteral("2.|10/8/2026|Ants|1|0|0|1|0|-|2|Tied"));
        QVERIFY(w->grid()->view()->horizontalHeader()->isHidden());
        grab(frame.get(), "scores-long");
        test::checkCellsWholeInEveryLook(w);
        const QString pdf = env->tempDir() + QStringLiteral("/scores.pdf");
        const QStringList pages = printedPages(pdf);
        QVERIFY(pages.value(0).contains(QStringLiteral("Game Scores - Ants")));
        QVERIFY(pages.value(0).contains(QStringLiteral("Season opener before")));
        // No heading row; the wrapped notes keep their row whole.
        const PrintedPage page = printedPage(pdf);
        QCOMPARE(page.title, QStringLiteral("Game Scores Report"));
        QCOMPARE(page.rules.size(), rows.size() + 1);
        QCOMPARE(page.rulesThroughWords(), 0);

        button("Underline")->trigger();
        grab(frame.get(), "scores-underlined");
        button("Underline")->trigger();
        w->chkShowPeriods->click();
        QCOMPARE(gridRows(w->grid())[0], QStringLiteral("1.|10/1/2026|Rivals|2|Won"));
        w->chkShowPeriods->click();

        w->cmdShort->click();
        QVERIFY(w->shortLayout() && w->chkShowNotes->isHidden() && !w->cmdLong->isHidden() && w->cmdShort->isHidden());
        QCOMPARE(gridRows(w->grid()), (QStringList{"1.|10/1/2026|Rivals|3-2|Won", "2.|10/8/2026|Bees|2-2|Tied",
                                                    "3.|10/1/2026|Rivals|1-4|Lost"}));
        QCOMPARE(w->grid()->columnWidth(3), 700);
        test::checkCellsWholeInEveryLook(w);
        grab(frame.get(), "scores-short");
        w->cmdLong->click();
        QVERIFY(!w->shortLayout() && !w->chkShowNotes->isHidden() && w->cmdLong->isHidden());

        // Clearing the game type puts the location on the second line.
        w->chkShowGameType->click();
        QCOMPARE(gridRows(w->grid())[1], QStringLiteral("|North Rink|Ants|1|1|1|||-|3|"));
        QCOMPARE(w->grid()->columnWidth(1), 2800);

        answerCompute(QStringLiteral("9"), QStringLiteral("12"), QString());
        w->cmdCompute->click();
        QCOMPARE(gridRows(w->grid()), QStringList{QStringLiteral("|No Games")});
    }

    void teamScoringShowsThePeriodsItsGamesHad()
    {
        select({QStringLiteral("Ants")});
        item("mnuTeamScoring")->trigger();
        frmTeamScores* w = Loaded<frmTeamScores>();
        QVERIFY(w);
        const QStringList rows = gridRows(w->grid());
        QCOMPARE(rows[0], QStringLiteral("Record:|Won 1|Lost 1|Tied 1|||"));
        QCOMPARE(rows[2], QStringLiteral("Scoring by Period:|1st|2nd|3rd|4th|OT|Total"));
        QCOMPARE(rows[4], QStringLiteral("   Ants|2|1|1|1|0|6"));
        QCOMPARE(rows[9], QStringLiteral("   Percent|.250|||||"));
        QCOMPARE(rows[14], QStringLiteral("   Percent|1.000|||||"));
        QCOMPARE(w->grid()->columnWidth(0), 3400);
        grab(frame.get(), "teamscoring");
        const QString pdf = env->tempDir() + QStringLiteral("/teamscoring.pdf");
        QVERIFY(printedPages(pdf).value(0).contains(QStringLiteral("Penalty Killing:")));
        QCOMPARE(printedPage(pdf).rules.size(), rows.size() + 1);  // no heading row
        QCOMPARE(printedPage(pdf).title, QStringLiteral("Team Scoring Report"));

        answerCompute(QStringLiteral("3"), QStringLiteral("3"), QString());
        w->cmdCompute->click();
        QCOMPARE(gridRows(w->grid())[2], QStringLiteral("Scoring by Period:|1st|2nd|3rd|Total"));
        answerCompute(QStringLiteral("5"), QStringLiteral("6"), QString());
        w->cmdCompute->click();
        QCOMPARE(gridRows(w->grid()), QStringList{QStringLiteral("No Games")});

        chooseFontSize(4);
        QCOMPARE(w->grid()->columnWidth(0), 4800);
        QCOMPARE(w->grid()->columnWidth(6), 1420);
        w->SetFontSize(16);  // not a size of the box: the font changes, the widths stay
        QCOMPARE(w->grid()->look().fontSize, 16);
        QCOMPARE(w->grid()->columnWidth(0), 4800);
    }

    // Converted data keeps the old game numbers: Ants' games become 1, 2 and 5,
    // and unticking "5" leaves out game 5. From the start the toolbar shows
    // how the value columns align.
    void gamesLeftOutByNumber_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("valueColumn");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("counted");
        QTest::newRow("record") << "mnuRecord" << 1 << 2 << "TOTALS|1|0|1|5|4|.750|3";
        QTest::newRow("game scores") << "mnuGames" << 3 << 8 << "";  // nothing after game 2's lines
        QTest::newRow("team scoring") << "mnuTeamScoring" << 1 << 0 << "Record:|Won 1|Lost 0|Tied 1|||";
    }
    void gamesLeftOutByNumber()
    {
        QFETCH(QString, menu);
        QFETCH(int, valueColumn);
        QFETCH(int, row);
        QFETCH(QString, counted);
        Db().execute(QStringLiteral("update GameStats set GameNumber = 5 where TeamNumber = 1 and GameNumber = 3"));
        select({QStringLiteral("Ants")});
        frame->menuItem(menu)->trigger();
        auto* w = dynamic_cast<TeamReportWindow*>(ActiveReportForm());
        QVERIFY(w);
        QCOMPARE(button("Right")->isChecked()  ? Qt::AlignRight
                 : button("Left")->isChecked() ? Qt::AlignLeft
                                               : Qt::Alignment(),
                 w->grid()->columns()[size_t(valueColumn)].alignment);

        Dialog::setModalHook([](Dialog* d) {
            auto* list = qobject_cast<frmCompute*>(d)->lstSpecialSelect;
            list->setFocus();
            QTest::keyClick(list, Qt::Key_End);
            QTest::keyClick(list, Qt::Key_Space);
            QTest::keyClick(list, Qt::Key_Return);
        });
        w->cmdCompute->click();
        QCOMPARE(unpadded(gridRows(w->grid())).value(row), counted);
        QCOMPARE(g.Criteria.excludedGames, std::vector<int16_t>{5});
    }

    void rosterOpensWithoutGridLinesAndPrintsItsLines()
    {
        select({QStringLiteral("Ants")});
        item("mnuRosterRpt")->trigger();
        frmRosterRpt* w = Loaded<frmRosterRpt>();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Roster"));
        QCOMPARE(w->grid()->caption(), QStringLiteral("Roster - Ants"));
        QVERIFY(!w->grid()->look().gridLines && g.ReportGridLines == False);
        QVERIFY(!button("GridLines")->isChecked());
        QVERIFY(button("Left")->isChecked());
        QCOMPARE(gridRows(w->grid()),
                 (QStringList{"Ann Lee - 9", "Springfield", "Notes: Plays left wing and takes the faceoffs on ",
                              "the power play when asked", ""}));
        grab(frame.get(), "roster");
        button("GridLines")->trigger();
        QVERIFY(button("GridLines")->isChecked() && w->grid()->look().gridLines);

        w->chkAddress->click();
        QCOMPARE(gridRows(w->grid()).size(), 4);

        const QString pdf = env->tempDir() + QStringLiteral("/roster.pdf");
        const QStringList pages = printedPages(pdf);
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains(QStringLiteral("Roster - Ants")));
        QVERIFY(pages[0].contains(QStringLiteral("the power play when asked")));
        QCOMPARE(printedPage(pdf).rules.size(), 4 + 1);  // no heading row
        QCOMPARE(printedPage(pdf).title, QStringLiteral("Roster Report"));

        // A database failure is told, and the window stays usable.
        Db().execute(QStringLiteral("drop table People"));
        env->expectMsgBox(QStringLiteral("The report could not be computed."), vbOK, QStringLiteral("Report Error"));
        w->chkShowNotes->click();
        QCOMPARE(env->pendingExpectations(), 0);
        QVERIFY(!w->isComputing() && w->isEnabled());
    }
};

VH_TEST_MAIN(TstReportWindows)
#include "tst_reportwindows.moc"
