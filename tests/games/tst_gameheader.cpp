#include "games/GameHeader.h"
#include "games/GameTestData.h"
#include "games/ImportMirror.h"
#include "shell/TextFormat.h"
#include "support/ScreenReader.h"
#include "support/TestMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace vh;
using namespace vh::test;

namespace {

// A 3-period header as the screen shows it: 3 to 1 for the team, no
// overtime goals, 4 power plays with 1 goal, 2 short-handed with 2 kills.
GameHeaderEntry entry(const QString& number)
{
    const QString t[] = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                         QStringLiteral("4")};
    return GameHeaderEntry{.gameNumber = number, .periodsIndex = 1, .gameDate = QStringLiteral("12/5/2026"),
                           .location = QStringLiteral(" Arena "), .opponent = QStringLiteral("Pines"),
                           .opponentTeams = {{QStringLiteral("Pines"), 2}, {QStringLiteral("Elms"), 3}},
                           .periodScores = {t[1], t[0], t[0], t[0], t[0], t[1], t[1], t[1], t[0], t[0]},
                           .oppGoals = t[1], .goals = t[3], .pp = t[4], .ppg = t[1], .sh = t[2], .kills = t[2],
                           .notes = QStringLiteral("notes")};
}

void open(const char* mode, int16_t number)
{
    g.GameEditMode = mode;
    g.GameRec.gameNumber = number;
    g.OldGameNumber = number;
    g.GameInfoChanged = "N";
}

// A field of the team's stored game.
QVariant stored(int game, const char* field)
{
    const QString sql = QStringLiteral("select %1 from GameStats where TeamNumber = 1 and GameNumber = ?");
    return Db().scalar(sql.arg(QLatin1String(field)), {game});
}

int storedGames() { return Db().scalar(QStringLiteral("select count(*) from GameStats where TeamNumber = 1")).toInt(); }

}  // namespace

class TstGameHeader : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    // Saves and checks that it stopped on `box` with the message shown.
    void refused(const GameHeaderEntry& e, const QString& text, const QString& title, HeaderBox box,
                 bool restore = false)
    {
        const int before = storedGames();
        env->expectMsgBox(text, vbOK, title);
        const HeaderSaveResult r = SaveGameHeader(e, 0, True);
        QVERIFY(!r.saved);
        QCOMPARE(int(r.focus), int(box));
        QCOMPARE(r.restoreGameNumber, restore);
        QCOMPARE(storedGames(), before);
    }
    void refusedNumber(const QString& number, const QString& text)
    {
        refused(entry(number), text, QStringLiteral("Invalid Game Number"), HeaderBox::GameNumber, true);
    }

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        setGameState({{1, "Oaks"}, {2, "Pines"}, {3, "Elms"}});
        for (int k = 1; k <= 5; ++k)
            addStoredGame(1, int16_t(k), k);
        g.NumGames = 5;
    }
    void cleanup()
    {
        Unload<frmGameMenu>();
        Unload<frmGameScreen>();
        flushDeletes();
        const int unseen = env->pendingExpectations();  // message boxes expected but never shown
        env.reset();
        QCOMPARE(unseen, 0);
    }

    void screenValuesFillTheBuffer()
    {
        open("A", 6);
        GameHeaderEntry e = entry(QStringLiteral("6"));
        e.periodsIndex = 0;  // two periods: the hidden third and fourth count 0
        e.periodScores[2] = QStringLiteral("5");
        e.periodScores[8] = QStringLiteral("7");
        e.pp.clear();        // an empty box counts 0
        e.opponent = QStringLiteral("  Elms ");
        GameRecord r = FillGameRecord(e, 1, 6);
        QCOMPARE(r.periods, int16_t(2));
        QCOMPARE(r.oppGoalsPeriod1, int16_t(1));
        QCOMPARE(r.oppGoalsPeriod3, int16_t(0));
        QCOMPARE(r.goalsPeriod3, int16_t(0));
        QCOMPARE(r.goalsPeriod4, int16_t(0));
        QCOMPARE(r.goals, int16_t(3));
        QCOMPARE(r.pp, int16_t(0));
        QCOMPARE(r.location, QStringLiteral("Arena"));
        QCOMPARE(r.opponent, QStringLiteral("Elms"));
        QCOMPARE(r.opponentTeamNumber, int16_t(3));
        QVERIFY(r.homeTeam);

        // The name must match exactly, letter case included; of equal names
        // the last one counts.
        e.opponent = QStringLiteral("elms");
        r = FillGameRecord(e, 1, 6);
        QCOMPARE(r.opponentTeamNumber, int16_t(0));
        e.opponent = QStringLiteral("Pines");
        e.opponentTeams.emplace_back(QStringLiteral("Pines"), 9);
        r = FillGameRecord(e, 1, 6);
        QCOMPARE(r.opponentTeamNumber, int16_t(9));

        QCOMPARE(RowTotal(e.periodScores, 0, 0), int16_t(1));   // 1 + 0 + OT 0; period 3 hidden
        QCOMPARE(RowTotal(e.periodScores, 0, 1), int16_t(6));   // period 3 counts
        QCOMPARE(RowTotal(e.periodScores, 5, 2), int16_t(10));  // 1 + 1 + 1 + 7
    }

    void everyPeriodBoxIsStoredInItsOwnField()
    {
        open("C", 2);
        GameHeaderEntry e = entry(QStringLiteral("2"));
        e.periodsIndex = 2;  // four periods: every box counts
        e.periodScores = {"21", "22", "23", "24", "25", "11", "12", "13", "14", "15"};
        e.oppGoals = QStringLiteral("115");
        e.goals = QStringLiteral("65");
        QVERIFY(SaveGameHeader(e, 0, True).saved);
        QStringList fields;
        for (const char* side : {"Goals", "OppGoals"})
            for (const char* part : {"Period1", "Period2", "Period3", "Period4", "OT"})
                fields << QString::fromLatin1(side) + QLatin1String(part) + QLatin1Char('=') +
                              stored(2, (QByteArray(side) + part).constData()).toString();
        QCOMPARE(fields, QStringList({"GoalsPeriod1=11", "GoalsPeriod2=12", "GoalsPeriod3=13", "GoalsPeriod4=14",
                                      "GoalsOT=15", "OppGoalsPeriod1=21", "OppGoalsPeriod2=22", "OppGoalsPeriod3=23",
                                      "OppGoalsPeriod4=24", "OppGoalsOT=25"}));
    }

    void onlyANewGameTakesASerialNumber()
    {
        // Game 3 holds the last serial number there is: changes still save.
        Db().execute(QStringLiteral("update GameStats set GStatNumber = 32767 where GameNumber = 3"));
        open("C", 1);
        QVERIFY(SaveGameHeader(entry(QStringLiteral("1")), 0, True).saved);
        QCOMPARE(stored(1, "GStatNumber").toInt(), 1);

        open("A", 6);
        env->expectMsgBox(QStringLiteral("No more games can be added: game serial number 32767"), vbOK,
                          QStringLiteral("No Game Serial Number Left"));
        QVERIFY(!SaveGameHeader(entry(QStringLiteral("6")), -1, 777).saved);
        QCOMPARE(storedGames(), 5);

        Db().execute(QStringLiteral("update GameStats set GStatNumber = 32766 where GameNumber = 3"));
        QVERIFY(SaveGameHeader(entry(QStringLiteral("6")), -1, 777).saved);
        QCOMPARE(stored(6, "GStatNumber").toInt(), 32767);
    }

    void theChecksAskAndStopWithoutABox()
    {
        GameHeaderInput in;
        in.entry = entry(QStringLiteral("2"));
        in.entry.periodScores[0] = QStringLiteral("3");  // 3 to 3: the overtime question too
        in.entry.oppGoals = QStringLiteral("3");
        in.mode = QStringLiteral("A");
        in.team = 1;
        in.oldGameNumber = 6;
        HeaderStep step = CheckGameHeader(Db(), in);
        QCOMPARE(int(step.kind), int(HeaderStep::Kind::Ask));
        QCOMPARE(int(step.question), int(HeaderQuestion::InsertAtNumber));
        in.insertAtNumber = true;
        step = CheckGameHeader(Db(), in);
        QCOMPARE(int(step.question), int(HeaderQuestion::Overtime));
        in.overtime = true;
        step = CheckGameHeader(Db(), in);
        QCOMPARE(int(step.kind), int(HeaderStep::Kind::Write));
        QVERIFY(step.request.game.overtime);
        QCOMPARE(step.request.game.gameNumber, int16_t(2));
        QCOMPARE(storedGames(), 5);
    }

    void aNewGameIsInsertedWhenAskedAndAppendedWithoutAQuestion()
    {
        // Game 2's statistics would not match; a new game is never compared with them.
        g.EditGoalsForOption = True;
        g.EditGoalsAgainstOption = True;
        open("A", 6);
        // A write that fails is shown and keeps nothing.
        Db().execute(QStringLiteral("create trigger refuse before insert on GameStats begin "
                                    "select raise(abort, 'refused'); end"));
        env->expectMsgBox(QStringLiteral("The game could not be added!\rEvery game keeps its number"));
        QVERIFY(!SaveGameHeader(entry(QStringLiteral("6")), -1, 777).saved);
        QCOMPARE(storedGames(), 5);
        Db().execute(QStringLiteral("drop trigger refuse"));

        env->expectMsgBox(QStringLiteral("Game number is not the next game number.\rDo you want to insert game?"), vbNo,
                          QStringLiteral("Game Number Changed!"));
        GameHeaderEntry e = entry(QStringLiteral("2"));
        e.goals = QStringLiteral("9");
        QVERIFY(!SaveGameHeader(e, -1, 777).saved);
        QCOMPARE(storedGames(), 5);
        env->expectMsgBox(QStringLiteral("Do you want to insert game?"), vbYes);
        QVERIFY(SaveGameHeader(e, -1, 777).saved);
        QCOMPARE(gameOrder(1), QStringList({"G1", "Pines", "G2", "G3", "G4", "G5"}));

        // At the next number: no question, and a new game always counts as changed.
        open("A", 7);
        QVERIFY(SaveGameHeader(entry(QStringLiteral("7")), -1, 777).saved);
        QCOMPARE(gameOrder(1).size(), 7);
        QVERIFY(g.GameInfoChanged == "Y");
    }

    void gameNumbersOutOfRangeAreRefusedAndAChangedOneAsks()
    {
        open("A", 6);
        refusedNumber(QStringLiteral("0"), QStringLiteral("Game Number can not be zero!"));
        refusedNumber(QStringLiteral("7"), QStringLiteral("Game Number can not be greater than the next game number (6)!"));
        // Past the 16-bit range: the same refusal, not an overflow.
        refusedNumber(QStringLiteral("99999"), QStringLiteral("greater than the next game number (6)!"));

        open("C", 2);
        refusedNumber(QString(), QStringLiteral("Game Number can not be zero!"));
        refusedNumber(QStringLiteral("6"), QStringLiteral("Game Number can not be greater than total games (5)."));
        refusedNumber(QStringLiteral("40000"), QStringLiteral("greater than total games (5)."));

        env->expectMsgBox(QStringLiteral("Are you sure you want to change the game number?\r"
                                         "If so, this game will be inserted at that spot!"),
                          vbNo, QStringLiteral("Game Number Changed!"));
        const HeaderSaveResult no = SaveGameHeader(entry(QStringLiteral("4")), 0, True);
        QVERIFY(!no.saved);
        QVERIFY(!no.restoreGameNumber);  // the typed number stays in the box
        QCOMPARE(gameOrder(1), QStringList({"G1", "G2", "G3", "G4", "G5"}));

        env->expectMsgBox(QStringLiteral("Are you sure you want to change the game number?"), vbYes);
        QVERIFY(SaveGameHeader(entry(QStringLiteral("4")), 0, True).saved);
        QCOMPARE(gameOrder(1), QStringList({"G1", "G3", "G4", "Pines", "G5"}));

        // The last number is a place too; the one past it was refused above.
        open("C", 2);
        GameHeaderEntry last = entry(QStringLiteral("5"));
        last.opponent = QStringLiteral("Elms");
        env->expectMsgBox(QStringLiteral("Are you sure you want to change the game number?"), vbYes);
        QVERIFY(SaveGameHeader(last, 0, True).saved);
        QCOMPARE(gameOrder(1), QStringList({"G1", "G4", "Pines", "G5", "Elms"}));
    }

    void checksComeInTheirOrder()
    {
        open("C", 2);
        GameHeaderEntry e = entry(QStringLiteral("0"));
        e.gameDate = QStringLiteral("13/45/99");
        e.ppg = QStringLiteral("5");    // above PP 4 and above the 3 goals
        e.kills = QStringLiteral("3");  // above SH 2
        refused(e, QStringLiteral("Game Number can not be zero!"), QStringLiteral("Invalid Game Number"),
                HeaderBox::GameNumber, true);
        e.gameNumber = QStringLiteral("2");
        refused(e, QStringLiteral("Game Date must be in mm/dd/yy format or blank!"), QStringLiteral("Invalid Game Date"),
                HeaderBox::GameDate);
        e.gameDate = QStringLiteral("2026-12-05");  // any notation read as a date passes
        refused(e, QStringLiteral("Power Play Goals (PPG) can NOT be > Power Plays (PP)"),
                QStringLiteral("Power Play Goals Error"), HeaderBox::PPG);
        e.pp = QStringLiteral("9");
        refused(e, QStringLiteral("Killed Penalties can NOT be > Short Handed Opportunities (SH)"),
                QStringLiteral("Killed Penalties Error"), HeaderBox::Kills);
        e.kills = QStringLiteral("2");  // equal to SH passes
        refused(e, QStringLiteral("Power Play Goals (PPG) can NOT be > Total Goals Scoresd"),
                QStringLiteral("Power Play Goals Error"), HeaderBox::PPG);
        e.ppg = QStringLiteral("3");  // equal to the goals passes
        QVERIFY(SaveGameHeader(e, 0, True).saved);
        QCOMPARE(stored(2, "GameDate"), QVariant(QStringLiteral("2026-12-05")));
        e.gameDate = QStringLiteral("   ");  // blank: no date
        QVERIFY(SaveGameHeader(e, 0, True).saved);
        QVERIFY(stored(2, "GameDate").isNull());
    }

    void aDateTypedTheRegionalWayIsSavedAndListed_data() { addRegionRows(); }
    void aDateTypedTheRegionalWayIsSavedAndListed()
    {
        QFETCH(QString, region);
        RegionalSettings settings(region);
        open("C", 3);
        GameHeaderEntry e = entry(QStringLiteral("3"));
        e.gameDate = fifthOfJanuaryAsTyped(region);
        QVERIFY(SaveGameHeader(e, 0, True).saved);
        Recordset rs = Db().openRecordset(QStringLiteral("Select * from GameStats where TeamNumber = 1 and GameNumber = 3"));
        QCOMPARE(rs.getDate(QStringLiteral("GameDate")), QDate(2026, 1, 5));
        QCOMPARE(ParseDate(FormatGameListLine(rs).mid(4, 11)), std::optional(QDate(2026, 1, 5)));
    }

    void overtimeIsAskedOnATieAndTheInfoFlagFollowsTypeAndHome()
    {
        open("C", 1);
        GameHeaderEntry tie = entry(QStringLiteral("1"));
        tie.goals = QStringLiteral("2");
        tie.oppGoals = QStringLiteral("2");
        tie.ppg = QStringLiteral("0");
        env->expectMsgBox(QStringLiteral("Was this an overtime game?"), vbYes, QStringLiteral("Overtime Game?"));
        QVERIFY(SaveGameHeader(tie, 0, True).saved);
        QVERIFY(g.GameRec.overtime);
        // A stored tie is asked about again on every save.
        env->expectMsgBox(QStringLiteral("Was this an overtime game?"), vbNo);
        QVERIFY(SaveGameHeader(tie, 0, True).saved);
        QVERIFY(!g.GameRec.overtime);
        tie.goals = tie.oppGoals = QStringLiteral("0");
        env->expectMsgBox(QStringLiteral("Was this an overtime game?"), vbYes);
        QVERIFY(SaveGameHeader(tie, 0, True).saved);

        GameHeaderEntry won = entry(QStringLiteral("1"));  // 3 to 1, no overtime goal
        QVERIFY(SaveGameHeader(won, 0, True).saved);
        QVERIFY(!g.GameRec.overtime);
        won.periodScores[9] = QStringLiteral("1");  // an overtime goal: no question
        QVERIFY(SaveGameHeader(won, 0, True).saved);
        QVERIFY(g.GameRec.overtime);
        QCOMPARE(stored(1, "Overtime").toInt(), -1);
        // Lost 1 to 2 by the opponent's overtime goal: an overtime game too.
        QVERIFY(SaveGameHeader(entry(QStringLiteral("1")), 0, True).saved);
        QCOMPARE(stored(1, "Overtime").toInt(), 0);
        GameHeaderEntry lost = entry(QStringLiteral("1"));
        lost.periodScores[4] = QStringLiteral("1");
        lost.goals = QStringLiteral("1");
        lost.oppGoals = QStringLiteral("2");
        QVERIFY(SaveGameHeader(lost, 0, True).saved);
        QVERIFY(g.GameRec.overtime);
        QCOMPARE(stored(1, "Overtime").toInt(), -1);

        open("C", 1);
        QVERIFY(SaveGameHeader(entry(QStringLiteral("1")), 0, True).saved);
        QVERIFY(g.GameInfoChanged == "N");
        GameHeaderEntry away = entry(QStringLiteral("1"));
        away.homeTeam = false;
        QVERIFY(SaveGameHeader(away, 0, True).saved);
        QVERIFY(g.GameInfoChanged == "Y");
        QCOMPARE(seed::countRows(Db(), QStringLiteral("PlayerStats"), QStringLiteral("GameNumber = 1 and HomeTeam = 0")), 2);
    }

    void goalWarningsCompareWithTheStoredStatistics()
    {
        // Game 2: players scored 2 and 1, a goalie 1; goalies let in 1 + 2.
        Db().execute(QStringLiteral("update PlayerStats set G = 2 where PlayerNumber = 200"));
        Db().execute(QStringLiteral("update GoalieStats set G = 1, GA1 = 1, EN = 2 where PlayerNumber = 250"));
        g.EditGoalsForOption = True;
        g.EditGoalsAgainstOption = True;
        open("C", 2);
        GameHeaderEntry e = entry(QStringLiteral("2"));
        e.goals = QStringLiteral("5");
        env->expectMsgBox(QStringLiteral("Goals scored do not equal goals entered on Player Screen!\r\r"
                                         "5  -   Game Screen goals scored\r"
                                         "4  -   Player Screen goals scored (1 by goalie)\r\r"
                                         "Note: You can turn off this warning in Options under Tools"),
                          vbOK, QStringLiteral("Goals Scored Do Not Match Player Screen"));
        env->expectMsgBox(QStringLiteral("1  -   Game Screen goals against\r3  -   Player Screen goals against\r\r"));
        QVERIFY(SaveGameHeader(e, 0, True).saved);  // the warnings never stop the save
        QCOMPARE(stored(2, "Goals").toInt(), 5);

        // Matching figures, or the options off: no warning.
        e.goals = QStringLiteral("4");
        e.oppGoals = QStringLiteral("3");
        e.periodScores[9] = QStringLiteral("1");
        QVERIFY(SaveGameHeader(e, 0, True).saved);
        g.EditGoalsForOption = False;
        g.EditGoalsAgainstOption = False;
        e.goals = QStringLiteral("9");
        QVERIFY(SaveGameHeader(e, 0, True).saved);

        // Without goalie goals the line names none.
        g.EditGoalsForOption = True;
        open("C", 3);
        env->expectMsgBox(QStringLiteral("2  -   Player Screen goals scored\r\r"), vbOK);
        QVERIFY(SaveGameHeader(entry(QStringLiteral("3")), 0, True).saved);

        // Game 2 moved to number 4 is compared with its own rows, which match,
        // not with those of the game at 4.
        Db().execute(QStringLiteral("update PlayerStats set G = 5 where TeamNumber = 1 and GameNumber = 4"));
        g.EditGoalsAgainstOption = True;
        open("C", 2);
        e.gameNumber = QStringLiteral("4");
        e.goals = QStringLiteral("4");
        env->expectMsgBox(QStringLiteral("Are you sure you want to change the game number?"), vbYes);
        QVERIFY(SaveGameHeader(e, 0, True).saved);
    }

    // Switched from four periods to three, the figure left in the hidden
    // fourth-period box counts nowhere: not in the total, the stored goals
    // nor the result, here a tie rather than a win. The long opponent's name
    // shows from its start.
    void aHiddenFourthPeriodCountsNowhere()
    {
        const QString opponent = QStringLiteral("Northern Lakes Hockey Association Juniors Blue 50");
        Db().execute(QStringLiteral("update GameStats set Periods = 4, Opponent = ?, GoalsPeriod1 = 1, GoalsPeriod2 = 1, "
                                    "Goals = 2, OppGoalsPeriod1 = 1, OppGoalsPeriod2 = 1, OppGoals = 2, PPG = 0 "
                                    "where TeamNumber = 1 and GameNumber = 2"),
                     {opponent});
        g.EditGoalsForOption = False;
        g.EditGoalsAgainstOption = False;
        open("C", 2);
        frmGameScreen* s = Load<frmGameScreen>();
        s->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s));
        QCOMPARE(s->cmbOpponents->currentText(), opponent);
        QCOMPARE(s->cmbOpponents->lineEdit()->cursorPosition(), 0);
        grab(s, "header-long-opponent");

        QLineEdit* fourth = s->txtPeriodScore[8];  // the team's
        fourth->setFocus();
        QTest::keyClick(fourth, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(fourth, QStringLiteral("1"));
        QCOMPARE(s->lblGoals[1]->text(), QStringLiteral("3"));
        s->cmbPeriods->setFocus();
        QTest::keyClick(s->cmbPeriods, Qt::Key_Up);
        QCOMPARE(s->cmbPeriods->currentText(), QStringLiteral("3"));
        QVERIFY(fourth->isHidden());
        QCOMPARE(fourth->text(), QStringLiteral("1"));
        QCOMPARE(s->lblGoals[1]->text(), QStringLiteral("2"));

        env->expectMsgBox(QStringLiteral("Was this an overtime game?"), vbNo);
        s->cmdOK->click();
        flushDeletes();
        QVERIFY(!Loaded<frmGameScreen>());
        QCOMPARE(stored(2, "Periods").toInt(), 3);
        QCOMPARE(stored(2, "GoalsPeriod4").toInt(), 0);
        QCOMPARE(stored(2, "Goals").toInt(), 2);
        frmGameMenu* list = Loaded<frmGameMenu>();
        QVERIFY(list);
        QVERIFY2(list->lstGameMenu->item(1)->text().endsWith(QStringLiteral("2-2   tie ")),
                 qPrintable(list->lstGameMenu->item(1)->text()));
    }

    void theOpponentsGameSeenFromTheOtherSide()
    {
        addOpponentsGame();
        Recordset rs = Db().openRecordset(QStringLiteral("select * from GameStats where TeamNumber = 2"));
        // The periods, scores, power plays and home flag reach the screen's
        // boxes swapped (tst_gamewindows, importFillsTheScreenFromTheOpponentsSide).
        const MirroredGame m = MirrorOpponentGame(rs);
        QCOMPARE(m.location, QStringLiteral("North Rink"));
        QCOMPARE(m.gameType, int16_t(4));
        QCOMPARE(m.goals, int16_t(2));
        QCOMPARE(m.oppGoals, int16_t(4));
        QCOMPARE(m.notes, QStringLiteral("their notes"));

        // No date, no home flag and an odd period count.
        Db().execute(QStringLiteral("update GameStats set GameDate = null, HomeTeam = null, Periods = 7 where "
                                    "TeamNumber = 2"));
        Recordset again = Db().openRecordset(QStringLiteral("select * from GameStats where TeamNumber = 2"));
        const MirroredGame n = MirrorOpponentGame(again);
        QCOMPARE(n.gameDate, QString());
        QCOMPARE(n.homeTeam, true);
        QCOMPARE(n.periodsIndex, 2);
    }
    // "Number of Periods to Show" opened by a screen reader's action took no
    // entry of its open list: the box stayed at 3. An entry chosen there, by
    // its Toggle or the list's selection, is the box's as a click makes it:
    // the list closes, the score grid follows and OK stores the periods.
    void thePeriodsAreChosenInTheOpenList()
    {
        open("C", 2);
        frmGameScreen* s = Load<frmGameScreen>();
        s->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s));
        QCOMPARE(s->cmbPeriods->currentText(), QStringLiteral("3"));
        QAbstractItemView* list = s->cmbPeriods->view();
        reader::showList(s->cmbPeriods);
        QTRY_VERIFY(list->isVisible());
        reader::choose(list, 0);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(s->cmbPeriods->currentText(), QStringLiteral("2"));
        QVERIFY(s->txtPeriodScore[2]->isHidden());
        QVERIFY(s->screenChanged());
        reader::showList(s->cmbPeriods);
        QTRY_VERIFY(list->isVisible());
        QVERIFY(reader::selectRow(list, 2));
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(s->cmbPeriods->currentText(), QStringLiteral("4"));
        QVERIFY(!s->txtPeriodScore[3]->isHidden());
        s->cmdOK->click();
        flushDeletes();
        QVERIFY(!Loaded<frmGameScreen>());
        QCOMPARE(stored(2, "Periods").toInt(), 4);
    }
};

VH_TEST_MAIN(TstGameHeader)
#include "tst_gameheader.moc"
