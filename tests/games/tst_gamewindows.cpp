#include "games/GameTestData.h"
#include "games/frmImportGame.h"
#include "shell/Startup.h"
#include "support/Widgets.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>

using namespace vh;
using namespace vh::test;

namespace {

QStringList boxTexts(std::initializer_list<QLineEdit*> boxes)
{
    QStringList out;
    for (const QLineEdit* b : boxes)
        out << b->text();
    return out;
}

// The control the Tab key moves to from `w`.
QWidget* nextTab(QWidget* w)
{
    QWidget* next = w->nextInFocusChain();
    while (next != w && (w->isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus) || next->focusProxy()))
        next = next->nextInFocusChain();
    return next;
}

// A game of team 1 in which every field has its own value, and its player
// and goalie rows numbered marker*100+j and marker*100+50, so that a header
// written over another game's, or rows left under the wrong game, show.
QVariantMap distinctGame(int number, int marker)
{
    const bool first = marker == 1;
    const int team = first ? 40 : 10, opp = first ? 50 : 20;  // the team's and the opponent's period 1
    QVariantMap game{{QStringLiteral("TeamNumber"), 1},
                     {QStringLiteral("GStatNumber"), 30 + marker},
                     {QStringLiteral("GameNumber"), number},
                     {QStringLiteral("GameDate"), first ? QStringLiteral("2026-10-07") : QStringLiteral("2026-10-14")},
                     {QStringLiteral("GameType"), first ? 3 : 5},
                     {QStringLiteral("Periods"), first ? 3 : 4},
                     {QStringLiteral("Location"), first ? QStringLiteral("Rink One") : QStringLiteral("Rink Two")},
                     {QStringLiteral("HomeTeam"), first ? -1 : 0},
                     {QStringLiteral("Opponent"), first ? QStringLiteral("Elms") : QStringLiteral("Pines")},
                     {QStringLiteral("OpponentTeamNumber"), first ? 3 : 2},
                     {QStringLiteral("OpponentGStatNumber"), 0},
                     {QStringLiteral("Overtime"), first ? 0 : -1},
                     {QStringLiteral("PP"), first ? 19 : 8},
                     {QStringLiteral("PPG"), first ? 18 : 7},
                     {QStringLiteral("SH"), first ? 17 : 6},
                     {QStringLiteral("Kills"), first ? 16 : 5},
                     {QStringLiteral("notes"), first ? QStringLiteral("first game") : QStringLiteral("second game")}};
    // Game 1 scores in three periods, game 2 in four and overtime.
    const int scoring = first ? 3 : 5;
    int goals = 0, oppGoals = 0;
    for (int k = 0; k < 5; ++k) {
        const QString suffix = k < 4 ? QStringLiteral("Period%1").arg(k + 1) : QStringLiteral("OT");
        const int own = k < scoring ? team + k + 1 : 0, other = k < scoring ? opp + k + 1 : 0;
        game.insert(QStringLiteral("Goals") + suffix, own);
        game.insert(QStringLiteral("OppGoals") + suffix, other);
        goals += own;
        oppGoals += other;
    }
    game.insert(QStringLiteral("Goals"), goals);
    game.insert(QStringLiteral("OppGoals"), oppGoals);
    return game;
}

void addDistinctGame(int number, int marker)
{
    const QVariantMap game = distinctGame(number, marker);
    seed::insertRow(Db(), QStringLiteral("GameStats"), game);
    const QVariantMap copies{{QStringLiteral("GameType"), game[QStringLiteral("GameType")]},
                             {QStringLiteral("HomeTeam"), game[QStringLiteral("HomeTeam")]}};
    for (int j = 0; j < 2; ++j)
        addStatsRow("PlayerStats", 1, number, marker * 100 + j, copies);
    addStatsRow("GoalieStats", 1, number, marker * 100 + 50, copies);
}

// The fields of team 1's game `number` that differ from `expected`.
QStringList differences(int number, const QVariantMap& expected)
{
    QStringList out;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QVariant v = Db().scalar(
            QStringLiteral("select %1 from GameStats where TeamNumber = 1 and GameNumber = ?").arg(it.key()), {number});
        if (v.toString() != it.value().toString())
            out << it.key() + QLatin1Char('=') + v.toString();
    }
    return out;
}

// Tabs from the focused control on to `box` and types `text` over its number.
bool typeOver(QLineEdit* box, const QString& text)
{
    for (int i = 0; i < 40 && QApplication::focusWidget() != box; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (QApplication::focusWidget() != box)
        return false;
    QTest::keyClick(box, Qt::Key_End);
    while (!box->text().isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
    return box->text() == text;
}

}  // namespace

class TstGameWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<FrmMDI> frame;

    frmGameMenu* openGameList(int16_t reselect = 0)
    {
        g.ReselectGame = reselect;
        frmGameMenu* list = Load<frmGameMenu>();
        if (list)
            list->show();
        return list;
    }

    // The game list's Add or Change, and the header screen it opens.
    frmGameScreen* headerFromList(bool add, int row = -1)
    {
        frmGameMenu* list = openGameList();
        if (row >= 0)
            list->lstGameMenu->setCurrentRow(row);
        if (add)
            list->cmdAddGame_Click();
        else
            list->cmdModify_Click();
        flushDeletes();
        return Loaded<frmGameScreen>();
    }

    // A new game goes on to the player entry screen; its Cancel comes back
    // to the list.
    frmGameMenu* listAfterNewGame()
    {
        frmPScreen* entry = Loaded<frmPScreen>();
        if (!entry)
            return nullptr;
        entry->cmdCancel_Click();
        flushDeletes();
        return Loaded<frmGameMenu>();
    }

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        setGameState({{1, "Oaks"}, {2, "Pines"}, {3, "Elms"}});
        frame = openGameFrame();
    }
    void cleanup()
    {
        closeGameFrame(frame);
        env.reset();
    }

    void deleteAsksAndClosesTheGap()
    {
        for (int k = 1; k <= 5; ++k)
            addStoredGame(1, int16_t(k), k);
        frmGameMenu* list = openGameList();
        list->lstGameMenu->setCurrentRow(2);
        env->expectMsgBox(QStringLiteral("Are you sure?  Player results will also be deleted!"), vbCancel);
        list->cmdDelete_Click();
        QCOMPARE(list->lstGameMenu->count(), 5);

        // Deleting the last game selects the new last one; the only game
        // leaves an empty list, where only Add and Close act.
        list->lstGameMenu->setCurrentRow(4);
        env->expectMsgBox(QStringLiteral("Are you sure?"), vbOK);
        list->cmdDelete_Click();
        QCOMPARE(list->lstGameMenu->currentRow(), 3);
        for (int left = 4; left > 0; --left) {
            env->expectMsgBox(QStringLiteral("Are you sure?"), vbOK);
            list->cmdDelete_Click();
        }
        QCOMPARE(list->lstGameMenu->count(), 0);
        for (QWidget* w : std::initializer_list<QWidget*>{list->cmdModify, list->cmdDelete, list->cmdPlayers})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        grab(list, "gamelist-empty");
        list->cmdAddGame_Click();
        flushDeletes();
        QVERIFY(!Loaded<frmGameMenu>());
        QCOMPARE(Loaded<frmGameScreen>()->txtGameNumber->text(), QStringLiteral("1"));
    }

    // A restored back-up may give a team game number 32767: Add says no
    // number is left and the list stays, rather than stop the program.
    void addWithTheLastGameNumberInUseStaysOnTheList()
    {
        addStoredGame(1, 32766, 1, 0, 0);
        frmGameScreen* header = headerFromList(true);
        QVERIFY(header);
        QCOMPARE(header->txtGameNumber->text(), QStringLiteral("32767"));
        Unload<frmGameScreen>();
        flushDeletes();

        addStoredGame(1, 32767, 2, 0, 0);
        env->expectMsgBox(QStringLiteral("No more games can be added to this team: game number 32767, the largest "
                                         "there is, is already in use!"),
                          vbOK, QStringLiteral("No Game Number Left"));
        QVERIFY(!headerFromList(true));
        QVERIFY(Loaded<frmGameMenu>());
        QCOMPARE(Loaded<frmGameMenu>()->lstGameMenu->count(), 2);
    }

    void eachLineActsOnItsOwnGame()
    {
        // An imported team whose numbers have a gap: 1, 2, 5, 6, 7.
        for (int k : {1, 2, 5, 6, 7})
            addStoredGame(1, int16_t(k), k);
        // The line of the game worked on; none yet, or one past the last: the last line.
        for (auto [game, row] : {std::pair{0, 4}, {12, 4}, {2, 1}}) {
            QCOMPARE(openGameList(int16_t(game))->lstGameMenu->currentRow(), row);
            Unload<frmGameMenu>();
            flushDeletes();
        }
        frmGameMenu* list = openGameList(5);
        QCOMPARE(list->lstGameMenu->currentRow(), 2);  // the line of game 5
        env->expectMsgBox(QStringLiteral("Are you sure?"), vbOK);
        list->cmdDelete_Click();
        QCOMPARE(gameOrder(1), QStringList({"G1", "G2", "G6", "G7"}));
        QVERIFY(statMarkers("PlayerStats", 1, 5).contains(6));  // game 6 closed the gap
        QVERIFY(list->lstGameMenu->currentItem()->text().contains(QStringLiteral("G6")));

        list->lstGameMenu->setCurrentRow(3);  // G7, now game 6
        list->cmdPlayers_Click();
        QCOMPARE(g.GameRec.gameNumber, int16_t(6));
        Unload<frmPScreen>();
        flushDeletes();
        frmGameScreen* screen = headerFromList(false, 2);
        QVERIFY(screen);
        QCOMPARE(screen->txtGameNumber->text(), QStringLiteral("5"));
        QCOMPARE(g.ReselectGame, int16_t(5));
    }

    void enterChangesEscapeClosesAndScoreBoxesTakeDigits()
    {
        addStoredGame(1, 1, 1);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        frmGameMenu* list = openGameList();
        list->lstGameMenu->setFocus();
        QTest::keyClick(list->lstGameMenu, Qt::Key_Return);
        QTRY_VERIFY(Loaded<frmGameScreen>());
        QVERIFY(g.GameEditMode == "C");
        Unload<frmGameScreen>();
        flushDeletes();
        // Esc closes the list, back to the team selection with the toolbar.
        list = openGameList();
        frame->QNToolbar()->setVisible(false);
        list->lstGameMenu->setFocus();
        QTest::keyClick(list->lstGameMenu, Qt::Key_Escape);
        QTRY_VERIFY(!Loaded<frmGameMenu>());
        QVERIFY(Loaded<frmSelectTeam>());
        QVERIFY(!frame->QNToolbar()->isHidden());

        // The score boxes take digits only, and Tab moves on.
        frmGameScreen* s = headerFromList(true);
        QTest::qWait(50);
        QCOMPARE(QApplication::focusWidget(), s->txtGameDate);  // where the screen opens
        s->txtPeriodScore[0]->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), s->txtPeriodScore[0]);
        QTRY_COMPARE(s->txtPeriodScore[0]->selectedText(), QStringLiteral("0"));
        QTest::keyClicks(s->txtPeriodScore[0], QStringLiteral("-x3"));
        QCOMPARE(s->txtPeriodScore[0]->text(), QStringLiteral("3"));
        QCOMPARE(s->lblGoals[0]->text(), QStringLiteral("3"));
        QTest::keyClick(s->txtPeriodScore[0], Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), s->txtPeriodScore[1]);
        // The whole number is selected, so typing replaces it.
        QTRY_COMPARE(s->txtPeriodScore[1]->selectedText(), QStringLiteral("0"));
        QTest::keyClicks(s->txtPeriodScore[1], QStringLiteral("2"));
        QCOMPARE(s->lblGoals[0]->text(), QStringLiteral("5"));
        QTest::keyClick(s->txtPeriodScore[1], Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), s->txtPeriodScore[2]);
    }

    void aNewGameStartsFromTheOptionsAndItsGridFollowsPeriodsAndHome()
    {
        g.PeriodsOption = 2;
        addStoredGame(1, 1, 1);
        frmGameScreen* s = headerFromList(true);
        QVERIFY(s);
        QVERIFY(frame->QNToolbar()->isHidden());
        QVERIFY(s->cmdPlayers->isHidden());  // no statistics before the game is saved
        QCOMPARE(s->txtGameNumber->text(), QStringLiteral("2"));
        QCOMPARE(s->txtGameDate->text(), ShortDate(QDate::currentDate()));
        QVERIFY(s->chkHomeTeam->isChecked());
        QCOMPARE(s->cmbPeriods->currentIndex(), 0);  // two periods, as the option says
        for (QLineEdit* b : s->txtPeriodScore)
            QCOMPARE(b->text(), QStringLiteral("0"));
        QCOMPARE(s->cmbOpponents->currentText(), QString());
        QVERIFY(!s->screenChanged());
        // The current team is never its own opponent.
        QCOMPARE(s->cmbOpponents->count(), 2);
        QCOMPARE(s->cmbOpponents->itemText(0), QStringLiteral("Pines"));
        // Only "No Game Type": the hint to add some.
        QCOMPARE(s->lstGameTypes->count(), 1);
        QVERIFY(!s->lblAddGameTypes->isHidden());
        grab(s, "header-add");

        // The date in words once the box is left; a date that reads as none says so.
        s->txtGameDate->setText(QStringLiteral("12/5/2026"));
        QCOMPARE(s->lblDisplayDate->text(), QString());  // blank until the box is left
        s->DisplayDate();
        QCOMPARE(s->lblDisplayDate->text(), QStringLiteral("Saturday, December 5, 2026"));
        s->txtGameDate->setText(QStringLiteral("13/45/99"));
        s->DisplayDate();
        QCOMPARE(s->lblDisplayDate->text(), QStringLiteral("Invalid Date"));
        s->txtGameDate->setText(QStringLiteral("  "));
        s->DisplayDate();
        QCOMPARE(s->lblDisplayDate->text(), QString());

        // The periods and the home box rearrange the score grid.
        s->cmbPeriods->setCurrentIndex(2);
        for (int i = 0; i < 10; ++i)
            s->txtPeriodScore[size_t(i)]->setText(QString::number(i % 5 + 1));
        QVERIFY(s->screenChanged());

        // Two periods: the third and fourth hidden, overtime moves up beside the second.
        s->cmbPeriods->setCurrentIndex(0);
        QVERIFY(s->txtPeriodScore[2]->isHidden() && s->txtPeriodScore[3]->isHidden());
        QVERIFY(s->txtPeriodScore[7]->isHidden() && s->lblPeriod[3]->isHidden());
        QCOMPARE(s->txtPeriodScore[9]->x(), s->txtPeriodScore[7]->x());
        QCOMPARE(s->lblGoals[0]->text(), QStringLiteral("8"));  // 1 + 2 + OT 5
        QCOMPARE(s->txtPeriodScore[3]->text(), QStringLiteral("4"));  // kept while hidden

        s->cmbPeriods->setCurrentIndex(1);
        QVERIFY(!s->txtPeriodScore[2]->isHidden() && s->txtPeriodScore[3]->isHidden());

        // Home game: the opponent above, the team below; away the other way round.
        QVERIFY(s->cmbOpponents->y() < s->txtPeriodScore[5]->y());
        QCOMPARE(nextTab(s->cmbOpponents), s->txtPeriodScore[0]);
        s->chkHomeTeam->setChecked(false);
        QVERIFY(s->txtPeriodScore[5]->y() < s->cmbOpponents->y());
        QCOMPARE(s->txtPeriodScore[0]->y(), s->cmbOpponents->y());
        QVERIFY(s->lblGoals[1]->y() < s->lblGoals[0]->y());
        // Tabbing runs through the team's boxes first now.
        QCOMPARE(nextTab(s->cmbOpponents), s->txtPeriodScore[5]);
        QCOMPARE(nextTab(s->txtPeriodScore[9]), s->txtPeriodScore[0]);
        QCOMPARE(nextTab(s->txtPeriodScore[4]), s->txtPP);
        grab(s, "header-away-3-periods");
    }

    // Under each region the date box's hint names the order a date is read
    // in. Typed that way by keys, a date is shown in words with its weekday,
    // saved as meant and shown back in that order; typed the other way with
    // a day over 12, it is refused by a message naming the same order. The
    // dates are 3 April and 17 October 2026.
    void theGameDateIsReadAsItsHintSays_data()
    {
        addTypedDateColumns();
        QTest::newRow("en_US") << "en_US" << "month/day/year" << "mm/dd/yy" << "04/03/26" << "4/3/2026" << "10/17/26"
                               << "17/10/26";
        QTest::newRow("de_DE") << "de_DE" << "day/month/year" << "dd/mm/yy" << "03/04/26" << "03.04.2026" << "17/10/26"
                               << "10/17/26";
        QTest::newRow("ja_JP") << "ja_JP" << "year/month/day" << "yy/mm/dd" << "26/04/03" << "2026/04/03" << "26/10/17"
                               << "10/17/26";
    }
    void theGameDateIsReadAsItsHintSays()
    {
        const auto [region, hint, mask, early, shownEarly, late, otherWay] = vh::test::fetchTypedDates();
        RegionalSettings settings(region);
        addStoredGame(1, 1, 1);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        frmGameScreen* s = headerFromList(true);
        QVERIFY(s);
        QCOMPARE(s->Label3->text(), hint);
        grab(s, qPrintable(QStringLiteral("header-date-") + region));
        // Types over the focused date box and leaves it: the date in words.
        const auto typeDate = [&](const QString& text) {
            if (QApplication::focusWidget() != s->txtGameDate)
                return QStringLiteral("date box not focused");
            QTest::keyClick(s->txtGameDate, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(s->txtGameDate, text);
            QTest::keyClick(s->txtGameDate, Qt::Key_Tab);
            return s->lblDisplayDate->text();
        };

        QTRY_COMPARE(QApplication::focusWidget(), s->txtGameDate);
        QCOMPARE(typeDate(otherWay), QStringLiteral("Invalid Date"));
        env->expectMsgBox(QStringLiteral("Game Date must be in ") + mask + QStringLiteral(" format or blank!"), vbOK,
                          QStringLiteral("Invalid Game Date"));
        s->cmdOK_Click();
        QCOMPARE(typeDate(early), QStringLiteral("Friday, April 3, 2026"));
        s->txtPeriodScore[5]->setText(QStringLiteral("4"));  // no tie: no overtime question
        s->cmdOK_Click();
        flushDeletes();
        QVERIFY(listAfterNewGame());
        const auto storedDate = [] {
            return Db().scalar(QStringLiteral("select GameDate from GameStats where GameNumber = 2")).toString();
        };
        QCOMPARE(storedDate(), QStringLiteral("2026-04-03"));

        s = headerFromList(false, 1);
        QVERIFY(s);
        QCOMPARE(s->txtGameDate->text(), shownEarly);
        QCOMPARE(s->lblDisplayDate->text(), QStringLiteral("Friday, April 3, 2026"));
        QTRY_COMPARE(QApplication::focusWidget(), s->txtGameDate);
        QCOMPARE(typeDate(late), QStringLiteral("Saturday, October 17, 2026"));
        s->cmdOK_Click();
        flushDeletes();
        QVERIFY(!Loaded<frmGameScreen>());
        QCOMPARE(storedDate(), QStringLiteral("2026-10-17"));
    }

    void gameTypesAreListedWithTheirNumbers()
    {
        setGameState({}, {{3, "League"}, {5, "Playoff"}});
        g.CurrentTeam = 1;
        addStoredGame(1, 1, 1);
        Db().execute(QStringLiteral("update GameStats set GameType = 5, HomeTeam = 0, Periods = 4, GoalsPeriod4 = 2, "
                                    "Goals = 5, notes = ' kept ' where TeamNumber = 1"));
        frmGameScreen* s = headerFromList(false, 0);
        QVERIFY(s->lblAddGameTypes->isHidden());
        QCOMPARE(s->lstGameTypes->count(), 3);
        QCOMPARE(s->lstGameTypes->currentRow(), 2);
        QVERIFY(!s->cmdPlayers->isHidden());
        QVERIFY(!s->chkHomeTeam->isChecked());
        QCOMPARE(s->cmbPeriods->currentIndex(), 2);
        QCOMPARE(s->txtPeriodScore[8]->text(), QStringLiteral("2"));
        QCOMPARE(s->lblGoals[1]->text(), QStringLiteral("5"));
        QCOMPARE(s->cmbOpponents->currentText(), QStringLiteral("G1"));
        QCOMPARE(s->txtGameLoc->text(), QStringLiteral("Rink"));
        QCOMPARE(s->txtNotes->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(s->txtGameDate->text(), QStringLiteral("10/1/2026"));
        QVERIFY(!s->lblDisplayDate->text().isEmpty());
        QVERIFY(!s->screenChanged());

        // A game type that no longer exists shows "No Game Type".
        Unload<frmGameScreen>();
        flushDeletes();
        Db().execute(QStringLiteral("update GameStats set GameType = 9"));
        s = headerFromList(false, 0);
        QCOMPARE(s->lstGameTypes->currentRow(), 0);
    }

    void savingANewGameShowsItInTheList()
    {
        addStoredGame(1, 1, 1);
        frmGameScreen* s = headerFromList(true);
        s->txtGameNumber->setText(QStringLiteral("1"));  // inserted before game 1
        s->txtGameDate->setText(QStringLiteral("12/5/2026"));
        s->cmbOpponents->setEditText(QStringLiteral("Pines"));
        s->txtPeriodScore[5]->setText(QStringLiteral("4"));
        s->txtNotes->setPlainText(QStringLiteral("first win"));
        env->expectMsgBox(QStringLiteral("Do you want to insert game?"), vbYes);
        s->cmdOK_Click();
        flushDeletes();
        QVERIFY(!Loaded<frmGameScreen>());
        QCOMPARE(Loaded<frmPScreen>()->lblGameNumber->text(), QStringLiteral("Game 1"));  // on to the new game's entry
        frmGameMenu* list = listAfterNewGame();
        QVERIFY(list);
        QVERIFY(list->lstGameMenu->item(0)->text().contains(QStringLiteral("Pines")));
        QCOMPARE(list->lstGameMenu->currentRow(), 0);  // the new game, not the one after it
        QCOMPARE(Db().scalar(QStringLiteral("select OpponentTeamNumber from GameStats where GameNumber = 1")).toInt(), 2);
        QVERIFY(!frame->QNToolbar()->isHidden());
        grab(list, "gamelist-after-add");
    }

    void changingTheNumberMovesTheGameInTheList()
    {
        for (int k = 1; k <= 5; ++k)
            addStoredGame(1, int16_t(k), k);
        // A count left over from another team's list must not let the game
        // move past this team's last game.
        g.NumGames = 40;
        g.GameEditMode = "C";
        g.GameRec.gameNumber = 2;
        frmGameScreen* s = Load<frmGameScreen>();
        s->show();
        s->txtGameNumber->setText(QStringLiteral("6"));
        env->expectMsgBox(QStringLiteral("Game Number can not be greater than total games (5)."));
        s->cmdOK_Click();
        // A failed check keeps the screen, puts the number back and goes to its box.
        QCOMPARE(Loaded<frmGameScreen>(), s);
        QCOMPARE(s->txtGameNumber->text(), QStringLiteral("2"));
        QCOMPARE(s->focusWidget(), s->txtGameNumber);
        QCOMPARE(gameOrder(1), QStringList({"G1", "G2", "G3", "G4", "G5"}));

        s->txtGameNumber->setText(QStringLiteral("4"));
        env->expectMsgBox(QStringLiteral("Are you sure you want to change the game number?"), vbYes);
        s->cmdOK_Click();
        flushDeletes();
        QVERIFY(!Loaded<frmGameScreen>());
        frmGameMenu* list = Loaded<frmGameMenu>();
        QVERIFY(list);
        const QString line = list->lstGameMenu->item(3)->text();
        QVERIFY(line.startsWith(QStringLiteral("4  ")) && line.contains(QStringLiteral("G2")));
        QCOMPARE(list->lstGameMenu->currentRow(), 3);  // the moved game stays chosen
    }

    // Two games whose every field differs; game 2 opened for change from
    // the list with the keyboard.
    frmGameScreen* changeSecondOfTwoGames()
    {
        setGameTypes({{3, "League"}, {5, "Playoff"}});
        g.EditGoalsForOption = False;
        g.EditGoalsAgainstOption = False;
        addDistinctGame(1, 1);
        addDistinctGame(2, 2);
        frame->show();
        if (!QTest::qWaitForWindowActive(frame.get()))
            return nullptr;
        frmGameMenu* list = openGameList();
        list->lstGameMenu->setFocus();
        if (list->lstGameMenu->currentRow() != 1)
            return nullptr;
        QTest::keyClick(list->lstGameMenu, Qt::Key_Return);
        frmGameScreen* s = nullptr;
        (void)QTest::qWaitFor([&] { return (s = Loaded<frmGameScreen>()) && QApplication::focusWidget() == s->txtGameDate; });
        return s && QApplication::focusWidget() == s->txtGameDate ? s : nullptr;
    }

    // Alt+P on the header screen, with the answers already scripted: the
    // player entry screen, once every answer was asked for and the header
    // screen is gone.
    frmPScreen* playerScreenByKey()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
        (void)QTest::qWaitFor([&] { return env->pendingExpectations() == 0; });
        flushDeletes();
        return env->pendingExpectations() != 0 || Loaded<frmGameScreen>() ? nullptr : Loaded<frmPScreen>();
    }

    // A check that stops one save must not stop the next: the Player Screen
    // button's save moves game 2 to number 1 and opens the entry screen, and
    // neither game's header or rows end up under the other's number.
    void aSaveAfterAFailedOneMovesOnAndKeepsBothGamesWhole()
    {
        frmGameScreen* s = changeSecondOfTwoGames();
        QVERIFY(s);

        QVERIFY(typeOver(s->txtPPG, QStringLiteral("9")));
        env->expectMsgBox(QStringLiteral("Power Play Goals (PPG) can NOT be > Power Plays (PP)"), vbOK,
                          QStringLiteral("Power Play Goals Error"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(env->pendingExpectations(), 0);
        QCOMPARE(Loaded<frmGameScreen>(), s);
        QVERIFY(typeOver(s->txtPPG, QStringLiteral("0")));
        QVERIFY(typeOver(s->txtGameNumber, QStringLiteral("1")));
        env->expectMsgBox(QStringLiteral("Save game information?"), vbYes, QStringLiteral("Game Information Changed"));
        env->expectMsgBox(QStringLiteral("Are you sure you want to change the game number?"), vbYes);
        frmPScreen* entry = playerScreenByKey();
        QVERIFY(entry);

        QCOMPARE(entry->lblGameNumber->text(), QStringLiteral("Game 1"));
        QCOMPARE(g.OldGameNumber, int16_t(1));  // the number the game is stored under

        QVariantMap moved = distinctGame(1, 2);
        moved[QStringLiteral("PPG")] = 0;
        QCOMPARE(differences(1, moved), QStringList());
        QCOMPARE(differences(2, distinctGame(2, 1)), QStringList());
        QCOMPARE(statMarkers("PlayerStats", 1, 1), QList<int>({2, 2}));
        QCOMPARE(statMarkers("GoalieStats", 1, 1), QList<int>({2}));
        QCOMPARE(statMarkers("PlayerStats", 1, 2), QList<int>({1, 1}));
        QCOMPARE(statMarkers("GoalieStats", 1, 2), QList<int>({1}));
    }

    // A save stopped after the new number was confirmed leaves that number
    // in the buffer; declining the save on the way to the player entry
    // screen opens the game under the number it is still stored under.
    void declinedSaveOpensThePlayersOfTheStoredNumber()
    {
        frmGameScreen* s = changeSecondOfTwoGames();
        QVERIFY(s);
        QVERIFY(typeOver(s->txtPPG, QStringLiteral("9")));
        QVERIFY(typeOver(s->txtGameNumber, QStringLiteral("1")));
        env->expectMsgBox(QStringLiteral("Are you sure you want to change the game number?"), vbYes);
        env->expectMsgBox(QStringLiteral("Power Play Goals (PPG) can NOT be > Power Plays (PP)"), vbOK);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(env->pendingExpectations(), 0);
        QCOMPARE(Loaded<frmGameScreen>(), s);
        QCOMPARE(QApplication::focusWidget(), s->txtPPG);
        QCOMPARE(s->txtGameNumber->text(), QStringLiteral("1"));

        env->expectMsgBox(QStringLiteral("Save game information?"), vbNo, QStringLiteral("Game Information Changed"));
        frmPScreen* entry = playerScreenByKey();
        QVERIFY(entry);
        QCOMPARE(entry->lblGameNumber->text(), QStringLiteral("Game 2"));
        QCOMPARE(g.GameRec.gameNumber, int16_t(2));
        QCOMPARE(differences(1, distinctGame(1, 1)), QStringList());
        QCOMPARE(differences(2, distinctGame(2, 2)), QStringList());
        QCOMPARE(statMarkers("PlayerStats", 1, 2), QList<int>({2, 2}));
    }

    void cancelAndClosingTheFrameAskOnlyAfterAChange()
    {
        addStoredGame(1, 1, 1);
        frmGameScreen* s = headerFromList(false, 0);
        s->cmdCancel_Click();
        flushDeletes();
        QVERIFY(Loaded<frmGameMenu>());

        // Changed: Cancel, the frame's close box and Exit Program each ask, and
        // No keeps the screen; Yes closes it as its Cancel does, writing nothing.
        s = headerFromList(false, 0);
        s->show();
        s->txtGameLoc->setText(QStringLiteral("Elsewhere"));
        env->expectMsgBox(QStringLiteral("Do you really want to cancel?"), vbNo, QStringLiteral("Game Information Changed"));
        s->cmdCancel_Click();
        QCOMPARE(s->focusWidget(), s->txtGameDate);
        env->expectMsgBox(QStringLiteral("Do you really want to cancel?"), vbNo);
        QVERIFY(!frame->close());
        env->expectMsgBox(QStringLiteral("Do you really want to cancel?"), vbNo);
        frame->mnuExitProgram_Click();
        QCOMPARE(Loaded<frmGameScreen>(), s);
        QVERIFY(!env->ended());
        env->expectMsgBox(QStringLiteral("Do you really want to cancel?"), vbYes);
        QVERIFY(frame->close());
        QVERIFY(env->ended());
        QVERIFY(!Loaded<frmGameScreen>());
        OpenMainDatabase();
        QCOMPARE(Db().scalar(QStringLiteral("select Location from GameStats")).toString(), QStringLiteral("Rink"));
    }

    void importFillsTheScreenFromTheOpponentsSide()
    {
        addOpponentsGame();
        addStoredGame(2, 2, 7);
        frmGameScreen* s = headerFromList(true);
        s->show();
        s->txtNotes->setPlainText(QStringLiteral("mine"));

        // A typed opponent, or one that differs in letter case, is refused.
        s->cmbOpponents->setEditText(QStringLiteral("pines"));
        env->expectMsgBox(QStringLiteral("Must select opponent from drop-down list!"));
        s->cmdImport_Click();
        QCOMPARE(s->focusWidget(), s->txtGameDate);
        QCOMPARE(g.ImportOpponentTeam, int16_t(0));
        // An opponent without games offers nothing but Cancel.
        s->cmbOpponents->setCurrentIndex(1);
        Dialog::setModalHook([](Dialog* d) {
            auto* dialog = static_cast<frmImportGame*>(d);
            QCOMPARE(dialog->lstGameMenu->count(), 0);
            QVERIFY(!dialog->cmdOK->isEnabled());
            dialog->cmdCancel_Click();
        });
        s->cmdImport_Click();
        s->cmbOpponents->setEditText(QStringLiteral("  Pines "));

        // The dialog lists the opponent's games, the last one chosen.
        QStringList offered;
        Dialog::setModalHook([&](Dialog* d) {
            auto* dialog = static_cast<frmImportGame*>(d);
            offered = listTexts(dialog->lstGameMenu);
            QCOMPARE(dialog->lstGameMenu->currentRow(), 1);
            QVERIFY(!dialog->chkGameComment->isChecked());
            grab(dialog, "import-dialog");
            dialog->lstGameMenu->setCurrentRow(0);
            dialog->cmdOK_Click();
        });
        s->cmdImport_Click();
        Dialog::setModalHook({});
        QCOMPARE(offered.size(), 2);
        QVERIFY(offered[0].contains(QStringLiteral("Oaks")));

        QVERIFY(!s->chkHomeTeam->isChecked());
        QCOMPARE(s->cmbPeriods->currentIndex(), 1);
        QCOMPARE(s->txtGameDate->text(), QStringLiteral("11/20/2026"));
        // The team's periods 1 and 2, the opponent's 1 to 3, PP, PPG, SH,
        // kills; the game number stays.
        QCOMPARE(boxTexts({s->txtPeriodScore[5], s->txtPeriodScore[6], s->txtPeriodScore[0], s->txtPeriodScore[1],
                           s->txtPeriodScore[2], s->txtPP, s->txtPPG, s->txtSH, s->txtKills, s->txtGameNumber}),
                 QStringList({"2", "0", "1", "2", "1", "3", "1", "5", "3", "1"}));
        QCOMPARE(s->txtNotes->toPlainText(), QStringLiteral("mine"));
        grab(s, "header-imported");

        // With the notes box ticked the notes come too.
        Dialog::setModalHook([](Dialog* d) {
            auto* dialog = static_cast<frmImportGame*>(d);
            dialog->lstGameMenu->setCurrentRow(0);
            dialog->chkGameComment->setChecked(true);
            dialog->cmdOK_Click();
        });
        s->cmdImport_Click();
        QCOMPARE(s->txtNotes->toPlainText(), QStringLiteral("their notes"));
        // Cancel, the close box, or a dialog gone without a button import nothing.
        s->txtNotes->setPlainText(QStringLiteral("mine"));
        for (int how = 0; how < 3; ++how) {
            Dialog::setModalHook([how](Dialog* d) {
                if (how == 0)
                    static_cast<frmImportGame*>(d)->cmdCancel_Click();
                else if (how == 1)
                    d->close();
            });
            s->cmdImport_Click();
            QCOMPARE(s->txtNotes->toPlainText(), QStringLiteral("mine"));
        }

        // Saved, the game is the team's own row, seen from its side.
        Dialog::setModalHook({});
        s->cmdOK_Click();
        flushDeletes();
        QVERIFY(!Loaded<frmGameScreen>());
        // One row: its goals against, home flag and opponent.
        QCOMPARE(Db().scalar(QStringLiteral("select group_concat(OppGoals || ' ' || HomeTeam || ' ' || OpponentTeamNumber) "
                                            "from GameStats where TeamNumber = 1"))
                     .toString(),
                 QStringLiteral("4 0 2"));
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from GameStats where TeamNumber = 2")).toInt(), 2);
    }
};

VH_TEST_MAIN(TstGameWindows)
#include "tst_gamewindows.moc"
