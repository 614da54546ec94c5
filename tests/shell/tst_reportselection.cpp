#include "shell/GameFilter.h"
#include "shell/Globals.h"
#include "shell/WorkTable.h"
#include "support/StatsTestData.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

Q_DECLARE_METATYPE(vh::ReportCriteria)

using namespace vh;
using namespace vh::test;

namespace {

// The games of team 1 the SQL selection keeps, and those the row test keeps.
QList<int> keptBySql(const ReportCriteria& c)
{
    const SqlCondition cond = gameSelection(c, QStringLiteral("s"));
    Recordset rs = Db().openRecordset(
        QStringLiteral("select s.GameNumber from GameStats s where s.TeamNumber = 1 and ") + cond.sql +
            QStringLiteral(" order by s.GameNumber"),
        cond.params);
    QList<int> out;
    for (; !rs.eof(); rs.moveNext())
        out << rs.getInt(QStringLiteral("GameNumber"));
    return out;
}

QList<int> keptByRowTest(const ReportCriteria& c)
{
    Recordset rs = Db().openRecordset(QStringLiteral("select * from GameStats where TeamNumber = 1 order by GameNumber"));
    QList<int> out;
    for (; !rs.eof(); rs.moveNext())
        if (gameSelected(c, rs.getInt(QStringLiteral("GameNumber")), rs.value(QStringLiteral("HomeTeam")),
                         rs.value(QStringLiteral("GameType"))))
            out << rs.getInt(QStringLiteral("GameNumber"));
    return out;
}

QStringList sortKeys(const QString& table)
{
    Recordset rs = Db().openRecordset(QStringLiteral("select SortKey, Col1 from %1 order by SortKey").arg(table));
    QStringList out;
    for (; !rs.eof(); rs.moveNext())
        out << rs.getText(QStringLiteral("SortKey")) + QLatin1Char('=') + rs.textOr(QStringLiteral("Col1"));
    return out;
}

}  // namespace

class TstReportSelection : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = TestEnv::withNewDatabase(); }
    void cleanup() { env.reset(); }

    // The SQL condition and the row test keep the same games, whatever the criteria.
    void sqlAndRowTestAgree_data()
    {
        QTest::addColumn<ReportCriteria>("criteria");
        QTest::addColumn<QList<int>>("kept");
        ReportCriteria all;
        QTest::newRow("everything") << all << QList<int>{1, 2, 3, 4, 5, 6};
        ReportCriteria range;
        range.lowGame = 2;
        range.highGame = 4;
        QTest::newRow("range") << range << QList<int>{2, 3, 4};
        ReportCriteria away;
        away.includeHome = false;
        QTest::newRow("away and unknown") << away << QList<int>{2, 4, 5, 6};
        ReportCriteria home;
        home.includeAway = false;
        QTest::newRow("home and unknown") << home << QList<int>{1, 3, 5, 6};
        ReportCriteria types;
        types.allGameTypes = false;
        types.gameTypes = {{0, true}, {2, false}, {3, true}, {2, true}};  // the first entry of a type decides
        QTest::newRow("type left out; unlisted type kept") << types << QList<int>{1, 2, 4, 5, 6};
        ReportCriteria noType;
        noType.allGameTypes = false;
        noType.gameTypes = {{0, false}, {1, true}, {2, true}};
        QTest::newRow("no game type left out; a Null type kept") << noType << QList<int>{2, 3, 4, 5, 6};
        ReportCriteria listedButAll = types;
        listedButAll.allGameTypes = true;
        QTest::newRow("all types") << listedButAll << QList<int>{1, 2, 3, 4, 5, 6};
        ReportCriteria excluded;
        excluded.excludedGames = {2, 6, 99};
        QTest::newRow("excluded games") << excluded << QList<int>{1, 3, 4, 5};
    }
    void sqlAndRowTestAgree()
    {
        QFETCH(ReportCriteria, criteria);
        QFETCH(QList<int>, kept);
        Database& db = Db();
        // game, home (-1, 0 or Null), type (Null counts as no type)
        addGame(db, 1, 1, QStringLiteral("A"), true, 0);
        addGame(db, 1, 2, QStringLiteral("B"), false, 1);
        addGame(db, 1, 3, QStringLiteral("C"), true, 2);
        addGame(db, 1, 4, QStringLiteral("D"), false, 7);
        addGame(db, 1, 5, QStringLiteral("E"), true, 1);
        addGame(db, 1, 6, QStringLiteral("F"), true, 1);
        addGame(db, 2, 3, QStringLiteral("other team"), true, 0);
        db.execute(QStringLiteral("update GameStats set HomeTeam = NULL where GameNumber in (5, 6)"));
        db.execute(QStringLiteral("update GameStats set GameType = NULL where GameNumber = 6"));
        QCOMPARE(keptBySql(criteria), kept);
        QCOMPARE(keptByRowTest(criteria), kept);
    }

    // Every value reaches the database bound, none pasted into the text.
    void valuesAreBound()
    {
        ReportCriteria c;
        c.lowGame = 17;
        c.allGameTypes = false;
        c.gameTypes = {{23, false}};
        c.excludedGames = {31};
        const SqlCondition cond = gameSelection(c);
        QVERIFY(!cond.sql.contains(QLatin1String("17")) && !cond.sql.contains(QLatin1String("23")) &&
                !cond.sql.contains(QLatin1String("31")));
        QCOMPARE(cond.params, QVariantList({17, 9999, 23, 31}));
    }

    void workTableIsRewritten()
    {
        Database& db = Db();
        const QStringList fields = {QStringLiteral("SortKey"), QStringLiteral("Col1")};
        rewriteWorkTable(db, QStringLiteral("RptScores"), fields, {{1, QStringLiteral("a")}, {2, QStringLiteral("b")}});
        rewriteWorkTable(db, QStringLiteral("RptScores"), fields, {{1, QStringLiteral("c")}});
        QCOMPARE(sortKeys(QStringLiteral("RptScores")), QStringList({"1=c"}));

        // A write that fails half-way leaves the rows of the last run.
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rewriteWorkTable(db, QStringLiteral("RptScores"),
                                                                {QStringLiteral("SortKey"), QStringLiteral("NoSuchField")},
                                                                {{5, QStringLiteral("x")}}));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rewriteWorkTable(db, QStringLiteral("RptScores"), fields, {{5}}));
        QCOMPARE(sortKeys(QStringLiteral("RptScores")), QStringList({"1=c"}));
        QCOMPARE(db.transactionDepth(), 0);

        // Only report work tables, named plainly.
        seed::addPerson(1, QStringLiteral("Ann"), QStringLiteral("Lee"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, clearWorkTable(db, QStringLiteral("People")));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, clearWorkTable(db, QStringLiteral("RptScores; delete from People")));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rewriteWorkTable(db, QStringLiteral("RptScores"),
                                                                {QStringLiteral("Col1) select 1 --")}, {}));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from People")).toInt(), 1);

        clearWorkTable(db, QStringLiteral("RptScores"));
        QVERIFY(sortKeys(QStringLiteral("RptScores")).isEmpty());
    }
};

VH_TEST_MAIN(TstReportSelection)
#include "tst_reportselection.moc"
