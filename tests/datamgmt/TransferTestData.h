#pragma once
// Teams with rosters, games and statistics written into any database, a
// second program database beside the test's own, scripted import answers, and
// the statistics rows a report would show, to compare two databases by.

#include "datamgmt/TeamImport.h"
#include "datamgmt/frmBackup.h"
#include "platform/db/Database.h"
#include "shell/Startup.h"
#include "support/Seed.h"
#include "support/TestEnv.h"
#include "teams/TeamTestData.h"

#include <QFile>
#include <QtTest>
#include <QStringList>
#include <deque>
#include <initializer_list>
#include <memory>
#include <sys/resource.h>
#include <csignal>

namespace vh::test {

// Ends a test of the back-up dialog: the dialog and the team windows
// unloaded, the program's database closed and the test's program gone.
inline void closeDialogAndProgram(std::unique_ptr<TestEnv>& env)
{
    Unload<frmBackup>();
    unloadTeamWindows();
    if (g.Db)
        g.Db->close();
    env.reset();
}

// A new program database at `path`, from the shipped shell, with the default
// category names its first start writes.
inline std::unique_ptr<Database> newProgramDatabase(const QString& path)
{
    QFile::remove(path);
    QFile::copy(TestEnv::shippedShell(), path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    auto db = Database::open(path, DatabaseConnect());
    for (int i = 1; i <= 10; ++i)
        for (const char* type : {"H", "G"})
            db->execute(QStringLiteral("insert into NameYourOwnCats (CategoryType, CategoryNumber, CategoryDescription) "
                                       "values (?, ?, ?)"),
                        {QLatin1String(type), i, QLatin1String(type) + QString::number(i)});
    return db;
}

inline void nameCategory(Database& db, const char* type, int number, const QString& name)
{
    db.execute(QStringLiteral("update NameYourOwnCats set CategoryDescription = ? where CategoryType = ? and "
                              "CategoryNumber = ?"),
               {name, QLatin1String(type), number});
}

struct Person {
    int number;
    QString first;
    QString last;
    QString phone = {};
    QString city = {};
};

inline void addPerson(Database& db, const Person& p)
{
    db.execute(QStringLiteral("insert into People (PersonNumber, FirstName, LastName, HomePhone, City) values "
                              "(?, ?, ?, ?, ?)"),
               {p.number, p.first, p.last, p.phone.isNull() ? QVariant() : p.phone,
                p.city.isNull() ? QVariant() : p.city});
}

inline void addGameType(Database& db, int number, const QString& name)
{
    db.execute(QStringLiteral("insert into GameTypes (GameTypeNumber, GameTypeDescription) values (?, ?)"),
               {number, name});
}

// A team whose roster holds `players` (added to People when missing); each of
// `games` games has type `gameType`, every player scores game+player goals and
// the first player keeps goal as well.
inline void addTransferTeam(Database& db, int team, const QString& longName, std::initializer_list<Person> players,
                            int games = 2, int gameType = 0)
{
    db.execute(QStringLiteral("insert into Teams (TeamNumber, LongTeamName, ShortTeamName, ContactPerson, notes) "
                              "values (?, ?, ?, ?, ?)"),
               {team, longName, longName.left(20), QStringLiteral("Coach O'Hara"), QStringLiteral("Notes; \"quoted\"")});
    for (const Person& p : players) {
        if (db.scalar(QStringLiteral("select count(*) from People where PersonNumber = ?"), {p.number}).toInt() == 0)
            addPerson(db, p);
        db.execute(QStringLiteral("insert into Roster (TeamNumber, PersonNumber, PlayerIndicator, UniformNumber, notes) "
                                  "values (?, ?, -1, ?, 'r')"),
                   {team, p.number, QString::number(p.number % 100)});
    }
    for (int game = 1; game <= games; ++game) {
        db.execute(QStringLiteral("insert into GameStats (TeamNumber, GStatNumber, GameNumber, GameDate, GameType, "
                                  "Periods, Location, HomeTeam, Opponent, OpponentTeamNumber, OpponentGStatNumber, "
                                  "Goals, OppGoals, Overtime, notes) values (?, ?, ?, '2026-11-0' || ?, ?, 3, "
                                  "'Rink', -1, 'Rivals', 9, 99, 4, 2, 0, 'g')"),
                   {team, team * 10 + game, game, game, gameType});
        int k = 0;
        for (const Person& p : players) {
            ++k;
            db.execute(QStringLiteral("insert into PlayerStats (TeamNumber, GameNumber, PlayerNumber, EventNumber, "
                                      "GameType, HomeTeam, Position, G, Ast, PIM, U1) values (?, ?, ?, 1, ?, -1, 0, ?, "
                                      "1, 2, 3)"),
                       {team, game, p.number, gameType, game + k});
        }
        if (players.size() == 0)
            continue;
        const Person& keeper = *players.begin();
        db.execute(QStringLiteral("insert into GoalieStats (TeamNumber, GameNumber, PlayerNumber, EventNumber, GameType, "
                                  "HomeTeam, Min, W, GA1, Sv1) values (?, ?, ?, 1, ?, -1, 60, 1, 2, 30)"),
                   {team, game, keeper.number, gameType});
    }
}

// The player and goalie statistics per team and person, as a report lists
// them: names instead of numbers, so two databases compare row for row.
inline QStringList statisticsRows(Database& db)
{
    QStringList rows;
    Recordset rs = db.openRecordset(QStringLiteral(
        "select t.LongTeamName as Team, p.FirstName || ' ' || p.LastName as Name, count(*) as GP, sum(s.G) as G, "
        "sum(s.Ast) as A, sum(s.PIM) as PIM, sum(s.U1) as U1, group_concat(coalesce(gt.GameTypeDescription, '-')) "
        "as Types from PlayerStats s join Teams t on t.TeamNumber = s.TeamNumber left join People p on "
        "p.PersonNumber = s.PlayerNumber left join GameTypes gt on gt.GameTypeNumber = s.GameType group by "
        "t.LongTeamName, Name order by Team, Name"));
    for (; !rs.eof(); rs.moveNext()) {
        QStringList cells;
        for (const char* f : {"Team", "Name", "GP", "G", "A", "PIM", "U1", "Types"})
            cells << rs.value(QLatin1String(f)).toString();
        rows << cells.join(QLatin1Char('|'));
    }
    Recordset gs = db.openRecordset(QStringLiteral(
        "select t.LongTeamName as Team, p.FirstName || ' ' || p.LastName as Name, count(*) as GP, sum(s.Min) as Min, "
        "sum(s.W) as W, sum(s.GA1) as GA, sum(s.Sv1) as Sv from GoalieStats s join Teams t on t.TeamNumber = "
        "s.TeamNumber left join People p on p.PersonNumber = s.PlayerNumber group by t.LongTeamName, Name order by "
        "Team, Name"));
    for (; !gs.eof(); gs.moveNext()) {
        QStringList cells{QStringLiteral("goalie")};
        for (const char* f : {"Team", "Name", "GP", "Min", "W", "GA", "Sv"})
            cells << gs.value(QLatin1String(f)).toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

using seed::countRows;

// A query's one value, as text, from an open database or a database file.
inline QString textOf(Database& db, const QString& sql) { return db.scalar(sql).toString(); }
inline QString textIn(const QString& path, const QString& sql) { return textOf(*Database::open(path, DatabaseConnect()), sql); }

// Answers the import's questions from a script, in order; the test fails on
// a question it did not expect.
struct ScriptedQuestions : ImportQuestions {
    std::deque<bool> answers;
    QStringList asked;
    QStringList addedTypes;
    bool next(const QString& what)
    {
        asked << what;
        if (answers.empty()) {
            QTest::qFail(qPrintable(QStringLiteral("Unexpected question: ") + what), __FILE__, __LINE__);
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    bool replaceTeam(const QString& longName) override { return next(QStringLiteral("replace ") + longName); }
    bool changeCategory(bool goalie, const QString& newName, const QString& current) override
    {
        return next(QStringLiteral("%1 %2 for [%3]").arg(goalie ? QStringLiteral("G") : QStringLiteral("H"), newName,
                                                         current));
    }
    void gameTypeAdded(const QString& description) override { addedTypes << description; }
    void importing(const QString&) override {}
};

// While it lives, no file the process writes grows beyond `bytes`: a copy
// fails part-way as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit l = old_;
        l.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

}  // namespace vh::test
