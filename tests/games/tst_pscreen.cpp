// The player entry screen as the user drives it: what it shows of a stored
// game, the grid clicks that check and store the person shown, the entry
// rules' messages and focus, the played box, +1/-1 and refused texts, the
// rows OK and Game Screen write, the roster round trip, the totals view and
// a save that fails.

#include "games/GameTestData.h"
#include "games/PlayerScreenLink.h"
#include "shell/Startup.h"
#include "support/ScreenReader.h"
#include "support/TestMain.h"
#include "teams/frmRoster.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <map>

using namespace vh;
using namespace vh::test;
using Pic = frmPScreen::Picture;

namespace {

constexpr int16_t Team = 1;

// Category numbers the tests type into.
namespace P {
constexpr int Min = 3, SOG = 4, G = 5, PP = 6, SH = 7, Ast = 15, PIM = 19, Sec = 45;
}
namespace Gk {
constexpr int GA1 = 7, GA2 = 8, GA3 = 9, GAO = 11, Sv1 = 13, Sv3 = 15, Sv4 = 16, G = 19, PIM = 22, EN = 23, Sec = 45;
}

using seed::addPerson;
using seed::addRoster;

// A stored field of a person's row of game 1, or -999 when there is no row.
int stored(const char* table, int person, const char* field)
{
    const QVariant v = Db().scalar(QStringLiteral("select %1 from %2 where TeamNumber = 1 and GameNumber = 1 and "
                                                  "PlayerNumber = ?")
                                       .arg(QLatin1String(field), QLatin1String(table)),
                                   {person});
    return v.isValid() && !v.isNull() ? v.toInt() : -999;
}

QList<int> storedPersons(const char* table)
{
    QList<int> out;
    Recordset rs = Db().openRecordset(QStringLiteral("select PlayerNumber from %1 where TeamNumber = 1 and "
                                                     "GameNumber = 1 order by PlayerNumber")
                                          .arg(QLatin1String(table)));
    for (; !rs.eof(); rs.moveNext())
        out << rs.getInt(QStringLiteral("PlayerNumber"));
    return out;
}

// The box of a category in the role's layout.
int boxIndex(CatKind kind, int category)
{
    const OneBased<int16_t>& order = kind == CatKind::Player ? g.PlayerInputOrder : g.GoalieInputOrder;
    for (int k = 1; k <= 32; ++k)
        if (order[k] == category)
            return k - 1;
    qFatal("category %d is not on the layout", category);
    return -1;
}

QLineEdit* box(frmPScreen* s, CatKind kind, int category) { return s->txtCat[size_t(boxIndex(kind, category))]; }

// Types into boxes the way the screen sees typing.
void type(frmPScreen* s, CatKind kind, const std::map<int, int>& values)
{
    for (const auto& [category, value] : values)
        box(s, kind, category)->setText(QString::number(value));
}

void clickCell(frmPScreen* s, int row, int col)
{
    QTableWidget* grid = s->tblPlayerList;
    const QModelIndex index = grid->model()->index(row, col);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

QWidget* focused() { return QApplication::focusWidget(); }

// The names in the grid, in row order.
QStringList gridNames(frmPScreen* s)
{
    QStringList names;
    for (int r = 0; r < s->tblPlayerList->rowCount(); ++r)
        names << s->tblPlayerList->item(r, 2)->text();
    return names;
}

}  // namespace

class TstPScreen : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<FrmMDI> frame;

    // The game's entry screen, the windows an earlier step opened unloaded.
    frmPScreen* open(int16_t game = 1)
    {
        Unload<frmGameScreen>();
        Unload<frmGameMenu>();
        flushDeletes();
        g.GameRec.gameNumber = game;
        ShowPlayerScreen();
        return Loaded<frmPScreen>();
    }

    // Ann (1) played with stored values, Bo (2) and Cy (3) did not, Di (4)
    // kept goal; Ed (5) is on the roster but not as a player, person 6 has no
    // People row, and Gus (7) has a row of the game but left the roster.
    void makeTeam()
    {
        addPerson(1, QStringLiteral("Ann"), QStringLiteral("Abel"));
        addPerson(2, QStringLiteral("Bo"), QStringLiteral("Baker"));
        addPerson(3, QStringLiteral("Cy"), QStringLiteral("Cole"));
        addPerson(4, QStringLiteral("Di"), QStringLiteral("Dunn"));
        addPerson(5, QStringLiteral("Ed"), QStringLiteral("Eng"));
        addPerson(7, QStringLiteral("Gus"), QStringLiteral("Gray"));
        for (int p : {1, 2, 3, 4})
            addRoster(Team, p);
        addRoster(Team, 5, False);
        addRoster(Team, 6);
        addStoredGame(Team, 1, 9, 0, 0, 4, 2);
        addStatsRow("PlayerStats", Team, 1, 1, {{"G", 2}, {"SOG", 5}, {"Ast", 1}, {"Min", 10}, {"Sec", 40}, {"FOW", 3}});
        addStatsRow("GoalieStats", Team, 1, 4, {{"GA1", 1}, {"GA2", 1}, {"Sv1", 10}, {"Min", 60}});
        addStatsRow("PlayerStats", Team, 1, 7, {{"G", 1}});
    }

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        setGameState({{1, "Oaks"}, {2, "Pines"}});
        loadEntryCategories();
        frame = openGameFrame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        makeTeam();
    }
    void cleanup()
    {
        const int unseen = env->pendingExpectations();  // message boxes expected but never shown
        Dialog::setModalHook({});
        closeGameFrame(frame);
        env.reset();
        QCOMPARE(unseen, 0);
    }

    void opensOnTheFirstPersonAsPlayerOrSaysTheGameIsGone()
    {
        addRoster(Team, 1);  // imported data: a second player row of Ann
        frmPScreen* s = open();
        QVERIFY(s);
        QVERIFY(frame->QNToolbar()->isHidden());
        QCOMPARE(s->lblVisitorName->text(), QStringLiteral("G9"));

        // Roster players with a People row, in roster order, each once.
        QCOMPARE(gridNames(s), QStringList({"Ann Abel", "Bo Baker", "Cy Cole", "Di Dunn"}));
        QCOMPARE(s->cellPicture(0, 0), Pic::BallHL);
        QCOMPARE(s->cellPicture(1, 0), Pic::NoBallNH);
        QCOMPARE(s->cellPicture(3, 1), Pic::BallNH);
        QCOMPARE(s->lblPlayerCount->text(), QStringLiteral("1"));
        QCOMPARE(s->lblGoalieCount->text(), QStringLiteral("1"));

        // Ann's stored row in the player layout; cell 8 of the layout is empty.
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Ann Abel"));
        QVERIFY(s->chkPlayed->isChecked());
        QCOMPARE(box(s, CatKind::Player, P::G)->text(), QStringLiteral("2"));
        QCOMPARE(box(s, CatKind::Player, P::Sec)->text(), QStringLiteral("40"));
        QVERIFY(s->txtCat[7]->isHidden() && s->lblCat[7]->isHidden());
        QCOMPARE(s->currentRole(), QStringLiteral("P"));
        QTRY_COMPARE(focused(), s->txtCat[0]);
        grab(s, "pscreen-open");
        // Enter moves to the next box shown, round to the first; it presses no button.
        s->txtCat[6]->setFocus();
        QTest::keyClick(s->txtCat[6], Qt::Key_Return);
        QCOMPARE(focused(), s->txtCat[8]);  // cell 8 is empty in the player layout
        s->txtCat[31]->setFocus();
        QTest::keyClick(s->txtCat[31], Qt::Key_Enter);
        QCOMPARE(focused(), s->txtCat[0]);
        QVERIFY(Loaded<frmPScreen>());

        // The goalie cell of Di: her goalie row, the highlight moves.
        clickCell(s, 3, 1);
        QCOMPARE(s->currentRole(), QStringLiteral("G"));
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Goalie: Di Dunn"));
        QCOMPARE(box(s, CatKind::Goalie, Gk::Sv1)->text(), QStringLiteral("10"));
        QCOMPARE(s->cellPicture(0, 0), Pic::BallNH);
        QCOMPARE(s->cellPicture(3, 1), Pic::BallHL);
        QVERIFY(s->chkPlayed->isChecked());

        // The help line follows the focus: a box's category in the goalie's
        // words; OK keeps the line in the person view.
        const std::pair<QWidget*, const char*> help[] = {
            {box(s, CatKind::Goalie, Gk::EN), "Empty Net Goals Against (Do not include in GA)"},
            {s->chkPlayed, "Played In Game"},
            {s->cmdOK, "Played In Game"}};
        for (const auto& [w, line] : help) {
            w->setFocus();
            QCOMPARE(s->lblMsg->text(), QString::fromUtf8(line));
        }

        // A game that is gone is said, and the list comes back.
        Unload<frmPScreen>();
        env->expectMsgBox(QStringLiteral("could not be found"), vbOK, QStringLiteral("Game Not Opened"));
        QVERIFY(!open(9));
        flushDeletes();
        QVERIFY(Loaded<frmGameMenu>());
    }

    // A screen reader's Toggle of a grid cell showed no other person and the
    // grid's row selection was refused, so figures meant for Cy went to Ann
    // without a word. A cell's Toggle shows its person in the cell's role,
    // the row selection the row's person in the role at hand, and what is
    // typed is stored for the person shown.
    void aScreenReaderChoosesThePersonInTheGrid()
    {
        frmPScreen* s = open();
        reader::choose(s->tblPlayerList, 2, 0);
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Cy Cole"));
        QCOMPARE(s->cellPicture(2, 0), Pic::NoBallHL);
        type(s, CatKind::Player, {{P::Ast, 3}});
        QVERIFY(reader::selectRow(s->tblPlayerList, 1));
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Bo Baker"));
        type(s, CatKind::Player, {{P::Ast, 4}});
        reader::choose(s->tblPlayerList, 3, 1);
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Goalie: Di Dunn"));
        QCOMPARE(s->currentRole(), QStringLiteral("G"));
        QCOMPARE(s->cellPicture(3, 1), Pic::BallHL);
        grab(s, "pscreen-chosen-by-reader");
        s->cmdOK_Click();
        flushDeletes();
        QCOMPARE(stored("PlayerStats", 3, "Ast"), 3);
        QCOMPARE(stored("PlayerStats", 2, "Ast"), 4);
        QCOMPARE(stored("PlayerStats", 1, "Ast"), 1);
    }

    void gridClicksCheckAndStoreBeforeSwitching()
    {
        frmPScreen* s = open();
        type(s, CatKind::Player, {{P::SOG, 1}});

        // More goals than shots: Bo is not shown, Ann stays with her entry.
        env->expectMsgBox(QStringLiteral("G can NOT be > SOG"), vbOK, QStringLiteral("Error"));
        clickCell(s, 1, 0);
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Ann Abel"));
        QCOMPARE(s->tblPlayerList->currentRow(), 0);
        QCOMPARE(box(s, CatKind::Player, P::SOG)->text(), QStringLiteral("1"));
        QCOMPARE(focused(), box(s, CatKind::Player, P::G));
        const PlayerEntry& e = s->entry();
        QCOMPARE(e.PlayerRecords[e.StatIndex(1)][PlayerGameRecord::SOG], int16_t(5));

        // Corrected, the click stores Ann and shows Bo.
        type(s, CatKind::Player, {{P::SOG, 6}});
        clickCell(s, 1, 0);
        QCOMPARE(e.PlayerRecords[e.StatIndex(1)][PlayerGameRecord::SOG], int16_t(6));
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Bo Baker"));
        QVERIFY(!s->chkPlayed->isChecked());

        // The first digit ticks Played, puts the ball in and counts Bo; the
        // second changes nothing more.
        QLineEdit* ast = box(s, CatKind::Player, P::Ast);
        ast->setFocus();
        QTest::keyClick(ast, Qt::Key_End);
        QTest::keyClick(ast, Qt::Key_Backspace);
        QTest::keyClicks(ast, QStringLiteral("2"));
        QVERIFY(s->chkPlayed->isChecked());
        QCOMPARE(s->cellPicture(1, 0), Pic::BallHL);
        QCOMPARE(s->lblPlayerCount->text(), QStringLiteral("2"));
        QTest::keyClicks(ast, QStringLiteral("1"));
        QCOMPARE(s->lblPlayerCount->text(), QStringLiteral("2"));

        // The other ball of the same person: the player boxes are stored
        // first, the goalie record is untouched.
        clickCell(s, 1, 1);
        QCOMPARE(e.PlayerRecords[e.StatIndex(2)][PlayerGameRecord::Ast], int16_t(21));
        QCOMPARE(e.PlayerRecords[e.StatIndex(2)][SlotPlayed], True);
        QCOMPARE(e.GoalieRecords[e.StatIndex(2)][SlotPlayed], False);
        QCOMPARE(s->currentRole(), QStringLiteral("G"));

        // A click on the name keeps the role.
        clickCell(s, 0, 2);
        QCOMPARE(s->currentRole(), QStringLiteral("G"));
        QCOMPARE(s->currentCol(), 1);
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Goalie: Ann Abel"));
        QCOMPARE(s->cellPicture(0, 1), Pic::NoBallHL);

        // Space on the grid chooses its current cell.
        s->tblPlayerList->setFocus();
        s->tblPlayerList->setCurrentCell(2, 0);
        QTest::keyClick(s->tblPlayerList, Qt::Key_Space);
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Cy Cole"));
    }

    // Each rule is checked against the core in tst_playerentryrules; here the
    // goalie's show that OK reads the game's periods and overtime, says the
    // rule's message, moves to its box and saves nothing.
    void entryRulesShowTheirMessageAndFocus()
    {
        const std::tuple<int, int, const char*> cases[] = {
            {2, Gk::GA3, "GA3 can NOT be > 0 when 2 periods in game"}, {4, Gk::GAO, "GAO can NOT be > 0 when no overtime"}};
        for (const auto& [periods, category, message] : cases) {
            Db().execute(QStringLiteral("update GameStats set Periods = ?, Overtime = 0"), {periods});
            frmPScreen* s = open();
            clickCell(s, 3, 1);
            type(s, CatKind::Goalie, {{category, 1}});
            env->expectMsgBox(QString::fromLatin1(message), vbOK, QStringLiteral("Error"));
            s->cmdOK_Click();
            QCOMPARE(focused(), box(s, CatKind::Goalie, category));
            QCOMPARE(Loaded<frmPScreen>(), s);
            Unload<frmPScreen>();
        }
        QCOMPARE(stored("GoalieStats", 4, "GA3") + stored("GoalieStats", 4, "GAO"), 0);
    }

    void okWarnsAndStoresExactlyWhatWasTyped()
    {
        // Nothing changed: OK saves nothing.
        Db().execute(QStringLiteral("update PlayerStats set EventNumber = 5 where PlayerNumber = 1"));
        open()->cmdOK_Click();
        QCOMPARE(stored("PlayerStats", 1, "EventNumber"), 5);

        g.EditGoalsForOption = True;
        g.EditGoalsAgainstOption = True;
        frmPScreen* s = open();
        clickCell(s, 1, 0);
        type(s, CatKind::Player, {{P::SOG, 4}, {P::G, 2}, {P::Ast, 1}});
        clickCell(s, 2, 0);
        type(s, CatKind::Player, {{P::SOG, 3}, {P::G, 1}, {P::Ast, 2}, {P::PP, 1}});
        clickCell(s, 3, 1);
        type(s, CatKind::Goalie, {{Gk::Sv1, 12}, {Gk::Sv3, 8}, {Gk::GA3, 1}});
        QCOMPARE(s->lblPlayerCount->text(), QStringLiteral("3"));
        // The last person's boxes are checked and stored first; the goal
        // checks only warn.
        env->expectMsgBox(QStringLiteral("5  -   Player Screen goals scored\r4  -   Game Screen goals scored"), vbOK,
                          QStringLiteral("Goals Scored Do Not Match Game Screen"));
        env->expectMsgBox(QStringLiteral("3  -   Player Screen goals against\r2  -   Game Screen goals against"));
        s->cmdOK_Click();
        flushDeletes();
        QVERIFY(!Loaded<frmPScreen>());
        QVERIFY(Loaded<frmGameMenu>());

        // Gus left the roster before this visit: his row stays.
        QCOMPARE(storedPersons("PlayerStats"), QList<int>({1, 2, 3, 7}));
        QCOMPARE(storedPersons("GoalieStats"), QList<int>({4}));
        QCOMPARE(stored("PlayerStats", 2, "G"), 2);
        QCOMPARE(stored("PlayerStats", 3, "PP"), 1);
        QCOMPARE(stored("GoalieStats", 4, "Sv3"), 8);
    }

    void gameScreenSavesOrAsks()
    {
        // Unchanged: rewritten without a question.
        Db().execute(QStringLiteral("update PlayerStats set EventNumber = 5 where PlayerNumber = 1"));
        frmPScreen* s = open();
        s->cmdGameScreen_Click();
        flushDeletes();
        QVERIFY(!Loaded<frmPScreen>());
        QVERIFY(Loaded<frmGameScreen>());
        QCOMPARE(stored("PlayerStats", 1, "EventNumber"), 1);

        // Changed, and No: left without saving.
        s = open();
        type(s, CatKind::Player, {{P::Ast, 4}});
        env->expectMsgBox(QStringLiteral("Save player statistics?"), vbNo, QStringLiteral("Player Statistics Changed"));
        s->cmdGameScreen_Click();
        flushDeletes();
        QVERIFY(Loaded<frmGameScreen>());
        QCOMPARE(stored("PlayerStats", 1, "Ast"), 1);

        // Yes: checked, stored and saved.
        s = open();
        type(s, CatKind::Player, {{P::Ast, 4}, {P::Sec, 75}});
        env->expectMsgBox(QStringLiteral("Save player statistics?"), vbYes);
        env->expectMsgBox(QStringLiteral("Seconds can Not be > 59"), vbOK, QStringLiteral("Error"));
        s->cmdGameScreen_Click();
        QCOMPARE(Loaded<frmPScreen>(), s);
        type(s, CatKind::Player, {{P::Sec, 15}});
        env->expectMsgBox(QStringLiteral("Save player statistics?"), vbYes);
        s->cmdGameScreen_Click();
        flushDeletes();
        QVERIFY(Loaded<frmGameScreen>());
        QCOMPARE(stored("PlayerStats", 1, "Ast"), 4);
        QCOMPARE(stored("PlayerStats", 1, "Sec"), 15);
    }

    void cancelAndTheFramesCloseAskOnlyAfterAChange()
    {
        // Stored values that break a rule pass while nobody changes them.
        Db().execute(QStringLiteral("update PlayerStats set G = 9 where PlayerNumber = 1"));
        frmPScreen* s = open();
        clickCell(s, 1, 0);
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Bo Baker"));
        s->cmdCancel_Click();
        flushDeletes();
        QVERIFY(Loaded<frmGameMenu>());
        QVERIFY(!frame->QNToolbar()->isHidden());

        // Changed: No keeps the screen and the entries, asked by Cancel or by
        // the frame's close box; Yes closes it as its Cancel does, writing nothing.
        s = open();
        type(s, CatKind::Player, {{P::Ast, 7}});
        s->cmdCancel->setFocus();
        env->expectMsgBox(QStringLiteral("Do you really want to cancel?"), vbNo);
        s->cmdCancel_Click();
        QCOMPARE(focused(), s->txtCat[0]);
        env->expectMsgBox(QStringLiteral("Do you really want to cancel?"), vbNo);
        QVERIFY(!frame->close());
        QCOMPARE(Loaded<frmPScreen>(), s);
        QVERIFY(!env->ended());
        QCOMPARE(box(s, CatKind::Player, P::Ast)->text(), QStringLiteral("7"));
        env->expectMsgBox(QStringLiteral("Do you really want to cancel?"), vbYes);
        QVERIFY(frame->close());
        QVERIFY(env->ended());
        QVERIFY(!Loaded<frmPScreen>());
        QVERIFY(!Loaded<frmGameMenu>());
        OpenMainDatabase();
        QCOMPARE(stored("PlayerStats", 1, "Ast"), 1);
    }

    void playedBoxPlusOneAndRefusedTexts()
    {
        frmPScreen* s = open();
        s->chkPlayed->click();  // untick Ann
        QVERIFY(!s->chkPlayed->isChecked());
        for (QLineEdit* b : s->txtCat)
            QCOMPARE(b->text(), QStringLiteral("0"));
        QCOMPARE(s->cellPicture(0, 0), Pic::NoBallHL);
        QCOMPARE(s->lblPlayerCount->text(), QStringLiteral("0"));
        QCOMPARE(focused(), s->txtCat[0]);
        const PlayerEntry& e = s->entry();
        QCOMPARE(e.PlayerRecords[e.StatIndex(1)][PlayerGameRecord::G], int16_t(2));  // until stored

        s->chkPlayed->click();  // ticked again: the ball and the count come back
        QCOMPARE(s->cellPicture(0, 0), Pic::BallHL);
        QCOMPARE(s->lblPlayerCount->text(), QStringLiteral("1"));
        s->chkPlayed->click();
        clickCell(s, 1, 0);  // Bo, nothing played
        QCOMPARE(e.PlayerRecords[e.StatIndex(1)][SlotPlayed], False);

        // +1 ticks Played too and keeps the focus in the box.
        QLineEdit* ast = box(s, CatKind::Player, P::Ast);
        ast->setFocus();
        QTest::mouseClick(s->cmdPlus, Qt::LeftButton);
        QCOMPARE(ast->text(), QStringLiteral("1"));
        QVERIFY(s->chkPlayed->isChecked());
        QCOMPARE(focused(), ast);

        // A fifth typed digit is not taken; a paste that is no number in
        // range is refused with a message and the old text comes back.
        ast->selectAll();
        QTest::keyClicks(ast, QStringLiteral("12345"));
        QCOMPARE(ast->text(), QStringLiteral("1234"));
        QApplication::clipboard()->setText(QStringLiteral("12a"));
        ast->selectAll();
        env->expectMsgBox(QStringLiteral("Only a whole number from 0 to 9999 can be entered"));
        ast->paste();
        QCOMPARE(ast->text(), QStringLiteral("1234"));
        QApplication::clipboard()->setText(QStringLiteral("77"));
        ast->selectAll();
        ast->paste();
        QCOMPARE(ast->text(), QStringLiteral("77"));
        s->cmdOK_Click();
        QCOMPARE(storedPersons("PlayerStats"), QList<int>({2, 7}));
        QCOMPARE(stored("PlayerStats", 2, "Ast"), 77);
    }

    void rosterRoundTripKeepsTypedValues()
    {
        frmPScreen* s = open();
        clickCell(s, 1, 0);
        type(s, CatKind::Player, {{P::Ast, 3}});  // Bo, not yet stored
        Dialog::setModalHook([&](Dialog* d) {
            auto* roster = static_cast<frmRoster*>(d);
            auto* list = roster->findChild<QListWidget*>(QStringLiteral("lstRoster"));
            list->setCurrentItem(list->findItems(QStringLiteral("Cy Cole"), Qt::MatchExactly).first());
            roster->cmdDelete_Click();
            roster->cmdAdd_Click();
            roster->setBoxText(RosterField::FirstName, QStringLiteral("Hal"));
            roster->setBoxText(RosterField::LastName, QStringLiteral("Hunt"));
            roster->cmdOK_Click();
            roster->cmdClose_Click();
        });
        s->cmdRoster_Click();
        Dialog::setModalHook({});

        const QStringList names = gridNames(s);
        QVERIFY(names.contains(QStringLiteral("Hal Hunt")));
        QVERIFY(!names.contains(QStringLiteral("Cy Cole")));
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Ann Abel"));
        QCOMPARE(s->lblPlayerCount->text(), QStringLiteral("2"));
        clickCell(s, int(names.indexOf(QStringLiteral("Bo Baker"))), 0);
        QCOMPARE(box(s, CatKind::Player, P::Ast)->text(), QStringLiteral("3"));
        s->cmdOK_Click();
        QCOMPARE(stored("PlayerStats", 2, "Ast"), 3);
    }

    void emptyRosterOffersOnlyRosterAndCancel()
    {
        Db().execute(QStringLiteral("update Roster set PlayerIndicator = 0"));
        frmPScreen* s = open();
        QCOMPARE(s->tblPlayerList->rowCount(), 1);
        for (QWidget* w : std::initializer_list<QWidget*>{s->tblPlayerList, s->cmdGameScreen, s->cmdTeam, s->cmdOK,
                                                          s->cmdPlus, s->cmdMinus, s->chkPlayed, s->txtCat[0]})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(s->cmdRoster->isEnabled() && s->cmdCancel->isEnabled());
        QTRY_COMPARE(focused(), s->cmdRoster);

        Dialog::setModalHook([](Dialog* d) {
            auto* roster = static_cast<frmRoster*>(d);
            auto* all = roster->findChild<QListWidget*>(QStringLiteral("lstAllPlayers"));
            all->setCurrentItem(all->findItems(QStringLiteral("Bo Baker"), Qt::MatchExactly).first());
            roster->cmdInsert_Click();
            roster->cmdClose_Click();
        });
        s->cmdRoster_Click();
        QVERIFY(s->cmdOK->isEnabled() && s->txtCat[0]->isEnabled() && s->tblPlayerList->isEnabled());
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Bo Baker"));
    }

    void teamTotalsCarrySecondsIntoMinutes()
    {
        frmPScreen* s = open();  // Ann: 10 min 40 s
        clickCell(s, 1, 0);
        type(s, CatKind::Player, {{P::Min, 5}, {P::Sec, 30}, {P::Ast, 1}});
        clickCell(s, 2, 0);
        type(s, CatKind::Player, {{P::Min, 7}, {P::Sec, 50}});
        s->cmdTeam_Click();  // Cy's entries are part of the totals
        QVERIFY(s->totalsShown() && !s->personView());
        QCOMPARE(s->lblMsg->text(), QStringLiteral("Players Recorded - 3"));
        QCOMPARE(box(s, CatKind::Player, P::Min)->text(), QStringLiteral("24"));
        QVERIFY(!s->personChanged());
        grab(s, "pscreen-totals");

        // Nothing can be typed: a box hands the focus to OK.
        QTest::mouseClick(box(s, CatKind::Player, P::G), Qt::LeftButton);
        QCOMPARE(focused(), s->cmdOK);

        // Back to Cy's own values.
        s->cmdTeam_Click();
        QVERIFY(!s->totalsShown() && s->personView());
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Cy Cole"));
        QCOMPARE(box(s, CatKind::Player, P::Sec)->text(), QStringLiteral("50"));

        // A broken rule keeps the person view.
        type(s, CatKind::Player, {{P::Sec, 61}});
        env->expectMsgBox(QStringLiteral("Seconds can Not be > 59"), vbOK, QStringLiteral("Error"));
        s->cmdTeam_Click();
        QVERIFY(s->personView() && !s->totalsShown());

        // The goalie totals.
        type(s, CatKind::Player, {{P::Sec, 1}});
        clickCell(s, 3, 1);
        s->cmdTeam_Click();
        QCOMPARE(s->lblMsg->text(), QStringLiteral("Goalies Recorded - 1"));
        // A click in the grid leaves the totals view for the chosen person.
        clickCell(s, 0, 0);
        QVERIFY(!s->totalsShown());
        QCOMPARE(s->lblPlayerName->text(), QStringLiteral("Ann Abel"));
    }

    void aFailedSaveKeepsTheScreenAndTheRows()
    {
        Db().execute(QStringLiteral("create trigger NoGoalies before insert on GoalieStats begin "
                                    "select raise(abort, 'disk full'); end"));
        frmPScreen* s = open();
        type(s, CatKind::Player, {{P::Ast, 5}});
        env->expectMsgBox(QStringLiteral("The player statistics could not be saved"));
        s->cmdOK_Click();
        flushDeletes();
        QCOMPARE(Loaded<frmPScreen>(), s);
        QCOMPARE(stored("PlayerStats", 1, "Ast"), 1);
        QCOMPARE(storedPersons("GoalieStats"), QList<int>({4}));

        Db().execute(QStringLiteral("drop trigger NoGoalies"));
        s->cmdOK_Click();
        QVERIFY(!Loaded<frmPScreen>());
        QCOMPARE(stored("PlayerStats", 1, "Ast"), 5);
    }
};

VH_TEST_MAIN(TstPScreen)
#include "tst_pscreen.moc"
