#pragma once
// Rows written straight into a database, for the tests and the benchmarks
// alike: one writer per table with every value bound, the small seeders the
// tests use on the open main database, and a whole season for measurements.

#include "platform/db/Database.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <initializer_list>

namespace vh::seed {

// A prepared insert of the named columns of one table; the others take
// their defaults.
class RowWriter {
public:
    RowWriter(Database& db, const QString& table, const QStringList& columns);
    void add(const QVariantList& values);

private:
    Statement insert_;
};

// One row of `table` with these column values.
void insertRow(Database& db, const QString& table, const QVariantMap& values);

// The seeders below write into the open main database.
// The short name is the long one cut to 20 characters unless given.
void addTeam(int team, const QString& longName, const QString& shortName = QString());
// `more` adds further People columns.
void addPerson(int person, const QString& first, const QString& last, const QVariantMap& more = {});
// A roster line: player (True) or not, uniform "" unless given; `more` adds
// further Roster columns.
void addRoster(int team, int person, int playerIndicator = -1, const QString& uniform = QStringLiteral(""),
               const QVariantMap& more = {});
void addFilter(int filter, const QString& name, std::initializer_list<int> teams);

// How many rows of `table` meet `where` (all when empty), to check what was written.
int countRows(Database& db, const QString& table, const QString& where = {}, const QVariantList& params = {});

struct SeasonSize {
    int teams = 30;
    int gamesPerTeam = 80;
    int playersPerGame = 25;
    int goaliesPerGame = 2;
};
// Teams with rosters, games and every player's and goalie's row of every game.
void buildSeason(Database& db, const SeasonSize& size);

}  // namespace vh::seed
