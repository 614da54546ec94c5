#pragma once
// A database file with a full season for measurements, built by the shared
// seeders.

#include "support/Seed.h"

#include <QString>

namespace vh::bench {

using SeasonSize = seed::SeasonSize;

// Builds the season into `path` (a copy of the shipped empty database `shell`).
void buildSeasonDatabase(const QString& shell, const QString& path, const seed::SeasonSize& size);

}  // namespace vh::bench
