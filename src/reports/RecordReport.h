#pragma once
// The record report's computation: one team's won-lost record by game type
// under the report criteria, with goals, percentage and points, and a totals
// row; the rows of work table RptRecord.

#include "reports/TeamReportBasics.h"
#include "shell/ReportCriteria.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace vh {

struct RecordInput {
    int16_t team = 0;
    ReportCriteria criteria;
    PointsOptions points;
    NumberStyle style;
    GameTypeNames gameTypes;
};

// One row of RptRecord.
struct RecordRow {
    int16_t teamNumber = 0;
    int16_t gameType = 0;  // 9999 on the totals row
    QString gameTypeDescription;
    QString gamesWon, gamesLost, gamesTied, winPct, goalsFor, goalsAgainst, points;
};

struct RecordReport {
    // A row per game type with a counted game, by ascending type number, then
    // the "TOTALS" row, which is always there.
    std::vector<RecordRow> rows;
    bool anyTie = false;  // the "Tie" column shows only then
};

RecordReport ComputeRecord(Database& db, const RecordInput& input);

}  // namespace vh
