#include "support/ScreenReader.h"
#include "support/TestMain.h"
#include "teams/TeamStore.h"
#include "teams/TeamTestData.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace vh;
using namespace vh::test;

namespace {

QStringList listed(frmSelectTeam* f)
{
    QStringList texts;
    for (const TeamListEntry& e : f->teamListEntries())
        texts << e.text;
    return texts;
}

QString teamField(int team, const char* field)
{
    return Db().scalar(QStringLiteral("select %1 from Teams where TeamNumber = ?").arg(QLatin1String(field)), {team})
        .toString();
}

}  // namespace

class TstTeamEditors : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    // The team-selection window as the program has it, hidden by the frame
    // command that opens an editor.
    frmSelectTeam* homeWindow()
    {
        frmSelectTeam* f = Load<frmSelectTeam>();
        CloseOpenForms();
        return f;
    }
    frmTeamName* openTeamEditor(const char* mode)
    {
        g.TeamMode = mode;
        return Load<frmTeamName>();
    }
    frmTeamFilters* openFilterEditor(const char* mode)
    {
        g.FilterMode = mode;
        return Load<frmTeamFilters>();
    }
    static void ok(QWidget* editor) { control<QPushButton>(editor, "cmdOK")->click(); }

private slots:
    void init() { env = startWithNewDatabase(); }
    void cleanup()
    {
        const int unseen = env->pendingExpectations();  // message boxes expected but never shown
        unloadTeamWindows();
        env.reset();
        QCOMPARE(unseen, 0);
    }

    // ------------------------------------------------------------ team editor

    void addingTeamsNumbersThemAndRebuildsTheSelection()
    {
        addTeam(3, QStringLiteral("Existing"));
        frmSelectTeam* home = homeWindow();
        frmTeamName* editor = openTeamEditor("A");
        control<QLineEdit>(editor, "txtTeamName")->setText(QStringLiteral("    "));
        env->expectMsgBox(QStringLiteral("Long Name can not be blank!"), vbOK, QStringLiteral("Invalid Team Name"));
        ok(editor);
        QCOMPARE(Loaded<frmTeamName>(), editor);
        QCOMPARE(rowsOf(QStringLiteral("Teams")), 1);

        control<QLineEdit>(editor, "txtTeamName")->setText(QStringLiteral("  Northern Lakes Hockey Juniors  "));
        control<QLineEdit>(editor, "txtContactPerson")->setText(QStringLiteral(" Sam O'Neil "));
        control<QPlainTextEdit>(editor, "txtNotes")->setPlainText(QStringLiteral("Line one\nLine two"));
        ok(editor);
        flushDeletes();
        QVERIFY(!Loaded<frmTeamName>());
        QCOMPARE(teamField(4, "LongTeamName"), QStringLiteral("Northern Lakes Hockey Juniors"));
        QCOMPARE(teamField(4, "ContactPerson"), QStringLiteral("Sam O'Neil"));
        QCOMPARE(teamField(4, "notes"), QStringLiteral("Line one\nLine two"));

        // The selection window was rebuilt: a new instance listing the team.
        frmSelectTeam* rebuilt = Loaded<frmSelectTeam>();
        QVERIFY(rebuilt && rebuilt != home);
        QVERIFY(rebuilt->isShown());
        QCOMPARE(listed(rebuilt), (QStringList{QStringLiteral("Existing"), QStringLiteral("Northern Lakes Hockey Juniors")}));

        // A second add without a restart takes the next number.
        CloseOpenForms();
        editor = openTeamEditor("A");
        control<QLineEdit>(editor, "txtTeamName")->setText(QStringLiteral("Twelve Chars"));
        ok(editor);
        QCOMPARE(teamField(5, "ShortTeamName"), QStringLiteral("Twelve Chars"));
        QCOMPARE(g.NextTeamNumber, int16_t(6));
    }

    void changingEditsTheCurrentTeamOnlyAndCancelNothing()
    {
        addTeam(1, QStringLiteral("First"));
        addTeam(2, QStringLiteral("Second"), QStringLiteral("Sec"));
        frmSelectTeam* home = homeWindow();
        g.CurrentTeam = 2;
        // Cancel writes nothing and brings back the same selection window.
        frmTeamName* editor = openTeamEditor("C");
        control<QLineEdit>(editor, "txtTeamName")->setText(QStringLiteral("Never saved"));
        control<QPushButton>(editor, "cmdCancel")->click();
        flushDeletes();
        QVERIFY(!Loaded<frmTeamName>());
        QCOMPARE(Loaded<frmSelectTeam>(), home);
        QVERIFY(home->isShown());
        QCOMPARE(g.SelectedTeamCount, int16_t(1));
        QCOMPARE(teamField(2, "LongTeamName"), QStringLiteral("Second"));

        CloseOpenForms();
        editor = openTeamEditor("C");
        QCOMPARE(control<QLineEdit>(editor, "txtTeamName")->text(), QStringLiteral("Second"));
        QCOMPARE(control<QLineEdit>(editor, "txtShortTeamName")->text(), QStringLiteral("Sec"));

        const QString quoted = QStringLiteral("Second \"B\" Team's; --");
        control<QLineEdit>(editor, "txtTeamName")->setText(quoted);
        control<QLineEdit>(editor, "txtShortTeamName")->clear();
        control<QLineEdit>(editor, "txtPhoneNumber")->setText(QStringLiteral("555-0100"));
        ok(editor);
        QCOMPARE(teamField(2, "LongTeamName"), quoted);
        QCOMPARE(teamField(2, "PhoneNumber"), QStringLiteral("555-0100"));
        QCOMPARE(teamField(1, "LongTeamName"), QStringLiteral("First"));
        QCOMPARE(rowsOf(QStringLiteral("Teams")), 2);
        // The changed team is still the one selected.
        QCOMPARE(g.CurrentTeam, int16_t(2));
        const auto entries = Loaded<frmSelectTeam>()->teamListEntries();
        QCOMPARE(entries[1].text, quoted);
        QVERIFY(entries[1].selected);

        // A team that is gone cannot be changed.
        CloseOpenForms();
        g.CurrentTeam = 8;
        env->expectMsgBox(QStringLiteral("The selected team could not be found!"));
        QVERIFY(!control<QPushButton>(openTeamEditor("C"), "cmdOK")->isEnabled());
    }

    // A name wider than its box shows from its start, not its end.
    void changeShowsTheStartOfALongName()
    {
        const QString name = QStringLiteral("Northern Lakes Hockey Association Juniors Blue 50");
        addTeam(1, name);
        homeWindow();
        g.CurrentTeam = 1;
        frmTeamName* editor = openTeamEditor("C");
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        grab(editor, "change-team-long-name");
        auto* box = control<QLineEdit>(editor, "txtTeamName");
        QVERIFY(box->fontMetrics().horizontalAdvance(name) > box->width());
        QCOMPARE(box->text(), name);
        QCOMPARE(box->cursorPosition(), 0);
    }

    void deletingATeamRemovesItsRowsAfterConfirmation()
    {
        twoTeamsWithGames();
        homeWindow();
        g.CurrentTeam = 1;
        frmTeamName* editor = openTeamEditor("D");
        QCOMPARE(control<QLineEdit>(editor, "txtTeamName")->text(), QStringLiteral("Doomed"));

        // Cancel on the question changes nothing and keeps the window.
        const QString question =
            QStringLiteral("Are you sure? The roster and ALL team and player results will be permanently deleted!");
        env->expectMsgBox(question, vbCancel, QStringLiteral("Delete Team, Roster and Results"));
        ok(editor);
        QCOMPARE(Loaded<frmTeamName>(), editor);
        QCOMPARE(rowsOf(QStringLiteral("GameStats"), 1), 2);

        // A delete that fails half way says so and leaves every row.
        failDeletesFrom(QStringLiteral("PlayerStats"));
        env->expectMsgBox(question, vbOK);
        env->expectMsgBox(QStringLiteral("The team could not be deleted. Nothing has been changed."));
        ok(editor);
        QVERIFY(env->shownMessages().last().text.contains(QStringLiteral("disk full")));
        QCOMPARE(Loaded<frmTeamName>(), editor);
        QCOMPARE(g.CurrentTeam, int16_t(1));
        for (const char* table : TeamTables)
            QVERIFY2(rowsOf(QLatin1String(table), 1) > 0, table);
        Db().execute(QStringLiteral("drop trigger fail_PlayerStats"));

        // Text typed before OK is never written.
        control<QLineEdit>(editor, "txtTeamName")->setText(QStringLiteral("Typed"));
        env->expectMsgBox(question, vbOK);
        ok(editor);
        QVERIFY(!Loaded<frmTeamName>());
        for (const char* table : TeamTables) {
            QCOMPARE(rowsOf(QLatin1String(table), 1), 0);
            QCOMPARE(rowsOf(QLatin1String(table), 2), 1);
        }
        QCOMPARE(rowsOf(QStringLiteral("People")), 1);
        QCOMPARE(g.CurrentTeam, int16_t(0));
        frmSelectTeam* home = Loaded<frmSelectTeam>();
        QCOMPARE(listed(home), QStringList{QStringLiteral("Other")});
        QVERIFY(home->teamListEntries()[0].selected);
    }

    // ------------------------------------------------------------ filter editor

    void addingAFilterMakesItTheCurrentFilter()
    {
        addTeam(1, QStringLiteral("Riverside"));
        addTeam(2, QStringLiteral("alpha"));
        addTeam(3, QStringLiteral("Lakeview"));
        addFilter(2, QStringLiteral("Old"), {1});
        homeWindow();
        frmTeamFilters* editor = openFilterEditor("A");
        auto* label = control<QLabel>(editor, "lblTeamsSelected");
        auto* name = control<QLineEdit>(editor, "txtFilterName");
        auto* teams = control<QListWidget>(editor, "lstTeams");
        // Each click selects or deselects one team.
        editor->showForm();
        for (int row : {0, 2, 1}) {
            const QRect r = teams->visualItemRect(teams->item(row));
            QTest::mouseClick(teams->viewport(), Qt::LeftButton, {}, r.center());
        }
        QCOMPARE(label->text(), QStringLiteral("3 Teams Selected"));
        teams->clearSelection();

        env->expectMsgBox(QStringLiteral("Filter Name can not be blank!"), vbOK, QStringLiteral("Invalid Filter Name"));
        name->setText(QStringLiteral("   "));
        ok(editor);
        env->expectMsgBox(QStringLiteral("Must select at least one team!"), vbOK, QStringLiteral("No Teams Selected"));
        // Pasted Tabs are blanks: kept, the team selection's filter list
        // showed the name as "West" and a gap.
        name->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("  West\t\"A\"\tPool  "));
        QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
        ok(editor);
        QCOMPARE(rowsOf(QStringLiteral("Filters")), 1);

        teams->item(0)->setSelected(true);
        teams->item(2)->setSelected(true);
        ok(editor);
        QVERIFY(!Loaded<frmTeamFilters>());
        QCOMPARE(*ReadFilterName(Db(), 3), QStringLiteral("West \"A\" Pool"));
        QCOMPARE(FilterMembers(Db(), 3), (std::set<int16_t>{2, 1}));
        QCOMPARE(g.CurrentFilter, int16_t(3));
        frmSelectTeam* home = Loaded<frmSelectTeam>();
        QVERIFY(home->isShown());
        QCOMPARE(listed(home), (QStringList{QStringLiteral("alpha"), QStringLiteral("Riverside")}));
        QCOMPARE(g.NextFilterNumber, int16_t(4));
    }

    void changingShowsTheMembersAndRewritesThem()
    {
        for (int t = 1; t <= 4; ++t)
            addTeam(t, QStringLiteral("Team %1").arg(t));
        addFilter(6, QStringLiteral("Three"), {4, 1, 3});
        g.CurrentFilter = 6;
        frmSelectTeam* home = homeWindow();
        // Cancel writes nothing and brings back the same selection window.
        frmTeamFilters* editor = openFilterEditor("C");
        control<QLineEdit>(editor, "txtFilterName")->setText(QStringLiteral("Changed"));
        control<QPushButton>(editor, "cmdCancel")->click();
        QCOMPARE(Loaded<frmSelectTeam>(), home);
        QVERIFY(home->isShown());
        QCOMPARE(*ReadFilterName(Db(), 6), QStringLiteral("Three"));

        CloseOpenForms();
        editor = openFilterEditor("C");
        auto* teams = control<QListWidget>(editor, "lstTeams");
        QCOMPARE(teams->count(), 4);  // every team, whatever the filter
        QCOMPARE(control<QLineEdit>(editor, "txtFilterName")->text(), QStringLiteral("Three"));
        QCOMPARE(control<QLabel>(editor, "lblTeamsSelected")->text(), QStringLiteral("3 Teams Selected"));
        QVERIFY(teams->item(0)->isSelected());
        QVERIFY(!teams->item(1)->isSelected());

        // A rewrite that fails says so and keeps the old name and members.
        teams->clearSelection();
        teams->item(1)->setSelected(true);
        teams->item(3)->setSelected(true);
        control<QLineEdit>(editor, "txtFilterName")->setText(QStringLiteral("New name"));
        failInsertsInto(QStringLiteral("TeamFilters"));
        env->expectMsgBox(QStringLiteral("The team filter could not be saved. Nothing has been changed."));
        ok(editor);
        QCOMPARE(Loaded<frmTeamFilters>(), editor);
        QCOMPARE(*ReadFilterName(Db(), 6), QStringLiteral("Three"));
        QCOMPARE(FilterMembers(Db(), 6), (std::set<int16_t>{1, 3, 4}));
        Db().execute(QStringLiteral("drop trigger fail_ins_TeamFilters"));

        ok(editor);
        QCOMPARE(FilterMembers(Db(), 6), (std::set<int16_t>{2, 4}));
        QCOMPARE(g.CurrentFilter, int16_t(6));
        QCOMPARE(listed(Loaded<frmSelectTeam>()), (QStringList{QStringLiteral("Team 2"), QStringLiteral("Team 4")}));
    }

    // A screen reader's row selection on a member already chosen keeps it a
    // member; a member's Toggle takes it out, as a click does. OK stores the
    // teams the list shows.
    void aScreenReaderChoosesMembersAsTheListShows()
    {
        for (int t = 1; t <= 4; ++t)
            addTeam(t, QStringLiteral("Team %1").arg(t));
        addFilter(6, QStringLiteral("Three"), {1, 3, 4});
        g.CurrentFilter = 6;
        homeWindow();
        frmTeamFilters* editor = openFilterEditor("C");
        editor->showForm();
        auto* teams = control<QListWidget>(editor, "lstTeams");
        auto* label = control<QLabel>(editor, "lblTeamsSelected");
        QVERIFY(reader::selectRow(teams, 2));
        QCOMPARE(selectedTexts(teams), (QStringList{"Team 1", "Team 3", "Team 4"}));
        reader::choose(teams, 0);
        QVERIFY(reader::selectRow(teams, 1));
        QCOMPARE(selectedTexts(teams), (QStringList{"Team 2", "Team 3", "Team 4"}));
        QCOMPARE(label->text(), QStringLiteral("3 Teams Selected"));
        ok(editor);
        QCOMPARE(FilterMembers(Db(), 6), (std::set<int16_t>{2, 3, 4}));
    }

    void deletingAFilterReturnsToAllTeams()
    {
        addTeam(1, QStringLiteral("A"));
        addTeam(2, QStringLiteral("B"));
        addFilter(1, QStringLiteral("Keep"), {2});
        addFilter(2, QStringLiteral("Drop"), {1, 2});
        g.CurrentFilter = 2;
        homeWindow();
        frmTeamFilters* editor = openFilterEditor("D");

        env->expectMsgBox(QStringLiteral("Are you sure you want to delete this filter?"), vbCancel);
        ok(editor);
        QCOMPARE(rowsOf(QStringLiteral("Filters")), 2);

        env->expectMsgBox(QStringLiteral("Are you sure you want to delete this filter?"), vbOK);
        ok(editor);
        QCOMPARE(rowsOf(QStringLiteral("Filters")), 1);
        QCOMPARE(g.CurrentFilter, int16_t(0));
        frmSelectTeam* home = Loaded<frmSelectTeam>();
        QCOMPARE(listed(home), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    }

    // A restored back-up may hold the largest team number: the last number is
    // given once, then Add says so and stores nothing, so no team shares the
    // games and roster of another.
    void addingATeamFindsTheLastNumberThenNone()
    {
        addTeam(32766, QStringLiteral("Restored"));
        const auto addByKeys = [this](const QString& name) {
            CloseOpenForms();
            frmTeamName* editor = openTeamEditor("A");
            editor->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(editor));
            auto* box = control<QLineEdit>(editor, "txtTeamName");
            QCOMPARE(QApplication::focusWidget(), box);
            QTest::keyClicks(box, name);
            QTest::keyClick(box, Qt::Key_Return);
        };
        homeWindow();
        addByKeys(QStringLiteral("Last One"));
        QTRY_COMPARE(teamField(32767, "LongTeamName"), QStringLiteral("Last One"));
        QCOMPARE(g.NextTeamNumber, int16_t(32767));
        flushDeletes();

        addPlayedGame(32767, 7, 1);
        env->expectMsgBox(QStringLiteral("No more teams can be added: team number 32767, the largest there is, is "
                                         "already in use!"),
                          vbOK, QStringLiteral("No Team Number Left"));
        addByKeys(QStringLiteral("One Too Many"));
        QTRY_COMPARE(env->pendingExpectations(), 0);
        frmTeamName* editor = Loaded<frmTeamName>();
        QVERIFY(editor);  // open, for Cancel
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(editor, "txtTeamName"));
        QCOMPARE(rowsOf(QStringLiteral("Teams")), 2);
        QCOMPARE(rowsOf(QStringLiteral("Teams"), 32767), 1);
        for (const char* table : {"Roster", "GameStats", "PlayerStats", "GoalieStats"})
            QCOMPARE(rowsOf(QLatin1String(table), 32767), 1);
        QCOMPARE(g.NextTeamNumber, int16_t(32767));
    }

    // Teams added by name are listed in the user's alphabet, in Select Teams
    // and in the filter editor, each entry still standing for its own team.
    void teamListsInTheUsersAlphabet_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("order");
        QTest::newRow("en_US") << QStringLiteral("en_US")
                               << QStringLiteral("Çamlık Écureuils Irmak Işık iskele İzmir ılıca Ümraniye Zebras Zeytin");
        QTest::newRow("tr_TR") << QStringLiteral("tr_TR")
                               << QStringLiteral("Çamlık Écureuils ılıca Irmak Işık iskele İzmir Ümraniye Zebras Zeytin");
    }
    void teamListsInTheUsersAlphabet()
    {
        QFETCH(QString, region);
        QFETCH(QString, order);
        RegionalSettings settings(region);
        const QStringList names =
            QStringLiteral("Irmak iskele Işık Zeytin Çamlık Ümraniye İzmir ılıca Zebras Écureuils").split(QLatin1Char(' '));
        const auto numberOf = [&names](const QString& name) { return int16_t(names.indexOf(name) + 1); };
        homeWindow();
        for (const QString& name : names) {
            CloseOpenForms();
            frmTeamName* editor = openTeamEditor("A");
            control<QLineEdit>(editor, "txtTeamName")->setText(name);
            ok(editor);
        }
        flushDeletes();
        const QStringList sorted = order.split(QLatin1Char(' '));
        frmSelectTeam* home = Loaded<frmSelectTeam>();
        QCOMPARE(listed(home), sorted);
        const auto entries = home->teamListEntries();
        QVERIFY(entries[0].selected);
        QCOMPARE(entries[0].teamNumber, numberOf(sorted[0]));

        CloseOpenForms();
        frmTeamFilters* editor = openFilterEditor("A");
        auto* teams = control<QListWidget>(editor, "lstTeams");
        QCOMPARE(listTexts(teams), sorted);
        editor->showForm();
        grab(editor, qPrintable(QStringLiteral("team-filter-") + region));
        for (int row : {2, 6})
            QTest::mouseClick(teams->viewport(), Qt::LeftButton, {}, teams->visualItemRect(teams->item(row)).center());
        control<QLineEdit>(editor, "txtFilterName")->setText(QStringLiteral("Pool"));
        ok(editor);
        QCOMPARE(FilterMembers(Db(), 1), (std::set<int16_t>{numberOf(sorted[2]), numberOf(sorted[6])}));
    }

    // Forty teams of three names in several letter cases, stored out of
    // number order: each name's teams stay in table order in Select Teams and
    // in the filter editor. A sort of a few entries keeps that by chance.
    void equalNamesKeepTableOrderInLongLists()
    {
        const QStringList names =
            QStringLiteral("Hawks bears HAWKS Écureuils hawks Bears ÉCUREUILS BEARS").split(QLatin1Char(' '));
        QHash<QString, QList<int16_t>> tableOrder;  // by the name in small letters
        for (int k = 1; k <= 40; ++k) {
            const auto number = int16_t(k * 17 % 41);  // 17, 34, 10, 27, ...: each of 1 to 40 once
            addTeam(number, names[k % names.size()]);
            tableOrder[names[k % names.size()].toLower()] << number;
        }
        QList<int16_t> expected;
        for (const QString& name : {QStringLiteral("bears"), QStringLiteral("écureuils"), QStringLiteral("hawks")})
            expected << tableOrder.value(name);
        QCOMPARE(expected.size(), 40);

        QList<int16_t> listedNumbers;
        for (const TeamListEntry& e : homeWindow()->teamListEntries())
            listedNumbers << e.teamNumber;
        QCOMPARE(listedNumbers, expected);

        auto* teams = control<QListWidget>(openFilterEditor("A"), "lstTeams");
        listedNumbers.clear();
        for (int row = 0; row < teams->count(); ++row)
            listedNumbers << int16_t(teams->item(row)->data(Qt::UserRole).toInt());
        QCOMPARE(listedNumbers, expected);
    }

    void addingAFilterWithNoNumberLeftStoresNothing()
    {
        addTeam(1, QStringLiteral("Only"));
        addFilter(32767, QStringLiteral("Restored"), {1});
        homeWindow();
        frmTeamFilters* editor = openFilterEditor("A");
        control<QLineEdit>(editor, "txtFilterName")->setText(QStringLiteral("New"));
        control<QListWidget>(editor, "lstTeams")->item(0)->setSelected(true);
        env->expectMsgBox(QStringLiteral("No more team filters can be added"), vbOK, QStringLiteral("No Filter Number Left"));
        ok(editor);
        QCOMPARE(Loaded<frmTeamFilters>(), editor);
        QCOMPARE(rowsOf(QStringLiteral("Filters")), 1);
        QCOMPARE(rowsOf(QStringLiteral("TeamFilters")), 1);
    }

    void enterPressesOKExceptInTheNotes()
    {
        homeWindow();
        frmTeamName* editor = openTeamEditor("A");
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor));
        auto* name = control<QLineEdit>(editor, "txtTeamName");
        name->setText(QStringLiteral("Entered"));
        // In the notes box Enter breaks the line; in a one-line box it presses OK.
        auto* notes = control<QPlainTextEdit>(editor, "txtNotes");
        notes->setFocus();
        QTest::keyClicks(notes, QStringLiteral("ab"));
        QTest::keyClick(notes, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(notes->toPlainText(), QStringLiteral("ab\n"));
        QCOMPARE(rowsOf(QStringLiteral("Teams")), 0);
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Return);
        QTRY_COMPARE(rowsOf(QStringLiteral("Teams")), 1);
    }
};

VH_TEST_MAIN(TstTeamEditors)
#include "tst_teameditors.moc"
