// The five team report windows opened from the frame's menus over a database
// with games, as the user meets them: rows, Compute, the option boxes, the
// look, printing and Close.
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

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace vh;
using namespace vh::test;

namespace {

// Answers the report-parameters dialog with a game range and a title.
void answerCompute(const QString& low, const QString& high, const QString& title = QString())
{
    answerNext<frmCompute>([=](frmCompute* dialog) {
        dialog->txtLowGame->setText(low);
        dialog->txtHighGame->setText(high);
        dialog->txtReportTitle->setText(title);
        dialog->cmdCompute_Click();
    });
}

}  // namespace

class TstReportWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<FrmMDI> frame;

    QAction* button(const char* key) const { return frame->toolbarButton(QLatin1String(key)); }

    // Selects the teams in the team-selection window as a click would and
    // opens the report of the menu item.
    template <class W = TeamReportWindow>
    W* open(const QString& menu, const QStringList& teams = {QStringLiteral("Ants")})
    {
        frmSelectTeam* selection = Loaded<frmSelectTeam>();
        auto* list = selection->findChild<QListWidget*>(QStringLiteral("lstSelectTeam"));
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSelected(teams.contains(list->item(i)->text().trimmed()));
        selection->lstSelectTeam_Click();
        frame->menuItem(menu)->trigger();
        return dynamic_cast<W*>(ActiveReportForm());
    }

    // The frame's print command, its preview written to `name`.pdf (also
    // into VH_GRAB_DIR when set, to look at).
    QString printToPdf(const QString& name)
    {
        const QString pdf = env->tempDir() + QLatin1Char('/') + name + QStringLiteral(".pdf");
        const auto old = ReportPrinter::setPreviewHook(
            [&](QPrinter&, const ReportPrinter& printer) { QVERIFY(printer.writePdf(pdf)); });
        PrintActiveReport();
        ReportPrinter::setPreviewHook(old);
        if (!qEnvironmentVariableIsEmpty("VH_GRAB_DIR"))
            QFile::copy(pdf, qEnvironmentVariable("VH_GRAB_DIR") + QLatin1Char('/') + QFileInfo(pdf).fileName());
        return pdf;
    }

    // Two teams with a season each, typed as the game screens store them.
    void seedSeason()
    {
        seed::addTeam(1, QStringLiteral("Ants"));
        seed::addTeam(2, QStringLiteral("Bees"));
        // A game type as the naming window adds it, to the table and the state.
        AddGameType(Db(), 1, QStringLiteral("League"));
        LoadGameTypes();
        addGame(1, 1, {.goals = 3, .oppGoals = 2, .gameType = 1, .byPeriod = {1, 1, 1}, .oppByPeriod = {0, 1, 1},
                       .location = "North Rink", .notes = "Season opener before a sell-out crowd",
                       .pp = 4, .ppg = 1, .sh = 3, .kills = 3});
        addGame(1, 2, {.goals = 2, .oppGoals = 2, .overtime = true, .home = false, .periods = 4,
                       .byPeriod = {1, 0, 0, 1}, .oppByPeriod = {0, 2}, .opponent = "Bees", .date = QDate(2026, 10, 8)});
        addScore(1, 5, 1, 4);  // converted data keeps the old numbers, gaps too
        addScore(2, 1, 5, 0);
        addScore(2, 2, 2, 2);
        addRosterPlayer(1, 1, {.first = "Ann", .last = "Lee", .city = "Springfield"}, QStringLiteral("9"),
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

    // Each report opens with the toolbar showing what its grid does and every
    // cell whole in every look. Unticking Ants' game "5" (after 1 and 2) from
    // the keyboard leaves out game 5. Each prints under its own title: one
    // page, a heading row only where the columns have headings, a rule under
    // each row and none through a word.
    void opensLeavesOutGamesByNumberAndPrints_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("valueColumn");
        QTest::addColumn<bool>("gridLines");
        QTest::addColumn<int>("row");  // of the rows without game 5; -1: no Compute
        QTest::addColumn<QString>("counted");
        QTest::addColumn<bool>("headed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("record") << "mnuRecord" << 1 << true << 2 << "TOTALS|1|0|1|5|4|.750|3" << true
                                << "Record Report" << QStringList{"Won/Lost Record - Ants", "TOTALS"};
        QTest::newRow("standings") << "mnuStandings" << 1 << true << -1 << "" << true << "Standings Report"
                                   << QStringList{"Team Standings", "Bees"};
        QTest::newRow("game scores") << "mnuGames" << 3 << true << 8 << "" /* nothing after game 2's lines */
                                     << false << "Game Scores Report"
                                     << QStringList{"Game Scores - Ants", "Season opener before"};
        QTest::newRow("team scoring") << "mnuTeamScoring" << 1 << true << 0 << "Record:|Won 1|Lost 0|Tied 1|||"
                                      << false << "Team Scoring Report"
                                      << QStringList{"Team Scoring - Ants", "Penalty Killing:"};
        QTest::newRow("roster") << "mnuRosterRpt" << 0 << false << -1 << "" << false << "Roster Report"
                                << QStringList{"Roster - Ants", "the power play when asked"};
    }
    void opensLeavesOutGamesByNumberAndPrints()
    {
        QFETCH(QString, menu);
        QFETCH(int, valueColumn);
        QFETCH(bool, gridLines);
        QFETCH(int, row);
        QFETCH(QString, counted);
        QFETCH(bool, headed);
        QFETCH(QString, title);
        QFETCH(QStringList, printed);
        const QString bees = menu == u"mnuStandings" ? QStringLiteral("Bees") : QString();
        TeamReportWindow* w = open(menu, {QStringLiteral("Ants"), bees});
        QVERIFY(w);
        grab(frame.get(), QTest::currentDataTag());
        QCOMPARE(button("GridLines")->isChecked(), gridLines);
        QCOMPARE(w->grid()->look().gridLines, gridLines);
        const Qt::Alignment a = w->grid()->columns()[size_t(valueColumn)].alignment;
        QVERIFY(button(a & Qt::AlignRight ? "Right" : a & Qt::AlignHCenter ? "Center" : "Left")->isChecked());
        checkCellsWholeInEveryLook(w);

        if (row >= 0) {
            answerNext<frmCompute>([](frmCompute* d) {
                d->lstSpecialSelect->setFocus();
                QTest::keyClick(d->lstSpecialSelect, Qt::Key_End);
                QTest::keyClick(d->lstSpecialSelect, Qt::Key_Space);
                QTest::keyClick(d->lstSpecialSelect, Qt::Key_Return);
            });
            w->cmdCompute->click();
            QCOMPARE(gridRows(w->grid(), true).value(row), counted);
        }

        if (!gridLines)
            button("GridLines")->trigger();
        const QString pdf = printToPdf(QTest::currentDataTag());
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        for (const QString& text : printed)
            QVERIFY2(pages[0].contains(text), qPrintable(text));
        const PrintedPage page = printedPage(pdf);
        QCOMPARE(page.title, title);
        QCOMPARE(page.rules.size(), gridRows(w->grid()).size() + 1 + (headed ? 1 : 0));
        QCOMPARE(page.rulesThroughWords(), 0);
    }

    void recordComputesTheGamesAndTitleChosen()
    {
        auto* w = open<frmRecord>(QStringLiteral("mnuRecord"));
        QVERIFY(w);
        ReportGrid* grid = w->grid();
        // Alignment reaches the figures, never the game type.
        button("Center")->trigger();
        QCOMPARE(grid->columns()[0].alignment, Qt::AlignLeft);
        QCOMPARE(grid->columns()[7].alignment, Qt::AlignHCenter);

        // Hidden goals stay hidden over a Compute, which takes its range in
        // either order and its title trimmed; without ties, no "Tie".
        w->chkShowGoals->click();
        answerCompute(QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("  First two  "));
        w->cmdCompute->click();
        QCOMPARE(grid->caption(), QStringLiteral("First two"));
        QCOMPARE(gridRows(grid, true), (QStringList{"No Game Type|0|0|1|.500|1", "League|1|0|0|1.000|2", "TOTALS|1|0|1|.750|3"}));
        answerCompute(QStringLiteral("1"), QStringLiteral("1"));
        w->cmdCompute->click();
        // Cancel leaves rows, caption and title.
        answerNext<frmCompute>([](frmCompute* d) { d->cmdCancel_Click(); });
        w->cmdCompute->click();
        QCOMPARE(grid->caption(), QStringLiteral("First two"));
        QCOMPARE(gridRows(grid, true), (QStringList{"League|1|0|1.000|2", "TOTALS|1|0|1.000|2"}));

        w->cmdClose->click();
        flushDeletes();
        QVERIFY(!Loaded<frmRecord>());
        QVERIFY(Loaded<frmSelectTeam>()->isShown());
        QVERIFY(!frame->menuItem(QStringLiteral("mnuPrint"))->isEnabled());
    }

    void standingsRankTheSelectedTeams()
    {
        auto* w = open<frmStandings>(QStringLiteral("mnuStandings"), {QStringLiteral("Ants"), QStringLiteral("Bees")});
        QVERIFY(w);
        w->chkShowStreak->click();
        w->chkShowPct->click();
        w->chkShowStreak->click();
        // Only wins in the first game of each: no "Tie" column.
        answerCompute(QStringLiteral("1"), QStringLiteral("1"));
        w->cmdCompute->click();
        QCOMPARE(gridRows(w->grid(), true), (QStringList{"Ants|1|0|Won 1|3|2|2", "Bees|1|0|Won 1|5|0|2"}));
    }

    void gameScoresInBothLayouts()
    {
        auto* w = open<frmScores>(QStringLiteral("mnuGames"));
        QVERIFY(w);
        // Four periods and overtime in the list: every column shows.
        QCOMPARE(gridRows(w->grid()).mid(0, 6),
                 (QStringList{"1.|10/1/2026|Rivals|0|1|1|||-|2|Won", "|League|Ants|1|1|1|||-|3|", "|North Rink|||||||||",
                              "|Season opener before a sell-out crowd|||||||||", "||||||||||",
                              "2.|10/8/2026|Ants|1|0|0|1|0|-|2|Tied"}));
        QVERIFY(w->grid()->view()->horizontalHeader()->isHidden());
        // At sizes 8 and 10 the columns are as wide as designed, however
        // narrow the "-" column: its text fits.
        const auto shownWidths = [w](int columns) {
            QList<int> px;
            for (int c = 0; c < columns; ++c)
                px << w->grid()->view()->columnWidth(c);
            return px;
        };
        const auto pixels = [](QList<int> twips) {
            for (int& t : twips)
                t = qRound(t / 15.0);
            return twips;
        };
        for (int16_t size : {8, 10}) {
            w->SetFontSize(size);
            QCOMPARE(shownWidths(11), pixels({550, 2800, 2520, 300, 300, 300, 300, 300, 200, 400, 660}));
        }
        // A size without widths of its own keeps them; only the text widens
        // what it needs.
        w->SetFontSize(16);
        QList<int> kept;
        for (int c = 0; c < 11; ++c)
            kept << w->grid()->columnWidth(c);
        QCOMPARE(kept, (QList<int>{550, 2800, 2520, 300, 300, 300, 300, 300, 200, 400, 660}));
        QVERIFY2(cutCells(w->grid()).isEmpty(), qPrintable(cutCells(w->grid()).join('|')));
        w->SetFontSize(10);
        w->chkShowPeriods->click();
        QCOMPARE(gridRows(w->grid())[0], QStringLiteral("1.|10/1/2026|Rivals|2|Won"));
        w->chkShowPeriods->click();

        w->cmdShort->click();
        QVERIFY(w->chkShowNotes->isHidden() && w->cmdShort->isHidden() && !w->cmdLong->isHidden());
        QCOMPARE(gridRows(w->grid()), (QStringList{"1.|10/1/2026|Rivals|3-2|Won", "2.|10/8/2026|Bees|2-2|Tied",
                                                    "3.|10/1/2026|Rivals|1-4|Lost"}));
        QCOMPARE(shownWidths(5), pixels({550, 1100, 2520, 700, 660}));
        checkCellsWholeInEveryLook(w);
        grab(frame.get(), "scores-short");
        w->cmdLong->click();

        // Clearing the game type puts the location on the second line.
        w->chkShowGameType->click();
        QCOMPARE(gridRows(w->grid())[1], QStringLiteral("|North Rink|Ants|1|1|1|||-|3|"));
        answerCompute(QStringLiteral("9"), QStringLiteral("12"));
        w->cmdCompute->click();
        QCOMPARE(gridRows(w->grid()), QStringList{QStringLiteral("|No Games")});
    }

    void teamScoringShowsThePeriodsItsGamesHad()
    {
        auto* w = open<frmTeamScores>(QStringLiteral("mnuTeamScoring"));
        QVERIFY(w);
        // Periods as the games had them, overtime too.
        QCOMPARE(gridRows(w->grid()).mid(2, 3), (QStringList{"Scoring by Period:|1st|2nd|3rd|4th|OT|Total",
                                                            "   Opponents|0|3|1|0|0|8", "   Ants|2|1|1|1|0|6"}));
        answerCompute(QStringLiteral("5"), QStringLiteral("5"));
        w->cmdCompute->click();
        QCOMPARE(gridRows(w->grid())[2], QStringLiteral("Scoring by Period:|1st|2nd|3rd|Total"));
        // A size the frame does not offer keeps the widths, and still every
        // figure shows whole.
        w->SetFontSize(16);
        QCOMPARE(w->grid()->view()->font().pointSize(), 16);
        QVERIFY2(cutCells(w->grid()).isEmpty(), qPrintable(cutCells(w->grid()).join('|')));
        answerCompute(QStringLiteral("6"), QStringLiteral("9"));
        w->cmdCompute->click();
        QCOMPARE(gridRows(w->grid()), QStringList{QStringLiteral("No Games")});
    }

    // A screen reader toggles an option box through its accessible action,
    // not by a click: the report follows every box of every window, shown
    // rows or shown columns, and opening a report computes it once.
    void optionBoxesFollowTheScreenReader_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("boxes");
        QTest::newRow("record") << "mnuRecord" << "RptRecord" << 3;
        QTest::newRow("standings") << "mnuStandings" << "RptStandings" << 3;
        QTest::newRow("game scores") << "mnuGames" << "RptScores" << 4;
        QTest::newRow("roster") << "mnuRosterRpt" << "RptRoster" << 6;
    }
    void optionBoxesFollowTheScreenReader()
    {
        QFETCH(QString, menu);
        QFETCH(QString, table);
        QFETCH(int, boxes);
        addRosterPlayer(1, 2, {.first = "Bo", .last = "Park", .homePhone = "555-0101", .email = "bo@example.org",
                               .birthDate = QDate(1990, 1, 5)});
        // Each computation writes a first row.
        Db().execute(QStringLiteral("create temp table Runs (n integer)"));
        Db().execute(QStringLiteral("create temp trigger CountRuns after insert on main.%1 when new.SortKey = 1 "
                                    "begin insert into Runs values (1); end")
                         .arg(table));
        const QString bees = menu == u"mnuStandings" ? QStringLiteral("Bees") : QString();
        TeamReportWindow* w = open(menu, {QStringLiteral("Ants"), bees});
        QVERIFY(w);
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from Runs")).toInt(), 1);

        const auto shown = [w] { return gridCaptions(w->grid()) + gridRows(w->grid(), true); };
        const QList<QCheckBox*> found = w->findChildren<QCheckBox*>();
        QCOMPARE(found.size(), boxes);
        for (QCheckBox* box : found) {
            const QStringList before = shown();
            QAccessibleActionInterface* action = QAccessible::queryAccessibleInterface(box)->actionInterface();
            QVERIFY(action);
            action->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(!box->isChecked());
            QVERIFY2(shown() != before, qPrintable(box->objectName()));
            action->doAction(QAccessibleActionInterface::pressAction());
            QTRY_VERIFY(box->isChecked());
            QCOMPARE(shown(), before);
        }
        Db().execute(QStringLiteral("drop trigger CountRuns"));
        Db().execute(QStringLiteral("drop table Runs"));
    }

    void rosterFollowsItsBoxesAndTellsAFailure()
    {
        auto* w = open<frmRosterRpt>(QStringLiteral("mnuRosterRpt"));
        QVERIFY(w);
        QCOMPARE(gridRows(w->grid()),
                 (QStringList{"Ann Lee - 9", "Springfield", "Notes: Plays left wing and takes the faceoffs on ",
                              "the power play when asked", ""}));
        w->chkAddress->click();
        QCOMPARE(gridRows(w->grid()).size(), 4);

        // A database failure is told, and the window stays usable.
        Db().execute(QStringLiteral("drop table People"));
        env->expectMsgBox(QStringLiteral("The report could not be computed."), vbOK, QStringLiteral("Report Error"));
        w->chkShowNotes->click();
        QCOMPARE(env->pendingExpectations(), 0);
        QVERIFY(!w->isComputing() && w->isEnabled());
    }

    // A title wider than the window keeps its start, the report's name: on
    // screen it is cut at its end, on paper it wraps, every word on the page.
    void longTitlesKeepTheReportsName_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("report");
        QTest::newRow("record") << "mnuRecord" << "Won/Lost Record - ";
        QTest::newRow("roster") << "mnuRosterRpt" << "Roster - ";
    }
    void longTitlesKeepTheReportsName()
    {
        QFETCH(QString, menu);
        QFETCH(QString, report);
        const QString team(50, QLatin1Char('W'));
        Db().execute(QStringLiteral("update Teams set LongTeamName = ? where TeamNumber = 1"), {team});
        Unload<frmSelectTeam>();
        flushDeletes();
        Load<frmSelectTeam>();
        TeamReportWindow* w = open(menu, {team});
        QVERIFY(w);
        QCOMPARE(w->reportFontSize(), int16_t(10));
        grab(frame.get(), qPrintable(QStringLiteral("long-title-") + QTest::currentDataTag()));
        QCOMPARE(w->grid()->caption(), report + team);
        const auto* bar = w->grid()->findChild<QLabel*>(QStringLiteral("tdbCaption"));
        QVERIFY2(bar->text().startsWith(report + QStringLiteral("WWW")), qPrintable(bar->text()));
        QVERIFY(bar->fontMetrics().horizontalAdvance(bar->text()) <= bar->contentsRect().width());

        const PrintedPage page = printedPage(printToPdf(QStringLiteral("long-title-") + QTest::currentDataTag()));
        const qsizetype words = report.split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
        QCOMPARE(page.texts.mid(0, words).join(QLatin1Char(' ')) + QLatin1Char(' '), report);
        QString printed;
        for (qsizetype i = words; i < page.texts.size() && page.texts[i].startsWith(QLatin1Char('W')); ++i) {
            printed += page.texts[i];
            QVERIFY(page.words[i].left() >= 0);
            QVERIFY(page.words[i].top() > page.words[0].top());  // on a line of its own
        }
        QCOMPARE(printed, team);
        QVERIFY(page.words[0].left() >= 0);
    }

    // A note with a line break shows its two lines as lines of the report:
    // whole on screen, and on every printed page nothing is drawn over
    // anything else and no page starts with the empty line closing a block.
    void rosterNoteLinesStayApartOnScreenAndPaper()
    {
        for (int p = 2; p <= 30; ++p)
            addRosterPlayer(1, p, {.first = "Player", .last = QString::number(p)}, {},
                            QStringLiteral("Roster note 1 for %1 Main Street\r\n"
                                           "Roster note 2 for the coach, a longer line that wraps on paper")
                                .arg(p));
        auto* w = open<frmRosterRpt>(QStringLiteral("mnuRosterRpt"));
        QVERIFY(w);
        QCOMPARE(gridRows(w->grid()).mid(5, 5),
                 (QStringList{"Player 2", "Notes: Roster note 1 for 2 Main Street",
                              "Roster note 2 for the coach, a longer line that ", "wraps on paper", ""}));
        for (int16_t size : {10, 18}) {
            w->SetFontSize(size);
            grab(frame.get(), size == 10 ? "roster-notes-10" : "roster-notes-18");
            QVERIFY2(cutCells(w->grid()).isEmpty(), qPrintable(cutCells(w->grid()).join(QLatin1Char('|'))));
            const QString pdf = printToPdf(QStringLiteral("roster-notes-%1").arg(size));
            const int pages = int(pdfPages(pdf).size());
            QVERIFY(pages > 1);
            const double firstRow = printedPage(pdf, 1).lineTops().value(1);
            for (int n = 1; n <= pages; ++n) {
                const PrintedPage page = printedPage(pdf, n);
                const QString where = QStringLiteral("size %1, page %2: ").arg(size).arg(n);
                QVERIFY2(page.wordsOverWords().isEmpty(), qPrintable(where + page.wordsOverWords().join(", ")));
                QVERIFY2(std::abs(page.lineTops().value(1) - firstRow) < 0.5, qPrintable(where));
            }
        }
    }

    // A game's notes typed over several lines stay within the one line the
    // report gives them, on a notes line of their own and on the home
    // team's line beside the goals: whole on screen, and on every printed
    // page nothing is drawn over anything else.
    void gameNoteLinesStayOnTheirRowOnScreenAndPaper()
    {
        for (int n = 6; n <= 35; ++n)
            addGame(1, n, {.goals = n % 4, .oppGoals = 2, .date = QDate(2026, 11, 1).addDays(n),
                           .location = QStringLiteral("Rink %1").arg(n),
                           .notes = QStringLiteral("Bus at %1\nBring sticks\r\nSnacks after\rGame").arg(n)});
        auto* w = open<frmScores>(QStringLiteral("mnuGames"));
        QVERIFY(w);
        QCOMPARE(gridRows(w->grid()).mid(13, 2),
                 (QStringList{"|Rink 6|||||||||", "|Bus at 6 Bring sticks Snacks after Game|||||||||"}));
        for (bool homeLine : {false, true}) {
            if (homeLine) {
                w->chkShowGameType->click();
                w->chkShowLocation->click();
                QCOMPARE(gridRows(w->grid())[10],
                         QStringLiteral("|Bus at 6 Bring sticks Snacks after Game|Ants|0|0|0|||-|2|"));
            }
            for (int16_t size : {10, 18}) {
                w->SetFontSize(size);
                const QString name = QStringLiteral("game-notes-%1-%2").arg(homeLine ? "home" : "own").arg(size);
                grab(frame.get(), qPrintable(name));
                QVERIFY2(cutCells(w->grid()).isEmpty(), qPrintable(cutCells(w->grid()).join(QLatin1Char('|'))));
                const QString pdf = printToPdf(name);
                const int pages = int(pdfPages(pdf).size());
                QVERIFY(pages > 1);
                for (int n = 1; n <= pages; ++n) {
                    const PrintedPage page = printedPage(pdf, n);
                    const QString where = name + QStringLiteral(", page %1: ").arg(n);
                    QVERIFY2(page.wordsOverWords().isEmpty(), qPrintable(where + page.wordsOverWords().join(", ")));
                }
            }
        }
    }
};

VH_TEST_MAIN(TstReportWindows)
#include "tst_reportwindows.moc"
