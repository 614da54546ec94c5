#pragma once
// The team scoring report's computation: one team's record, its goals and its
// opponents' goals by period, power play and penalty killing over the games
// of the report criteria; the rows of work table RptTeamScores.

#include "reports/TeamReportBasics.h"
#include "shell/ReportCriteria.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace vh {

struct TeamScoringInput {
    int16_t team = 0;
    QString teamCaption;  // the name the report gives the team
    ReportCriteria criteria;
    NumberStyle style;
};

// Col1 .. Col10 of one RptTeamScores row (Col8 .. Col10 stay empty).
using TeamScoringRow = std::array<QString, 10>;

struct TeamScoringReport {
    std::vector<TeamScoringRow> rows;  // the single "No Games" row when no game counts
    bool anyGame = false;
    int maxPeriods = 2;        // the most periods of a counted game, at least 2
    bool anyOvertime = false;  // a counted game went to overtime
};

TeamScoringReport ComputeTeamScoring(Database& db, const TeamScoringInput& input);

}  // namespace vh
