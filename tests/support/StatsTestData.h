#pragma once
// Games and per-game statistics rows written straight into a test database,
// for the statistics reports: each row names only the fields a test cares
// about, the rest keep the table's defaults.

#include "support/Seed.h"

namespace vh::test {

inline void addGame(Database& db, int team, int game, const QString& opponent, bool home = true, int type = 0)
{
    seed::insertRow(db, QStringLiteral("GameStats"), {{"TeamNumber", team}, {"GameNumber", game}, {"Opponent", opponent},
                                                     {"HomeTeam", home ? -1 : 0}, {"GameType", type}});
}

// One row of PlayerStats or GoalieStats; `extra` holds category values such
// as {"G", 2}, or GameType / HomeTeam.
inline void addPlayerRow(Database& db, int team, int game, int person, QVariantMap extra = {},
                         const QString& table = QStringLiteral("PlayerStats"))
{
    extra.insert({{"TeamNumber", team}, {"GameNumber", game}, {"PlayerNumber", person}, {"EventNumber", 1}});
    seed::insertRow(db, table, extra);
}

inline void addGoalieRow(Database& db, int team, int game, int person, const QVariantMap& extra = {})
{
    addPlayerRow(db, team, game, person, extra, QStringLiteral("GoalieStats"));
}

}  // namespace vh::test
