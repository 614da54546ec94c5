#pragma once
// A database file with a full season for measurements, built by the shared
// seeders.

#include "support/Seed.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace vh::bench {

using SeasonSize = seed::SeasonSize;

// Builds the season into `path` (a copy of the shipped empty database `shell`).
void buildSeasonDatabase(const QString& shell, const QString& path, const seed::SeasonSize& size);

// A message box during a measurement is a fault: it is printed and the
// program ends.
void failOnMessageBox();

// A folder for a league that several reports read and write: memory-backed
// storage where there is one, since on a disk shared with other work the flush
// that ends each work-table write waits for the disk and swamps what is
// measured.
std::unique_ptr<QTemporaryDir> leagueFolder();
// The standard league built into `path` from the shipped empty database,
// saying how long that took.
void buildLeague(const QString& path, const SeasonSize& size = {});

}  // namespace vh::bench
