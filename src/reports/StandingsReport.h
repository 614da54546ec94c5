#pragma once
// The standings report's computation: the selected teams ranked by points,
// then wins, each over its own stored games in the game range and game types,
// with its streak at the end of those games; the rows of work table
// RptStandings.

#include "reports/TeamReportBasics.h"
#include "shell/ReportCriteria.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace vh {

struct StandingsTeam {
    int16_t number = 0;
    QString name;  // the long name
};

struct StandingsInput {
    std::vector<StandingsTeam> teams;  // the selected teams, in team-table order
    // Only the game range and the game types apply: the criteria dialog offers
    // neither home/away nor a game list for several teams.
    ReportCriteria criteria;
    PointsOptions points;
    NumberStyle style;
};

// One row of RptStandings.
struct StandingsRow {
    int32_t teamNumber = 0;
    QString teamName;  // padded with blanks to 50 characters
    QString gamesWon, gamesLost, gamesTied, streak, winPct, goalsFor, goalsAgainst, points;
};

struct StandingsReport {
    std::vector<StandingsRow> rows;  // in rank order, one per selected team
    bool anyTie = false;             // the "Tie" column shows only then
};

StandingsReport ComputeStandings(Database& db, const StandingsInput& input);

// The streak text: "Won 3" for three wins in a row, "Lost 2", and "-" after a
// tie or without games.
QString StreakText(long long streak);

}  // namespace vh
