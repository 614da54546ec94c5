#pragma once
// Per-game statistics rows, people, rosters and games written straight into a
// test database, for the statistics reports: each row names only the fields a
// test cares about, the rest keep the table's defaults.

#include "platform/db/Database.h"

#include <QStringList>
#include <initializer_list>
#include <utility>

namespace vh::test {

using FieldValues = std::initializer_list<std::pair<const char*, QVariant>>;

inline void insertRow(Database& db, const char* table, FieldValues values, QStringList names = {},
                      QVariantList params = {})
{
    QStringList marks;
    for (const auto& [name, value] : values) {
        names << QString::fromLatin1(name);
        params << value;
    }
    for (qsizetype i = 0; i < names.size(); ++i)
        marks << QStringLiteral("?");
    db.execute(QStringLiteral("insert into %1 (%2) values (%3)")
                   .arg(QString::fromLatin1(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
               params);
}

inline void addPerson(Database& db, int number, const QString& first, const QString& last)
{
    insertRow(db, "People", {{"PersonNumber", number}, {"FirstName", first}, {"LastName", last}});
}

inline void addToRoster(Database& db, int team, int person, const QString& uniform)
{
    insertRow(db, "Roster", {{"TeamNumber", team}, {"PersonNumber", person}, {"PlayerIndicator", -1},
                             {"UniformNumber", uniform}});
}

inline void addGame(Database& db, int team, int game, const QString& opponent, bool home = true, int type = 0)
{
    insertRow(db, "GameStats", {{"TeamNumber", team}, {"GameNumber", game}, {"Opponent", opponent},
                                {"HomeTeam", home ? -1 : 0}, {"GameType", type}});
}

// One row of PlayerStats (`table` "PlayerStats") or GoalieStats; the extra
// fields are category values such as {"G", 2}, or GameType / HomeTeam.
inline void addStatsRow(Database& db, const char* table, int team, int game, int person, FieldValues extra = {})
{
    insertRow(db, table, extra,
              {QStringLiteral("TeamNumber"), QStringLiteral("GameNumber"), QStringLiteral("PlayerNumber"),
               QStringLiteral("EventNumber")},
              {team, game, person, 1});
}

inline void addPlayerRow(Database& db, int team, int game, int person, FieldValues extra = {})
{
    addStatsRow(db, "PlayerStats", team, game, person, extra);
}

inline void addGoalieRow(Database& db, int team, int game, int person, FieldValues extra = {})
{
    addStatsRow(db, "GoalieStats", team, game, person, extra);
}

}  // namespace vh::test
