// The statistics report window over a small season: what it opens with, its
// reruns, cancelled dialogs, the look commands, printing, the frame's
// commands reaching it and the commands held off while it computes.

#include "games/GameTestData.h"
#include "shell/Procedures.h"
#include "shell/ReportPrinter.h"
#include "stats/frmCompute.h"
#include "stats/frmMinimum.h"
#include "stats/frmSort.h"
#include "stats/frmStats.h"
#include "support/ReportTestData.h"
#include "support/StatsTestData.h"
#include "support/TestMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

using namespace vh;
using vh::test::TestEnv;
using vh::test::answerNext;
using vh::test::gridCaptions;
using vh::test::gridRows;

namespace {

// Five persons of the Ravens (team 1) over four games, and one of them also
// on the Hawks (team 2): goals, assists and penalty minutes per game.
struct Line {
    int person, game, goals, assists, pim;
};
const Line kRavens[] = {
    {1, 1, 2, 1, 0}, {2, 1, 0, 2, 2}, {3, 1, 1, 0, 0}, {1, 2, 1, 1, 4}, {2, 2, 1, 0, 0}, {4, 2, 0, 0, 2},
    {1, 3, 3, 0, 0}, {3, 3, 0, 1, 0}, {5, 3, 0, 1, 0}, {1, 4, 0, 2, 0}, {2, 4, 2, 2, 0}, {3, 4, 1, 0, 6},
};
const char* const kNames[] = {"Ann Archer", "Bo Brandt", "Cy Cole", "Di Dunn", "Ed Eames"};

void seedSeason()
{
    Database& db = Db();
    Transaction t(db);
    for (int p = 1; p <= 5; ++p) {
        const QString name = QString::fromLatin1(kNames[p - 1]);
        seed::addPerson(p, name.section(QLatin1Char(' '), 0, 0), name.section(QLatin1Char(' '), 1));
        seed::addRoster(1, p, -1, QString::number(p + 10));
    }
    seed::addRoster(2, 1, -1, QStringLiteral("9"));
    for (int game = 1; game <= 4; ++game)
        test::addGame(db, 1, game, QStringLiteral("Opp %1").arg(game), game % 2 == 1);
    test::addGame(db, 2, 1, QStringLiteral("Opp X"));
    for (const Line& l : kRavens)
        test::addPlayerRow(db, 1, l.game, l.person, {{"G", l.goals}, {"Ast", l.assists}, {"PIM", l.pim}, {"Min", 10}});
    test::addPlayerRow(db, 2, 1, 1, {{"G", 5}, {"Ast", 0}, {"PIM", 0}, {"Min", 10}});
    t.commit();
}

// The state the frame leaves for a player report of the Ravens, or of both teams.
void prepareReport(bool bothTeams = false, const char* code = "P")
{
    LoadNameYourOwnCats();
    BuildCatAbbrev(CatKind::Player);
    BuildCatAbbrev(CatKind::Goalie);
    g.PlayerReportLine.redim(28, 0);
    const int16_t line[] = {1, 5, 15, 16, 19};  // GP G Ast Pts PIM
    for (int i = 0; i < 5; ++i)
        g.PlayerReportLine[i + 1] = line[i];
    g.GoalieReportLine.redim(30, 0);
    g.GoalieReportLine[1] = 1;
    g.PlayerSortCategory = 16;
    g.PlayerSortDirection = "D";
    g.PlayerRptDescription = QStringLiteral("Scoring");
    g.MinutesPerGameOption = 60;
    g.StatsHintOption = 0;
    ApplyTeamSelection({{1, QStringLiteral("Ravens"), true}, {2, QStringLiteral("Hawks"), bothTeams}});
    ResetComputeCriteria();
    g.ReportCode = code;
}

// The minimum set through its dialog, as a user does.
void setMinimum(frmStats* w, const char* minimum)
{
    answerNext<frmMinimum>([minimum](frmMinimum* d) {
        d->txtMin->setText(QString::fromLatin1(minimum));
        d->cmdOK->click();
    });
    w->cmdMin_Click();
}

// A sort chosen through its dialog: the category in list row `row` (the
// current one when -1), ascending when asked.
void sortBy(frmStats* w, int row = -1, bool ascending = false)
{
    answerNext<frmSort>([=](frmSort* d) {
        if (row >= 0)
            d->lstCat->item(row)->setSelected(true);
        if (ascending)
            d->optAsc->setChecked(true);
        d->cmdOK->click();
    });
    w->cmdSort_Click();
}

}  // namespace

class TstStatsWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    frmStats* open()
    {
        frmStats* w = Load<frmStats>();
        [&] { QVERIFY(w); }();
        return w;
    }

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        test::setGameState({{1, "Ravens"}, {2, "Hawks"}});
        seedSeason();
        prepareReport();
    }
    void cleanup()
    {
        Dialog::setModalHook({});
        frmStats::setFormatChooser({});
        Unload<frmStats>();
        test::flushDeletes();
        env.reset();
    }

    void opensWithTheTotalsOfTheEnteredGames()
    {
        g.StatsHintOption = 1;
        env->expectMsgBox(QStringLiteral("Not all categories are on this report."), vbOK,
                          QStringLiteral("Important Hint"));
        frmStats* w = open();
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(w->tdbStats->caption(), QStringLiteral("Player Statistics - Ravens"));
        QCOMPARE(gridCaptions(w->tdbStats), (QStringList{"Player", "GP", "G", "Ast", "Pts", "PIM"}));
        // By points, most first: Ann 6+4; the totals of kRavens by hand.
        const QStringList rows = gridRows(w->tdbStats, true);
        QCOMPARE(rows[0], QStringLiteral("Ann Archer|4|6|4|10|4"));
        QCOMPARE(rows.last(), QStringLiteral("TOTALS|4|11|10|21|14"));
        test::grab(w, "frmStats");

        // The hint comes once.
        w->cmdExit->click();
        test::flushDeletes();
        QVERIFY(!Loaded<frmStats>());
        open();
    }

    void severalTeamsShowTeamsAndCareers()
    {
        prepareReport(true);
        // Enough Hawks that the person list scrolls.
        for (int p = 6; p <= 13; ++p) {
            seed::addPerson(p, QStringLiteral("Hawk"), QStringLiteral("H%1").arg(p));
            test::addPlayerRow(Db(), 2, 1, p, {{"G", 0}, {"Ast", 0}, {"PIM", 0}, {"Min", 10}});
        }
        frmStats* w = open();
        QCOMPARE(w->tdbStats->caption(), QStringLiteral("Player Statistics"));
        QCOMPARE(gridCaptions(w->tdbStats).mid(0, 2), (QStringList{"Player", "Team"}));

        // The list opened from the keys shows every entry whole, however
        // narrow the box, beside its scroll bar.
        QComboBox* box = w->cmbPlayers;
        QCOMPARE(box->itemText(0), QStringLiteral("All Players (NON-CAREER)"));
        QVERIFY(box->count() > box->maxVisibleItems());
        QAbstractItemView* list = box->view();
        for (const QKeyCombination key : {QKeyCombination(Qt::Key_F4), Qt::AltModifier | Qt::Key_Down}) {
            box->setFocus();
            QTest::keyClick(box, key.key(), key.keyboardModifiers());
            QTRY_VERIFY(list->isVisible());
            QVERIFY(list->verticalScrollBar()->isVisible());
            QVERIFY2(list->viewport()->width() >= list->sizeHintForColumn(0),
                     qPrintable(QStringLiteral("%1 < %2").arg(list->viewport()->width()).arg(list->sizeHintForColumn(0))));
            test::grab(list->window(), "players-list");
            QTest::keyClick(list, Qt::Key_Escape);
            QTRY_VERIFY(!list->isVisible());
        }

        w->cmbPlayers->setCurrentIndex(1);  // careers: Ann's two teams in one line
        w->cmbPlayers_Click();
        QCOMPARE(gridCaptions(w->tdbStats)[1], QStringLiteral("GP"));
        QVERIFY(gridRows(w->tdbStats, true).value(0).startsWith(QStringLiteral("Ann Archer|5|11|")));
    }

    void aPersonsGameLogAndBack()
    {
        frmStats* w = open();
        w->cmbPlayers->setCurrentIndex(w->cmbPlayers->findData(1));
        w->cmbPlayers_Click();
        QVERIFY(!w->cmdMin->isEnabled() && !w->cmdSort->isEnabled());
        QCOMPARE(gridCaptions(w->tdbStats).mid(0, 2), (QStringList{"Ann Archer", "Opponent"}));
        QVERIFY(gridRows(w->tdbStats, true).value(0).startsWith(QStringLiteral("Game 1|Opp 1|1|2|")));

        w->cmbPlayers->setCurrentIndex(0);
        w->cmbPlayers_Click();
        QVERIFY(w->cmdMin->isEnabled() && w->cmdSort->isEnabled());
        QCOMPARE(gridRows(w->tdbStats, true).size(), 6);
    }

    void computeSortAndMinimumRerun()
    {
        frmStats* w = open();
        // Compute: games 1 and 2 only, a new title, least points first.
        answerNext<frmCompute>([](frmCompute* d) {
            d->txtHighGame->setText(QStringLiteral("2"));
            d->txtReportTitle->setText(QStringLiteral("First Two"));
            d->optAsc->setChecked(true);
            d->cmdCompute->click();
        });
        w->cmdCompute_Click();
        QCOMPARE(w->tdbStats->caption(), QStringLiteral("First Two"));
        QCOMPARE(g.PlayerSortDirection, "A");
        QCOMPARE(gridRows(w->tdbStats, true).last(), QStringLiteral("TOTALS|2|5|4|9|8"));

        // Sort by G ascending.
        answerNext<frmCompute>([](frmCompute* d) {
            d->cmdAll_Click();
            d->cmdCompute->click();
        });
        w->cmdCompute_Click();
        sortBy(w, 5, true);  // G
        QVERIFY(gridRows(w->tdbStats, true).value(0).startsWith(QStringLiteral("Di Dunn|1|0|")));

        // Minimum of 3 games: Ann, Bo and Cy qualify, then the footnote.
        setMinimum(w, "3");
        QCOMPARE(gridRows(w->tdbStats, true).value(3).section(QLatin1Char('|'), 0, 1),
                 QStringLiteral("* Min  3 Games *|-----"));

        // A new sort removes the division.
        sortBy(w);
        QCOMPARE(gridRows(w->tdbStats, true).size(), 6);

        // The top two (fewest goals) stay the two through a later sort by name.
        answerNext<frmCompute>([](frmCompute* d) {
            d->txtTopXPlayers->setText(QStringLiteral("2"));
            d->cmdCompute->click();
        });
        w->cmdCompute_Click();
        sortBy(w, 0, true);
        const QStringList rows = gridRows(w->tdbStats, true);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[0].startsWith(QStringLiteral("Di Dunn|")) && rows[1].startsWith(QStringLiteral("Ed Eames|")));
    }

    // A chosen format lays the report out again without the minimum's
    // division; its title and columns are the configuration flow's.
    void aChosenFormatDropsTheMinimum()
    {
        frmStats::setFormatChooser([] {});
        frmStats* w = open();
        setMinimum(w, "4");
        w->cmdFormat_Click();
        QCOMPARE(gridRows(w->tdbStats, true).size(), 6);  // no separator row any more
    }

    // Cancelled dialogs and a failed write leave the grid and the state as they were.
    void refusalsLeaveTheGridAsItWas()
    {
        frmStats* w = open();
        setMinimum(w, "4");
        const QStringList rows = gridRows(w->tdbStats, true);
        const QStringList cols = gridCaptions(w->tdbStats);
        const QString caption = w->tdbStats->caption();

        answerNext<frmCompute>([](frmCompute* d) {
            d->txtHighGame->setText(QStringLiteral("1"));
            d->txtReportTitle->setText(QStringLiteral("Other"));
            d->cmdCancel->click();
        });
        w->cmdCompute_Click();
        answerNext<frmSort>([](frmSort* d) {
            d->lstCat->item(1)->setSelected(true);
            d->cmdCancel->click();
        });
        w->cmdSort_Click();
        answerNext<frmMinimum>([](frmMinimum* d) {
            d->optOther->click();
            d->txtMin->setText(QStringLiteral("1"));
            d->cmdCancel->click();
        });
        w->cmdMin_Click();
        frmStats::setFormatChooser([] { g.CancelFlag = "Y"; });
        w->cmdFormat_Click();
        QCOMPARE(gridRows(w->tdbStats, true), rows);
        QCOMPARE(gridCaptions(w->tdbStats), cols);
        QCOMPARE(w->tdbStats->caption(), caption);
        QCOMPARE(w->windowTitle(), QStringLiteral("Player Statistics - Scoring"));
        QCOMPARE(g.Criteria.minimumBasis, QStringLiteral("G"));
        QCOMPARE(g.Criteria.minimumValue, int16_t(4));
        QCOMPARE(g.Criteria.highGame, int16_t(9999));
        QCOMPARE(g.PlayerSortCategory, int16_t(16));

        Db().execute(QStringLiteral("create trigger fail_rpt before insert on RptPlayer "
                                    "begin select raise(abort, 'disk full'); end"));
        env->expectMsgBox(QStringLiteral("The report could not be computed."), vbOK, QStringLiteral("Report Error"));
        sortBy(w, 0);  // by name
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(gridRows(w->tdbStats, true), rows);
        Db().execute(QStringLiteral("drop trigger fail_rpt"));
        sortBy(w);
        QVERIFY(gridRows(w->tdbStats, true).value(0).startsWith(QStringLiteral("Ed Eames")));  // by name, descending
    }

    // A new size lays the columns out again for it, the separator row where
    // it was; bold widens every column and back; a centred alignment outlives
    // a new layout; the first column's width buttons.
    void lookCommandsAndRelayoutOnAFontChange()
    {
        frmStats* w = open();
        ReportGrid* grid = w->tdbStats;
        setMinimum(w, "4");
        const QStringList rows = gridRows(w->tdbStats, true);
        const int name8 = grid->columnWidth(0), gp8 = grid->columnWidth(1);
        w->SetFontSize(12);
        QVERIFY(grid->columnWidth(0) > name8 && grid->columnWidth(1) > gp8);
        QCOMPARE(gridRows(w->tdbStats, true), rows);
        QVERIFY(grid->isFrozen());
        w->SetFontSize(0);
        QCOMPARE(w->reportFontSize(), int16_t(12));
        w->SetFont(QStringLiteral("Liberation Serif"));
        QCOMPARE(grid->view()->font().family(), QStringLiteral("Liberation Serif"));

        const int gp = grid->columnWidth(1);
        w->BoldFont();
        QVERIFY(grid->columnWidth(1) > gp);
        w->BoldFont();
        QCOMPARE(grid->columnWidth(1), gp);

        w->AlignCenter();
        w->SetFontSize(10);
        QCOMPARE(grid->columns()[2].alignment, Qt::Alignment(Qt::AlignHCenter));

        const int name = grid->columnWidth(0);
        w->cmdMinus->click();
        QVERIFY(grid->columnWidth(0) < name);
        w->cmdPlus->click();
        QCOMPARE(grid->columnWidth(0), name);
    }

    // Keys on a grid scrolled to the right: Home and Ctrl+Home bring back
    // the first columns beside the frozen name column, as Left does; End,
    // Page Down and Up never leave the current cell under the name column.
    void keysNeverLeaveTheCurrentCellUnderTheNameColumn()
    {
        for (int i = 6; i <= 20; ++i)
            g.PlayerReportLine[i] = int16_t(i - 2);  // SOG .. PIM after the five
        frmStats* w = open();
        w->SetFontSize(14);
        ReportTableView* view = w->tdbStats->view();
        QScrollBar* bar = view->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        const int frozen = w->tdbStats->frozenView()->columnWidth(0);
        const auto shows = [&](int column) {
            const int x = view->columnViewportPosition(column);
            return x >= frozen && x + view->columnWidth(column) <= view->viewport()->width();
        };
        const auto current = [&] { return view->currentIndex().column(); };
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(view, key, modifiers);
        };
        view->setFocus();
        view->setCurrentIndex(view->model()->index(0, 0));

        for (Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ControlModifier}) {
            bar->setValue(bar->maximum());
            press(Qt::Key_Home, modifiers);
            QCOMPARE(current(), 0);
            QCOMPARE(bar->value(), bar->minimum());
            QVERIFY(shows(1));
        }
        press(Qt::Key_End);
        QVERIFY(current() > 10 && shows(current()));
        press(Qt::Key_Home);
        QVERIFY(shows(1));

        // Up and down on the name column keep the columns where the scroll bar put them.
        bar->setValue(bar->maximum() / 2);
        press(Qt::Key_Down);
        QCOMPARE(bar->value(), bar->maximum() / 2);

        // Left as far as the first column after the name; its cells show.
        press(Qt::Key_End);
        while (current() > 1) {
            press(Qt::Key_Left);
            QVERIFY2(shows(current()), qPrintable(QString::number(current())));
        }
        press(Qt::Key_Right);
        press(Qt::Key_Right);
        for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_Up, Qt::Key_End}) {
            bar->setValue(bar->maximum());  // column 3 under the name column
            press(key, key == Qt::Key_End ? Qt::ControlModifier : Qt::NoModifier);
            QVERIFY2(shows(current()), qPrintable(QString::number(key)));
        }
        QCOMPARE(view->currentIndex().row(), view->model()->rowCount() - 1);  // Ctrl+End: the last row
    }

    // Minus and Plus from the keyboard change the name column at each press
    // until it is as narrow as its widest word or as wide as the grid; a
    // press past either end is not counted, so the first press back shows.
    void theNameColumnButtonsStopAtTheirLimits()
    {
        frmStats* w = open();
        ReportGrid* grid = w->tdbStats;
        const auto shown = [&] { return grid->view()->columnWidth(0); };
        const auto press = [](QPushButton* button) {
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Space);
        };
        // The presses that changed the width before one did not.
        const auto pressToTheEnd = [&](QPushButton* button) {
            for (int presses = 0; presses < 300; ++presses) {
                const int before = shown();
                press(button);
                if (shown() == before)
                    return presses;
            }
            return -1;
        };
        const int start = shown();
        QVERIFY(pressToTheEnd(w->cmdMinus) > 0);
        const int narrowest = shown();
        QVERIFY(narrowest < start);
        QVERIFY2(test::cutCells(grid).isEmpty(), qPrintable(test::cutCells(grid).join('|')));
        press(w->cmdMinus);
        QCOMPARE(shown(), narrowest);
        press(w->cmdPlus);
        QVERIFY(shown() > narrowest);
        press(w->cmdMinus);
        QCOMPARE(shown(), narrowest);

        QVERIFY(pressToTheEnd(w->cmdPlus) > 0);
        const int widest = shown();
        QCOMPARE(widest, grid->view()->viewport()->width());
        QCOMPARE(grid->frozenView()->width(), widest);  // not over the scroll bar
        press(w->cmdPlus);
        QCOMPARE(shown(), widest);
        press(w->cmdMinus);
        QVERIFY(shown() < widest);

        // A wider font leaves the width kept for the narrow one below the
        // names': the first Plus widens the column from what it shows.
        w->SetFont(QStringLiteral("Liberation Sans Narrow"));
        QVERIFY(pressToTheEnd(w->cmdMinus) > 0);
        w->SetFont(QStringLiteral("DejaVu Sans"));
        const int names = shown();
        QVERIFY(grid->columnWidth(0) + 50 < grid->narrowestColumnWidth(0));
        press(w->cmdPlus);
        QVERIFY(shown() > names);
    }

    // A minimum's footnote stays on one line at every size, in the grid's
    // two views and on paper, where it also ends before the next column
    // starts (its dashes, left-aligned), plain and bold.
    void theMinimumsFootnoteKeepsToOneLine()
    {
        frmStats* w = open();
        answerNext<frmMinimum>([](frmMinimum* d) {
            d->optOther->click();
            d->txtMin->setText(QStringLiteral("370"));
            d->cmdOK->click();
        });
        w->cmdMin_Click();
        const QStringList rows = gridRows(w->tdbStats, true);
        const int footnote = int(rows.indexOf(QRegularExpression(QStringLiteral("^\\* Min  370 Minutes \\*\\|.*"))));
        QVERIFY(footnote >= 0);
        const int totals = int(rows.size()) - 1;
        for (int16_t size : {8, 10, 12, 14, 18, 24}) {
            w->SetFontSize(size);
            for (const QTableView* v : {static_cast<QTableView*>(w->tdbStats->view()), w->tdbStats->frozenView()})
                QCOMPARE(v->rowHeight(footnote), v->rowHeight(totals));

            const QString pdf = env->tempDir() + QStringLiteral("/footnote%1.pdf").arg(size);
            const auto old = ReportPrinter::setPreviewHook(
                [&](QPrinter&, const ReportPrinter& report) { QVERIFY(report.writePdf(pdf)); });
            w->PrintStatsReport();
            ReportPrinter::setPreviewHook(old);
            QVERIFY2(test::pdfPages(pdf).value(0).contains(QRegularExpression(QStringLiteral("\\* Min +370 Minutes +\\*"))),
                     qPrintable(QString::number(size)));
        }

        w->AlignLeft();
        for (bool bold : {false, true}) {
            if (bold)
                w->BoldFont();
            for (int16_t size : {8, 10, 12, 14, 18, 24}) {
                w->SetFontSize(size);
                const QString pdf = env->tempDir() + QStringLiteral("/footnote-left%1.pdf").arg(size);
                const auto old = ReportPrinter::setPreviewHook(
                    [&](QPrinter&, const ReportPrinter& report) { QVERIFY(report.writePdf(pdf)); });
                w->PrintStatsReport();
                ReportPrinter::setPreviewHook(old);
                const test::PrintedPage page = test::printedPage(pdf);
                const qsizetype minutes = page.texts.indexOf(QStringLiteral("Minutes"));
                // Text drawn over the dashes would run into one word with them.
                QVERIFY2(minutes >= 0 && page.texts.value(minutes + 1) == u"*",
                         qPrintable(QStringLiteral("size %1: ").arg(size) + page.texts.mid(minutes, 2).join(' ')));
                const QRectF end = page.words[minutes + 1];
                double next = 1e9;
                for (qsizetype i = 0; i < page.words.size(); ++i)
                    if (page.texts[i] == u"-----" && std::abs(page.words[i].center().y() - end.center().y()) < 1)
                        next = std::min(next, page.words[i].left());
                QVERIFY2(next < 1e9 && end.right() < next, qPrintable(QStringLiteral("size %1%2: footnote ends at %3, next column at %4")
                                                            .arg(size).arg(bold ? " bold" : "").arg(end.right()).arg(next)));
            }
        }
    }

    void printsTheRowsUnderTheCaption()
    {
        frmStats* w = open();
        const QString pdf = env->tempDir() + QStringLiteral("/stats.pdf");
        QString title;
        const auto old = ReportPrinter::setPreviewHook([&](QPrinter& printer, const ReportPrinter& report) {
            title = printer.docName();
            QVERIFY(report.writePdf(pdf));
        });
        w->PrintStatsReport();
        ReportPrinter::setPreviewHook(old);
        QCOMPARE(title, QStringLiteral("Player Statistics - Ravens"));
        const QString text = test::pdfPages(pdf).join(QString());
        QVERIFY(text.contains(QStringLiteral("Ed Eames")) && text.contains(QStringLiteral("TOTALS")));
        QVERIFY(w->tdbStats->isFrozen());
    }

    // Shutout rates, thousands, the minimum's dashes and long opponents.
    void everyFigureShowsWholeAtEverySizeAndStyle()
    {
        g.ShowCommasOption = 1;
        const int16_t rates[] = {3, 14, 17};  // Min Sh% PPG after the five
        for (int i = 0; i < 3; ++i)
            g.PlayerReportLine[6 + i] = rates[i];
        test::addGame(Db(), 1, 5, QStringLiteral("Pine Ridge Bears"));
        test::addPlayerRow(Db(), 1, 5, 1, {{"Min", 30000}, {"SOG", 1}, {"G", 1}});
        test::addPlayerRow(Db(), 1, 5, 2, {{"Min", 29880}});
        test::addGoalieRow(Db(), 1, 5, 5, {{"Sv1", 31}, {"Min", 60}});
        frmStats* w = open();
        setMinimum(w, "4");
        QVERIFY(gridRows(w->tdbStats).join(QString()).contains(QStringLiteral("60,000")));
        test::checkCellsWholeInEveryLook(w);
        w->cmbPlayers->setCurrentIndex(w->cmbPlayers->findData(1));  // Ann's game log
        w->cmbPlayers_Click();
        test::checkCellsWholeInEveryLook(w);

        Unload<frmStats>();
        test::flushDeletes();
        prepareReport(false, "G");
        const int16_t goalie[] = {3, 24, 25};  // Min Sv% GAA after GP
        for (int i = 0; i < 3; ++i)
            g.GoalieReportLine[2 + i] = goalie[i];
        w = open();
        QCOMPARE(gridRows(w->tdbStats, true).value(0).section(QLatin1Char('|'), 3, 3), QStringLiteral("1.000"));
        test::checkCellsWholeInEveryLook(w);
    }

    void frameCommandsReachTheWindowAndAreHeldOffDuringARun()
    {
        FrmMDI frame;
        frame.resize(1000, 760);
        g.Frame = &frame;
        const auto oldSource = setTeamSelectionSource([] {
            return std::vector<TeamListEntry>{{1, QStringLiteral("Ravens"), true}, {2, QStringLiteral("Hawks"), false}};
        });
        frame.mnuPlayerStats_Click();
        frmStats* w = Loaded<frmStats>();
        QVERIFY(w);
        QCOMPARE(frame.fontSizeBox()->currentText(), QStringLiteral("8"));
        QVERIFY(frame.toolbarButton(QStringLiteral("Right"))->isChecked());  // as the value columns align
        frame.QNToolbar_ButtonClick(QStringLiteral("Bold"));
        QCOMPARE(g.ReportBold, True);

        // While the Sort reruns, the frame's commands and the window's own
        // buttons are off, and a command that arrives anyway changes nothing.
        bool off = false;
        int16_t sizeDuring = 0;
        answerNext<frmSort>([&](frmSort* d) {
            QTimer::singleShot(0, [&] {
                off = !frame.menuItem(QStringLiteral("mnuPlayerStats"))->isEnabled() &&
                      !frame.toolbarButton(QStringLiteral("Print"))->isEnabled() && !frame.fontSizeBox()->isEnabled() &&
                      !w->cmdSort->isEnabled();
                w->SetFontSize(18);
                sizeDuring = w->reportFontSize();
                w->cmdSort_Click();  // would open another dialog: the test fails on it
            });
            d->cmdOK->click();
        });
        w->cmdSort_Click();
        QVERIFY(off);
        QCOMPARE(sizeDuring, int16_t(8));
        QVERIFY(frame.menuItem(QStringLiteral("mnuPlayerStats"))->isEnabled() && frame.fontSizeBox()->isEnabled() &&
                w->cmdSort->isEnabled());

        test::grab(&frame, "frameWithStats");
        frame.mnuGoalieStats_Click();
        test::flushDeletes();
        w = Loaded<frmStats>();
        QVERIFY(w);
        QCOMPARE(w->tdbStats->caption(), QStringLiteral("Goalie Statistics - Ravens"));
        QCOMPARE(g.ReportBold, False);  // every opening starts plain
        setTeamSelectionSource(oldSource);
        g.Frame = nullptr;
    }
};

VH_TEST_MAIN(TstStatsWindow)
#include "tst_statswindow.moc"
