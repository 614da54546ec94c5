#pragma once
// A database with a full season for measurements: teams with rosters, games
// and every player's and goalie's row of every game.

#include <QString>

namespace vh::bench {

struct SeasonSize {
    int teams = 30;
    int gamesPerTeam = 80;
    int playersPerGame = 25;
    int goaliesPerGame = 2;
};

// Builds the season into `path` (a copy of the shipped empty database `shell`).
void buildSeasonDatabase(const QString& shell, const QString& path, const SeasonSize& size);

}  // namespace vh::bench
