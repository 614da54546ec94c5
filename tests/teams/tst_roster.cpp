#include "platform/basic/Basic.h"
#include "support/TestMain.h"
#include "teams/RosterPending.h"
#include "teams/TeamTestData.h"
#include "teams/frmRoster.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

using namespace vh;
using vh::test::RegionalSettings;
using vh::test::TestEnv;
using vh::test::control;
using vh::test::grab;
using vh::test::listTexts;

namespace {

Database& db() { return Db(); }

using vh::seed::addTeam;

// Every person and roster line carries fields the roster window must keep.
void addPerson(int person, const QString& first, const QString& last)
{
    seed::addPerson(person, first, last,
                    {{QStringLiteral("Country"), QStringLiteral("Canada")},
                     {QStringLiteral("FaxNumber"), QStringLiteral("555-0100")},
                     {QStringLiteral("notes"), QStringLiteral("allergic")},
                     {QStringLiteral("BirthDate"), QStringLiteral("1990-05-06")}});
}

// The first `n` of Ann Lee (1), Bo Park (2), Cy Moss (3) and Di Fox (4).
void addPeople(int n)
{
    const char* const names[][2] = {{"Ann", "Lee"}, {"Bo", "Park"}, {"Cy", "Moss"}, {"Di", "Fox"}};
    for (int i = 0; i < n; ++i)
        addPerson(i + 1, QLatin1String(names[i][0]), QLatin1String(names[i][1]));
}

void addRoster(int team, int person, const QString& uniform, int indicator = True)
{
    seed::addRoster(team, person, indicator, uniform, {{QStringLiteral("notes"), QStringLiteral("roster note")}});
}

void addStats(const QString& table, int team, int person, std::initializer_list<int> games)
{
    for (int game : games)
        db().execute(QStringLiteral("insert into %1 (TeamNumber, GameNumber, PlayerNumber) values (?, ?, ?)").arg(table),
                     {team, game, person});
}

int rows(const char* table, const char* where = "")
{
    return seed::countRows(db(), QLatin1String(table), QLatin1String(where));
}

QString rosterUniform(int team, int person)
{
    return db().scalar(QStringLiteral("select UniformNumber from Roster where TeamNumber = ? and PersonNumber = ?"),
                       {team, person}).toString();
}

RosterFields fieldsOf(const QString& first, const QString& last, const QString& uniform = {}, const QString& birth = {})
{
    RosterFields f;
    f[RosterField::FirstName] = first;
    f[RosterField::LastName] = last;
    f[RosterField::UniformNumber] = uniform;
    f[RosterField::BirthDate] = birth;
    return f;
}

// Runs the roster editor modally; `body` drives it while it is open.
void runRoster(const std::function<void(frmRoster&)>& body)
{
    frmRoster dlg;
    Dialog::ModalHook old = Dialog::setModalHook([&](Dialog*) { body(dlg); });
    dlg.showModal();
    Dialog::setModalHook(old);
}

QListWidget* rosterList(const frmRoster& d) { return control<QListWidget>(&d, "lstRoster"); }
QListWidget* allList(const frmRoster& d) { return control<QListWidget>(&d, "lstAllPlayers"); }

void selectIn(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->setCurrentItem(found.first());
}

// Whether a one-line box shows its text whole: the text and the caret within
// its frame and its inner margins of 2 pixels a side.
bool showsWhole(const QWidget* box)
{
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    const QString text = static_cast<const QLineEdit*>(box)->text();
    return box->fontMetrics().horizontalAdvance(text) + 1 <= box->width() - 2 * frame - 4;
}

void typePerson(frmRoster& d, const QString& first, const QString& last, const QString& uniform, const QString& birth)
{
    d.setBoxText(RosterField::FirstName, first);
    d.setBoxText(RosterField::LastName, last);
    d.setBoxText(RosterField::UniformNumber, uniform);
    d.setBoxText(RosterField::BirthDate, birth);
}

}  // namespace

class TstRoster : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = vh::test::startWithNewDatabase();
        g.MsgStyleYesNo = 292;
        // The team selection stays loaded for the whole run, hidden while the
        // roster is open.
        Load<frmSelectTeam>()->hideForm();
        g.SelectedTeamCount = 1;
        g.CurrentTeam = 1;
        g.SelectedTeamName = QStringLiteral("Harbour Hawks");
        addTeam(1, QStringLiteral("Harbour Hawks"));
        addTeam(2, QStringLiteral("Valley Lynx"));
    }
    void cleanup()
    {
        frmRoster::entryScreenRefresh = nullptr;
        Unload<frmSelectTeam>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(env->pendingExpectations(), 0);
        env.reset();
    }

    // ------------------------------------------------------------ pending table

    void closeWritesEachStatus()
    {
        addPeople(4);
        addRoster(1, 1, QStringLiteral("12"));
        addRoster(1, 2, QStringLiteral("7"));
        addRoster(1, 4, QStringLiteral("5"), False);  // hidden row on this team
        addRoster(1, 9, QStringLiteral("3"));         // no such person
        addRoster(2, 1, QStringLiteral("44"));
        RosterPending p;
        QCOMPARE(p.loadRoster(db(), 1).size(), size_t(2));  // neither the hidden row nor person 9
        p.change(1, fieldsOf(QStringLiteral("Ann"), QStringLiteral("Leigh"), QStringLiteral("13"), QString()));
        // Changed, then taken off: the change is dropped with him.
        p.change(2, fieldsOf(QStringLiteral("Bob"), QStringLiteral("Parks"), QStringLiteral("70"), QString()));
        p.remove(2);
        const int cy = p.insert(db(), 3);
        p.change(cy, fieldsOf(QStringLiteral("Cy"), QStringLiteral("Moss"), QStringLiteral("21"), QStringLiteral("1/2/03")));
        const int di = p.insert(db(), 4);
        p.change(di, fieldsOf(QStringLiteral("Di"), QStringLiteral("Fox"), QStringLiteral("8"), QString()));
        p.add(5, fieldsOf(QStringLiteral("  Eve"), QStringLiteral("Ray  "), QStringLiteral("30"), QStringLiteral("12/25/2001")));
        p.remove(p.add(6, fieldsOf(QStringLiteral("Gone"), QStringLiteral("Soon"))));
        p.write(db(), 1);

        // Changed: edited fields written, the fields this window does not edit kept, an emptied date Null.
        QCOMPARE(rows("People", "PersonNumber = 1 and LastName = 'Leigh' and Country = 'Canada' and "
                                "FaxNumber = '555-0100' and notes = 'allergic' and BirthDate is null"), 1);
        QCOMPARE(rosterUniform(1, 1), QStringLiteral("13"));
        QCOMPARE(rosterUniform(2, 1), QStringLiteral("44"));  // other team untouched
        // Changed and removed: only his roster row goes; his stored data stay.
        QCOMPARE(rows("Roster", "TeamNumber = 1 and PersonNumber = 2"), 0);
        QCOMPARE(rows("People", "PersonNumber = 2 and FirstName = 'Bo' and LastName = 'Park' and "
                                "BirthDate = '1990-05-06' and Country = 'Canada'"), 1);
        // Inserted: roster row added, birth date converted.
        QCOMPARE(rosterUniform(1, 3), QStringLiteral("21"));
        QCOMPARE(rows("People", "PersonNumber = 3 and BirthDate = '2003-01-02' and notes = 'allergic'"), 1);
        // Inserted over a hidden row: that row becomes a player, no second row.
        QCOMPARE(rows("Roster", "TeamNumber = 1 and PersonNumber = 4 and PlayerIndicator = -1"), 1);
        QCOMPARE(rosterUniform(1, 4), QStringLiteral("8"));
        // Added: trimmed, the fields this window does not edit empty, not Null.
        QCOMPARE(rows("People", "PersonNumber = 5 and FirstName = 'Eve' and LastName = 'Ray' and Country = '' and "
                                "City = '' and BirthDate = '2001-12-25'"), 1);
        QCOMPARE(rosterUniform(1, 5), QStringLiteral("30"));
        // Added and taken off again: nothing.
        QCOMPARE(rows("People", "PersonNumber = 6") + rows("Roster", "PersonNumber = 6"), 0);
    }

    void aPersonWithTwoRowsIsListedOnceAndRemovedWhole()
    {
        // Imported data: Ann twice on team 1 as a player and once hidden.
        addPerson(1, QStringLiteral("Ann"), QStringLiteral("Lee"));
        addRoster(1, 1, QStringLiteral("12"));
        addRoster(1, 1, QStringLiteral("13"));
        addRoster(1, 1, QStringLiteral("14"), False);
        addRoster(2, 1, QStringLiteral("44"));
        RosterPending p;
        QCOMPARE(p.loadRoster(db(), 1).size(), size_t(1));
        QCOMPARE(p.rowCount(), 1);
        p.remove(1);
        p.write(db(), 1);
        QCOMPARE(rows("Roster", "TeamNumber = 1"), 0);
        QCOMPARE(rosterUniform(2, 1), QStringLiteral("44"));

        // Taken off and put on again before Close: one row.
        addRoster(1, 1, QStringLiteral("12"));
        RosterPending again;
        again.loadRoster(db(), 1);
        again.remove(1);
        again.change(again.insert(db(), 1), fieldsOf(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("4")));
        again.write(db(), 1);
        QCOMPARE(rows("Roster", "TeamNumber = 1"), 1);
        QCOMPARE(rosterUniform(1, 1), QStringLiteral("4"));
    }

    void removingIsRefusedWhileTheTeamHasStatistics()
    {
        const QString name = QStringLiteral("Ann Lee");
        addStats(QStringLiteral("PlayerStats"), 1, 1, {7, 1, 2, 2, 3, 4, 5, 6});
        addStats(QStringLiteral("PlayerStats"), 2, 2, {1});
        addStats(QStringLiteral("GoalieStats"), 1, 2, {3});
        addStats(QStringLiteral("PlayerStats"), 1, 3, {1, 2, 3, 4, 5});
        auto r = RosterRemoveRefusal(db(), 1, 1, name);
        QVERIFY(r);
        QCOMPARE(r->text, QStringLiteral("Ann Lee has player stats entered in game(s) 1,  2,  3,  4,  5, ...  Delete stats first!"));
        QCOMPARE(r->title, QStringLiteral("Can Not Delete Player"));
        r = RosterRemoveRefusal(db(), 1, 3, name);
        QCOMPARE(r->text, QStringLiteral("Ann Lee has player stats entered in game(s) 1,  2,  3,  4,  5.  Delete stats first!"));
        // Player statistics on another team only: the goalie rows of this team count.
        r = RosterRemoveRefusal(db(), 1, 2, name);
        QCOMPARE(r->text, QStringLiteral("Ann Lee has goalie stats entered in game(s) 3.  Delete stats first!"));
        QVERIFY(!RosterRemoveRefusal(db(), 2, 1, name));
    }

    void deletingAPersonIsRefusedWhileHeIsUsedElsewhere()
    {
        addPeople(3);
        addStats(QStringLiteral("GoalieStats"), 2, 1, {4});
        auto r = RosterDeletePersonRefusal(db(), 1, 1, QStringLiteral("Ann Lee"));
        QVERIFY(r);
        QCOMPARE(r->text, QStringLiteral("Ann Lee has goalie stats entered for the Valley Lynx.  Delete stats first!"));
        QCOMPARE(r->title, QStringLiteral("Can Not Delete Player"));

        addRoster(2, 2, QStringLiteral("9"));
        r = RosterDeletePersonRefusal(db(), 1, 2, QStringLiteral("Bo Park"));
        QVERIFY(r);
        QCOMPARE(r->text, QStringLiteral("Bo Park is on the roster of the Valley Lynx.  Delete from that roster first!"));
        QCOMPARE(r->title, QStringLiteral("Delete Player Not Allowed"));
        QVERIFY(RosterDeletePersonRefusal(db(), 0, 2, QStringLiteral("Bo Park")));  // no team selected

        // Rows not marked as players, and this team's row already taken off,
        // go with the person.
        addRoster(2, 3, QStringLiteral("1"), False);
        addRoster(1, 3, QStringLiteral("2"));
        QVERIFY(!RosterDeletePersonRefusal(db(), 1, 3, QStringLiteral("Cy Moss")));
        RosterDeletePerson(db(), 3);
        QCOMPARE(rows("People", "PersonNumber = 3") + rows("Roster", "PersonNumber = 3"), 0);
        QCOMPARE(rows("People"), 2);
    }

    // ------------------------------------------------------------ the window

    void addChangeRemoveAndCloseWriteExactlyThoseRows()
    {
        addPeople(2);
        addRoster(1, 1, QStringLiteral("12"));
        addRoster(2, 1, QStringLiteral("44"));  // on two teams, listed once
        addRoster(2, 2, QStringLiteral("9"));
        runRoster([&](frmRoster& d) {
            QCOMPARE(listTexts(allList(d)), QStringList({"Ann Lee", "Bo Park"}));
            QCOMPARE(listTexts(rosterList(d)), QStringList({"Ann Lee"}));
            QCOMPARE(d.boxText(RosterField::UniformNumber), QStringLiteral("12"));
            QCOMPARE(d.boxText(RosterField::Notes), QStringLiteral("roster note"));  // the roster row's, not the person's
            QVERIFY(!d.textBox(RosterField::FirstName)->isEnabled());

            const char* people[][4] = {{"Cy", "moss", "21", "3/4/2005"}, {"Di", "Fox", "8", ""}, {"Eve", "Ray", "30", ""}};
            for (const auto& p : people) {
                QTest::mouseClick(control<QPushButton>(&d, "cmdAdd"), Qt::LeftButton);
                QVERIFY(!rosterList(d)->isEnabled());  // no other person chosen while one is edited
                typePerson(d, QLatin1String(p[0]), QLatin1String(p[1]), QLatin1String(p[2]), QLatin1String(p[3]));
                QTest::mouseClick(control<QPushButton>(&d, "cmdOK"), Qt::LeftButton);
            }
            QCOMPARE(listTexts(rosterList(d)), QStringList({"Ann Lee", "Cy moss", "Di Fox", "Eve Ray"}));
            QCOMPARE(rosterList(d)->currentItem()->text(), QStringLiteral("Eve Ray"));

            // Change the second new person, then take the first stored one off.
            selectIn(rosterList(d), QStringLiteral("Cy moss"));
            QCOMPARE(d.boxText(RosterField::BirthDate), QStringLiteral("3/4/2005"));
            d.cmdChange_Click();
            QVERIFY(d.textBox(RosterField::LastName)->isEnabled());
            d.setBoxText(RosterField::LastName, QStringLiteral("Moss"));
            d.cmdOK_Click();
            QVERIFY(listTexts(allList(d)).contains(QStringLiteral("Cy Moss")));
            QCOMPARE(rosterList(d)->currentItem()->text(), QStringLiteral("Cy Moss"));
            selectIn(rosterList(d), QStringLiteral("Ann Lee"));
            d.cmdDelete_Click();
            QCOMPARE(rosterList(d)->currentItem()->text(), QStringLiteral("Cy Moss"));  // the next one
            QCOMPARE(rows("People"), 2);  // nothing written yet
            QTest::mouseClick(control<QPushButton>(&d, "cmdClose"), Qt::LeftButton);
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(rows("People"), 5);
        QCOMPARE(rows("Roster", "TeamNumber = 1"), 3);
        QCOMPARE(rows("People", "PersonNumber = 3 and LastName = 'Moss' and BirthDate = '2005-03-04'"), 1);
        // Back to the team selection.
        QVERIFY(Loaded<frmSelectTeam>() && Loaded<frmSelectTeam>()->isShown());
    }

    // Person numbers are 16-bit: the last one is given once, then Add says
    // so; with the largest number in use the roster still opens.
    void addFindsTheLastPersonNumberThenNone()
    {
        addPerson(32766, QStringLiteral("Old"), QStringLiteral("Timer"));
        const auto refusedAdd = [this](frmRoster& d) {
            env->expectMsgBox(QStringLiteral("No more players can be added: person number 32767, the largest there "
                                             "is, is already in use!"),
                              vbOK, QStringLiteral("No Person Number Left"));
            QTest::mouseClick(control<QPushButton>(&d, "cmdAdd"), Qt::LeftButton);
            QVERIFY(!d.textBox(RosterField::FirstName)->isEnabled());  // not editing
            QVERIFY(control<QPushButton>(&d, "cmdClose")->isVisible());
        };
        runRoster([&](frmRoster& d) {
            d.cmdAdd_Click();
            typePerson(d, QStringLiteral("Ann"), QStringLiteral("Lee"), QString(), QString());
            d.cmdOK_Click();
            QCOMPARE(d.pending().row(1).PersonNumber, int16_t(32767));
            refusedAdd(d);
            QCOMPARE(d.pending().rowCount(), 1);
            d.cmdClose_Click();
        });
        QCOMPARE(rows("People", "PersonNumber = 32767 and FirstName = 'Ann'"), 1);
        QCOMPARE(rows("Roster", "TeamNumber = 1 and PersonNumber = 32767"), 1);

        runRoster([&](frmRoster& d) {
            QCOMPARE(listTexts(rosterList(d)), QStringList({"Ann Lee"}));
            refusedAdd(d);
            d.cmdClose_Click();
        });
        QCOMPARE(rows("People"), 2);
        QCOMPARE(rows("Roster"), 1);
    }

    void addTakesKeysAndChecksTheNamesAndTheBirthDate()
    {
        runRoster([&](frmRoster& d) {
            QVERIFY(QTest::qWaitForWindowActive(&d));
            // Change and a double click on the empty roster do nothing.
            d.lstRoster_DblClick();
            d.cmdChange_Click();
            QCOMPARE(d.editMode(), QString());
            env->expectMsgBox(QStringLiteral("Must select player!"), vbOK, QStringLiteral("No Player Selected"));
            d.cmdDelete_Click();
            d.cmdAdd_Click();
            QCOMPARE(d.editMode(), QStringLiteral("A"));
            QCOMPARE(QApplication::focusWidget(), d.textBox(RosterField::FirstName));
            for (int f = 0; f < RosterField::Count; ++f) {
                QCOMPARE(QApplication::focusWidget(), d.textBox(f));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
            QCOMPARE(QApplication::focusWidget(), d.textBox(RosterField::FirstName));
            QTest::keyClick(d.textBox(RosterField::Notes), Qt::Key_Enter);  // keypad Enter too
            QCOMPARE(QApplication::focusWidget(), d.textBox(RosterField::FirstName));
            QCOMPARE(d.boxText(RosterField::Notes), QString());  // no line break added

            // Tab selects the text up to its trailing blanks; Shift+Tab as well.
            d.setBoxText(RosterField::LastName, QStringLiteral("Lee   "));
            QTest::keyClick(d.textBox(RosterField::FirstName), Qt::Key_Tab);
            auto* last = static_cast<QLineEdit*>(d.textBox(RosterField::LastName));
            QCOMPARE(QApplication::focusWidget(), last);
            QCOMPARE(last->selectedText(), QStringLiteral("Lee"));
            QTest::keyClick(last, Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(last->selectedText(), QStringLiteral("Lee"));
            // The Enter ring leaves the text unselected.
            d.setBoxText(RosterField::Notes, QStringLiteral("one  "));
            d.textBox(RosterField::EmailAddress)->setFocus();
            QTest::keyClick(d.textBox(RosterField::EmailAddress), Qt::Key_Return);
            auto* notes = static_cast<QPlainTextEdit*>(d.textBox(RosterField::Notes));
            QVERIFY(!notes->textCursor().hasSelection());
            d.textBox(RosterField::EmailAddress)->setFocus();
            QTest::keyClick(d.textBox(RosterField::EmailAddress), Qt::Key_Tab);
            QCOMPARE(notes->textCursor().selectedText(), QStringLiteral("one"));

            // Boxes take no more than their field holds.
            QTest::keyClicks(d.textBox(RosterField::UniformNumber), QStringLiteral("12345"));
            QCOMPARE(d.boxText(RosterField::UniformNumber), QStringLiteral("123"));
            d.setBoxText(RosterField::Notes, QString(3100, QLatin1Char('n')));
            QCOMPARE(d.boxText(RosterField::Notes).size(), 3000);
            // Esc and the close box do not leave while editing.
            QTest::keyClick(&d, Qt::Key_Escape);
            d.close();
            QVERIFY(d.isVisible());

            env->expectMsgBox(QStringLiteral("First Name can not be blank!"), vbOK, QStringLiteral("First Name Invalid"));
            d.setBoxText(RosterField::FirstName, QStringLiteral("   "));
            d.cmdOK_Click();
            env->expectMsgBox(QStringLiteral("Last Name can not be blank!"), vbOK, QStringLiteral("Last Name Invalid"));
            d.setBoxText(RosterField::FirstName, QStringLiteral("Ann"));
            d.setBoxText(RosterField::LastName, QString());
            d.cmdOK_Click();
            QCOMPARE(QApplication::focusWidget(), d.textBox(RosterField::LastName));
            env->expectMsgBox(QStringLiteral("Birth Date must be in mm/dd/yy format or blank!"));
            d.setBoxText(RosterField::LastName, QStringLiteral("Lee"));
            d.setBoxText(RosterField::BirthDate, QStringLiteral("13/45/2001"));
            d.cmdOK_Click();
            QCOMPARE(QApplication::focusWidget(), d.textBox(RosterField::BirthDate));
            QCOMPARE(d.pending().rowCount(), 0);  // still editing, nothing kept

            // Cancel drops the new person without using up his number.
            d.cmdCancel_Click();
            QVERIFY(!d.textBox(RosterField::FirstName)->isEnabled());
            d.cmdAdd_Click();
            typePerson(d, QStringLiteral("Ann"), QStringLiteral("Lee"), QString(), QStringLiteral(" "));
            d.cmdOK_Click();
            QCOMPARE(d.pending().row(1).PersonNumber, int16_t(1));
            d.close();  // no longer editing: the close box presses Close
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(rows("People", "BirthDate is null"), 1);
    }

    // Under each region the birth date's hint names the order a date is read
    // in. Typed that way by keys, with a day of 12 or less and over 12, the
    // dates are stored as meant and shown back in that order; typed the other
    // way with a day over 12, one is refused by a message naming that order.
    // The dates are 4 March 2008 and 25 December 2001.
    void theBirthDateIsReadAsItsHintSays_data()
    {
        vh::test::addTypedDateColumns();
        QTest::newRow("en_US") << "en_US" << "m/d/y" << "mm/dd/yy" << "03/04/08" << "3/4/2008" << "12/25/01" << "25/12/01";
        QTest::newRow("de_DE") << "de_DE" << "d/m/y" << "dd/mm/yy" << "04/03/08" << "04.03.2008" << "25/12/01"
                               << "12/25/01";
        QTest::newRow("ja_JP") << "ja_JP" << "y/m/d" << "yy/mm/dd" << "08/03/04" << "2008/03/04" << "01/12/25"
                               << "12/25/01";
    }
    void theBirthDateIsReadAsItsHintSays()
    {
        const auto [region, hint, mask, early, shownEarly, late, otherWay] = vh::test::fetchTypedDates();
        RegionalSettings settings(region);
        // Add, then the names and the birth date typed along the Enter ring.
        const auto addByKeys = [&](frmRoster& d, const char* first, const char* last, const QString& birth) {
            d.cmdAdd_Click();
            for (const QString& text : {QString::fromLatin1(first), QString::fromLatin1(last), QString()}) {
                QTest::keyClicks(QApplication::focusWidget(), text);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
            QCOMPARE(QApplication::focusWidget(), d.textBox(RosterField::BirthDate));
            QTest::keyClicks(QApplication::focusWidget(), birth);
            d.cmdOK_Click();
        };
        runRoster([&](frmRoster& d) {
            QVERIFY(QTest::qWaitForWindowActive(&d));
            QCOMPARE(control<QLabel>(&d, "lblmdy")->text(), hint);
            addByKeys(d, "Ann", "Lee", early);
            env->expectMsgBox(QStringLiteral("Birth Date must be in ") + mask + QStringLiteral(" format or blank!"), vbOK,
                              QStringLiteral("Birth Date Invalid"));
            addByKeys(d, "Bo", "Park", otherWay);
            QCOMPARE(QApplication::focusWidget(), d.textBox(RosterField::BirthDate));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), late);
            d.cmdOK_Click();
            d.cmdClose_Click();
        });
        QCOMPARE(rows("People", "FirstName = 'Ann' and BirthDate = '2008-03-04'"), 1);
        QCOMPARE(rows("People", "FirstName = 'Bo' and BirthDate = '2001-12-25'"), 1);
        runRoster([&](frmRoster& d) {
            selectIn(rosterList(d), QStringLiteral("Ann Lee"));
            QCOMPARE(d.boxText(RosterField::BirthDate), shownEarly);
            // With a two-digit day and month too, it shows whole.
            selectIn(rosterList(d), QStringLiteral("Bo Park"));
            QVERIFY2(showsWhole(d.textBox(RosterField::BirthDate)), qPrintable(d.boxText(RosterField::BirthDate)));
            grab(&d, qPrintable(QStringLiteral("roster-date-") + region));
            d.cmdClose_Click();
        });
    }

    void insertAndRemoveRestoreTheLists()
    {
        addPeople(3);
        addRoster(1, 1, QStringLiteral("12"));
        addStats(QStringLiteral("PlayerStats"), 1, 1, {2, 3});
        runRoster([&](frmRoster& d) {
            // Nothing selected, already on the roster, statistics in the team's games.
            allList(d)->clearSelection();
            env->expectMsgBox(QStringLiteral("Must select player from the All Players list!"));
            d.cmdInsert_Click();
            selectIn(allList(d), QStringLiteral("Ann Lee"));
            env->expectMsgBox(QStringLiteral("Ann Lee is already on the roster!"));
            d.cmdInsert_Click();
            env->expectMsgBox(QStringLiteral("Ann Lee has player stats entered in game(s) 2,  3.  Delete stats first!"),
                              vbOK, QStringLiteral("Can Not Delete Player"));
            d.cmdDelete_Click();
            QCOMPARE(rosterList(d)->count(), 1);

            // Insert shows the stored person; a change of name reaches All Players,
            // taking him off again brings the stored name back.
            selectIn(allList(d), QStringLiteral("Bo Park"));
            d.cmdInsert_Click();
            QCOMPARE(rosterList(d)->currentItem()->text(), QStringLiteral("Bo Park"));
            QCOMPARE(d.boxText(RosterField::BirthDate), QStringLiteral("5/6/1990"));
            d.cmdChange_Click();
            d.setBoxText(RosterField::FirstName, QStringLiteral("Bob"));
            d.cmdOK_Click();
            QVERIFY(listTexts(allList(d)).contains(QStringLiteral("Bob Park")));
            d.cmdDelete_Click();
            QCOMPARE(listTexts(allList(d)), QStringList({"Ann Lee", "Bo Park", "Cy Moss"}));
            QCOMPARE(listTexts(rosterList(d)), QStringList({"Ann Lee"}));

            // A person added and taken off before Close leaves no trace, and
            // his number is not given out again.
            d.cmdAdd_Click();
            typePerson(d, QStringLiteral("Di"), QStringLiteral("Fox"), QString(), QString());
            d.cmdOK_Click();
            d.cmdDelete_Click();
            QVERIFY(!listTexts(allList(d)).contains(QStringLiteral("Di Fox")));
            d.cmdAdd_Click();
            typePerson(d, QStringLiteral("Ed"), QStringLiteral("Gray"), QString(), QString());
            d.cmdOK_Click();
            QCOMPARE(d.pending().row(d.pending().rowCount()).PersonNumber, int16_t(5));
            d.cmdDelete_Click();
            QCOMPARE(rosterList(d)->currentItem()->text(), QStringLiteral("Ann Lee"));  // the last one left
            d.lstRoster_DblClick();
            QCOMPARE(d.editMode(), QStringLiteral("C"));
            d.cmdCancel_Click();
            d.cmdClose_Click();
        });
        QCOMPARE(rows("People"), 3);
        QCOMPARE(rows("People", "PersonNumber = 2 and FirstName = 'Bo'"), 1);
        QCOMPARE(rows("Roster"), 1);
    }

    // Both lists in the user's alphabet; an entry added keeps its person and
    // is the one chosen, wherever it lands.
    void listsInTheUsersAlphabet_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("all");
        QTest::addColumn<QString>("roster");
        QTest::newRow("en_US") << QStringLiteral("en_US")
                               << QStringLiteral("Çağla Öz,Élise Roy,İpek Arslan,Irmak Yıldız,Işıl Demir,Zeynep Kaya")
                               << QStringLiteral("İpek Arslan,Irmak Yıldız,Işıl Demir,ılgın Ak");
        // No region: the alphabet as in English, not character codes (which
        // put Ç, É and İ after Z).
        QTest::newRow("C") << QStringLiteral("C")
                           << QStringLiteral("Çağla Öz,Élise Roy,İpek Arslan,Irmak Yıldız,Işıl Demir,Zeynep Kaya")
                           << QStringLiteral("İpek Arslan,Irmak Yıldız,Işıl Demir,ılgın Ak");
        QTest::newRow("tr_TR") << QStringLiteral("tr_TR")
                               << QStringLiteral("Çağla Öz,Élise Roy,Irmak Yıldız,Işıl Demir,İpek Arslan,Zeynep Kaya")
                               << QStringLiteral("ılgın Ak,Irmak Yıldız,Işıl Demir,İpek Arslan");
    }
    void listsInTheUsersAlphabet()
    {
        QFETCH(QString, region);
        QFETCH(QString, all);
        QFETCH(QString, roster);
        RegionalSettings settings(region);
        const char* const names[][2] = {{"Işıl", "Demir"},  {"İpek", "Arslan"}, {"Çağla", "Öz"},
                                        {"Zeynep", "Kaya"}, {"Irmak", "Yıldız"}, {"Élise", "Roy"}};
        QMap<int, QString> shown{{7, QStringLiteral("ılgın Ak")}};
        for (int i = 0; i < 6; ++i) {
            addPerson(i + 1, QString::fromUtf8(names[i][0]), QString::fromUtf8(names[i][1]));
            shown[i + 1] = QString::fromUtf8(names[i][0]) + QLatin1Char(' ') + QString::fromUtf8(names[i][1]);
        }
        for (int person : {1, 2, 5})
            addRoster(1, person, QString::number(person));
        runRoster([&](frmRoster& d) {
            QCOMPARE(listTexts(allList(d)).join(QLatin1Char(',')), all);
            d.cmdAdd_Click();
            typePerson(d, QStringLiteral("ılgın"), QStringLiteral("Ak"), QString(), QString());
            d.cmdOK_Click();
            QCOMPARE(listTexts(rosterList(d)).join(QLatin1Char(',')), roster);
            QCOMPARE(rosterList(d)->currentItem()->text(), QStringLiteral("ılgın Ak"));
            QCOMPARE(rosterList(d)->currentItem()->data(Qt::UserRole).toInt(), 7);
            // Each entry still carries the person it shows.
            for (QListWidget* list : {allList(d), rosterList(d)})
                for (int row = 0; row < list->count(); ++row)
                    QCOMPARE(list->item(row)->text(), shown.value(list->item(row)->data(Qt::UserRole).toInt()));
            d.cmdClose_Click();
        });
    }

    // Forty people of two names in several letter cases, stored out of
    // number order: each name's entries stand in the order of their person
    // numbers, in All Players and on the roster.
    void equalNamesListByPersonNumber()
    {
        const char* const names[][2] = {{"ann", "Lee"}, {"Bo", "Park"}, {"ANN", "LEE"}, {"bo", "park"}, {"Ann", "Lee"}};
        QHash<QString, QList<int>> numbers;  // by the name in small letters
        QSet<int> onRoster;
        for (int k = 1; k <= 40; ++k) {
            const int person = k * 17 % 41;  // 17, 34, 10, 27, ...: each of 1 to 40 once
            addPerson(person, QLatin1String(names[k % 5][0]), QLatin1String(names[k % 5][1]));
            numbers[QString::fromLatin1(names[k % 5][0]).toLower()] << person;
            if (k % 3 != 0) {
                addRoster(1, person, QString::number(k));
                onRoster << person;
            }
        }
        QList<int> all, roster;
        for (const char* name : {"ann", "bo"}) {
            QList<int> byNumber = numbers.value(QLatin1String(name));
            std::sort(byNumber.begin(), byNumber.end());
            all << byNumber;
            for (int person : byNumber)
                if (onRoster.contains(person))
                    roster << person;
        }
        const auto persons = [](const QListWidget* list) {
            QList<int> out;
            for (int row = 0; row < list->count(); ++row)
                out << list->item(row)->data(Qt::UserRole).toInt();
            return out;
        };
        runRoster([&](frmRoster& d) {
            QCOMPARE(persons(allList(d)), all);
            QCOMPARE(persons(rosterList(d)), roster);
            d.cmdClose_Click();
        });
    }

    void deletePlayerIsWrittenAtOnce()
    {
        addPeople(3);
        addRoster(1, 1, QStringLiteral("12"));
        addRoster(2, 2, QStringLiteral("9"));
        runRoster([&](frmRoster& d) {
            selectIn(allList(d), QStringLiteral("Ann Lee"));
            env->expectMsgBox(QStringLiteral("Must delete from roster first!"));
            d.cmdDeletePlayer_Click();
            selectIn(allList(d), QStringLiteral("Bo Park"));
            env->expectMsgBox(QStringLiteral("Bo Park is on the roster of the Valley Lynx."));
            d.cmdDeletePlayer_Click();
            selectIn(allList(d), QStringLiteral("Cy Moss"));
            d.cmdDeletePlayer_Click();
            QCOMPARE(rows("People", "PersonNumber = 3"), 0);
            QCOMPARE(allList(d)->currentRow(), 0);
            QCOMPARE(listTexts(allList(d)), QStringList({"Ann Lee", "Bo Park"}));

            // Taken off this roster, he can be deleted; Close then has nothing left to remove.
            selectIn(rosterList(d), QStringLiteral("Ann Lee"));
            d.cmdDelete_Click();
            selectIn(allList(d), QStringLiteral("Ann Lee"));
            d.cmdDeletePlayer_Click();
            d.cmdClose_Click();
        });
        QCOMPARE(rows("People"), 1);
        QCOMPARE(rows("Roster"), 1);
    }

    void noTeamSelected()
    {
        g.SelectedTeamCount = 0;
        g.CurrentTeam = 0;
        addPerson(1, QStringLiteral("Ann"), QStringLiteral("Lee"));
        addRoster(0, 1, QStringLiteral("1"));  // a stray row of team 0 stays out of it
        addRoster(2, 1, QStringLiteral("1"));
        runRoster([&](frmRoster& d) {
            // Nothing can be put on a roster of no team; people can still be deleted.
            for (const char* name : {"cmdInsert", "cmdAdd", "txtFirstName"})
                QVERIFY2(!control(&d, name)->isEnabled(), name);
            QVERIFY(control(&d, "cmdDeletePlayer")->isEnabled());
            QCOMPARE(rosterList(d)->count(), 0);
            d.cmdClose_Click();
        });
        QCOMPARE(rows("Roster"), 2);
    }

    void aFailedCloseSaysSoAndCanStay()
    {
        addPerson(1, QStringLiteral("Ann"), QStringLiteral("Lee"));
        db().execute(QStringLiteral("create trigger refuse before insert on Roster begin "
                                    "select raise(abort, 'disk full'); end"));
        runRoster([&](frmRoster& d) {
            selectIn(allList(d), QStringLiteral("Ann Lee"));
            d.cmdInsert_Click();
            d.cmdAdd_Click();
            typePerson(d, QStringLiteral("Bo"), QStringLiteral("Park"), QStringLiteral("9"), QString());
            d.cmdOK_Click();
            env->expectMsgBox(QStringLiteral("The roster changes could not be saved; none of them was written."), vbNo);
            d.cmdClose_Click();
            QVERIFY(d.isVisible());
            QCOMPARE(d.pending().rowCount(), 2);
            QCOMPARE(rows("People"), 1);
            env->expectMsgBox(QStringLiteral("Close the roster without saving the changes?"), vbYes);
            d.cmdClose_Click();
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(rows("People"), 1);
        QCOMPARE(rows("Roster"), 0);
    }

    void closeFromTheEntryScreenRefreshesIt()
    {
        g.FormOpen[FormNo::PScreen] = True;
        int refreshed = 0;
        frmRoster::entryScreenRefresh = [&] { ++refreshed; };
        runRoster([&](frmRoster& d) { d.cmdClose_Click(); });
        QCOMPARE(refreshed, 1);
        QVERIFY(!Loaded<frmSelectTeam>()->isShown());
    }
};

VH_TEST_MAIN(TstRoster)
#include "tst_roster.moc"
