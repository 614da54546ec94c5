#include "support/Seed.h"

#include "shell/Globals.h"

namespace vh::seed {

namespace {

QString insertText(const QString& table, const QStringList& columns)
{
    return QStringLiteral("insert into %1 (%2) values (%3)")
        .arg(table, columns.join(QStringLiteral(", ")), QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
}

const QStringList TeamColumns = {QStringLiteral("TeamNumber"), QStringLiteral("LongTeamName"),
                                 QStringLiteral("ShortTeamName")};

}  // namespace

RowWriter::RowWriter(Database& db, const QString& table, const QStringList& columns)
    : insert_(db.prepare(insertText(table, columns)))
{
}

void RowWriter::add(const QVariantList& values) { insert_.run(values); }

void insertRow(Database& db, const QString& table, const QVariantMap& values)
{
    db.execute(insertText(table, values.keys()), values.values());
}

void addTeam(int team, const QString& longName, const QString& shortName)
{
    RowWriter(Db(), QStringLiteral("Teams"), TeamColumns)
        .add({team, longName, shortName.isNull() ? longName.left(20) : shortName});
}

void addPerson(int person, const QString& first, const QString& last, const QVariantMap& more)
{
    QVariantMap row = more;
    row.insert(QStringLiteral("PersonNumber"), person);
    row.insert(QStringLiteral("FirstName"), first);
    row.insert(QStringLiteral("LastName"), last);
    insertRow(Db(), QStringLiteral("People"), row);
}

void addRoster(int team, int person, int playerIndicator, const QString& uniform, const QVariantMap& more)
{
    QVariantMap row = more;
    row.insert(QStringLiteral("TeamNumber"), team);
    row.insert(QStringLiteral("PersonNumber"), person);
    row.insert(QStringLiteral("PlayerIndicator"), playerIndicator);
    row.insert(QStringLiteral("UniformNumber"), uniform);
    insertRow(Db(), QStringLiteral("Roster"), row);
}

void addFilter(int filter, const QString& name, std::initializer_list<int> teams)
{
    insertRow(Db(), QStringLiteral("Filters"), {{QStringLiteral("FilterNumber"), filter}, {QStringLiteral("FilterName"), name}});
    RowWriter members(Db(), QStringLiteral("TeamFilters"), {QStringLiteral("FilterNumber"), QStringLiteral("TeamNumber")});
    for (int team : teams)
        members.add({filter, team});
}

int countRows(Database& db, const QString& table, const QString& where, const QVariantList& params)
{
    return db.scalar(QStringLiteral("select count(*) from ") + table + (where.isEmpty() ? QString() : QStringLiteral(" where ") + where),
                     params)
        .toInt();
}

void buildSeason(Database& db, const SeasonSize& size)
{
    Transaction t(db);
    RowWriter team(db, QStringLiteral("Teams"), TeamColumns);
    RowWriter person(db, QStringLiteral("People"),
                     QStringList{"PersonNumber", "FirstName", "LastName", "BirthDate"});
    RowWriter roster(db, QStringLiteral("Roster"),
                     QStringList{"TeamNumber", "PersonNumber", "PlayerIndicator", "UniformNumber"});
    RowWriter game(db, QStringLiteral("GameStats"),
                   QStringList{"TeamNumber", "GStatNumber", "GameNumber", "GameDate", "GameType", "Periods",
                               "Location", "HomeTeam", "Opponent", "OpponentTeamNumber", "OpponentGStatNumber", "Goals",
                               "GoalsPeriod1", "GoalsPeriod2", "GoalsPeriod3", "GoalsPeriod4", "GoalsOT", "OppGoals",
                               "OppGoalsPeriod1", "OppGoalsPeriod2", "OppGoalsPeriod3", "OppGoalsPeriod4",
                               "OppGoalsOT", "PP", "PPG", "SH", "Kills", "Overtime", "notes"});
    RowWriter player(db, QStringLiteral("PlayerStats"),
                     QStringList{"TeamNumber", "GameNumber", "PlayerNumber", "EventNumber", "GameType", "HomeTeam",
                                 "Position", "Per", "Min", "Sec", "SOG", "G", "Ast", "PIM"});
    RowWriter goalie(db, QStringLiteral("GoalieStats"),
                     QStringList{"TeamNumber", "GameNumber", "PlayerNumber", "EventNumber", "GameType", "HomeTeam",
                                 "Per", "Min", "W", "GA1", "GA2", "GA3", "Sv1", "Sv2", "Sv3"});
    const int perTeam = size.playersPerGame + size.goaliesPerGame;
    int gstat = 0;
    for (int tm = 1; tm <= size.teams; ++tm) {
        team.add({tm, QStringLiteral("Team %1").arg(tm), QStringLiteral("T%1").arg(tm)});
        for (int p = 1; p <= perTeam; ++p) {
            const int number = (tm - 1) * perTeam + p;
            person.add({number, QStringLiteral("First%1").arg(number), QStringLiteral("Last%1").arg(number),
                        QStringLiteral("2008-03-01")});
            roster.add({tm, number, -1, QString::number(p)});
        }
        for (int gm = 1; gm <= size.gamesPerTeam; ++gm) {
            const int home = gm % 2 ? -1 : 0;
            game.add({tm, ++gstat, gm, QStringLiteral("2026-10-01"), 0, 3, QStringLiteral("Arena"), home,
                      QStringLiteral("Opponent %1").arg(gm % size.teams + 1), 0, 0, 3, 1, 1, 1, 0, 0, 2, 1, 0, 1, 0,
                      0, 4, 1, 3, 2, 0, QString("")});
            for (int p = 1; p <= size.playersPerGame; ++p)
                player.add({tm, gm, (tm - 1) * perTeam + p, 1, 0, home, 0, 3, 15, 30, 2, p % 3 == 0 ? 1 : 0, 1, 2});
            for (int p = 1; p <= size.goaliesPerGame; ++p)
                goalie.add({tm, gm, (tm - 1) * perTeam + size.playersPerGame + p, 1, 0, home, 3, 60, 1, 1, 0, 1, 10,
                            12, 9});
        }
    }
    t.commit();
}

}  // namespace vh::seed
