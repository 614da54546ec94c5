#include "SeasonDatabase.h"

#include "platform/db/Database.h"
#include "shell/Startup.h"

#include <QFile>

namespace vh::bench {

void buildSeasonDatabase(const QString& shell, const QString& path, const SeasonSize& size)
{
    QFile::remove(path);
    QFile::copy(shell, path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    auto db = Database::open(path, DatabaseConnect());
    Transaction t(*db);
    Statement team = db->prepare(QStringLiteral(
        "insert into Teams (TeamNumber, LongTeamName, ShortTeamName) values (?, ?, ?)"));
    Statement person = db->prepare(QStringLiteral(
        "insert into People (PersonNumber, FirstName, LastName, BirthDate) values (?, ?, ?, '2008-03-01')"));
    Statement roster = db->prepare(QStringLiteral(
        "insert into Roster (TeamNumber, PersonNumber, PlayerIndicator, UniformNumber) values (?, ?, -1, ?)"));
    Statement game = db->prepare(QStringLiteral(
        "insert into GameStats (TeamNumber, GStatNumber, GameNumber, GameDate, GameType, Periods, Location, HomeTeam, "
        "Opponent, OpponentTeamNumber, OpponentGStatNumber, Goals, GoalsPeriod1, GoalsPeriod2, GoalsPeriod3, "
        "GoalsPeriod4, GoalsOT, OppGoals, OppGoalsPeriod1, OppGoalsPeriod2, OppGoalsPeriod3, OppGoalsPeriod4, "
        "OppGoalsOT, PP, PPG, SH, Kills, Overtime, notes) values "
        "(?, ?, ?, '2026-10-01', 0, 3, 'Arena', ?, ?, 0, 0, 3, 1, 1, 1, 0, 0, 2, 1, 0, 1, 0, 0, 4, 1, 3, 2, 0, '')"));
    Statement player = db->prepare(QStringLiteral(
        "insert into PlayerStats (TeamNumber, GameNumber, PlayerNumber, EventNumber, GameType, HomeTeam, Position, "
        "Per, Min, Sec, SOG, G, Ast, PIM) values (?, ?, ?, 1, 0, ?, 0, 3, 15, 30, 2, ?, 1, 2)"));
    Statement goalie = db->prepare(QStringLiteral(
        "insert into GoalieStats (TeamNumber, GameNumber, PlayerNumber, EventNumber, GameType, HomeTeam, Per, Min, "
        "W, GA1, GA2, GA3, Sv1, Sv2, Sv3) values (?, ?, ?, 1, 0, ?, 3, 60, 1, 1, 0, 1, 10, 12, 9)"));
    const int perTeam = size.playersPerGame + size.goaliesPerGame;
    int gstat = 0;
    for (int tm = 1; tm <= size.teams; ++tm) {
        team.run({tm, QStringLiteral("Team %1").arg(tm), QStringLiteral("T%1").arg(tm)});
        for (int p = 1; p <= perTeam; ++p) {
            const int number = (tm - 1) * perTeam + p;
            person.run({number, QStringLiteral("First%1").arg(number), QStringLiteral("Last%1").arg(number)});
            roster.run({tm, number, QString::number(p)});
        }
        for (int gm = 1; gm <= size.gamesPerTeam; ++gm) {
            const int home = gm % 2 ? -1 : 0;
            game.run({tm, ++gstat, gm, home, QStringLiteral("Opponent %1").arg(gm % size.teams + 1)});
            for (int p = 1; p <= size.playersPerGame; ++p)
                player.run({tm, gm, (tm - 1) * perTeam + p, home, p % 3 == 0 ? 1 : 0});
            for (int p = 1; p <= size.goaliesPerGame; ++p)
                goalie.run({tm, gm, (tm - 1) * perTeam + size.playersPerGame + p, home});
        }
    }
    t.commit();
}

}  // namespace vh::bench
