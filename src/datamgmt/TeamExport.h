#pragma once
// Team export: writes chosen teams with their rosters, people, games and
// statistics, the game types and the category names into a new team transfer
// file made from the shipped shell Export.mdb.

#include "platform/db/Database.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace vh {

inline const QString ExportShellFileName = QStringLiteral("Export.mdb");
inline const QString ExportTemporaryFileName = QStringLiteral("MURQNTemp.mdb");

enum class ExportNameCheck {
    Ok,
    Empty,             // "Must enter database name!"
    NoMdbEnding,       // "Database name must end with '.mdb'."
    MainDatabaseName,  // "Can not use main database name!"
    ProgramFile,       // the path leads to one of the program's own files
};
// Checks the name (already trimmed) a user typed for the file in `folder`.
// The main database's name is refused in every folder; the program's own
// files in the data folder (murqn.mdb, Export.mdb, MURQNTemp.mdb) are refused
// under any name or path that reaches them.
ExportNameCheck CheckExportName(const QString& folder, const QString& name, const QString& dataFolder);

struct ExportTeam {
    int16_t number = 0;
    QString name;
};
using ExportProgress = std::function<void(const QString& teamName)>;

// Copies the version row, every game type and category name, then each team
// in the order given: its row, roster with people, games, player and goalie
// statistics, and the people those statistics name who are on no exported
// roster. Each person is written once. Returns the count of teams.
int ExportTeams(Database& source, Database& target, const std::vector<ExportTeam>& teams,
                const ExportProgress& progress = {});

// The whole export: the shell is copied to MURQNTemp.mdb in the data folder,
// filled, and copied to `targetPath`, replacing a file there only once the
// new one is complete; the file takes the mode of the source's file. Half
// copies an earlier export left go first, and the temporary file is removed
// whatever happens. While it runs, the data folder's marker names the
// partial copy beside the target (PartialCopyMark).
// Throws a RuntimeError when anything fails; the target is then unchanged.
int ExportTeamFile(Database& source, const QString& dataFolder, const QString& targetPath,
                   const std::vector<ExportTeam>& teams, const ExportProgress& progress = {});

}  // namespace vh
