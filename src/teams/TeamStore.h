#pragma once
// Teams and team filters in the database: reading them for the lists, the
// program-wide team table, and the writes of the team and filter editors.
// Every write that touches more than one row runs in one transaction, so a
// failure leaves the database as it was. Names are always bound as
// parameters, never pasted into SQL.

#include "platform/db/Database.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace vh {

struct TeamRow {
    int16_t number = 0;
    QString longName;
    QString shortName;
};

struct FilterRow {
    int16_t number = 0;
    QString name;
};

// Every team, in table order.
std::vector<TeamRow> ReadTeams(Database& db);
// Every filter, in table order.
std::vector<FilterRow> ReadFilters(Database& db);
// The teams that belong to a filter.
std::set<int16_t> FilterMembers(Database& db, int16_t filterNumber);

// The next-number rule of the team and filter lists: `next` rises to one more
// than a number seen, and never falls. It stops at the largest key, which may
// then be in use: the numbers below check the table before a row is added.
void RaiseNextNumber(int16_t& next, int16_t seen);

// The number a new team or filter takes: `next` (the program's next number),
// or one more than the largest stored when that is higher, so that no number
// in use is given again. Empty when the largest number is in use.
std::optional<int16_t> NewTeamNumber(Database& db, int next);
std::optional<int16_t> NewFilterNumber(Database& db, int next);

// The teams the selection window lists under a filter (0 for all teams), in
// table order; `nextTeamNumber` is raised over every team, listed or not.
std::vector<TeamRow> TeamsInFilter(Database& db, int16_t filterNumber, int16_t& nextTeamNumber);

// Rebuilds the program-wide team table (NumTeams, TeamNumbers, LongTeamNames,
// ShortTeamNames and an all-False TeamSelected) from the listed teams.
void BuildTeamTable(const std::vector<TeamRow>& listed);

// Orders teams by name as the list boxes show them (CompareNames), teams of
// equal names in table order.
void SortByName(std::vector<TeamRow>& teams);

// "1 Team Selected", otherwise the count and " Teams Selected".
QString TeamsSelectedText(int count);

// The fields of the team editor.
struct TeamDetails {
    QString longName;
    QString shortName;
    QString contactPerson;
    QString phoneNumber;
    QString email;
    QString notes;
};

// The stored details of a team; nothing when it has no row.
std::optional<TeamDetails> ReadTeamDetails(Database& db, int16_t teamNumber);
// Trims every field and gives an empty short name the long name's first 20
// characters. False when the long name is empty.
bool PrepareTeamDetails(TeamDetails& details);
void AddTeam(Database& db, int16_t teamNumber, const TeamDetails& details);
// False when the team has no row.
bool ChangeTeam(Database& db, int16_t teamNumber, const TeamDetails& details);
// Removes the team and everything stored under its number: its filter
// memberships, roster, games and per-game player and goalie rows. Its people
// stay, since they are shared by all teams. All or nothing.
void DeleteTeam(Database& db, int16_t teamNumber);

// The name of a filter; nothing when it has no row.
std::optional<QString> ReadFilterName(Database& db, int16_t filterNumber);
// A new filter with its member teams, all or nothing.
void AddFilter(Database& db, int16_t filterNumber, const QString& name, const std::vector<int16_t>& members);
// Renames a filter and rewrites its whole membership, all or nothing. False
// when the filter has no row.
bool ChangeFilter(Database& db, int16_t filterNumber, const QString& name, const std::vector<int16_t>& members);
// Removes a filter and its membership rows, all or nothing.
void DeleteFilter(Database& db, int16_t filterNumber);

}  // namespace vh
