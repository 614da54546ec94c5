// The report-parameters, minimum and sort dialogs: their checks, messages,
// what OK gives back and that Cancel gives nothing.

#include "games/GameTestData.h"
#include "stats/ComputeParameters.h"
#include "stats/frmCompute.h"
#include "stats/frmMinimum.h"
#include "stats/frmSort.h"
#include "support/ReportTestData.h"
#include "support/ScreenReader.h"
#include "support/TestMain.h"
#include "support/Widgets.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace vh;
using vh::test::TestEnv;

namespace {

// One team's player report with three game types, all included.
ComputeInput playerInput()
{
    ComputeInput in;
    in.reportCode = QStringLiteral("P");
    in.criteria.gameTypes = {{0, true}, {1, true}, {2, true}};
    in.gameTypeNames = {QStringLiteral("No Game Type"), QStringLiteral("League"), QStringLiteral("Playoff")};
    in.criteria.title = QStringLiteral("Player Statistics - Ravens");
    in.sortCategory = 16;
    in.sortDirection = QStringLiteral("D");
    in.categoryAbbrev = ReportCategoryAbbrev();
    in.selectedTeamCount = 1;
    in.currentTeam = 1;
    return in;
}

// Every game chosen, numbered with gaps as converted data keeps them.
ComputeChoices allChosen()
{
    ComputeChoices c;
    c.lowGame = QStringLiteral("1");
    c.highGame = QStringLiteral("9999");
    c.topX = QStringLiteral("9999");
    c.gameTypesSelected = {true, true, true};
    c.games = {{1, true}, {2, true}, {5, true}, {6, true}, {9, true}};
    c.sortCategory = 16;
    c.descending = true;
    return c;
}

// Runs a dialog, letting `drive` work its controls instead of a user.
template <class D, class In>
auto runDialog(const In& input, std::function<void(D*)> drive)
{
    test::answerNext<D>(std::move(drive));
    return D::ask(input);
}

}  // namespace

class TstStatsDialogs : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        test::setGameState({{1, "Ravens"}}, {{1, "League"}, {2, "Playoff"}});
        LoadNameYourOwnCats();
        BuildCatAbbrev(CatKind::Player);
        g.ReportCode = "P";
    }
    void cleanup()
    {
        Dialog::setModalHook({});
        env.reset();
    }

    // ---------------------------------------------------------------- OK's checks and values

    void okChecksInOrderAndWritesNothingOnAProblem()
    {
        ComputeInput in = playerInput();
        ComputeChoices c = allChosen();
        c.home = c.away = false;
        c.gameTypesSelected = {false, false, false};
        for (auto& game : c.games)
            game.second = false;
        auto problem = std::get<ComputeProblem>(checkComputeChoices(in, c));
        QCOMPARE(problem.message, QStringLiteral("Must select Home and/or Away!"));
        QCOMPARE(problem.control, ComputeProblem::Home);
        c.away = true;
        problem = std::get<ComputeProblem>(checkComputeChoices(in, c));
        QCOMPARE(problem.message, QStringLiteral("Must select at least one Game Type!"));
        c.gameTypesSelected[2] = true;
        problem = std::get<ComputeProblem>(checkComputeChoices(in, c));
        QCOMPARE(problem.message, QStringLiteral("Must select at least one game from list!"));
        QCOMPARE(problem.control, ComputeProblem::GameList);
        // No game listed (several teams, or a team without games): none needed, none excluded.
        c.games.clear();
        const auto out = std::get<ComputeOutput>(checkComputeChoices(in, c));
        QVERIFY(out.criteria.excludedGames.empty());
        QVERIFY(!out.criteria.allGameTypes);
        QCOMPARE(out.criteria.gameTypes[2], std::make_pair(int16_t(2), true));
        QCOMPARE(out.criteria.gameTypes[0], std::make_pair(int16_t(0), false));
        QVERIFY(!out.criteria.includeHome && out.criteria.includeAway);
    }

    void okFillsDefaultsSwapsTheRangeAndExcludesUnselectedGames()
    {
        ComputeInput in = playerInput();
        ComputeChoices c = allChosen();
        c.lowGame = QStringLiteral("10");
        c.highGame = QStringLiteral("4");
        c.topX = QStringLiteral("0");
        c.title = QStringLiteral("   ");
        c.games[2].second = c.games[4].second = false;
        auto out = std::get<ComputeOutput>(checkComputeChoices(in, c));
        QCOMPARE(out.criteria.lowGame, int16_t(4));
        QCOMPARE(out.criteria.highGame, int16_t(10));
        QCOMPARE(out.criteria.topX, int16_t(9999));
        QCOMPARE(c.topX, QStringLiteral("9999"));  // the box shows its default
        QCOMPARE(out.criteria.title, in.criteria.title);  // blanks keep the title
        QCOMPARE(out.criteria.excludedGames, (std::vector<int16_t>{5, 9}));
        QVERIFY(out.criteria.allGameTypes);
        QCOMPARE(out.sortCategory, std::optional<int16_t>(16));
        QCOMPARE(out.sortDirection, QStringLiteral("D"));

        c = allChosen();
        c.lowGame = QString();
        c.highGame = QString();
        c.title = QStringLiteral("  Best Of  ");
        c.sortCategory.reset();  // the list held no entry for the sort: it stays
        c.descending = false;
        out = std::get<ComputeOutput>(checkComputeChoices(in, c));
        QCOMPARE(out.criteria.lowGame, int16_t(1));
        QCOMPARE(out.criteria.highGame, int16_t(9999));
        QCOMPARE(out.criteria.title, QStringLiteral("Best Of"));
        QCOMPARE(out.sortCategory, std::optional<int16_t>(16));
        QCOMPARE(out.sortDirection, QStringLiteral("A"));

        // Team reports leave the sort alone.
        in.reportCode = QStringLiteral("R");
        out = std::get<ComputeOutput>(checkComputeChoices(in, c));
        QVERIFY(!out.sortCategory);
    }

    void gameListLines()
    {
        test::addStoredGame(1, 1, 7, 0, 0, 4, 2);
        test::addStoredGame(1, 12, 8, 0, 0, 10, 11);
        Db().execute(QStringLiteral("update GameStats set GameDate = Null, Opponent = ? where GameNumber = 12"),
                     {QStringLiteral("An Opponent Whose Name Runs Long")});
        // The lines do not follow the user's region.
        for (const char* name : {"en_US", "de_DE", "hu_HU", "fr_FR", "C"}) {
            test::RegionalSettings region(QString::fromLatin1(name));
            const std::vector<GameLine> lines = computeGameLines(Db(), 1);
            QCOMPARE(lines.size(), size_t(2));
            QCOMPARE(lines[0].text, QStringLiteral("1   Oct  1,2026  G7                             4 - 2  "));
            QCOMPARE(lines[1].text, QStringLiteral("12               An Opponent Whose Name Runs   10 - 11 "));
            QCOMPARE(lines[1].number, int16_t(12));
        }
    }

    // ---------------------------------------------------------------- frmCompute

    // The games left out are game numbers, and the numbers may have gaps.
    void computeShowsTheCriteriaAndTheGamesLeftOut()
    {
        for (int n : {1, 2, 3, 5, 6, 8})
            test::addStoredGame(1, int16_t(n), n);
        ComputeInput in = playerInput();
        in.criteria.excludedGames = {3, 5};
        in.criteria.gameTypes[1].second = false;
        const auto out = runDialog<frmCompute>(in, [](frmCompute* d) {
            test::grab(d, "frmCompute");
            QCOMPARE(d->lstSpecialSelect->count(), 6);
            QVERIFY(!d->lstSpecialSelect->item(2)->isSelected() && !d->lstSpecialSelect->item(3)->isSelected());
            QCOMPARE(d->lblGamesSelected->text(), QStringLiteral("  4"));
            QVERIFY(!d->lstGameTypes->item(1)->isSelected());
            QCOMPARE(d->cmbSortCat->currentText(), QStringLiteral("Pts"));
            QVERIFY(d->optDesc->isChecked());
            QCOMPARE(d->txtReportTitle->text(), QStringLiteral("Player Statistics - Ravens"));
            QVERIFY(d->txtTopXPlayers->isVisibleTo(d));
            // All resets everything but the title and the sort.
            d->txtLowGame->setText(QStringLiteral("3"));
            d->chkAway->setChecked(false);
            d->cmdAll_Click();
            QCOMPARE(d->txtLowGame->text(), QStringLiteral("1"));
            QVERIFY(d->chkAway->isChecked());
            // The last game, number 8, left out from the keyboard.
            d->lstSpecialSelect->setFocus();
            QTest::keyClick(d->lstSpecialSelect, Qt::Key_End);
            QTest::keyClick(d->lstSpecialSelect, Qt::Key_Space);
            QCOMPARE(d->lblGamesSelected->text(), QStringLiteral("  5"));
            QTest::keyClick(d->lstSpecialSelect, Qt::Key_Return);
        });
        QVERIFY(out);
        QCOMPARE(out->criteria.excludedGames, (std::vector<int16_t>{8}));
        QVERIFY(out->criteria.allGameTypes);
    }

    // A screen reader's row selection on a game or game type already chosen
    // keeps it chosen; a chosen one's Toggle leaves it out, as a click does.
    // OK takes what the lists show.
    void computeTakesAScreenReadersChoicesAsTheListsShow()
    {
        for (int n : {1, 2, 4})
            test::addStoredGame(1, int16_t(n), n);
        const auto out = runDialog<frmCompute>(playerInput(), [](frmCompute* d) {
            QVERIFY(test::reader::selectRow(d->lstSpecialSelect, 0));
            QVERIFY(test::reader::selectRow(d->lstGameTypes, 1));
            test::reader::choose(d->lstSpecialSelect, 1);
            test::reader::choose(d->lstGameTypes, 2);
            QCOMPARE(d->lblGamesSelected->text(), QStringLiteral("  2"));
            QCOMPARE(test::selectedTexts(d->lstGameTypes), (QStringList{"No Game Type", "League"}));
            d->cmdCompute->click();
        });
        QVERIFY(out);
        QCOMPARE(out->criteria.excludedGames, (std::vector<int16_t>{2}));
        QVERIFY(!out->criteria.allGameTypes);
        QCOMPARE(out->criteria.gameTypes, (std::vector<std::pair<int16_t, bool>>{{0, true}, {1, true}, {2, false}}));
    }

    // A title wider than its box shows from its start, also once Tab has
    // selected it.
    void computeShowsTheStartOfALongTitle()
    {
        ComputeInput in = playerInput();
        in.criteria.title = QStringLiteral("Player Statistics - Northern Lakes Hockey Juniors");
        runDialog<frmCompute>(in, [&in](frmCompute* d) {
            QCOMPARE(d->txtReportTitle->cursorPosition(), 0);
            d->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d));
            test::grab(d, "frmCompute-long-title");
            d->optAsc->setFocus();
            QTest::keyClick(d->optAsc, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), d->txtReportTitle);
            QTRY_COMPARE(d->txtReportTitle->selectedText(), in.criteria.title);
            QTRY_COMPARE(d->txtReportTitle->cursorPosition(), 0);
            test::grab(d, "frmCompute-long-title-tabbed");
            d->cmdCancel->click();
        });
    }

    void computeMessagesPutTheFocusBack()
    {
        test::addStoredGame(1, 1, 1);
        const auto out = runDialog<frmCompute>(playerInput(), [this](frmCompute* d) {
            d->cmdClearGameList_Click();
            env->expectMsgBox(QStringLiteral("Must select at least one game from list!"), vbOK,
                              QStringLiteral("Compute Parameter Error"));
            d->cmdCompute->click();
            QVERIFY(d->isVisible());
            QCOMPARE(d->focusWidget(), d->lstSpecialSelect);
            d->cmdClearGT_Click();
            env->expectMsgBox(QStringLiteral("Must select at least one Game Type!"));
            d->cmdCompute_Click();
            QCOMPARE(d->focusWidget(), d->lstGameTypes);
            d->cmdCancel->click();
        });
        QVERIFY(!out);
        QCOMPARE(env->pendingExpectations(), 0);
    }

    // A team without games has nothing to choose: Return confirms. The number
    // boxes keep only the digits of pasted text, as many as fit.
    void computeForATeamWithoutGamesConfirms()
    {
        QVERIFY(runDialog<frmCompute>(playerInput(), [](frmCompute* d) {
            QCOMPARE(d->lstSpecialSelect->count(), 0);
            d->txtLowGame->clear();
            QApplication::clipboard()->setText(QStringLiteral("1a-2"));
            d->txtLowGame->paste();
            QCOMPARE(d->txtLowGame->text(), QStringLiteral("12"));
            QApplication::clipboard()->setText(QStringLiteral("123456"));
            d->txtTopXPlayers->clear();
            d->txtTopXPlayers->paste();
            QCOMPARE(d->txtTopXPlayers->text(), QStringLiteral("1234"));
            QTest::keyClick(d->txtReportTitle, Qt::Key_Return);
        }));
    }

    void computeForTeamReportsAndGameLogsHidesNumberAndSort()
    {
        ComputeInput in = playerInput();
        in.reportCode = QStringLiteral("S");
        in.selectedTeamCount = 2;
        runDialog<frmCompute>(in, [](frmCompute* d) {
            test::grab(d, "frmComputeStandings");
            QVERIFY(!d->txtTopXPlayers->isVisibleTo(d));
            QVERIFY(!d->cmbSortCat->isVisibleTo(d));
            QVERIFY(!d->fraHomeAway->isVisibleTo(d));
            QVERIFY(!d->fraSpecialSelect->isVisibleTo(d));
            d->cmdCompute->click();
        });
        in = playerInput();
        in.criteria.playerScope = QStringLiteral("Y");
        runDialog<frmCompute>(in, [](frmCompute* d) {
            QVERIFY(!d->txtTopXPlayers->isVisibleTo(d));
            QVERIFY(d->fraHomeAway->isVisibleTo(d));
            d->cmdCancel->click();
        });
    }

    // ---------------------------------------------------------------- frmMinimum

    void minimumOpensWithTheBasisTakesDigitsOnlyAndCancels()
    {
        auto out = runDialog<frmMinimum>(MinimumChoice{}, [](frmMinimum* d) {
            test::grab(d, "frmMinimum");
            QCOMPARE(d->txtMin->text(), QStringLiteral("0"));
            QVERIFY(d->optGames->isChecked());
            QCOMPARE(d->lblMin->text(), QStringLiteral("Minimum Games Played"));
            d->optOther->click();
            QCOMPARE(d->lblMin->text(), QStringLiteral("Minimum Minutes Played"));
            d->txtMin->clear();
            QTest::keyClicks(d->txtMin, QStringLiteral("12a5"));
            d->cmdOK->click();
        });
        QVERIFY(out);
        QCOMPARE(out->value, int16_t(125));
        QCOMPARE(out->basis, QStringLiteral("O"));

        out = runDialog<frmMinimum>(MinimumChoice{10, QStringLiteral("O")}, [](frmMinimum* d) {
            QVERIFY(d->optOther->isChecked());
            d->txtMin->clear();
            d->cmdOK->click();  // an empty box is no minimum
        });
        QCOMPARE(out->value, int16_t(0));
        out = runDialog<frmMinimum>(MinimumChoice{10, QStringLiteral("G")}, [](frmMinimum* d) { d->cmdNoMin->click(); });
        QCOMPARE(out->value, int16_t(0));
        QCOMPARE(out->basis, QStringLiteral("G"));
        // Cancel gives nothing, not even the basis chosen before it.
        QVERIFY(!runDialog<frmMinimum>(MinimumChoice{5, QStringLiteral("G")}, [](frmMinimum* d) {
            d->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d));
            QTest::keyClick(d->txtMin, Qt::Key_M, Qt::AltModifier);
            QTRY_VERIFY(d->optOther->isChecked());  // a mnemonic clicks after a moment
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }));
    }

    // ---------------------------------------------------------------- frmSort

    void sortOpensOnTheCurrentSortAndChooses()
    {
        SortInput in{QStringLiteral("P"), {17, QStringLiteral("D")}, ReportCategoryAbbrev()};
        auto out = runDialog<frmSort>(in, [](frmSort* d) {
            test::grab(d, "frmSort");
            QCOMPARE(d->lstCat->selectedItems().value(0)->text(), QStringLiteral("PPG"));
            QVERIFY(d->optDesc->isChecked());
            d->cmdOK->click();
        });
        QCOMPARE(out->category, int16_t(17));

        in.current = {-1, QStringLiteral("A")};
        in.reportCode = QStringLiteral("G");
        out = runDialog<frmSort>(in, [](frmSort* d) {
            QCOMPARE(d->lstCat->selectedItems().value(0)->text(), QStringLiteral("Name"));
            QVERIFY(d->optAsc->isChecked());
            d->lstCat->item(12)->setSelected(true);  // GA
            d->lstCat_DblClick();
        });
        QCOMPARE(out->category, int16_t(12));
        QCOMPARE(out->direction, QStringLiteral("A"));

        // Nothing chosen keeps the sort; Cancel gives nothing.
        in.current = {0, QStringLiteral("A")};
        out = runDialog<frmSort>(in, [](frmSort* d) {
            QVERIFY(d->lstCat->selectedItems().isEmpty());
            d->optDesc->setChecked(true);
            d->cmdOK->click();
        });
        QCOMPARE(out->category, int16_t(0));
        QCOMPARE(out->direction, QStringLiteral("D"));
        QVERIFY(!runDialog<frmSort>(in, [](frmSort* d) {
            d->lstCat->item(3)->setSelected(true);
            d->cmdCancel->click();
        }));
    }
};

VH_TEST_MAIN(TstStatsDialogs)
#include "tst_statsdialogs.moc"
