#pragma once
// The game scores report's computation: the current team's games in
// game-number order, as a two-line box score per game (long layout) or one
// line per game (short layout); the lines of work table RptScores.

#include "reports/TeamReportBasics.h"
#include "shell/ReportCriteria.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace vh {

struct ScoresInput {
    int16_t team = 0;
    QString teamCaption;  // the name the report gives the team
    ReportCriteria criteria;
    bool shortLayout = false;
    // What the long layout's second and further lines carry.
    bool showGameType = true;
    bool showLocation = true;
    bool showNotes = true;
    NumberStyle style;
    GameTypeNames gameTypes;
};

// Col1 .. Col11 of one RptScores line.
using ScoresLine = std::array<QString, 11>;

struct ScoresReport {
    std::vector<ScoresLine> lines;  // the single "No Games" line when no game is listed
    bool anyGame = false;
    int maxPeriods = 2;        // the most periods of a listed game, at least 2
    bool anyOvertime = false;  // a listed game went to overtime
};

ScoresReport ComputeScores(Database& db, const ScoresInput& input);

}  // namespace vh
