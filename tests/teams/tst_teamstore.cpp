#include "support/TestMain.h"
#include "shell/NameOrder.h"
#include "teams/TeamStore.h"
#include "teams/TeamTestData.h"

using namespace vh;
using namespace vh::test;

class TstTeamStore : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = TestEnv::withNewDatabase(); }
    void cleanup() { env.reset(); }

    void nextNumbersCountEveryTeamAndNeverFall()
    {
        addTeam(1, QStringLiteral("One"));
        addTeam(9, QStringLiteral("Nine"));
        addTeam(4, QStringLiteral("Four"));
        addFilter(3, QStringLiteral("Only one"), {1});
        int16_t next = 0;
        const auto listed = TeamsInFilter(Db(), 3, next);
        QCOMPARE(listed.size(), size_t(1));
        QCOMPARE(listed[0].number, int16_t(1));
        QCOMPARE(next, int16_t(10));  // the hidden teams count

        // Once risen the number stays, even when the table shrinks.
        Db().execute(QStringLiteral("delete from Teams where TeamNumber = 9"));
        TeamsInFilter(Db(), 0, next);
        QCOMPARE(next, int16_t(10));

        int16_t empty = 0;
        Db().execute(QStringLiteral("delete from Teams"));
        QVERIFY(TeamsInFilter(Db(), 0, empty).empty());
        QCOMPARE(empty, int16_t(1));

        int16_t top = 0;
        RaiseNextNumber(top, 32767);
        QCOMPARE(top, int16_t(32767));  // no wrap to a negative key
    }

    // The program's next number may stop at the largest key while that is in
    // use (a restored back-up): the table decides, and none is given twice.
    void newTeamsAndFiltersTakeNoNumberInUse()
    {
        addTeam(32766, QStringLiteral("Restored"));
        addFilter(32766, QStringLiteral("Restored"), {32766});
        QCOMPARE(NewTeamNumber(Db(), 5), std::optional<int16_t>(32767));
        QCOMPARE(NewFilterNumber(Db(), 5), std::optional<int16_t>(32767));
        addTeam(32767, QStringLiteral("Last"));
        addFilter(32767, QStringLiteral("Last"), {32767});
        QCOMPARE(NewTeamNumber(Db(), 32767), std::nullopt);
        QCOMPARE(NewFilterNumber(Db(), 32767), std::nullopt);

        // Above the table, the program's number counts (no number is reused
        // in a run); below 1 none is given.
        Db().execute(QStringLiteral("update Teams set TeamNumber = -TeamNumber"));
        QCOMPARE(NewTeamNumber(Db(), 0), std::optional<int16_t>(1));
        QCOMPARE(NewTeamNumber(Db(), 40), std::optional<int16_t>(40));
        Db().execute(QStringLiteral("delete from Filters"));
        QCOMPARE(NewFilterNumber(Db(), 1), std::optional<int16_t>(1));
    }

    void teamTableKeepsTableOrderAndCutsNames()
    {
        const QString longName = QStringLiteral("The Northern Lakes Hockey Association Juniors");
        BuildTeamTable({{4, QStringLiteral("Zeta"), QStringLiteral("Z")},
                        {1, longName, QStringLiteral("Northern Lakes Hockey")}});
        QCOMPARE(g.NumTeams, int16_t(2));
        QVERIFY(g.TeamNumbers[1] == 4 && g.TeamNumbers[2] == 1);
        QCOMPARE(g.LongTeamNames[2].str(), longName.left(30));
        QCOMPARE(g.ShortTeamNames[2].str(), QStringLiteral("Northern Lakes Hocke"));
        QCOMPARE(g.TeamSelected.size(), 2);
        BuildTeamTable({});
        QCOMPARE(g.NumTeams, int16_t(0));
        QCOMPARE(g.TeamSelected.size(), 0);
    }

    // Names in the alphabet of the user's language, letter case not counting:
    // Turkish has a dotless ı before i and puts Ç after C; English keeps É by E
    // (not after Z, as character codes do). No region: as English.
    void listsSortInTheUsersAlphabet_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QList<int16_t>>("order");
        // 1 Irmak, 2 iskele, 3 Işık, 4 Zeytin, 5 Çamlık, 6 Ümraniye, 7 İzmir,
        // 8 ılıca, 9 Zebras, 10 Écureuils, 11 beta, 12 BETA
        const QList<int16_t> english{11, 12, 5, 10, 1, 3, 2, 7, 8, 6, 9, 4};
        QTest::newRow("en_US") << QStringLiteral("en_US") << english;
        QTest::newRow("C") << QStringLiteral("C") << english;
        QTest::newRow("tr_TR") << QStringLiteral("tr_TR") << QList<int16_t>{11, 12, 5, 10, 8, 1, 3, 2, 7, 6, 9, 4};
    }
    void listsSortInTheUsersAlphabet()
    {
        QFETCH(QString, region);
        QFETCH(QList<int16_t>, order);
        RegionalSettings settings(region);
        std::vector<TeamRow> teams;
        int16_t number = 0;
        for (const char* name : {"Irmak", "iskele", "Işık", "Zeytin", "Çamlık", "Ümraniye", "İzmir", "ılıca", "Zebras",
                                 "Écureuils", "beta", "BETA"})
            teams.push_back({++number, QString::fromUtf8(name), {}});
        SortByName(teams);
        QList<int16_t> sorted;
        for (const TeamRow& t : teams)
            sorted << t.number;
        QCOMPARE(sorted, order);  // equal names in table order

        // Letter case as the language has it: I is the capital of ı in Turkish.
        QCOMPARE(CompareNames(QString::fromUtf8("ılıca"), QStringLiteral("ILICA")) == 0, region == QLatin1String("tr_TR"));

        // A list box's entries: equal names by their number, however added.
        NameListItem a(QStringLiteral("Hawks"), 7), b(QStringLiteral("HAWKS"), 3), c(QString::fromUtf8("Écureuils"), 9);
        QVERIFY(b < a && !(a < b) && c < b);
    }

    void selectedTextCountsTeams()
    {
        QCOMPARE(TeamsSelectedText(0), QStringLiteral("0 Teams Selected"));
        QCOMPARE(TeamsSelectedText(1), QStringLiteral("1 Team Selected"));
        QCOMPARE(TeamsSelectedText(3), QStringLiteral("3 Teams Selected"));
    }

    void teamDetailsAreTrimmedAndShortNameDefaults()
    {
        TeamDetails d;
        d.longName = QStringLiteral("   ");
        QVERIFY(!PrepareTeamDetails(d));

        d.longName = QStringLiteral("  Thirty Characters Long Name!!  ");
        d.email = QStringLiteral(" coach@example.org ");
        QVERIFY(PrepareTeamDetails(d));
        QCOMPARE(d.longName, QStringLiteral("Thirty Characters Long Name!!"));
        QCOMPARE(d.shortName, QStringLiteral("Thirty Characters Lo"));
        QCOMPARE(d.email, QStringLiteral("coach@example.org"));

        TeamDetails shortOne;
        shortOne.longName = QStringLiteral("Twelve Chars");
        QVERIFY(PrepareTeamDetails(shortOne));
        QCOMPARE(shortOne.shortName, QStringLiteral("Twelve Chars"));

        // A cut that ends on a blank leaves no blank behind.
        TeamDetails blankAt20;
        blankAt20.longName = QStringLiteral("Saint Bernard Lakes Hawks");
        QVERIFY(PrepareTeamDetails(blankAt20));
        QCOMPARE(blankAt20.shortName, QStringLiteral("Saint Bernard Lakes"));
    }

    void filterWritesAreWholeOrNothing()
    {
        addTeam(1, QStringLiteral("A"));
        addTeam(2, QStringLiteral("B"));
        addTeam(3, QStringLiteral("C"));
        addFilter(4, QStringLiteral("Old"), {1, 2});

        QVERIFY(ChangeFilter(Db(), 4, QStringLiteral("New"), {2, 3}));
        QCOMPARE(*ReadFilterName(Db(), 4), QStringLiteral("New"));
        QCOMPARE(FilterMembers(Db(), 4), (std::set<int16_t>{2, 3}));
        QCOMPARE(rowsOf(QStringLiteral("TeamFilters")), 2);
        QVERIFY(!ChangeFilter(Db(), 9, QStringLiteral("Nobody"), {1}));
        QVERIFY(!ReadFilterName(Db(), 9));

        failInsertsInto(QStringLiteral("TeamFilters"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, ChangeFilter(Db(), 4, QStringLiteral("Newer"), {1}));
        QCOMPARE(*ReadFilterName(Db(), 4), QStringLiteral("New"));
        QCOMPARE(FilterMembers(Db(), 4), (std::set<int16_t>{2, 3}));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, AddFilter(Db(), 5, QStringLiteral("Half"), {1}));
        QVERIFY(!ReadFilterName(Db(), 5));

        DeleteFilter(Db(), 4);
        QCOMPARE(rowsOf(QStringLiteral("Filters")), 0);
        QCOMPARE(rowsOf(QStringLiteral("TeamFilters")), 0);
        QCOMPARE(Db().transactionDepth(), 0);
    }
};

VH_TEST_MAIN(TstTeamStore)
#include "tst_teamstore.moc"
